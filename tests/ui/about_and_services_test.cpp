// The version box, the message box behind ShowMessage, the picture
// extension rule and the picture view.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/About.h"
#include "ui/picture_view.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

int CountVersionBoxes() {
  int boxes = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) boxes += qobject_cast<TFormAbout*>(widget) != nullptr;
  return boxes;
}

TEST(FormAbout, HasItsControlsAtTheirPlaces) {
  TFormAbout about;
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.windowTitle(), "Version Information");
  EXPECT_EQ(about.size(), QSize(282, 141));
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  EXPECT_FALSE(about.isModal());
  EXPECT_EQ(about.font().pixelSize(), 12);
  EXPECT_EQ(about.Image1->geometry(), QRect(8, 8, 32, 32));
  EXPECT_FALSE(about.Image1->pixmap().isNull());
  EXPECT_EQ(about.Memo1->geometry(), QRect(48, 8, 225, 97));
  EXPECT_FALSE(about.Memo1->isEnabled());
  EXPECT_TRUE(about.Memo1->isReadOnly());
  const QStringList lines = about.Memo1->toPlainText().split('\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[0], "Orniva");
  EXPECT_EQ(lines[1], "Version 1.3");
  EXPECT_EQ(about.Button1->text(), "OK");
  EXPECT_EQ(about.Button1->geometry(), QRect(200, 112, 75, 25));
}

TEST_F(WindowTest, TheVersionBoxIsShownTwiceAsOneAndHiddenByOK) {
  Show();
  const int before = CountVersionBoxes();
  TFormAbout about;
  FormAbout = &about;
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(CountVersionBoxes(), before + 1);
  EXPECT_TRUE(window->isEnabled());  // modeless
  QTest::mouseClick(about.Button1, Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
  FormAbout = nullptr;
}

// ---- message boxes ------------------------------------------------------------------

TEST(MessageBoxSink, ShowsTheTextUnderTheApplicationTitleWithOneOK) {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Warning;
  QMessageBox::StandardButtons buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = box->standardButtons();
    box->accept();
  });
  MessageBoxSink sink;
  sink.ShowMessage("Plural files were dropped.\r\nThis application accept only one file at a time.");
  EXPECT_EQ(title, "Halvaro");
  EXPECT_EQ(text, "Plural files were dropped.\nThis application accept only one file at a time.");
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(MessageBoxText, TurnsCrLfIntoLineBreaks) {
  EXPECT_EQ(MessageBoxText("a\r\nb\r\nc"), "a\nb\nc");
  EXPECT_EQ(MessageBoxText("Zero divide"), "Zero divide");
}

TEST(QtWindowServices, ReportsAFileErrorWithItsPathAndReason) {
  QString title, text;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    box->accept();
  });
  QtWindowServices services;
  services.ReportError(nullptr, FileError(FileError::Action::Write, "/data/VORN.log", "Permission denied"));
  EXPECT_EQ(title, "Halvaro");
  EXPECT_EQ(text, "Cannot write file /data/VORN.log:\nPermission denied.");
}

// ---- file names ---------------------------------------------------------------------

TEST(PictureExtension, IsTheLowerCasedTextFromTheLastPeriodOfTheName) {
  EXPECT_EQ(PictureExtension("/tmp/plot.emf"), ".emf");
  EXPECT_EQ(PictureExtension("/tmp/plot.EMF"), ".emf");
  EXPECT_EQ(PictureExtension("/tmp/plot.eMf"), ".emf");
  EXPECT_EQ(PictureExtension("/tmp/plot.emf.bmp"), ".bmp");
  EXPECT_EQ(PictureExtension("/tmp/plot"), "");
  EXPECT_EQ(PictureExtension("/tmp/folder.d/plot"), "");
  EXPECT_EQ(PictureExtension("plot."), ".");
  EXPECT_EQ(PictureExtension("/tmp/plot.emfx"), ".emfx");
}

TEST(WithDefaultSuffix, AddsTheSuffixOnlyWithoutExtension) {
  EXPECT_EQ(WithDefaultSuffix("/tmp/plot", "emf"), "/tmp/plot.emf");
  EXPECT_EQ(WithDefaultSuffix("/tmp/plot.bmp", "emf"), "/tmp/plot.bmp");
  EXPECT_EQ(WithDefaultSuffix("/tmp/a.d/plot", "emf"), "/tmp/a.d/plot.emf");
}

TEST(DialogFilters, AreTheDocumentedOnes) {
  EXPECT_STREQ(kDataFileFilter, "Fault-Slip Data (*.fdt)");
  EXPECT_STREQ(kPictureFilter, "Enhanced metafiles (+.emf) (*.emf)");
  EXPECT_STREQ(kPictureSuffix, "emf");
}

// ---- picture view ----------------------------------------------------------------------

TEST(PictureView, StretchesThePictureToItsSize) {
  Picture picture;
  {
    RecordingCanvas canvas(picture);
    canvas.SetBrushColour(clWhite);
    canvas.FillRect(0, 0, 1000, 1000);
    canvas.SetBrushColour(clBlue);
    canvas.FillRect(0, 0, 500, 1000);  // the left half
  }
  PictureView view;
  view.resize(200, 100);
  view.setPicture(&picture);
  QImage image(200, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  view.render(&image);
  EXPECT_EQ(image.pixel(5, 50), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(95, 95), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(105, 50), qRgb(255, 255, 255));
}

TEST(PictureView, ScalesPenWidthsWithThePicture) {
  Picture picture;
  {
    RecordingCanvas canvas(picture);
    canvas.SetPenWidth(100);
    canvas.SetPenColour(clRed);
    canvas.MoveTo({0, 500});
    canvas.LineTo({1000, 500});
  }
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(0.1, 0.1);
  ReplayPicture(picture, painter);
  painter.end();
  EXPECT_EQ(image.pixel(50, 47), qRgb(255, 0, 0));  // 10 pixels wide
  EXPECT_EQ(image.pixel(50, 42), qRgb(255, 255, 255));
}

TEST(PictureView, ReportsClicksAndNewPictures) {
  PictureView view;
  view.resize(50, 50);
  QSignalSpy clicks(&view, &PictureView::clicked);
  QSignalSpy changes(&view, &PictureView::pictureChanged);
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(10, 10));
  Picture picture;
  view.setPicture(&picture);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(changes.count(), 1);
}

}  // namespace
}  // namespace orniva::ui::test
