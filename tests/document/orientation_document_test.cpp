// The open orientation table: its sets from the set column, each edit and
// its inverse, values checked as the reader checks them, the unsaved state
// across a save, the save round trip, and a curation file made for other
// data.
#include "document/orientation_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/curation.h"
#include "tests/support/test_support.h"

namespace orniva::document {
namespace {

using analysis::PhaseInfo;
using orniva::test::ReadFile;
using orniva::test::TempDir;
using orniva::test::WriteFile;
using Column = OrientationColumn;

// Rows 1-5: sets J1, J1, S0, none, J2; a bad row (line 5) left out.
const char kTable[] =
    "kind,azimuth,angle,set,label\n"
    "plane,10,20,J1,a\n"
    "plane,30,40,J1,b\n"
    "line,50,60,S0,c\n"
    "plane,70,95,S0,bad\n"
    "line,90,10,,d\n"
    "plane,110,30,J2,e\n";

class OrientationDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(path, kTable);
    Open();
  }
  void Open(bool applyOtherData = false) {
    OrientationOpening opening = OpenOrientationTable(path);
    ASSERT_FALSE(opening.error);
    document.Adopt(std::move(opening), applyOtherData);
  }
  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (const OrientationRecord& r : document.records()) labels.push_back(r.label);
    return labels;
  }
  std::vector<std::string> SetNames() const {
    std::vector<std::string> names;
    for (const PhaseInfo& info : document.curation().phases) names.push_back(info.name);
    return names;
  }

  TempDir dir;
  std::string path = dir.File("joints.orient.csv");
  OrientationDocument document;
};

TEST_F(OrientationDocumentTest, SetsStartFromTheSetColumnInOrderOfFirstAppearance) {
  EXPECT_EQ(SetNames(), (std::vector<std::string>{"J1", "S0", "J2"}));
  EXPECT_EQ(document.curation().phase, (std::vector<int>{0, 1, 1, 2, 0, 3}));
  EXPECT_EQ(document.curation().phases[0].colour, "#1b9e77");
  EXPECT_NE(document.curation().phases[1].colour, document.curation().phases[0].colour);
  EXPECT_EQ(document.leftOutRows(), 1u);
  EXPECT_FALSE(document.modified());
}

struct EditCase {
  const char* name;
  OrientationEdit edit;
  std::vector<std::string> labels;  // after the edit
  std::vector<bool> off;
  std::vector<int> set;
  std::vector<std::string> sets;
};

TEST_F(OrientationDocumentTest, EachEditAndItsInverse) {
  OrientationRecord added;
  added.label = "new";
  const std::vector<std::string> labels = {"a", "b", "c", "d", "e"};
  const std::vector<bool> on(6, false);
  const std::vector<int> set = {0, 1, 1, 2, 0, 3};
  const std::vector<std::string> sets = {"J1", "S0", "J2"};
  // clang-format off
  const EditCase cases[] = {
      {"off", OrientationEdit::Switch({2, 4}, true), labels, {false, false, true, false, true, false}, set, sets},
      {"into a set", OrientationEdit::PutInSet({4, 5}, 2), labels, on, {0, 1, 1, 2, 2, 2}, sets},
      {"out of its set", OrientationEdit::PutInSet({1}, 0), labels, on, {0, 0, 1, 2, 0, 3}, sets},
      {"new set", OrientationEdit::NewSet({"F", "#e7298a"}, 3, {1, 4}), labels, on, {0, 4, 1, 2, 4, 3}, {"J1", "S0", "J2", "F"}},
      {"rename", OrientationEdit::SetInfo(2, {"Bedding", "#000000"}), labels, on, set, {"J1", "Bedding", "J2"}},
      {"delete the first set", OrientationEdit::DeleteSet(1), labels, on, {0, 0, 0, 1, 0, 2}, {"S0", "J2"}},
      {"delete a middle set", OrientationEdit::DeleteSet(2), labels, on, {0, 1, 1, 0, 0, 2}, {"J1", "J2"}},
      {"values", OrientationEdit::Values(3, added), {"a", "b", "new", "d", "e"}, on, set, sets},
      {"insert two", OrientationEdit::Insert(2, {added, added}, 3), {"a", "new", "new", "b", "c", "d", "e"},
       std::vector<bool>(8, false), {0, 1, 3, 3, 1, 2, 0, 3}, sets},
      {"insert after the last", OrientationEdit::Insert(6, {added}), {"a", "b", "c", "d", "e", "new"},
       std::vector<bool>(7, false), {0, 1, 1, 2, 0, 3, 0}, sets},
      {"delete rows", OrientationEdit::Remove({3, 1}), {"b", "d", "e"}, {false, false, false, false}, {0, 1, 0, 3}, sets},
  };
  // clang-format on
  ASSERT_TRUE(document.Do(OrientationEdit::Switch({4}, true), "off"));
  ASSERT_TRUE(document.Do(OrientationEdit::Switch({4}, false), "on"));
  const analysis::CurationState before = document.curation();
  for (const EditCase& row : cases) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(document.Do(row.edit, row.name));
    EXPECT_EQ(Labels(), row.labels);
    EXPECT_EQ(document.curation().off, row.off);
    EXPECT_EQ(document.curation().phase, row.set);
    EXPECT_EQ(SetNames(), row.sets);
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(Labels(), labels);
    EXPECT_EQ(document.curation(), before);  // later sets keep their rows, names and colours
    ASSERT_TRUE(document.Redo());
    EXPECT_EQ(document.curation().phase, row.set);
    ASSERT_TRUE(document.Undo());
  }
}

