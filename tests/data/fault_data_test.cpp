// The fault datum, the data set's sizing and clearing, the record of failed
// checks, and the colour of each datum from its sense of slip.
#include "data/fault_data.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>

#include <gtest/gtest.h>

#include "data/colours.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

// The count is a 16-bit signed integer; a file may hold up to 32760 data.
static_assert(std::is_same_v<decltype(std::declval<const FaultSet&>().count()), std::int16_t>);
static_assert(FaultSet::kMaxCount == 32760);

void ExpectCleared(const TFaultData& d) {
  EXPECT_EQ(d.faz, 0.0f);
  EXPECT_EQ(d.fpl, 0.0f);
  EXPECT_EQ(d.saz, 0.0f);
  EXPECT_EQ(d.spl, 0.0f);
  EXPECT_EQ(d.sense, "");
  EXPECT_EQ(d.colour, 0u);
  EXPECT_EQ(d.status, "");
  EXPECT_EQ(d.failedChecks, 0u);
}

void ExpectAllCleared(const FaultSet& set) {
  for (std::size_t i = 0; i < set.size(); ++i) {
    SCOPED_TRACE("element " + std::to_string(i));
    ExpectCleared(set[i]);
  }
}

TFaultData Filled() {
  TFaultData d;
  d.faz = 120;
  d.fpl = 45;
  d.saz = 200;
  d.spl = 30;
  d.sense = "N";
  d.colour = clBlue;
  d.status = "fpl invalid";
  d.failedChecks = kFplCheck;
  return d;
}

// ---------------------------------------------------------------------------
// FaultSet

TEST(FaultSet, StartsWithTenClearedElementsAndCountZero) {
  const FaultSet set;
  EXPECT_EQ(set.count(), 0);
  ASSERT_EQ(set.size(), 10u);
  ExpectAllCleared(set);
}

TEST(FaultSet, RecreateGivesCountPlusOneClearedElements) {
  FaultSet set;
  set.Recreate(3);
  EXPECT_EQ(set.count(), 3);
  ASSERT_EQ(set.size(), 4u);
  ExpectAllCleared(set);  // element 0 included: all zero and empty
}

TEST(FaultSet, RecreateClearsEveryEarlierValue) {
  FaultSet set;
  set.Recreate(3);
  for (std::size_t i = 0; i < set.size(); ++i) set[i] = Filled();

  set.Recreate(3);  // same size: nothing of the old data may survive
  ASSERT_EQ(set.size(), 4u);
  ExpectAllCleared(set);

  for (std::size_t i = 0; i < set.size(); ++i) set[i] = Filled();
  set.Recreate(5);  // larger
  EXPECT_EQ(set.count(), 5);
  ASSERT_EQ(set.size(), 6u);
  ExpectAllCleared(set);

  for (std::size_t i = 0; i < set.size(); ++i) set[i] = Filled();
  set.Recreate(1);  // smaller
  EXPECT_EQ(set.count(), 1);
  ASSERT_EQ(set.size(), 2u);
  ExpectAllCleared(set);
}

TEST(FaultSet, RecreateWithZeroKeepsOnlyElementZero) {
  FaultSet set;
  set.Recreate(0);
  EXPECT_EQ(set.count(), 0);
  ASSERT_EQ(set.size(), 1u);
  ExpectCleared(set[0]);
}

TEST(FaultSet, HoldsTheLargestAcceptedFile) {
  FaultSet set;
  set.Recreate(FaultSet::kMaxCount);
  EXPECT_EQ(set.count(), 32760);
  ASSERT_EQ(set.size(), 32761u);
  ExpectCleared(set[32760]);
}

TEST(TFaultData, NumericFieldsComeInOrderAndStriationIsTwoAdjacentFloats) {
  // saz and spl are read as one (trend, plunge) pair by the diagrams.
  static_assert(std::is_same_v<decltype(TFaultData::faz), float>);
  static_assert(std::is_same_v<decltype(TFaultData::spl), float>);
  const TFaultData d;
  const auto at = [&d](const void* p) {
    return reinterpret_cast<const char*>(p) - reinterpret_cast<const char*>(&d);
  };
  EXPECT_LT(at(&d.faz), at(&d.fpl));
  EXPECT_LT(at(&d.fpl), at(&d.saz));
  EXPECT_EQ(at(&d.spl) - at(&d.saz), std::ptrdiff_t(sizeof(float)));
  EXPECT_LT(at(&d.spl), at(&d.sense));
  EXPECT_LT(at(&d.sense), at(&d.colour));
  EXPECT_LT(at(&d.colour), at(&d.status));
}

