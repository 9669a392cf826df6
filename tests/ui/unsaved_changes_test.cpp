// What becomes of unsaved changes when another file comes in (opened,
// dropped, imported, or the turned data opened in the main window): the
// question names the file that has the changes, Save writes that file and
// nothing else, Cancel keeps everything; and every window's title follows
// Save As, which writes the data there too.
#include <QLabel>
#include <QLineEdit>

#include <clocale>
#include <cstdio>

#include "analysis/rotation.h"
#include "data/curation.h"
#include "data/data_file_text.h"
#include "tests/ui/ui_test_support.h"
#include "ui/results/geometry_tools.h"
#include "ui/results/kinematics_window.h"
#include "ui/results/row_filter.h"
#include "ui/results/rotated_data_window.h"
#include "ui/results/separation_window.h"
#include "ui/results/stress_window.h"

namespace orniva::ui::test {
namespace {

using Answer = WindowServices::SaveAnswer;

// The curation that the curation file beside the data file at `path` holds.
Curation OpenDataFileCuration(const std::string& path) {
  return document::OpenDataFile(path).curation.curation.ToFile();
}

// a.fdt open with line 1 switched off, not saved; b.fdt beside i
class UnsavedChangesTest : public WindowTest {
 protected:
  void SetUp() override {
    a = work.File("a.fdt");
    b = work.File("b.fdt");
    OpenThroughDialog(DataFile("a.fdt", kTenData));
    window->document.Do(document::Edit::Switch({1}, true), "off");
  }
  bool Exists(const std::string& path) const { return QFileInfo::exists(Q(path)); }

  std::string a, b;
};

struct Arrival {
  const char* name;
  std::function<void()> bringIn;  // b.fdt, in its own way
  std::string bBytes;             // b.fdt as it comes in
};

TEST_F(UnsavedChangesTest, TheFileWithTheChangesIsAskedAboutAndSaved) {
  const std::string other = "10 20 30 15 N\n40 50 60 30 R\n";
  const std::string turned = DataFileText(LinesOf(kTenData), [] {
    return analysis::RotateData(orniva::test::DataFromLines(LinesOf(kTenData)),
                                analysis::RotationMatrix({}, 90));
  }());
  // clang-format off
  const Arrival arrivals[] = {
      {"open", [this] { OpenThroughDialog(Q(b)); }, other},
      {"drop", [this] { window->FilesDropped({Q(b)}); }, other},
      {"import", [&, this] {
         services.importAnswers = {DataFile("table.csv", "10,20,30,15,N\n")};
         services.importData = ImportedData{other, {}};
         services.dataFileAnswers = {Q(b)};
         window->importCommands()->ActionImport->trigger();
       }, other},
      {"open in main window", [this] {
         RotationChoice choice{analysis::RotationMatrix({}, 90), {}, "turned", "-turned"};
         RotatedDataWindow* turnedWindow = window->analysisMenu()->geometryTools()->ShowRotated(choice);
         ASSERT_TRUE(turnedWindow->saveTo(Q(b)));
         turnedWindow->openSaved();
         turnedWindow->close();
       }, turned},
  };
  // clang-format on
  const struct {
    Answer answer;
    bool aSaved, bOpen;
  } answers[] = {
      {Answer::Save, true, true}, {Answer::Discard, false, true}, {Answer::Cancel, false, false}};
  for (const Arrival& arrival : arrivals)
    for (const auto& row : answers) {
      SCOPED_TRACE(std::string(arrival.name) + " " + std::to_string(int(row.answer)));
      std::remove(CurationPathFor(a).c_str());
      SetUp();  // again, from a fresh a.fdt
      if (std::string(arrival.name) == "open" || std::string(arrival.name) == "drop")
        orniva::test::WriteFile(b, other);
      else
        std::remove(b.c_str());
      services.asked.clear();
      services.saveAnswer = row.answer;
      arrival.bringIn();
      EXPECT_EQ(services.asked, std::vector<std::string>{"a.fdt"});
      EXPECT_EQ(orniva::test::ReadFile(a), kTenData);  // the data never written over
      EXPECT_EQ(Exists(CurationPathFor(a)), row.aSaved);
      if (row.aSaved) {
        EXPECT_EQ(OpenDataFileCuration(a).off, (std::vector<int>{1}));
      }
      EXPECT_FALSE(Exists(CurationPathFor(b)));  // never a curation of a for b
      if (Exists(b)) {
        EXPECT_EQ(orniva::test::ReadFile(b), arrival.bBytes);
      }
      EXPECT_EQ(window->windowTitle(), row.bOpen ? "Orniva  [ b.fdt ]" : "Orniva  [ a.fdt ] *");
    }
}

TEST_F(UnsavedChangesTest, SaveAsWritesTheDataThereAndEveryTitleFollows) {
  window->analysisMenu()->ActionKinematics->trigger();
  window->analysisMenu()->ActionStressInversion->trigger();
  window->analysisMenu()->ActionSeparation->trigger();
  window->curationCommands()->ShowTable();
  const std::string c = work.File("c.fdt");
  services.dataFileAnswers = {Q(c)};
  ASSERT_TRUE(window->curationCommands()->SaveAs());
  EXPECT_EQ(services.dataFileDialogs.back(), std::make_pair(QStringLiteral("Save Data As"), Q(a)));
  EXPECT_EQ(orniva::test::ReadFile(c), kTenData);  // the data, byte for byte, and their curation
  EXPECT_EQ(OpenDataFileCuration(c).off, (std::vector<int>{1}));
  EXPECT_FALSE(Exists(CurationPathFor(a)));
  EXPECT_EQ(window->windowTitle(), "Orniva  [ c.fdt ]");
  AnalysisMenu* menu = window->analysisMenu();
  const std::pair<QWidget*, const char*> titles[] = {
      {menu->kinematicsWindow(), "Kinematics  [ c.fdt ]"},
      {menu->stressWindow(), "Stress Inversion  [ c.fdt ]"},
      {menu->separationWindow(), "Separate Phases  [ c.fdt ]"},
      {window->curationCommands()->table(), "Data Table  [ c.fdt ]"}};
  for (const auto& [shown, title] : titles) EXPECT_EQ(shown->windowTitle().toStdString(), title);
  window->document.Do(document::Edit::Switch({2}, true), "off");
  ASSERT_TRUE(window->curationCommands()->Save());  // to c.fdt, the file now open
  EXPECT_EQ(OpenDataFileCuration(c).off, (std::vector<int>{1, 2}));
  EXPECT_FALSE(Exists(CurationPathFor(a)));
}

// The filter reads "30.5" with the period whatever the user's locale (the
// table shows 30.50 so).
TEST(RowFilter, NumbersAreReadWithThePeriod) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // a locale of decimal commas, where there is one
  RowValues row;
  row.beta = 30.75;
  const struct {
    const char* text;
    bool accepts;
  } rows[] = {{"beta > 30.5", true},
              {"beta > 30.8", false},
              {"beta <= +30.75", true},
              {"beta > 3e1", true}};
  for (const auto& r : rows) {
    std::string error;
    const std::optional<RowFilter> filter = RowFilter::Parse(r.text, error);
    ASSERT_TRUE(filter) << r.text << ": " << error;
    EXPECT_EQ(filter->Accepts(row), r.accepts) << r.text;
  }
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace orniva::ui::test
