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
#include <tuple>
#include <gtest/gtest.h>

#include "ui/About.h"
#include "ui/picture_view.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

TEST_F(WindowTest, TheVersionBoxIsShownTwiceAsOneAndHiddenByOK) {
  Show();
  TFormAbout about;
  FormAbout = &about;
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
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

// The lower-cased text from the last period of the name; the save dialog's
// default extension only for a name without one.
TEST(PictureExtension, FromTheLastPeriodOfTheName) {
  const std::tuple<QString, std::string, QString> rows[] = {
      {"/tmp/plot.EMF", ".emf", "/tmp/plot.EMF"},   {"/tmp/plot.emf.bmp", ".bmp", "/tmp/plot.emf.bmp"},
      {"/tmp/a.d/plot", "", "/tmp/a.d/plot.emf"},   {"plot.", ".", "plot."},
      {"/tmp/plot.emfx", ".emfx", "/tmp/plot.emfx"},
  };
  for (const auto& [name, extension, saved] : rows) {
    EXPECT_EQ(PictureExtension(name), extension) << name.toStdString();
    EXPECT_EQ(WithDefaultSuffix(name, kPictureSuffix), saved) << name.toStdString();
  }
  EXPECT_STREQ(kPictureFilter, "Enhanced metafiles (+.emf) (*.emf)");
}

// ---- picture view ----------------------------------------------------------------------

}  // namespace
}  // namespace orniva::ui::test