TEST_F(OrientationDocumentTest, ValuesAreCheckedAsTheReaderChecksThem) {
  const struct {
    int row;
    Column column;
    const char* text;
    const char* refusal;  // part of it; empty: taken
  } cases[] = {
      {1, Column::Angle, "95", "angle: '95' is not a number from 0 to 90"},
      {1, Column::Azimuth, "north", "is not a number from 0 to 360"},
      {1, Column::Kind, "fold", "neither plane nor line"},
      {1, Column::Lon, "12", "lat"},
      {1, Column::Angle, "45.5", ""},
      {2, Column::Kind, "LINE", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::size_t steps = document.history().size();
    const std::string refusal = document.EditValue(c.row, c.column, c.text);
    if (*c.refusal) {
      EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
      EXPECT_EQ(document.history().size(), steps);
    } else {
      EXPECT_EQ(refusal, "");
      EXPECT_EQ(document.history().size(), steps + 1);
    }
  }
  EXPECT_EQ(document.records()[0].angle, 45.5f);
  EXPECT_EQ(document.records()[1].kind, OrientationKind::Line);
  EXPECT_EQ(document.EditValue(1, Column::Angle, "45.5"), "");  // the same value: no step
  EXPECT_EQ(document.history().size(), 2u);
}

TEST_F(OrientationDocumentTest, TheSetColumnPutsARowInTheSetOfThatName) {
  document.EditValue(4, Column::Set, "J2");
  EXPECT_EQ(document.setName(4), "J2");
  document.EditValue(4, Column::Set, "Late");
  EXPECT_EQ(SetNames(), (std::vector<std::string>{"J1", "S0", "J2", "Late"}));
  EXPECT_EQ(document.setName(4), "Late");
  document.EditValue(1, Column::Set, "");
  EXPECT_EQ(document.setName(1), "");
  document.Undo();
  document.Undo();
  EXPECT_EQ(SetNames().size(), 3u);
}

TEST_F(OrientationDocumentTest, ListenersAreToldWhatChangedOnce) {
  std::vector<unsigned> told;
  document.AddListener([&](const Notice& n) { told.push_back(n.changes); });
  document.Do(OrientationEdit::Switch({1}, true), "off");
  document.EditValue(2, Column::Angle, "41");
  document.Do(OrientationEdit::Switch({1}, true), "already off");
  EXPECT_EQ(told, (std::vector<unsigned>{kCurationChanged | kSavedStateChanged, kLinesEdited}));
}

TEST_F(OrientationDocumentTest, SavingUnchangedRowsKeepsTheTableAsRead) {
  const SavePlan plan = document.PlanSave(path);
  EXPECT_FALSE(OrientationDocument::WritesTable(plan));
  document.Save(plan);
  EXPECT_EQ(ReadFile(path), kTable);  // the bad row too
  EXPECT_TRUE(ReadFile(CurationPathFor(path)).find("\"J2\"") != std::string::npos);
  Open();
  EXPECT_EQ(document.verdict().kind, CurationVerdict::Kind::Applied);
}

TEST_F(OrientationDocumentTest, SaveRoundTripKeepsTheRowsAndTheCuration) {
  document.Do(OrientationEdit::Switch({2}, true), "off");
  document.Do(OrientationEdit::SetInfo(1, {"Joints", "#123456"}), "rename");
  document.EditValue(5, Column::Notes, "a \"quoted\", note");
  document.Do(OrientationEdit::Remove({3}), "delete");
  const std::vector<OrientationRecord> records = document.records();
  const analysis::CurationState curation = document.curation();
  EXPECT_TRUE(document.modified());
  document.Save(document.PlanSave(path));
  EXPECT_FALSE(document.modified());
  document.Undo();
  EXPECT_TRUE(document.modified());
  document.Redo();
  EXPECT_FALSE(document.modified());
  Open();
  EXPECT_EQ(document.verdict().kind, CurationVerdict::Kind::Applied);
  EXPECT_EQ(document.curation(), curation);
  ASSERT_EQ(document.records().size(), records.size());
  for (std::size_t k = 0; k < records.size(); ++k) {
    EXPECT_EQ(document.records()[k].azimuth, records[k].azimuth);
    EXPECT_EQ(document.records()[k].notes, records[k].notes);
    EXPECT_EQ(document.records()[k].set, document.setName(int(k) + 1));  // the column follows
  }
  EXPECT_EQ(ReadFile(path).substr(0, 26), "kind,azimuth,angle,set,lab");  // columns kept
}

TEST_F(OrientationDocumentTest, ACurationFileForOtherDataIsNotAppliedUnasked) {
  document.Do(OrientationEdit::Switch({1}, true), "off");
  document.Save(document.PlanSave(path));
  WriteFile(path, std::string(kTable) + "line,1,2,J1,f\n");
  Open();
  EXPECT_EQ(document.verdict().kind, CurationVerdict::Kind::OtherData);
  EXPECT_TRUE(document.inUse(1));
  EXPECT_EQ(SetNames(), (std::vector<std::string>{"J1", "S0", "J2"}));
  Open(true);
  EXPECT_FALSE(document.inUse(1));
  WriteFile(CurationPathFor(path), "{not json");
  Open();
  EXPECT_EQ(document.verdict().kind, CurationVerdict::Kind::Unusable);
  EXPECT_EQ(SetNames().size(), 3u);
}

}  // namespace
}  // namespace orniva::document
