// A frame that shows one widget at a fixed ratio of width to height, as
// large as the frame allows and centred in it (the rest left empty), so
// that a picture stretched to that widget keeps its proportions: a map
// keeps one scale east-west and north-south at any size of the window.
#pragma once

#include <QWidget>

namespace orniva::ui {

class AspectBox : public QWidget {
  Q_OBJECT

 public:
  // Holds `content` (taken over) at `width`:`height`.
  AspectBox(QWidget* content, int width, int height, QWidget* parent = nullptr);

  QWidget* content() const { return content_; }
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* content_;
  int width_, height_;
};

}  // namespace orniva::ui
