// The analysis windows and the import: the kinematics and stress results
// windows follow loads and highlight a chosen row, Use and Run reach the
// stress-axes diagram, the density submenu chooses the counting, and the
// import dialog and the window's two ways into it.
#include <cmath>
#include <tuple>

#include <QActionGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "tests/support/model_contract.h"
#include "tests/ui/ui_test_support.h"
#include "ui/results/bootstrap_panel.h"
#include "ui/results/given_stress_panel.h"
#include "ui/results/manual_help.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/results/method_comparison.h"
#include "ui/results/separation_window.h"
#include "ui/dialogs/tendency_dialog.h"

namespace orniva::ui::test {
namespace {

// A cell's text, in the order shown; a missing cell fails the comparison,
// not the binary.
QString CellText(const QTableView* table, int row, int col) {
  const QVariant text = table->model()->index(row, col).data();
  return text.isValid() ? text.toString() : QStringLiteral("(no item)");
}

// The model under a table's sort.
QAbstractItemModel* SourceOf(const QTableView* table) {
  return static_cast<QSortFilterProxyModel*>(table->model())->sourceModel();
}

// Counts the paints of a widget.
struct PaintCounter : QObject {
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    count += event->type() == QEvent::Paint;
    return false;
  }
  int count = 0;
};

TEST(KinematicsWarnings, MisfitAboveTheThresholdAndLateralOnDipSlip) {
  analysis::KinematicAxes axes;
  axes.misfit = 20.5;
  EXPECT_EQ(KinematicsWarnings(axes, 20.5), "");
  axes.lateralOnDipSlip = true;
  EXPECT_EQ(KinematicsWarnings(axes, 10),
            "More than 10.00° off its plane; Lateral sense on a dip-slip striation");
}

TEST(StressSummary, OneSentenceEach) {
  analysis::StressResult refused;
  refused.error = "stress inversion needs at least 4 faults; 2 given";
  refused.leftOut = {1};
  EXPECT_EQ(
      StressSummary(refused, false),
      "Stress inversion needs at least 4 faults; 2 given. Left out (a check failed): lines 1.");
}

// Sorting, copying and choosing a row are the result tables' own, tested
// through the stress window.
TEST_F(WindowTest, KinematicsFollowsTheDataAndHighlights) {
  Show();
  OpenThroughDialog(DataFile("three.fdt", "90 45 90 45 N\n400 45 90 45 R\n0 0 90 30 S\n"));
  window->analysisMenu()->ActionKinematics->trigger();
  KinematicsWindow* k = window->analysisMenu()->kinematicsWindow();
  ASSERT_NE(k, nullptr);
  EXPECT_TRUE(k->isVisible());
  orniva::test::ModelContract rows(k->table()->model()), cells(SourceOf(k->table()));
  EXPECT_EQ(k->summary()->text(), "2 data used. Left out (a check failed): lines 2.");
  ASSERT_EQ(k->table()->model()->rowCount(), 2);
  EXPECT_EQ(CellText(k->table(), 1, 1), "30.00");  // misfit of line 3
  EXPECT_EQ(CellText(k->table(), 1, 8), "More than 20.00° off its plane");
  PaintCounter paints(k->table()->viewport());
  k->setMisfitThreshold(45);  // the window's own option: its table repaints
  Settle();
  EXPECT_GT(paints.count, 0);
  EXPECT_EQ(CellText(k->table(), 1, 8), "");
  k->table()->setCurrentIndex(
      k->table()->model()->index(1, 0));  // line 3, the last datum: highlighted at once
  EXPECT_EQ(window->StringGrid1->row(), 3);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(3)));
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  EXPECT_EQ(k->table()->model()->rowCount(), 10);
  EXPECT_EQ(k->windowTitle(), "Kinematics  [ ten.fdt ]");
  window->document.Do(document::Edit::Switch({1}, true), "off");  // the data in use change
  EXPECT_EQ(k->table()->model()->rowCount(), 9);
}

// ---- stress inversion and density ---------------------------------------------

// Six normal faults of differing strike and a seventh whose sense is the
// opposite of theirs; line 8 fails its checks.
constexpr char kNormalFaults[] =
    "90 45 90 45 N\n270 60 270 60 N\n0 50 0 50 N\n180 70 180 70 N\n45 30 45 30 N\n"
    "135 80 135 80 N\n225 55 225 55 R\n400 45 90 45 N\n";

