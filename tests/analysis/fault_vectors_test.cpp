#include "analysis/fault_vectors.h"

#include <gtest/gtest.h>

#include "analysis/report_format.h"

namespace orniva::analysis {
namespace {

TFaultData Datum(float faz, float fpl, float saz, float spl, const char* sense) {
  return {faz, fpl, saz, spl, sense, 0, "", 0};
}

// Normal slips down the line and reverse up it (plane 090/45, its dip-slip
// striation 090/45); on the plane 090/90 (strike 000 by the right-hand rule)
// sinistral slips along the strike and dextral against it; a lateral sense
// on a dip-slip striation slips down the line, flagged.
TEST(VectorsOf, SlipFromTheSenseLetter) {
  struct Row {
    TFaultData datum;
    double sx, sy, sz;
    bool flagged;
  };
  const Row rows[] = {{Datum(90, 45, 90, 45, "N"), M_SQRT1_2, 0, -M_SQRT1_2, false},
                      {Datum(90, 45, 90, 45, "R"), -M_SQRT1_2, 0, M_SQRT1_2, false},
                      {Datum(90, 90, 180, 0, "S"), 0, 1, 0, false},
                      {Datum(90, 90, 0, 0, "D"), 0, -1, 0, false},
                      {Datum(90, 45, 90, 45, "D"), M_SQRT1_2, 0, -M_SQRT1_2, true}};
  for (const Row& c : rows) {
    SCOPED_TRACE(testing::Message() << c.datum.fpl << " " << c.datum.saz << " " << c.datum.sense);
    const FaultVectors v = VectorsOf(c.datum, 1);
    EXPECT_LT(math::AngleBetween(v.s, {c.sx, c.sy, c.sz}), 1e-5);
    EXPECT_EQ(v.lateralOnDipSlip, c.flagged);
    EXPECT_NEAR(Dot(v.n, {0, 0, 1}), std::cos(c.datum.fpl * numeric::kDegToRad), 1e-7);
  }
}

TEST(CollectUsedFaults, LeavesOutEveryDatumWithAFailedCheck) {
  FaultSet data;
  data.Recreate(3);
  data[1] = Datum(90, 45, 90, 45, "N");
  data[2] = {90, 45, 90, 45, "X", 0, "sense invalid", kSenseCheck};
  data[3] = Datum(10, 20, 100, 0, "D");
  const UsedFaults used = CollectUsedFaults(data);
  ASSERT_EQ(used.faults.size(), 2u);
  EXPECT_EQ(used.faults[0].line, 1);
  EXPECT_EQ(used.faults[1].line, 3);
  EXPECT_EQ(used.leftOut, std::vector<int>{2});
}

TEST(ReportFormat, RoundsAndDropsNegativeZero) {
  EXPECT_EQ(FormatAngle(12.345), "12.35");  // 12.345 is stored just above
  EXPECT_EQ(FormatAngle(-0.001), "0.00");
  EXPECT_EQ(FormatValue(-0.00004), "0.0000");
  EXPECT_EQ(FormatValue(-1.5), "-1.5000");
  EXPECT_EQ(FormatTrend(359.996), "0.00");
  EXPECT_EQ(FormatLine({359.994, 90}), "359.99,90.00");
}

}  // namespace
}  // namespace orniva::analysis