// ---------------------------------------------------------------------------
// What the diagrams may draw, decided from the failed checks, not `status`.

struct DrawableRow {
  const char* name;
  std::uint8_t failed;
  bool plane, striation, slip;
};

void PrintTo(const DrawableRow& row, std::ostream* os) { *os << row.name; }

class Drawable : public ::testing::TestWithParam<DrawableRow> {};

TEST_P(Drawable, FollowsTheFailedChecks) {
  const DrawableRow& row = GetParam();
  TFaultData d;
  d.failedChecks = row.failed;
  // A status naming a later check must not hide an earlier failure.
  d.status = row.failed ? "sense invalid" : "";
  EXPECT_EQ(PlaneDrawable(d), row.plane);
  EXPECT_EQ(StriationDrawable(d), row.striation);
  EXPECT_EQ(SlipDrawable(d), row.slip);
}

const DrawableRow kDrawableRows[] = {
    {"AllChecksPassed", 0, true, true, true},
    {"FazFailed", kFazCheck, false, false, false},
    {"FplFailed", kFplCheck, false, false, false},
    {"SazFailed", kSazCheck, true, false, false},
    {"SplFailed", kSplCheck, true, false, false},
    {"SenseFailed", kSenseCheck, true, true, false},
    {"FazAndSenseFailed", kFazCheck | kSenseCheck, false, false, false},
    {"SazAndSenseFailed", kSazCheck | kSenseCheck, true, false, false},
    {"AllFailed", kFazCheck | kFplCheck | kSazCheck | kSplCheck | kSenseCheck, false, false,
     false},
};