TEST_F(WindowTest, StressInversionUseRunAndTheStressAxesDiagram) {
  Show();
  OpenThroughDialog(DataFile("normal.fdt", kNormalFaults));
  window->analysisMenu()->ActionStressAxes->trigger();
  window->analysisMenu()->ActionStressInversion->trigger();
  StressWindow* s = window->analysisMenu()->stressWindow();
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(s->isVisible());
  orniva::test::ModelContract rowsContract(s->table()->model()),
      cellsContract(SourceOf(s->table()));
  EXPECT_TRUE(s->summary()->text().contains("  7 faults used"));
  // One inversion for the window and the diagram, and one per change after.
  EXPECT_EQ(window->study.stressRuns(), 1);
  EXPECT_TRUE(s->summary()->text().endsWith("Left out (a check failed): lines 8."));
  ASSERT_EQ(s->table()->model()->rowCount(), 7);
  EXPECT_EQ(CellText(s->table(), 6, 3), "sense opposite to the stress");

  QAbstractItemModel* rows = s->table()->model();
  ASSERT_TRUE(rows->setData(rows->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));  // line 1 out
  s->run();
  EXPECT_EQ(window->study.stressRuns(), 2);
  EXPECT_EQ(s->result().used, 6);
  EXPECT_EQ(CellText(s->table(), 0, 3), "switched out");
  EXPECT_EQ(window->study.curation().off,
            (std::vector<bool>{false, true, false, false, false, false, false, false, false}));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  s->setIterate(true);  // runs at once
  EXPECT_TRUE(window->study.choices().iterate);
  EXPECT_GT(s->result().rounds, 1);
  EXPECT_EQ(window->study.stressRuns(), 3);

  s->table()->sortByColumn(2, Qt::DescendingOrder);  // the reversed fault first
  s->copy();
  const QStringList lines = services.clipboard.split('\n');
  ASSERT_EQ(lines.size(), 9);  // header, seven rows, the final break
  EXPECT_EQ(lines[0],
            "Use\tLine\tMisfit \u03B2\tNote\t\u03C3n (compr. +)\t|\u03C4|\t\u03C4s\tRUP "
            "%\tANG\tTs\tTs\u2032\tTd\t"
            "\u0398 without\t\u03B2 without");
  EXPECT_TRUE(lines[1].startsWith("yes\t7\t"));
  s->table()->setCurrentIndex(s->table()->model()->index(0, 1));
  EXPECT_EQ(window->StringGrid1->row(), 7);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(7)));

  EXPECT_EQ(window->windowTitle().right(2), " *");  // the switch is an unsaved change
  services.saveAnswer = StubServices::SaveAnswer::Discard;
  OpenThroughDialog(DataFile("again.fdt", kNormalFaults));  // every fault back in
  EXPECT_EQ(window->study.curation().offCount(), 0);
  EXPECT_EQ(s->result().used, 7);
  EXPECT_EQ(window->study.stressRuns(), 4);
  EXPECT_EQ(s->windowTitle(), "Stress Inversion  [ again.fdt ]");
}

// The bootstrap run in the window is the command line's for the seed, kept
// by the study and drawn in the diagram until the inversion changes; the
// leave-one-out columns are filled; a run on the second thread cancelled
// changes nothing.
TEST_F(WindowTest, BootstrapAndLeaveOneOutInTheStressWindow) {
  Show();
  OpenThroughDialog(DataFile("normal.fdt", kNormalFaults));
  window->analysisMenu()->ActionStressAxes->trigger();
  window->analysisMenu()->ActionStressInversion->trigger();
  StressWindow* s = window->analysisMenu()->stressWindow();
  ASSERT_NE(s, nullptr);
  const Picture before = window->plotPicture;
  const analysis::InversionSetup setup = analysis::SetupOf(window->study);
  const analysis::StressBootstrap expected = analysis::BootstrapStress(setup, {300, 0.9, 4});
  s->confidence()->samplesBox()->setValue(300);
  s->confidence()->confidenceBox()->setValue(0.9);
  s->confidence()->seedBox()->setText("4");
  s->confidence()->run();  // quick: done at once
  ASSERT_NE(window->study.Bootstrap(), nullptr);
  EXPECT_EQ(StressBootstrapCsv(*window->study.Bootstrap()).text, StressBootstrapCsv(expected).text);
  EXPECT_EQ(s->confidence()->resultLabel()->text(), BootstrapText(expected));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  EXPECT_FALSE(SamePicture(window->plotPicture, before));
  const analysis::LeaveOneOut influence = analysis::LeaveEachOut(setup);
  EXPECT_EQ(CellText(s->table(), 6, 13).toStdString(),
            analysis::FormatAngle(*influence.data[6].beta));

  s->setIterate(true);
  EXPECT_EQ(window->study.Bootstrap(), nullptr);
  s->confidence()->samplesBox()->setValue(1000000);
  s->confidence()->run();
  EXPECT_TRUE(s->confidence()->busy());
  s->confidence()->cancel();
  EXPECT_FALSE(s->confidence()->busy());
  s->setIterate(false);
  EXPECT_EQ(window->study.Bootstrap(), nullptr);
  EXPECT_TRUE(SamePicture(window->plotPicture, before));
}

