// The image control of the main window: shows the recorded plot picture
// stretched to the control's size, and reports clicks.
#pragma once

#include <cstdint>
#include <vector>

#include <QImage>
#include <QWidget>

#include "platform/picture.h"

class QPainter;

namespace orniva::ui {

class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent = nullptr);

  // Shows `picture` (not owned; nullptr shows nothing) and repaints. Call it
  // again whenever the picture's content has changed.
  void setPicture(const Picture* picture);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const Picture* picture_ = nullptr;
  bool pressed_ = false;
  // The drawing without its repeated runs, at the control's size, and the
  // drawing key it was made from.
  QImage base_;
  std::uint64_t baseKey_ = 0;
};

// Replays `picture` onto `painter`, whose transformation maps the picture's
// units to the device; pen widths and shapes scale with it.
void ReplayPicture(const Picture& picture, QPainter& painter);

// Paints `picture` stretched to `target`, every record in order.
void PaintPicture(const Picture& picture, QPainter& painter, const QRect& target);

// Per record, whether it belongs to one of the picture's repeated runs (a
// run that is copied or one of its copies); empty when nothing is repeated.
std::vector<bool> RecordsInRepeatedRuns(const Picture& picture);

}  // namespace orniva::ui
