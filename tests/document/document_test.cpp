// The open document: each edit and its inverse, the undo history across a
// save, the save plan (Save As with unchanged data included), and what the
// listeners are told: each change once, with what changed, never half made.
#include "document/document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/curation.h"
#include "tests/support/test_support.h"

namespace orniva::document {
namespace {

using analysis::CurationState;
using analysis::PhaseInfo;
using orniva::test::ReadFile;
using orniva::test::TempDir;
using orniva::test::WriteFile;

const std::vector<std::string> kLines = {"90 45 90 45 N", "270 60 270 60 N", "0 50 0 50 R",
                                         "180 70 180 70 N", "45 30 45 30 R"};
const PhaseInfo kA{"A", "#1b9e77"}, kB{"B", "#d95f02"}, kC{"C", "#7570b3"};

std::string Text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// A document of kLines (LF after each) opened from `dir`, in phases A (1,
// 2), B (3) and C (5), line 4 switched off.
class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir.File("d.fdt"), Text(kLines));
    document.Adopt(OpenDataFile(dir.File("d.fdt")));
    Edit curated{EditSteps{{Edit::NewPhase(kA, 0, {1, 2}), Edit::NewPhase(kB, 1, {3}),
                            Edit::NewPhase(kC, 2, {5}), Edit::Switch({4}, true)}}};
    ASSERT_TRUE(document.Do(curated, "curated"));
  }
  const analysis::Study& study() const { return document.study(); }

  TempDir dir;
  Document document;
};

struct EditCase {
  const char* name;
  Edit edit;
  std::vector<std::string> lines;  // after the edit
  std::vector<bool> off;
  std::vector<int> phase;
  std::vector<std::string> phases;  // names, in order
};

TEST_F(DocumentTest, EachEditAndItsInverse) {
  const std::vector<bool> off = {false, false, false, false, true, false};
  const std::vector<int> phase = {0, 1, 1, 2, 0, 3};
  // clang-format off
  const EditCase cases[] = {
      {"edit a line", Edit::LineText(2, "271 61 271 61 N"), {kLines[0], "271 61 271 61 N", kLines[2], kLines[3], kLines[4]}, off, phase, {"A", "B", "C"}},
      {"insert three, each in its order", Edit::Insert(2, {"1 1 1 1 N", "2 2 2 2 N", "3 3 3 3 N"}),
       {kLines[0], "1 1 1 1 N", "2 2 2 2 N", "3 3 3 3 N", kLines[1], kLines[2], kLines[3], kLines[4]},
       {false, false, false, false, false, false, false, true, false}, {0, 1, 0, 0, 0, 1, 2, 0, 3}, {"A", "B", "C"}},
      {"insert after the last", Edit::Insert(6, {"1 1 1 1 N"}), {kLines[0], kLines[1], kLines[2], kLines[3], kLines[4], "1 1 1 1 N"},
       {false, false, false, false, true, false, false}, {0, 1, 1, 2, 0, 3, 0}, {"A", "B", "C"}},
      {"delete", Edit::Remove({1, 4}), {kLines[1], kLines[2], kLines[4]}, {false, false, false, false}, {0, 1, 2, 3}, {"A", "B", "C"}},
      {"off", Edit::Switch({1, 2}, true), kLines, {false, true, true, false, true, false}, phase, {"A", "B", "C"}},
      {"on", Edit::Switch({4}, false), kLines, {false, false, false, false, false, false}, phase, {"A", "B", "C"}},
      {"into a phase", Edit::PutInPhase({3, 4}, 1), kLines, off, {0, 1, 1, 1, 1, 3}, {"A", "B", "C"}},
      {"out of its phase", Edit::PutInPhase({1}, 0), kLines, off, {0, 0, 1, 2, 0, 3}, {"A", "B", "C"}},
      {"new phase", Edit::NewPhase({"D", "#e7298a"}, 3, {4}), kLines, off, {0, 1, 1, 2, 4, 3}, {"A", "B", "C", "D"}},
      {"rename", Edit{SetPhaseInfo{2, {"Late", kB.colour}}}, kLines, off, phase, {"A", "Late", "C"}},
      {"delete the first phase", Edit{RemovePhase{1}}, kLines, off, {0, 0, 0, 1, 0, 2}, {"B", "C"}},
      {"delete a middle phase", Edit{RemovePhase{2}}, kLines, off, {0, 1, 1, 0, 0, 2}, {"A", "C"}},
      {"delete the last phase", Edit{RemovePhase{3}}, kLines, off, {0, 1, 1, 2, 0, 0}, {"A", "B"}},
  };
  // clang-format on
  const CurationState before = study().curation();
  const FaultSet data = study().data();
  for (const EditCase& row : cases) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(document.Do(row.edit, row.name));
    EXPECT_EQ(study().lines(), row.lines);
    EXPECT_EQ(study().curation().off, row.off);
    EXPECT_EQ(study().curation().phase, row.phase);
    std::vector<std::string> names;
    for (const PhaseInfo& info : study().curation().phases) names.push_back(info.name);
    EXPECT_EQ(names, row.phases);
    EXPECT_EQ(study().data().count(), int(row.lines.size()));
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(study().lines(), kLines);
    EXPECT_EQ(study().curation(), before);  // names and colours with their data
    for (int i = 1; i <= data.count(); ++i)
      EXPECT_EQ(study().data()[std::size_t(i)].faz, data[std::size_t(i)].faz);
    ASSERT_TRUE(document.Redo());
    EXPECT_EQ(study().curation().phase, row.phase);
    ASSERT_TRUE(document.Undo());
  }
}

