// The Separate Phases window: a search off the window's thread shows its
// phases and faults, a cancelled one changes nothing, and the accepted
// phases reach the owner.
#include <QSignalSpy>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "tests/support/model_contract.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"
#include "ui/results/separation_window.h"

namespace orniva::ui::test {
namespace {

TEST(SeparationWindow, ProposesCancelsAndAccepts) {
  document::Document document;
  Adopt(document, LinesOf(kTenData), "ten.fdt");
  const analysis::Study& study = document.study();
  std::vector<std::vector<analysis::ProposedPhase>> accepted;
  StubServices services;
  SeparationWindow window(document, services,
                          [&](const auto& phases) { accepted.push_back(phases); });
  EXPECT_EQ(window.windowTitle(), "Separate Phases  [ ten.fdt ]");
  analysis::SeparationOptions options;
  options.candidates = 2000;
  window.setOptions(options);
  QSignalSpy finished(&window, &SeparationWindow::finished);
  orniva::test::ModelContract contract(window.faultTable()->model());
  window.run();
  ASSERT_TRUE(finished.wait(60000));
  const analysis::SeparationResult expected = analysis::SeparatePhases(study.data(), options);
  ASSERT_FALSE(expected.phases.empty());
  EXPECT_EQ(window.phaseTable()->rowCount(), int(expected.phases.size()));
  EXPECT_EQ(window.faultTable()->model()->rowCount(), 10);
  EXPECT_EQ(window.picture()->phases().size(), expected.phases.size());
  EXPECT_EQ(window.result().phases[0].tensor, expected.phases[0].tensor);

  options.candidates = analysis::kMaxCandidates;
  window.setOptions(options);
  window.run();
  window.cancel();
  EXPECT_EQ(finished.count(), 2);  // at once
  ASSERT_EQ(window.phaseTable()->rowCount(), int(expected.phases.size()));
  EXPECT_EQ(window.result().phases[0].tensor, expected.phases[0].tensor);

  window.phaseTable()->setCurrentCell(int(expected.phases.size()) - 1, 0);
  window.acceptChosen();
  window.acceptAll();
  ASSERT_EQ(accepted.size(), 2u);
  ASSERT_EQ(accepted[0].size(), 1u);
  EXPECT_EQ(accepted[0][0].name, analysis::ProposedPhases(expected).back().name);
  EXPECT_EQ(accepted[1].size(), expected.phases.size());
  window.discard();
  EXPECT_EQ(window.phaseTable()->rowCount(), 0);
}

}  // namespace
}  // namespace orniva::ui::test
