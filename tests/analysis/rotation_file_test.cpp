// Turned data saved as a data file read back as the turned values, each line
// keeping what follows its sense word and a refused line kept as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/rotation.h"
#include "data/data_file_text.h"
#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

TEST(RotatedDataFile, ReadsBackToTheTurnedValues) {
  const std::vector<std::string> lines = {"120 35 80.5 33.1 Normal site 4", "300 80 30 10 D",
                                          "10 95 0 0 N", "45.25 60 110 50.75 reverse  x",
                                          "200 20 200 20 N"};
  const FaultSet data = test::DataFromLines(lines);
  const FaultSet turned = RotateData(data, BackTiltRotation({215, 70}, 1));
  const std::string text = DataFileText(lines, turned);
  const std::vector<std::string> written = SplitDataLines(text);
  const FaultSet read = test::DataFromLines(written);
  ASSERT_EQ(read.count(), data.count());
  for (std::size_t i = 1; i <= lines.size(); ++i) {
    SCOPED_TRACE(written[i - 1]);
    EXPECT_EQ(read[i].failedChecks, data[i].failedChecks);
    if (data[i].failedChecks != 0) {
      EXPECT_EQ(written[i - 1], lines[i - 1]);
      continue;
    }
    EXPECT_NEAR(read[i].faz, turned[i].faz, 1e-4);
    EXPECT_NEAR(read[i].fpl, turned[i].fpl, 1e-4);
    EXPECT_NEAR(read[i].saz, turned[i].saz, 1e-4);
    EXPECT_NEAR(read[i].spl, turned[i].spl, 1e-4);
    EXPECT_EQ(read[i].sense, turned[i].sense);
  }
  // A sense word stays while its letter does; a new sense is written as its letter.
  EXPECT_EQ(written[0].substr(written[0].size() - 14), " Normal site 4");
  ASSERT_NE(turned[4].sense, data[4].sense);
  EXPECT_EQ(written[3].substr(written[3].size() - 5), " N  x");
}

}  // namespace
}  // namespace orniva::analysis