TEST_F(DocumentTest, RefusedAndEmptyEditsLeaveNoStep) {
  const std::size_t steps = document.history().size();
  EXPECT_FALSE(document.Do(Edit::Insert(1, std::vector<std::string>(32760, "1 2 3 4 N")), "many"));
  EXPECT_TRUE(document.Do(Edit::Switch({4}, true), "already off"));
  EXPECT_TRUE(document.Do(Edit::Switch({99}, true), "no such line"));
  EXPECT_EQ(document.history().size(), steps);
  EXPECT_EQ(study().data().count(), 5);
}

TEST_F(DocumentTest, UndoAndRedoAcrossASave) {
  document.Save(document.PlanSave(document.fileName()));
  EXPECT_FALSE(document.modified());
  document.Do(Edit::Switch({1}, true), "off");
  EXPECT_TRUE(document.modified());
  document.Undo();
  EXPECT_FALSE(document.modified());
  document.Undo();  // before the save
  EXPECT_TRUE(document.modified());
  document.Redo();
  EXPECT_FALSE(document.modified());
  document.Undo();
  document.Do(Edit::Switch({2}, true), "another branch");  // the saved state cannot come back
  document.Undo();
  EXPECT_TRUE(document.modified());
}

TEST_F(DocumentTest, SavePlans) {
  const std::string saved = dir.File("new.fdt"), curation = CurationPathFor(saved);
  const struct {
    const char* name;
    std::function<void()> before;
    std::vector<std::string> written;
    std::string dataBytes;  // of the data file after the save
  } rows[] = {
      {"saved as, unchanged: the bytes as read", [] {}, {saved, curation}, Text(kLines)},
      {"curation only", [] {}, {curation}, Text(kLines)},
      {"edited line",
       [&] { document.Do(Edit::LineText(1, "91 45 91 45 N"), "edit"); },
       {saved, curation},
       "91 45 91 45 N\r\n270 60 270 60 N\r\n0 50 0 50 R\r\n180 70 180 70 N\r\n45 30 45 30 R\r\n"},
      {"edit undone", [&] { document.Undo(); }, {saved, curation}, LinesText(kLines)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.before();
    const SavePlan plan = document.PlanSave(saved);
    std::vector<std::string> written;
    for (const SavePlan::File& file : plan.files) written.push_back(file.path);
    EXPECT_EQ(written, row.written);
    document.Save(plan);
    EXPECT_EQ(document.fileName(), saved);
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(ReadFile(saved), row.dataBytes);
    const Opening again = OpenDataFile(saved);  // the curation is for these bytes
    EXPECT_EQ(again.curation.kind, CurationVerdict::Kind::Applied);
    EXPECT_EQ(again.curation.curation, study().curation());
  }
  EXPECT_EQ(ReadFile(dir.File("d.fdt")), Text(kLines));  // the file opened is left as it was
}

// Each listener is told each change once, with what changed (and the
// lines, when only some lines' curation changed); a change that changes
// nothing is not told.
TEST_F(DocumentTest, EachChangeToldOnceWithWhatChanged) {
  using Told = std::pair<unsigned, std::optional<std::vector<int>>>;
  std::vector<Told> told;
  const int key =
      document.AddListener([&](const Notice& n) { told.emplace_back(n.changes, n.curationLines); });
  analysis::AnalysisChoices density = study().choices();
  density.densityOf = analysis::DensityOf::TAxes;
  analysis::AnalysisChoices method = density;
  method.method = analysis::StressMethod::Shan;
  const unsigned curation = kCurationChanged | kInversionChanged;
  const std::vector<int> one = {1}, two = {1, 3};
  const struct {
    const char* name;
    std::function<void()> change;
    std::vector<Told> told;
  } rows[] = {
      {"saved",
       [&] { document.Save(document.PlanSave(document.fileName())); },
       {{kSavedStateChanged, {}}}},
      {"off",
       [&] { document.Do(Edit::Switch({1}, true), ""); },
       {{curation | kSavedStateChanged, one}}},
      {"on again", [&] { document.Do(Edit::Switch({1}, false), ""); }, {{curation, one}}},
      {"nothing", [&] { document.Do(Edit::Switch({1}, false), ""); }, {}},
      {"put in a phase",
       [&] {
         document.Do(Edit::PutInPhase({3, 1}, 1), "");
       },
       {{curation, two}}},
      {"its undo", [&] { document.Undo(); }, {{curation, two}}},
      {"line",
       [&] { document.Do(Edit::LineText(2, "1 2 3 4 N"), ""); },
       {{kLinesEdited | kInversionChanged, {}}}},
      {"undone", [&] { document.Undo(); }, {{kLinesEdited | kInversionChanged, {}}}},
      {"scope", [&] { document.SetScope(2); }, {{kScopeChanged | kInversionChanged, {}}}},
      {"phase of the scope deleted",
       [&] { document.Do(Edit{RemovePhase{2}}, ""); },
       {{curation | kScopeChanged, {}}}},
      {"density", [&] { document.SetChoices(density); }, {{kChoicesChanged, {}}}},
      {"method", [&] { document.SetChoices(method); }, {{kChoicesChanged | kInversionChanged, {}}}},
      {"the same", [&] { document.SetChoices(method); }, {}},
      {"saved as",
       [&] { document.Save(document.PlanSave(dir.File("other.fdt"))); },
       {{kFileNameChanged | kSavedStateChanged, {}}}},
  };
  for (const auto& row : rows) {
    told.clear();
    row.change();
    EXPECT_EQ(told, row.told) << row.name;
  }
  document.RemoveListener(key);
}

// A listener sees an opened file whole: its name, data and curation
// together; the change is told once, to a listener removed by another not
// at all.
TEST_F(DocumentTest, AnOpenedFileIsSeenWhole) {
  Curation curation;
  curation.off = {1};
  const std::string other = "10 20 30 15 N\n";
  WriteFile(dir.File("e.fdt"), other);
  WriteFile(CurationPathFor(dir.File("e.fdt")),
            CurationText(curation, "e.fdt", 1, Sha256Hex(other)));
  int seen = 0, second = -1, removedTold = 0;
  document.AddListener([&](const Notice& notice) {
    ++seen;
    const unsigned whole = kDataReplaced | kFileNameChanged | kSavedStateChanged;
    EXPECT_EQ(notice.changes & whole, whole);
    EXPECT_EQ(document.fileName(), dir.File("e.fdt"));
    EXPECT_EQ(study().data().count(), 1);
    EXPECT_EQ(study().curation().count(), 1);
    EXPECT_TRUE(study().curation().off[1]);
    EXPECT_FALSE(document.modified());
    document.RemoveListener(second);
  });
  second = document.AddListener([&](const Notice&) { ++removedTold; });
  document.Adopt(OpenDataFile(dir.File("e.fdt")));
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(removedTold, 0);
}

// Each line's site, position and notes go with their line through every
// edit of the lines and back with undo, and a save writes them to the
// curation file, read back as they were. Lines 2 and 4 have attributes.
TEST(DocumentAttributes, KeptWithTheirLinesThroughEditsUndoAndSave) {
  TempDir dir;
  const std::string data = dir.File("f.fdt"), text = Text(kLines);
  Curation file;
  file.attributes.resize(2);
  file.attributes[0].line = 2;
  file.attributes[0].site = "S2";
  file.attributes[0].longitude = -52.5;
  file.attributes[0].notes = "steps";
  file.attributes[1].line = 4;
  file.attributes[1].site = "S4";
  WriteFile(data, text);
  WriteFile(CurationPathFor(data), CurationText(file, "f.fdt", 5, Sha256Hex(text)));
  Document document;
  document.Adopt(OpenDataFile(data));
  const std::vector<std::string> before = {"", "S2", "", "S4", ""};
  // clang-format off
  const struct {
    const char* name;
    Edit edit;
    std::vector<std::string> sites;  // by line, after the edit
  } rows[] = {
      {"edit of a line's text", Edit::LineText(2, "271 61 271 61 N"), before},
      {"insertion before line 2", Edit::Insert(2, {""}), {"", "", "S2", "", "S4", ""}},
      {"paste of two rows before line 4", Edit::Insert(4, {"1 1 1 1 N", "2 2 2 2 N"}), {"", "S2", "", "", "", "S4", ""}},
      {"paste after the last", Edit::Insert(6, {"1 1 1 1 N"}), {"", "S2", "", "S4", "", ""}},
      {"deletion of line 2", Edit::Remove({2}), {"", "", "S4", ""}},
      {"deletion of lines 1, 3 and 5", Edit::Remove({1, 3, 5}), {"S2", "S4"}},
      {"a line switched off", Edit::Switch({2}, true), before},
      {"steps", Edit{EditSteps{{Edit::Remove({1}), Edit::Insert(4, {"3 3 3 3 N"})}}}, {"S2", "", "S4", "", ""}},
  };
  // clang-format on
  const auto sites = [](const analysis::Study& study) {
    std::vector<std::string> all;
    const auto& attributes = study.curation().attributes;
    for (int line = 1; line <= study.data().count(); ++line)
      all.push_back(std::size_t(line) < attributes.size() ? attributes[std::size_t(line)].site
                                                          : "");
    return all;
  };
  const analysis::CurationState opened = document.study().curation();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(document.Do(row.edit, row.name));
    EXPECT_EQ(sites(document.study()), row.sites);
    const std::string saved = dir.File("saved.fdt");
    document.Save(document.PlanSave(saved));
    Document reloaded;
    reloaded.Adopt(OpenDataFile(saved));
    EXPECT_EQ(reloaded.study().curation().ToFile(), document.study().curation().ToFile());
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.study().curation().ToFile(), opened.ToFile());
    ASSERT_TRUE(document.Redo());
    EXPECT_EQ(sites(document.study()), row.sites);
    ASSERT_TRUE(document.Undo());
  }
  const LineAttributes& second = document.study().curation().attributes[2];
  EXPECT_EQ(second.longitude, -52.5);
  EXPECT_EQ(second.notes, "steps");
}

}  // namespace
}  // namespace orniva::document
