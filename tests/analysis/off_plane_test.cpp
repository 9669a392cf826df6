// Striations far off their planes: which lines, by how much, and the one
// line that names them.
#include "analysis/off_plane.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

// The brief's 90-degree case among a striation in its plane, one just
// within and one just beyond the limit, a bad line, and one switched off.
TEST(StriationsOffPlane, FindsTheLinesBeyondTheLimit) {
  const FaultSet data = test::DataFromLines({"120 45 300 45 N", "120 45 120 45 N", "0 0 90 19 N",
                                             "0 0 90 21 N", "370 45 120 45 N", "0 0 90 60 N"});
  const std::vector<bool> use = {false, true, true, true, true, true, false};
  const struct {
    double limit;
    const std::vector<bool>* use;
    std::vector<OffPlaneStriation> found;
  } cases[] = {
      {kOffPlaneLimit, nullptr, {{1, 90}, {4, 21}, {6, 60}}},
      {kOffPlaneLimit, &use, {{1, 90}, {4, 21}}},
      {60, nullptr, {{1, 90}}},
      {std::numeric_limits<double>::quiet_NaN(), nullptr, {}},
  };
  for (const auto& c : cases) {
    const std::vector<OffPlaneStriation> found = StriationsOffPlane(data, c.limit, c.use);
    ASSERT_EQ(found.size(), c.found.size()) << c.limit;
    for (std::size_t k = 0; k < found.size(); ++k) {
      EXPECT_EQ(found[k].line, c.found[k].line);
      EXPECT_NEAR(found[k].misfit, c.found[k].misfit, 1e-4);
    }
  }
}

TEST(OffPlaneWarning, NamesTheLines) {
  const std::vector<OffPlaneStriation> three = {{3, 90}, {7, 45}, {12, 20.5}};
  const struct {
    std::vector<OffPlaneStriation> found;
    std::size_t listed;
    std::string text;
  } cases[] = {
      {{}, 10, ""},
      {{{3, 90}}, 10, "striation more than 20° off its plane at line 3 (90.00°)"},
      {three, 10,
       "striations more than 20° off their planes at lines 3 (90.00°), 7 (45.00°), 12 (20.50°)"},
      {three, 1, "striations more than 20° off their planes at lines 3 (90.00°) and 2 more"},
  };
  for (const auto& c : cases) EXPECT_EQ(OffPlaneWarning(c.found, 20, c.listed), c.text);
}

}  // namespace
}  // namespace orniva::analysis