// Checking the given stress starts from the inversion's axes; values typed
// and applied reach the window's table and summary and the Mohr diagram,
// axes too far from perpendicular are refused with the reason, and
// unchecking brings the inversion back.
TEST_F(WindowTest, GivenStressReachesTheTableAndTheMohrDiagram) {
  Show();
  OpenThroughDialog(DataFile("normal.fdt", kNormalFaults));
  window->analysisMenu()->ActionMohr->trigger();
  EXPECT_EQ(window->PlotMode, PlotMode::Mohr);
  window->analysisMenu()->ActionStressInversion->trigger();
  StressWindow* s = window->analysisMenu()->stressWindow();
  ASSERT_NE(s, nullptr);
  const analysis::StressResult inverted = s->result();
  s->givenStress()->setChecked(true);
  ASSERT_TRUE(window->study.givenStress().has_value());
  EXPECT_NEAR(window->study.givenStress()->sigma1.plunge, inverted.axes[0].plunge, 0.005);
  s->givenStress()->setTyped({{0, 90}, {90, 5}, 0.5});
  s->givenStress()->applyButton()->click();
  EXPECT_EQ(s->givenStress()->refusal()->text(),
            "sigma1 and sigma3 are 5.00 degrees off perpendicular (at most 1)");
  s->givenStress()->setTyped({{0, 90}, {90, 0}, 0.5});
  s->givenStress()->applyButton()->click();
  EXPECT_TRUE(
      s->summary()->text().startsWith("Given \u03C31, \u03C33 and \u03A6:   \u03A6 = 0.5000"));
  EXPECT_EQ(CellText(s->table(), 0, 4) + " " + CellText(s->table(), 0, 5), "0.0000 0.8660");
  s->table()->setCurrentIndex(s->table()->model()->index(1, 1));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(2)));
  s->givenStress()->setChecked(false);
  EXPECT_FALSE(window->study.givenStress().has_value());
  EXPECT_EQ(s->result().meanBeta, inverted.meanBeta);
}

// Each method chosen in the window reaches the study, the summary and the
// stress-axes diagram; Iterate is Michael's alone.
TEST_F(WindowTest, StressMethodBoxReachesTheStudyAndTheDiagram) {
  using analysis::StressMethod;
  Show();
  OpenTen();
  window->analysisMenu()->ActionStressAxes->trigger();
  window->analysisMenu()->ActionStressInversion->trigger();
  StressWindow* s = window->analysisMenu()->stressWindow();
  ASSERT_NE(s, nullptr);
  // clang-format off
  const struct { int index; StressMethod method; const char* summaryStart; const char* character; } rows[] = {
      {1, StressMethod::Shan, "Shan et al. (2003):   \u03A6 = ", "(radial compression)   SHmax = 138.18°"},
      {2, StressMethod::Fry, "Fry (1999):   \u03A6 = ", "(radial compression)   SHmax = 142.16°"},
      {3, StressMethod::YamajiSato, "Yamaji and Sato (2006):   \u03A6 = ", "(pure compression)   SHmax = 139.66°"},
      {4, StressMethod::Angelier, "Angelier (1990), S4 minimum:   \u03A6 = ", "(pure strike-slip)   SHmax = 120.75°"},
      {0, StressMethod::Michael, "\u03A6 = 0.3977   1 \u2212 \u03A6 = 0.6023   R\u2032 = 1.6023 ", "(pure strike-slip)   SHmax = 120.74°"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.index);
    s->methodBox()->setCurrentIndex(row.index);
    EXPECT_EQ(window->study.choices().method, row.method);
    EXPECT_TRUE(s->summary()->text().startsWith(row.summaryStart))
        << s->summary()->text().toStdString();
    EXPECT_TRUE(s->summary()->text().contains(row.character));
    EXPECT_EQ(s->iterateBox()->isEnabled(), row.method == StressMethod::Michael);
    analysis::AnalysisChoices choices;
    choices.method = row.method;
    orniva::test::PlotFixture plot;
    plot.target.geometry = window->netGeometry;
    const DiagramFigures figures =
        FiguresFor(PlotMode::StressAxes, window->faultSet, window->netGeometry, choices);
    PlotDiagram(PlotMode::StressAxes, window->faultSet, plot.target, -1, figures.Inputs());
    EXPECT_TRUE(SamePicture(window->plotPicture, plot.picture));
  }
  analysis::AnalysisChoices fry = window->study.choices();
  fry.method = StressMethod::Fry;
  window->document.SetChoices(fry);  // the window follows the document
  EXPECT_EQ(s->methodBox()->currentIndex(), 2);
}

