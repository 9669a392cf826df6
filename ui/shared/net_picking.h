// Picking data on a net with the mouse, shared by the windows that draw
// one: the keys that say how a pick changes the selection, the change
// itself, the gesture (a click or a freehand lasso made with the left
// button, told apart by how far the drag went) and the readout of the line
// under the cursor.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QPointF>
#include <QPolygonF>
#include <QString>

#include "math/vector3d.h"

class QMouseEvent;
class QPainter;

namespace orniva::ui {

enum class SelectionChange { Replace, Add, Remove };
// Shift adds to the selection, Ctrl takes away from it.
SelectionChange ChangeFor(Qt::KeyboardModifiers keys);

// `current` (ascending, no repeats) replaced by, joined with or without
// `picked` (any order, repeats allowed): ascending, no repeats.
std::vector<int> ChangedSelection(const std::vector<int>& current, std::vector<int> picked,
                                  SelectionChange how);

// "Line 045/32   Plane 225/58": the line under the cursor and the plane
// whose pole it is.
QString LineAndPlaneReadout(math::TrendPlunge line);

// A press, drag and release of the left button on a widget, in the
// widget's points. A drag that went farther than a few pixels is a lasso,
// anything less a click.
class PickGesture {
 public:
  struct Done {
    enum class Kind { None, Click, Lasso } kind = Kind::None;
    QPointF at;      // the click
    QPolygonF path;  // the lasso
  };
  using ToPlot = std::function<QPointF(QPointF)>;

  void Press(const QMouseEvent& event);
  // True when the path grew (the widget repaints it).
  bool Move(QPointF position);
  // What the gesture was, its points taken to plot units by `toPlot`.
  Done Release(const QMouseEvent& event, const ToPlot& toPlot);
  void Clear() { pressed_ = false, path_.clear(); }
  bool pressed() const { return pressed_; }
  // The lasso being drawn, a dashed magenta line.
  void PaintPath(QPainter& painter) const;

 private:
  bool pressed_ = false;
  QPolygonF path_;
};

}  // namespace orniva::ui
