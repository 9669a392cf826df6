// The image control of the main window: shows the recorded plot picture
// stretched to the control's size, and reports clicks. In the select mode
// it reports a click or a freehand lasso instead, in plot units with the
// keys held, and marks the selected data over the picture; it reports the
// point under the cursor whenever it moves over the control.
#pragma once

#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QWidget>

#include "picture/picture.h"
#include "ui/shared/net_picking.h"

class QPainter;

namespace orniva::ui {

// A raster of a drawing, and when it can be recoloured its colour records
// and the key of its shapes (render/recolour.h).
struct BaseRaster {
  QImage image;
  QImage records;
  std::uint64_t shapes = 0;
};

class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent = nullptr);
  ~PictureView() override;

  // Shows `picture` (not owned; nullptr shows nothing) and repaints. Call it
  // again whenever the picture's content has changed.
  void setPicture(const Picture* picture);

  // In the select mode a click or a drag selects; outside it a click is
  // the plain click.
  void setSelectMode(bool on);
  bool selectMode() const { return selectMode_; }
  // Rings about these points (plot units) over the picture: the selection.
  void setMarks(std::vector<QPointF> marks);
  const std::vector<QPointF>& marks() const { return marks_; }
  // A control's point in plot units.
  QPointF toPlot(const QPointF& point) const;

 signals:
  void clicked();
  // Select mode: a click, or a drag's closed path, in plot units.
  void picked(QPointF point, Qt::KeyboardModifiers keys);
  void lassoed(QPolygonF path, Qt::KeyboardModifiers keys);
  // The cursor at `point` (plot units); left: it went off the control.
  void hovered(QPointF point);
  void left();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  const Picture* picture_ = nullptr;
  bool pressed_ = false;
  bool selectMode_ = false;
  PickGesture gesture_;  // the drag under way in select mode, control's points
  std::vector<QPointF> marks_;
  // The drawing without its repeated runs, at the control's size, and the
  // drawing key it was made from.
  BaseRaster base_;
  std::uint64_t baseKey_ = 0;
  // A raster of the drawing being made on a second thread from a copy of
  // the picture, and its key.
  struct PendingBase {
    std::thread worker;
    Picture copy;
    BaseRaster base;
    std::uint64_t key = 0;
  };
  std::unique_ptr<PendingBase> pending_;

  QSize pixelSize() const;
  bool stretchedEqually() const;
  void startBase();
  void takeBase();  // waits for the pending raster and keeps it
  bool recolourBase(std::uint64_t key, QSize pixels);
  void paintMarks(QPainter& painter) const;
};

}  // namespace orniva::ui
