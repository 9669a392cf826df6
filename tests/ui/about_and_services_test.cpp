// The version box, the message boxes behind ShowMessage and ReportError,
// and the picture extension rule.
#include <functional>
#include <tuple>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/About.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

TEST_F(WindowTest, TheVersionBoxIsShownTwiceAsOneAndHiddenByOK) {
  Show();
  TFormAbout about;
  FormAbout = &about;
  window->Version1->trigger();
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
  EXPECT_TRUE(window->isEnabled());  // modeless
  QTest::mouseClick(about.Button1, Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
  FormAbout = nullptr;
}

// The modal box that `show` opens, as "title|text|icon|buttons". Every
// message box open is closed at once, so that none is left waiting.
std::string ModalBox(const std::function<void()>& show) {
  QString seen = "no box";
  QTimer::singleShot(0, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (!box || !box->isVisible()) continue;
      seen = box->windowTitle() + "|" + box->text() + "|" + QString::number(int(box->icon())) + "|" +
             QString::number(int(box->standardButtons()));
      box->accept();
    }
  });
  show();
  return seen.toStdString();
}

TEST(MessageBoxes, TheTextUnderTheApplicationTitleWithOneOK) {
  const std::string ok = "|" + std::to_string(QMessageBox::Ok);
  MessageBoxSink sink;
  EXPECT_EQ(ModalBox([&] { sink.ShowMessage("Plural files were dropped.\r\nOne at a time."); }),
            "Halvaro|Plural files were dropped.\nOne at a time.|0" + ok);
  QtWindowServices services;
  EXPECT_EQ(ModalBox([&] {
              services.ReportError(
                  nullptr, FileError(FileError::Action::Write, "/data/VORN.log", "Permission denied"));
            }),
            "Halvaro|Cannot write file /data/VORN.log:\nPermission denied.|" +
                std::to_string(QMessageBox::Critical) + ok);
}

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
}

}  // namespace
}  // namespace orniva::ui::test
