// The data set's sizing, clearing and generation, what the diagrams may draw
// of a datum, and the colour of each datum from its sense of slip.
#include "data/fault_data.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace orniva {
namespace {

constexpr TColor kBlue = Rgb(0, 0, 255), kRed = Rgb(255, 0, 0), kSilver = Rgb(192, 192, 192);

bool AllCleared(const FaultSet& set) {
  for (std::size_t i = 0; i < set.size(); ++i) {
    const TFaultData& d = set[i];
    if (d.faz || d.fpl || d.saz || d.spl || !d.sense.empty() || d.colour || !d.status.empty() ||
        d.failedChecks)
      return false;
  }
  return true;
}

TEST(FaultSet, RecreateGivesCountPlusOneClearedElementsAndANewGeneration) {
  FaultSet set;
  EXPECT_TRUE(set.count() == 0 && set.size() == 10u && AllCleared(set));
  EXPECT_NE(FaultSet().generation(), set.generation());
  // The same size, larger, smaller, none, the largest accepted file.
  const std::int16_t counts[] = {3, 3, 5, 1, 0, FaultSet::kMaxCount};
  for (const std::int16_t count : counts) {
    for (std::size_t i = 0; i < set.size(); ++i) set[i] = {1, 1, 1, 1, "N", kBlue, "x", kFplCheck};
    const std::uint64_t before = set.generation();
    set.Recreate(count);
    EXPECT_EQ(set.count(), count);
    EXPECT_EQ(set.size(), std::size_t(count) + 1) << count;
    EXPECT_TRUE(AllCleared(set)) << count;  // element 0 included
    EXPECT_NE(set.generation(), before) << count;
  }
}

// Decided from the failed checks; `status` names a later check and hides nothing.
TEST(FaultData, DrawableFollowsTheFailedChecks) {
  struct Row {
    std::uint8_t failed;
    bool plane, striation, slip;
  };
  const Row rows[] = {{0, true, true, true},
                      {kFazCheck, false, false, false},
                      {kFplCheck, false, false, false},
                      {kSazCheck, true, false, false},
                      {kSplCheck, true, false, false},
                      {kSenseCheck, true, true, false}};
  for (const Row& row : rows) {
    TFaultData d;
    d.failedChecks = row.failed;
    d.status = "sense invalid";
    EXPECT_EQ(PlaneDrawable(d), row.plane) << int(row.failed);
    EXPECT_EQ(StriationDrawable(d), row.striation) << int(row.failed);
    EXPECT_EQ(SlipDrawable(d), row.slip) << int(row.failed);
  }
}

// N blue, R red; S blue when AzimuthAngle(faz, saz) < 0, else red (a tie of
// 0 is red); D the other way round; anything else silver; `status` and the
// failed checks are not looked at. Data 1 to count only.
TEST(AssignColours, ColourFromSense) {
  struct Row {
    const char* sense;
    float faz, saz;
    TColor expected;
  };
  // clang-format off
  const Row rows[] = {
      {"N", 120, 200, kBlue}, {"R", 120, 200, kRed}, {"S", 90, 0, kBlue}, {"S", 0, 90, kRed},
      {"S", 135, 135, kRed}, {"D", 90, 0, kRed}, {"D", 0, 90, kBlue}, {"D", 135, 135, kBlue},
      {"X", 120, 200, kSilver}, {"n", 1, 2, kSilver}, {"", 0, 0, kSilver}, {"N", 370, 0, kBlue},
  };
  // clang-format on
  FaultSet set;
  set.Recreate(std::int16_t(std::size(rows)));
  set[0].sense = "N";  // never a datum
  for (std::size_t i = 1; i <= std::size(rows); ++i) {
    const Row& row = rows[i - 1];
    set[i] = {row.faz, 45, row.saz, 30, row.sense, 1, "faz invalid", kFazCheck};
  }
  AssignColours(set);
  EXPECT_EQ(set[0].colour, 0u);
  for (std::size_t i = 1; i <= std::size(rows); ++i) {
    EXPECT_EQ(set[i].colour, rows[i - 1].expected) << "row " << i;
    EXPECT_EQ(set[i].sense, rows[i - 1].sense) << "row " << i;  // nothing but the colour changes
  }
  FaultSet fresh;  // count 0: its ten elements are no data
  fresh[3].sense = "N";
  AssignColours(fresh);
  EXPECT_EQ(fresh[3].colour, 0u);
}

}  // namespace
}  // namespace orniva
