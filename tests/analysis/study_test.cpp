// The Study's curation: data switched off or out of the chosen phase leave
// every analysis exactly as if their lines were not in the file, and edits
// of the lines carry each line's curation with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/density.h"
#include "analysis/dihedra.h"
#include "analysis/kinematics.h"
#include "analysis/stress_methods.h"
#include "analysis/study.h"
#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

Study StudyOf(const std::vector<std::string>& lines) {
  Study study;
  LoadFaultLines(lines, study.data());
  study.DataReplaced(lines);
  return study;
}

// The reports that do not name lines, of what the study's analyses read.
std::vector<std::string> Reports(const Study& study) {
  const std::vector<bool>* use = study.InUse();
  return {BinghamCsv(study.Kinematics()).text, StressCsv(study.Stress()).text,
          DensityCsv(study.data(), DensityOf::TAxes, DensityMethod::Kamb, use).text,
          DihedraCsv(study.data(), use).text, std::to_string(study.usedCount())};
}

TEST(Study, DataLeftOutAreAsIfTheirLinesWereNotThere) {
  const std::vector<std::string> lines = ReadDataFile(ORNIVA_EXAMPLE_FILE).lines;
  const int count = int(lines.size());
  const struct {
    std::vector<int> off;
    std::vector<int> phaseA;  // phase 1
    int scope;
  } rows[] = {{{2}, {}, 0},
              {{1, 5, 9, 10}, {}, 0},
              {{}, {3, 4, 6, 7, 8, 11, 12, 13}, 1},
              {{4}, {3, 4, 6, 7, 8, 11, 12, 13}, 1}};
  for (const auto& row : rows) {
    Study study = StudyOf(lines);
    study.AddPhase({"A", "#1b9e77"});
    study.SetPhaseOf(row.phaseA, 1);
    study.SetOff(row.off, true);
    study.SetScope(row.scope);
    std::vector<std::string> kept;
    for (int line = 1; line <= count; ++line) {
      const auto& phase = row.phaseA;
      const bool inPhase = std::find(phase.begin(), phase.end(), line) != phase.end();
      const bool off = std::find(row.off.begin(), row.off.end(), line) != row.off.end();
      if (!off && (row.scope == 0 || inPhase)) kept.push_back(lines[std::size_t(line - 1)]);
    }
    SCOPED_TRACE(testing::Message() << kept.size() << " lines kept");
    EXPECT_EQ(Reports(study), Reports(StudyOf(kept)));
  }
}

TEST(Study, EditsCarryEachLinesCurationAndUndoExactly) {
  const std::vector<std::string> lines = {"90 45 90 45 N", "270 60 270 60 N", "0 50 0 50 R",
                                          "180 70 180 70 N"};
  Study study = StudyOf(lines);
  study.AddPhase({"A", "#1b9e77"});
  study.SetPhaseOf({3}, 1);
  study.SetOff({4}, true);
  const CurationState before = study.curation();

  const auto removed = study.RemoveLines({1, 3});
  EXPECT_EQ(study.lines(), (std::vector<std::string>{lines[1], lines[3]}));
  EXPECT_EQ(study.curation().off, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(study.curation().phase, (std::vector<int>{0, 0, 0}));
  ASSERT_TRUE(study.InsertLines(removed));
  EXPECT_EQ(study.lines(), lines);
  EXPECT_EQ(study.curation(), before);

  study.ReplaceLine(2, "400 60 270 60 N");
  EXPECT_EQ(study.data()[2].failedChecks, kFazCheck);
  study.ReplaceLine(2, lines[1]);
  const FaultSet fresh = test::DataFromLines(lines);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(study.data()[std::size_t(i)].faz, fresh[std::size_t(i)].faz);
    EXPECT_EQ(study.data()[std::size_t(i)].failedChecks, fresh[std::size_t(i)].failedChecks);
    EXPECT_EQ(study.data()[std::size_t(i)].colour, fresh[std::size_t(i)].colour);
  }
  std::vector<std::pair<int, Study::LineRecord>> tooMany(32760 - 3, {1, {"1 2 3 4 N"}});
  EXPECT_FALSE(study.InsertLines(tooMany));
  EXPECT_EQ(study.data().count(), 4);
}

// A phase is named without a doubled word, whatever its name.
TEST(PhaseTitle, NoDoubledWord) {
  const std::pair<const char*, const char*> cases[] = {
      {"Phase 1", "Phase 1"},   {"phase 2", "phase 2"},     {"Phase", "Phase"},
      {"A", "Phase A"},         {"Phases", "Phase Phases"}, {"", "Phase "},
      {"PHASE\t3", "PHASE\t3"}, {"Pha", "Phase Pha"},
  };
  for (const auto& [name, title] : cases) EXPECT_EQ(PhaseTitle(name), title) << name;
}

}  // namespace
}  // namespace orniva::analysis