// Theta of the results that solved, more than 10 degrees: Michael's tensor
// against Shan's turned by `theta` in the plane of two orthogonal tensors.
TEST(MethodsWarning, FarthestPairOfTheSolvedBeyondTenDegrees) {
  // clang-format off
  const struct { double theta; bool shanRefused; const char* warning; } rows[] = {
      {9.99, false, ""},
      {10.01, false, "The methods disagree: Michael (1984) and Shan et al. (2003) are 10.01° apart (\u0398)."},
      {30, true, ""},
  };
  // clang-format on
  for (const auto& row : rows) {
    std::array<analysis::StressResult, 5> results;
    for (analysis::StressResult& r : results) r.tensor = {1, 0, 0, -1, 0};
    const double radians = row.theta * 3.14159265358979323846 / 180;
    results[1].tensor = {std::cos(radians), std::sin(radians), 0, -std::cos(radians), 0};
    if (row.shanRefused) results[1].error = "Shan's method needs at least 5 faults; 4 given";
    EXPECT_EQ(MethodsWarning(results), row.warning) << row.theta;
  }
}

// Compare Methods shows one row per method and the farthest pair, follows
// the data, and Ctrl+C in it copies its rows.
TEST_F(WindowTest, CompareMethodsTableAndWarning) {
  Show();
  OpenTen();
  window->analysisMenu()->ActionStressInversion->trigger();
  StressWindow* s = window->analysisMenu()->stressWindow();
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->comparison()->isVisible());
  QPushButton* compare = nullptr;
  for (QPushButton* button : s->findChildren<QPushButton*>())
    if (button->text() == "Com&pare Methods") compare = button;
  ASSERT_NE(compare, nullptr);
  compare->click();
  const MethodComparison* c = s->comparison();
  EXPECT_TRUE(c->isVisible());
  EXPECT_EQ(c->warning()->text(),
            "The methods disagree: Michael (1984) and Fry (1999) are 74.42° apart (\u0398).");
  ASSERT_EQ(c->table()->rowCount(), 5);
  // clang-format off
  const char* const rows[] = {
      "Michael (1984)\t124.51\t20.81\t24.74\t24.05\t0.3977\t1.6023\t40.59\t0.00\t",
      "Shan et al. (2003)\t145.86\t9.92\t40.12\t57.19\t0.7590\t2.7590\t50.53\t56.46\t",
      "Fry (1999)\t142.47\t0.77\t46.05\t83.12\t0.7802\t2.7802\t75.18\t74.42\t",
      "Yamaji and Sato (2006)\t141.58\t3.31\t40.56\t73.17\t0.7178\t2.7178\t72.82\t65.63\t",
      "Angelier (1990), S4 minimum\t123.69\t19.96\t25.40\t21.67\t0.3613\t1.6387\t41.03\t3.34\t",
  };
  // clang-format on
  c->table()->setFocus();
  s->copy();
  const QStringList lines = services.clipboard.split('\n');
  ASSERT_EQ(lines.size(), 7);
  for (int row = 0; row < 5; ++row) EXPECT_EQ(lines[row + 1].toStdString(), rows[row]);
  OpenThroughDialog(DataFile("normal.fdt", kNormalFaults));
  EXPECT_EQ(c->warning()->text(),
            "The methods disagree: Shan et al. (2003) and Angelier (1990), S4 minimum are 20.54° "
            "apart (\u0398).");
}

