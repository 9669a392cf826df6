// The one Qt application object of a test executable that paints (images,
// fonts, widgets), on the offscreen platform unless the caller chose
// another. Each such executable registers one, in one of its sources:
//   ::testing::AddGlobalTestEnvironment(new QtTestEnvironment<QApplication>)
#pragma once

#include <memory>

#include <QLocale>
#include <QString>
#include <gtest/gtest.h>

namespace orniva::test {

// `Application`: QGuiApplication, or QApplication where widgets are shown.
template <class Application>
class QtTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<Application>(argc_, argv_);
    Application::setApplicationName(QStringLiteral("Halvaro"));
    // Numbers with a decimal period unless a test says otherwise.
    QLocale::setDefault(QLocale::c());
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[8] = "tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<Application> application_;
};

}  // namespace orniva::test
