// The Each Phase in Turn window shows what orniva-analyse writes with
// --by-subset for the same curation (a phase too small for the report as a
// row that says why), and follows a change of it.
#include <numeric>

#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

#include "data/curation.h"
#include "data/fault_reader.h"
#include "tests/support/model_contract.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"
#include "ui/results/manual_help.h"
#include "ui/results/phase_reports.h"

namespace orniva::ui {
namespace {

TEST(PhaseReportsWindow, EqualsTheCommandLine) {
  orniva::test::TempDir dir;
  const std::string text = orniva::test::ReadFile(ORNIVA_EXAMPLE_FILE);
  const std::string example = dir.File("example.fdt");
  orniva::test::WriteFile(example, text);
  document::Document document;
  document.Adopt(document::OpenDataFile(example));
  const analysis::Study& study = document.study();
  const int count = study.data().count();
  std::vector<int> first(20), second(12);
  std::iota(first.begin(), first.end(), 1);
  std::iota(second.begin(), second.end(), 21);
  document.Do(document::Edit::NewPhase({"A", "#1b9e77"}, 0, first), "A");
  document.Do(document::Edit::NewPhase({"B, \"late\"", "#d95f02"}, 1, second), "B");
  document.Do(document::Edit::NewPhase({"C", "#7570b3"}, 2, {33, 34}), "C");
  analysis::AnalysisChoices shan = study.choices();
  shan.method = analysis::StressMethod::Shan;
  document.SetChoices(shan);
  // The command line's report of the study's curation, as the window copies it.
  auto commandLine = [&] {
    orniva::test::WriteFile(
        CurationPathFor(example),
        CurationText(study.curation().ToFile(), "example.fdt", count, Sha256Hex(text)));
    const auto run = orniva::test::RunProgram(
        ORNIVA_ANALYSE_EXE, {example, "stress-summary", "--method", "shan", "--by-subset"}, dir);
    QString out = QString::fromStdString(run.out).replace(',', '\t');
    const QString refusal = QStringLiteral("Shan's method needs at least 5 faults; 2 given");
    return out.replace(QStringLiteral("\"B\t \"\"late\"\"\""), QStringLiteral("B, \"late\""))
        .replace('"' + refusal + '"', refusal)
        .toStdString();
  };
  test::StubServices services;
  PhaseReportsWindow window(document, services);
  orniva::test::ModelContract contract(window.table()->model());
  int summary = 0;
  while (std::string(PhaseReportsWindow::reportCommand(summary)) != "stress-summary") ++summary;
  window.chooseReport(summary);
  EXPECT_EQ(ManualPageOf(&window), "stress-inversion.html");  // Help follows the report
  QSignalSpy finished(&window, &PhaseReportsWindow::finished);
  window.show();
  ASSERT_TRUE(finished.wait(30000));
  EXPECT_EQ(window.text().toStdString(), commandLine());
  EXPECT_TRUE(window.text().contains(
      QStringLiteral("\nC\tShan's method needs at least 5 faults; 2 given")));
  EXPECT_TRUE(window.title()->text().contains(QStringLiteral("example.fdt")));
  document.Do(document::Edit::Switch({3}, true), "off");
  ASSERT_TRUE(finished.wait(30000));
  EXPECT_EQ(window.text().toStdString(), commandLine());
  window.copy();
  EXPECT_EQ(services.clipboard, window.text());
}

}  // namespace
}  // namespace orniva::ui
