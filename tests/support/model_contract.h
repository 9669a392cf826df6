// Qt's contract of an item model, checked at every change of a table model
// while a test drives it (QAbstractItemModelTester): a breach ends the test
// program at once, naming the rule. Every table model of the window is held
// to it in the test that changes it.
#pragma once

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>

namespace orniva::test {

class ModelContract {
 public:
  explicit ModelContract(QAbstractItemModel* model)
      : tester_(model, QAbstractItemModelTester::FailureReportingMode::Fatal) {}

 private:
  QAbstractItemModelTester tester_;
};

}  // namespace orniva::test