TEST_F(WindowTest, DensitySubmenuChoosesTheCountingAndTheDiagram) {
  Show();
  OpenTen();
  using analysis::DensityMethod;
  using analysis::DensityOf;
  // clang-format off
  const std::tuple<QAction*, DensityOf, DensityMethod> rows[] = {
      {window->analysisMenu()->ActionDensityT, DensityOf::TAxes, DensityMethod::Kamb},
      {window->analysisMenu()->ActionDensityStriations, DensityOf::Striations, DensityMethod::Kamb},
      {window->analysisMenu()->ActionDensityPoles, DensityOf::Poles, DensityMethod::Kamb},
      {window->analysisMenu()->ActionOnePercent, DensityOf::Poles, DensityMethod::OnePercent},
      {window->analysisMenu()->ActionDensityP, DensityOf::PAxes, DensityMethod::OnePercent},
      {window->analysisMenu()->ActionKamb, DensityOf::PAxes, DensityMethod::Kamb},
  };
  // clang-format on
  for (const auto& [action, of, method] : rows) {
    window->ActionFPS->trigger();
    action->trigger();
    EXPECT_EQ(window->PlotMode, PlotMode::Density) << action->text().toStdString();
    EXPECT_TRUE(window->analysisMenu()->ActionDensity->isChecked());
    EXPECT_EQ(window->study.choices().densityOf, of);
    EXPECT_EQ(window->study.choices().densityMethod, method);
  }
  window->analysisMenu()->ActionOnePercent->trigger();
  window->analysisMenu()->ActionEqualArea->trigger();
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  window->analysisMenu()->ActionRightDihedra->trigger();
  EXPECT_FALSE(window->analysisMenu()->ActionDensity->isChecked());
  window->analysisMenu()->ActionDihedraPlanes->trigger();  // off
  EXPECT_FALSE(window->study.choices().dihedraPlanes);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  window->analysisMenu()->ActionStressAxes->trigger();
  const Picture alone = window->plotPicture;
  window->analysisMenu()->ActionEveryMethod->trigger();  // on: redrawn with every method's axes
  EXPECT_TRUE(window->study.choices().everyMethod);
  EXPECT_FALSE(SamePicture(window->plotPicture, alone));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  // The rose: what it counts and its bins; the hemisphere and the grid.
  window->analysisMenu()->ActionRoseTrends->trigger();
  window->analysisMenu()->RoseBins->actions().back()->trigger();
  window->analysisMenu()->ActionUpperHemisphere->trigger();
  window->analysisMenu()->ActionNetGrid->trigger();
  EXPECT_EQ(window->PlotMode, PlotMode::Rose);
  EXPECT_EQ(window->study.choices().roseOf, analysis::RoseOf::Trend);
  EXPECT_EQ(window->study.choices().roseBin, 30);
  EXPECT_TRUE(window->netGeometry.hemisphere == Hemisphere::Upper && window->netGeometry.grid);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

// Choosing the tendency diagram without magnitudes asks for them, OK only
// for magnitudes it can use; they reach the diagram and the stress window's
// columns, which follow every change.
TEST_F(WindowTest, TendencyMagnitudesReachTheDiagramAndTheStressTable) {
  Show();
  OpenThroughDialog(DataFile("normal.fdt", kNormalFaults));
  window->analysisMenu()->ActionStressInversion->trigger();
  const QTableView* table = window->analysisMenu()->stressWindow()->table();
  EXPECT_EQ(CellText(table, 0, 11), "");
  window->analysisMenu()->ActionDilationTendency->trigger();
  EXPECT_EQ(window->PlotMode, PlotMode::Tendency);
  TendencyDialog* d = window->analysisMenu()->magnitudesDialog();
  ASSERT_TRUE(d && d->isVisible());
  QPushButton* ok = d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  const char* typed[] = {"40", "60", "100", "0"};
  for (int k = 0; k < 4; ++k) d->field(k)->setText(QString::fromLatin1(typed[k]));
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_EQ(d->problem()->text(),
            "The stress magnitudes must be ordered \u03C31 \u2265 \u03C32 \u2265 \u03C33 "
            "(compression positive); 40, 60, 100 given.");
  for (const double pf : {0.0, 10.0}) {
    d->field(0)->setText(QStringLiteral("100"));
    d->field(2)->setText(QStringLiteral("40"));
    d->field(3)->setText(QString::number(pf));
    ok->click();
    const analysis::StressMagnitudes m{100, 60, 40, pf};
    EXPECT_EQ(window->study.choices().tendency.magnitudes, m);
    EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
    const analysis::PlaneTendency t =
        FaultTendencies(window->faultSet, nullptr, window->study.Stress(), m).faults[0].value;
    EXPECT_EQ(CellText(table, 0, 9), QString::fromStdString(analysis::FormatValue(t.ts)));
    EXPECT_EQ(CellText(table, 0, 11), QString::fromStdString(analysis::FormatValue(t.td)));
    window->analysisMenu()->ActionMagnitudes->trigger();
    EXPECT_EQ(d->field(0)->text(), "100");
  }
}

// ---- import ----------------------------------------------------------------------

TEST(ImportDialog, DetectsThenConvertsWithTheChosenColumns) {
  ImportDialog dialog("site;strike;dip;pitch;sense\nA;N30E;45NW;10NE;normal\nB;N30E;95NW;10NE;N\n",
                      QStringLiteral("field.csv"));
  EXPECT_EQ(dialog.delimiter->currentText(), "Semicolon");
  EXPECT_TRUE(dialog.header->isChecked());
  EXPECT_EQ(dialog.preview->rowCount(), 2);
  EXPECT_EQ(dialog.preview->model()->headerData(2, Qt::Horizontal).toString(), "2: strike");
  // As the names say: strike, dip, dip quadrant, pitch, pitch end, sense;
  // the quadrants are written with their numbers here.
  EXPECT_EQ(dialog.plane->currentData().toInt(), int(PlaneConvention::StrikeQuadrant));
  EXPECT_EQ(dialog.line->currentData().toInt(), int(LineConvention::PitchQuadrant));
  ASSERT_EQ(dialog.columns.size(), 6u);
  const int proposed[] = {2, 3, 0, 4, 0, 5};
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(dialog.columns[k]->value(), proposed[k]);
  EXPECT_EQ(dialog.result().data, "300 45 22.892923 7.053022 N\r\n");
  ASSERT_EQ(dialog.converted->rowCount(), 2);
  EXPECT_NE(CellText(dialog.converted, 1, 2).indexOf("95"), -1);  // the bad dip, beside its row
  EXPECT_EQ(dialog.summary->text(), "1 row converted, 1 not.");
  EXPECT_TRUE(dialog.buttons->button(QDialogButtonBox::Ok)->isEnabled());
  dialog.header->setChecked(false);  // the header is now a row that fails
  EXPECT_EQ(dialog.result().failed, 2);
}

// A field app's export: its source proposed from its header, its pair over
// the misfit limit left out until kept, the report copied whole.
TEST(ImportDialog, FieldSourceWithAPairToKeepAndItsReport) {
  const std::string path =
      std::string(ORNIVA_SOURCE_DIR) + "/tests/data/field/strabo_structr_example.txt";
  ImportDialog dialog(orniva::test::ReadFile(path), QStringLiteral("export.txt"), path);
  EXPECT_EQ(dialog.sourceChoice->currentData().toString(), "strabo-tsv");
  EXPECT_FALSE(dialog.plane->isVisibleTo(&dialog));
  ASSERT_EQ(dialog.misfits->rowCount(), 1);
  QPushButton* ok = dialog.buttons->button(QDialogButtonBox::Ok);
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_TRUE(dialog.report->toPlainText().endsWith("0 of 4 rows converted\n"));
  dialog.misfits->item(0, 0)->setCheckState(Qt::Checked);
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_EQ(dialog.imported().data, "213 45 44 10 X\r\n");
  ASSERT_EQ(dialog.imported().attributes.size(), 1u);
  EXPECT_EQ(dialog.imported().attributes[0].line, 1);
  EXPECT_EQ(dialog.imported().attributes[0].longitude, -52.680214467015);
  EXPECT_EQ(CellText(dialog.converted, 0, 0), "1");
  const QString report = dialog.report->toPlainText();
  EXPECT_NE(report.indexOf("kept as measured"), -1) << report.toStdString();
  EXPECT_TRUE(report.endsWith("2 of 4 rows converted\n"));
  dialog.misfitLimit->setValue(90);  // the pair within the limit now, the choice kept
  EXPECT_EQ(dialog.misfits->rowCount(), 0);
  EXPECT_EQ(dialog.imported().data, "213 45 44 10 X\r\n");
  dialog.copyReport->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), dialog.report->toPlainText());
  dialog.sourceChoice->setCurrentIndex(0);  // the plain table: the rows that fail, each named
  EXPECT_TRUE(dialog.imported().attributes.empty());
  EXPECT_NE(dialog.report->toPlainText().indexOf("line 2: "), -1);
}

