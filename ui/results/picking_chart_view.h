// A chart view (a recorded picture as large as it fits, its proportions
// kept) on which data are picked with the mouse while picking is on: a
// click or a freehand lasso, told in the picture's plot units with the
// keys held, and the point under the cursor whenever it moves.
#pragma once

#include <QPointF>
#include <QPolygonF>

#include "ui/results/tilt_test_window.h"
#include "ui/shared/net_picking.h"

namespace orniva::ui {

class PickingChartView : public ChartView {
  Q_OBJECT

 public:
  explicit PickingChartView(QWidget* parent = nullptr);

  void setPicking(bool on);
  bool picking() const { return picking_; }
  // A point of the view in plot units, and the plot units a pixel spans.
  QPointF toPlot(QPointF point) const;
  double plotUnitsPerPixel() const;

 signals:
  void picked(QPointF point, Qt::KeyboardModifiers keys);
  void lassoed(QPolygonF path, Qt::KeyboardModifiers keys);
  void hovered(QPointF point);
  void left();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool picking_ = false;
  PickGesture gesture_;
};

}  // namespace orniva::ui
