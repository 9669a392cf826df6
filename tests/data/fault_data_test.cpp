// The fault datum, the data set's sizing and clearing, what the diagrams may
// draw of a datum, and the colour of each datum from its sense of slip.
#include "data/fault_data.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "data/colours.h"

namespace orniva {
namespace {

void ExpectAllCleared(const FaultSet& set) {
  for (std::size_t i = 0; i < set.size(); ++i) {
    const TFaultData& d = set[i];
    ASSERT_TRUE(d.faz == 0 && d.fpl == 0 && d.saz == 0 && d.spl == 0 && d.sense.empty() &&
                d.colour == 0 && d.status.empty() && d.failedChecks == 0)
        << "element " << i;
  }
}

TEST(FaultSet, StartsWithTenClearedElementsAndCountZero) {
  const FaultSet set;
  EXPECT_EQ(set.count(), 0);
  EXPECT_EQ(set.size(), 10u);
  ExpectAllCleared(set);
}

TEST(FaultSet, RecreateGivesCountPlusOneClearedElements) {
  FaultSet set;
  // The same size, larger, smaller, none, the largest accepted file.
  const std::int16_t counts[] = {3, 3, 5, 1, 0, FaultSet::kMaxCount};
  for (const std::int16_t count : counts) {
    SCOPED_TRACE(count);
    for (std::size_t i = 0; i < set.size(); ++i) {
      TFaultData& d = set[i];
      d = {120, 45, 200, 30, "N", clBlue, "fpl invalid", kFplCheck};
    }
    set.Recreate(count);
    EXPECT_EQ(set.count(), count);
    EXPECT_EQ(set.size(), std::size_t(count) + 1);
    ExpectAllCleared(set);  // nothing of the old data survives, element 0 included
  }
}

// What the diagrams may draw, decided from the failed checks, not `status`.
TEST(FaultData, DrawableFollowsTheFailedChecks) {
  struct Row {
    std::uint8_t failed;
    bool plane, striation, slip;
  };
  const Row rows[] = {
      {0, true, true, true},
      {kFazCheck, false, false, false},
      {kFplCheck, false, false, false},
      {kSazCheck, true, false, false},
      {kSplCheck, true, false, false},
      {kSenseCheck, true, true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.failed));
    TFaultData d;
    d.failedChecks = row.failed;
    d.status = row.failed ? "sense invalid" : "";  // a later check's name hides nothing
    EXPECT_EQ(PlaneDrawable(d), row.plane);
    EXPECT_EQ(StriationDrawable(d), row.striation);
    EXPECT_EQ(SlipDrawable(d), row.slip);
  }
}

TEST(Colours, TableValues) {
  EXPECT_EQ(clBlue, Rgb(0, 0, 255));
  EXPECT_EQ(clRed, Rgb(255, 0, 0));
  EXPECT_EQ(clSilver, Rgb(192, 192, 192));
  EXPECT_EQ(clBlack, Rgb(0, 0, 0));
  EXPECT_EQ(clWhite, Rgb(255, 255, 255));
  EXPECT_EQ(clAqua, Rgb(0, 255, 255));
}

// N blue, R red; S blue when AzimuthAngle(faz, saz) < 0, else red; D the
// other way round; anything else silver; the status is not looked at.
TEST(AssignColours, ColourFromSense) {
  struct Row {
    const char* sense;
    float faz, saz;
    std::uint8_t failed;
    TColor expected;
  };
  const Row rows[] = {
      {"N", 120, 200, 0, clBlue},
      {"R", 120, 200, 0, clRed},
      {"S", 90, 0, 0, clBlue},  // AzimuthAngle -90
      {"S", 0, 90, 0, clRed},   // +90
      {"S", 135, 135, 0, clRed},  // 0
      {"D", 90, 0, 0, clRed},
      {"D", 0, 90, 0, clBlue},
      {"D", 135, 135, 0, clBlue},
      {"X", 120, 200, kSenseCheck, clSilver},
      {"", 0, 0, kFazCheck | kFplCheck | kSazCheck | kSplCheck | kSenseCheck, clSilver},
      {"N", 370, 200, kFazCheck, clBlue},  // whatever the checks say
      {"D", 360, 90, kFazCheck, clBlue},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.sense << " " << row.faz << " " << row.saz);
    FaultSet set;
    set.Recreate(1);
    TFaultData& d = set[1];
    d = {row.faz, 45, row.saz, 30, row.sense, 0, row.failed ? "faz invalid" : "", row.failed};
    AssignColours(set);
    EXPECT_EQ(d.colour, row.expected);
    EXPECT_EQ(d.sense, row.sense);  // nothing but the colour changes
    EXPECT_EQ(d.failedChecks, row.failed);
  }
}

TEST(AssignColours, ColoursData1ToCountOnly) {
  FaultSet set;
  set[3].sense = "N";  // beyond count 0
  AssignColours(set);
  EXPECT_EQ(set[3].colour, 0u);

  set.Recreate(3);
  set[0].sense = "N";  // element 0 is never a datum
  set[1].sense = "N";
  // 1e39 in a file is stored past the float range; the sense still decides.
  set[2] = {std::numeric_limits<float>::infinity(), 0, 0, 0, "S", 0, "", kFazCheck};
  set[3] = {0, 0, std::numeric_limits<float>::infinity(), 0, "D", 0, "", kSazCheck};
  AssignColours(set);
  EXPECT_EQ(set[0].colour, 0u);
  EXPECT_EQ(set[1].colour, clBlue);
  EXPECT_TRUE(set[2].colour == clBlue || set[2].colour == clRed) << set[2].colour;
  EXPECT_TRUE(set[3].colour == clBlue || set[3].colour == clRed) << set[3].colour;

  set[1].sense = "X";  // recolouring replaces the earlier colour
  AssignColours(set);
  EXPECT_EQ(set[1].colour, clSilver);
}

}  // namespace
}  // namespace orniva
