#include "ui/shared/aspect_box.h"

#include <QResizeEvent>

#include <algorithm>

namespace orniva::ui {

AspectBox::AspectBox(QWidget* content, int width, int height, QWidget* parent)
    : QWidget(parent), content_(content), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  content_->setParent(this);
  setMinimumSize(content_->minimumSize());
  content_->setMinimumSize(0, 0);
}

QSize AspectBox::sizeHint() const {
  const QSize hint = content_->sizeHint();
  return hint.isValid() ? hint : QSize(width_, height_) / 2;
}

// The largest rectangle of the box's ratio that fits, centred.
void AspectBox::resizeEvent(QResizeEvent* event) {
  const QSize room = event->size();
  const qint64 byWidth = qint64(room.width()) * height_ / width_;
  const QSize shown = byWidth <= room.height()
                          ? QSize(room.width(), int(byWidth))
                          : QSize(int(qint64(room.height()) * width_ / height_), room.height());
  content_->setGeometry((room.width() - shown.width()) / 2, (room.height() - shown.height()) / 2,
                        shown.width(), shown.height());
}

}  // namespace orniva::ui