INSTANTIATE_TEST_SUITE_P(FaultData, Drawable, ::testing::ValuesIn(kDrawableRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// AssignColours

TEST(Colours, TableValues) {
  EXPECT_EQ(clBlue, Rgb(0, 0, 255));
  EXPECT_EQ(clRed, Rgb(255, 0, 0));
  EXPECT_EQ(clSilver, Rgb(192, 192, 192));
  EXPECT_EQ(clBlack, Rgb(0, 0, 0));
  EXPECT_EQ(clWhite, Rgb(255, 255, 255));
  EXPECT_EQ(clAqua, Rgb(0, 255, 255));
}

struct ColourRow {
  const char* name;
  const char* sense;
  float faz, saz;
  const char* status;
  std::uint8_t failed;
  TColor expected;
};

void PrintTo(const ColourRow& row, std::ostream* os) { *os << row.name; }

class AssignColoursTable : public ::testing::TestWithParam<ColourRow> {};

TEST_P(AssignColoursTable, ColourFromSense) {
  const ColourRow& row = GetParam();
  FaultSet set;
  set.Recreate(1);
  TFaultData& d = set[1];
  d.faz = row.faz;
  d.fpl = 45;
  d.saz = row.saz;
  d.spl = 30;
  d.sense = row.sense;
  d.status = row.status;
  d.failedChecks = row.failed;
  AssignColours(set);
  EXPECT_EQ(d.colour, row.expected) << "R " << int(RedOf(d.colour)) << " G "
                                    << int(GreenOf(d.colour)) << " B "
                                    << int(BlueOf(d.colour));
  // Nothing but the colour changes.
  EXPECT_EQ(d.sense, row.sense);
  EXPECT_EQ(d.status, row.status);
  EXPECT_EQ(d.failedChecks, row.failed);
}

const ColourRow kColourRows[] = {
    {"NormalBlue", "N", 120, 200, "", 0, clBlue},
    {"ReverseRed", "R", 120, 200, "", 0, clRed},
    // S: d = AzimuthAngle(faz, saz); d < 0 blue, else red.
    {"SinistralFaz90Saz0IsMinus90Blue", "S", 90, 0, "", 0, clBlue},
    {"SinistralFaz0Saz90IsPlus90Red", "S", 0, 90, "", 0, clRed},
    {"SinistralSazEqualsFazIsZeroRed", "S", 135, 135, "", 0, clRed},
    {"SinistralAcrossNorthClockwiseRed", "S", 350, 10, "", 0, clRed},
    {"SinistralAcrossNorthAnticlockwiseBlue", "S", 10, 350, "", 0, clBlue},
    {"SinistralOneDegreeAnticlockwiseBlue", "S", 0, 359, "", 0, clBlue},
    // D: the other way round; d == 0 blue.
    {"DextralFaz90Saz0Red", "D", 90, 0, "", 0, clRed},
    {"DextralFaz0Saz90Blue", "D", 0, 90, "", 0, clBlue},
    {"DextralSazEqualsFazIsZeroBlue", "D", 135, 135, "", 0, clBlue},
    {"DextralAcrossNorthAnticlockwiseRed", "D", 10, 350, "", 0, clRed},
    // Anything else silver.
    {"UnknownLetterSilver", "X", 120, 200, "sense invalid", kSenseCheck, clSilver},
    {"EmptySenseSilver", "", 0, 0, "sense invalid",
     kFazCheck | kFplCheck | kSazCheck | kSplCheck | kSenseCheck, clSilver},
    {"DigitSilver", "3", 120, 200, "sense invalid", kSplCheck | kSenseCheck, clSilver},
    {"EightBitByteSilver", "\xE9", 120, 200, "sense invalid", kSenseCheck, clSilver},
    // The colour follows the sense whatever the checks say.
    {"NormalWithBadAzimuthStillBlue", "N", 370, 200, "faz invalid", kFazCheck, clBlue},
    {"ReverseWithBadDipStillRed", "R", 120, 200, "fpl invalid", kFplCheck, clRed},
    {"SinistralWithBadPlungeStillComputed", "S", 90, 0, "spl invalid", kSplCheck, clBlue},
    {"DextralWithBadAzimuthStillComputed", "D", 360, 90, "faz invalid", kFazCheck, clBlue},
};

INSTANTIATE_TEST_SUITE_P(FaultData, AssignColoursTable, ::testing::ValuesIn(kColourRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AssignColours, ColoursEveryDatumAndLeavesElementZeroAlone) {
  FaultSet set;
  set.Recreate(5);
  const char* senses[] = {"N", "R", "S", "D", "Q"};
  for (std::size_t i = 1; i <= 5; ++i) {
    set[i].faz = 90;
    set[i].saz = 0;
    set[i].sense = senses[i - 1];
  }
  set[0].sense = "N";  // element 0 is never a datum
  AssignColours(set);
  EXPECT_EQ(set[0].colour, 0u);
  EXPECT_EQ(set[1].colour, clBlue);
  EXPECT_EQ(set[2].colour, clRed);
  EXPECT_EQ(set[3].colour, clBlue);
  EXPECT_EQ(set[4].colour, clRed);
  EXPECT_EQ(set[5].colour, clSilver);
}

TEST(AssignColours, RecolouringReplacesTheEarlierColour) {
  FaultSet set;
  set.Recreate(1);
  set[1].sense = "N";
  AssignColours(set);
  ASSERT_EQ(set[1].colour, clBlue);
  set[1].sense = "X";
  AssignColours(set);
  EXPECT_EQ(set[1].colour, clSilver);
}

TEST(AssignColours, NoDataLeavesTheInitialSetUntouched) {
  FaultSet set;
  set[3].sense = "N";  // beyond count 0
  AssignColours(set);
  EXPECT_EQ(set[3].colour, 0u);
}

TEST(AssignColours, InfiniteAzimuthOfAnOverflowedNumberDoesNotCrash) {
  // 1e39 in the file is stored as a value past the float range; the sense
  // still decides between blue and red.
  FaultSet set;
  set.Recreate(2);
  set[1].faz = std::numeric_limits<float>::infinity();
  set[1].saz = 0;
  set[1].sense = "S";
  set[1].failedChecks = kFazCheck;
  set[2].faz = 0;
  set[2].saz = std::numeric_limits<float>::infinity();
  set[2].sense = "D";
  set[2].failedChecks = kSazCheck;
  AssignColours(set);
  EXPECT_TRUE(set[1].colour == clBlue || set[1].colour == clRed);
  EXPECT_TRUE(set[2].colour == clBlue || set[2].colour == clRed);
}

}  // namespace
}  // namespace orniva
