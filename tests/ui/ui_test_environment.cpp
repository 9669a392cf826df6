// The one QApplication of the widget tests.
#include <QApplication>

#include "tests/support/qt_test_environment.h"

namespace {

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new orniva::test::QtTestEnvironment<QApplication>);

}  // namespace
