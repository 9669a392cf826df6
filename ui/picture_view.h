// The image control of the main window: shows the recorded plot picture
// stretched to the control's size, and reports clicks.
#pragma once

#include <cstdint>
#include <memory>
#include <thread>

#include <QImage>
#include <QWidget>

#include "picture/picture.h"

namespace orniva::ui {

class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent = nullptr);
  ~PictureView() override;

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
  // A raster of the drawing being made on a second thread from a copy of
  // the picture, and its key.
  struct PendingBase {
    std::thread worker;
    Picture copy;
    QImage image;
    std::uint64_t key = 0;
  };
  std::unique_ptr<PendingBase> pending_;

  QSize pixelSize() const;
  bool stretchedEqually() const;
  void startBase();
  void takeBase();  // waits for the pending raster and keeps it
};

}  // namespace orniva::ui