// What the source recorded of each line is written beside the imported data
// and read with them.
TEST_F(WindowTest, ImportedAttributesKeptInTheCurationFile) {
  services.importAnswers = {DataFile("spots.txt", "x\n")};
  LineAttributes spot;
  spot.line = 2;
  spot.site = "Spot 7";
  services.importData = ImportedData{"90 45 90 45 N\r\n10 20 30 15 N\r\n", {spot}};
  services.dataFileAnswers = {Q(work.File("spots.fdt"))};
  window->importCommands()->ActionImport->trigger();
  ASSERT_EQ(window->study.curation().attributes.size(), 3u);
  EXPECT_EQ(window->study.curation().attributes[2].site, "Spot 7");
  EXPECT_EQ(window->document.verdict().kind, document::CurationVerdict::Kind::Applied);
}

TEST_F(WindowTest, ImportAndPasteSaveThenLoadTheData) {
  services.importAnswers = {DataFile("field.csv", "90,45,90,45,N\n")};
  services.importData = ImportedData{"90 45 90 45 N\r\n", {}};
  services.dataFileAnswers = {Q(work.File("field.fdt"))};
  window->importCommands()->ActionImport->trigger();
  EXPECT_EQ(services.importedTexts, std::vector<std::string>{"90,45,90,45,N\n"});
  EXPECT_EQ(orniva::test::ReadFile(work.File("field.fdt")), "90 45 90 45 N\r\n");
  EXPECT_EQ(window->faultSet.count(), 1);
  EXPECT_EQ(window->windowTitle(), "Orniva  [ field.fdt ]");

  services.clipboard = QStringLiteral("  ");
  window->importCommands()->ActionPasteData->trigger();
  EXPECT_EQ(services.messages, std::vector<std::string>{"The clipboard holds no text to import."});
  services.clipboard = QStringLiteral("1\t2");
  services.importData = std::nullopt;  // the dialog cancelled: nothing saved
  window->importCommands()->ActionPasteData->trigger();

  services.importAnswers = {Q(work.path())};  // a folder
  window->importCommands()->ActionImport->trigger();
  ASSERT_EQ(services.errors.size(), 1u);
  EXPECT_NE(std::string(services.errors[0].what()).find("not a regular file"), std::string::npos);
  EXPECT_EQ(services.importedTexts, (std::vector<std::string>{"90,45,90,45,N\n", "1\t2"}));
}

// Each results window has a Help button (and F1) that opens the manual's
// page of what it shows.
TEST_F(WindowTest, EachResultsWindowHasItsManualPage) {
  OpenTen();
  window->analysisMenu()->ActionKinematics->trigger();
  window->analysisMenu()->ActionStressInversion->trigger();
  window->analysisMenu()->ShowSeparation();
  window->curationCommands()->ShowTable();
  const std::pair<QWidget*, const char*> rows[] = {
      {window->analysisMenu()->kinematicsWindow(), "kinematics.html"},
      {window->analysisMenu()->stressWindow(), "stress-inversion.html"},
      {window->analysisMenu()->separationWindow(), "separation.html"},
      {window->curationCommands()->table(), "curation.html"},
  };
  for (const auto& [shown, page] : rows) {
    ASSERT_NE(shown, nullptr) << page;
    EXPECT_EQ(ManualPageOf(shown), page);
    EXPECT_NE(shown->findChild<QPushButton*>(QStringLiteral("HelpButton")), nullptr) << page;
  }
}

}  // namespace
}  // namespace orniva::ui::test
