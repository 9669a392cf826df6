// Two paths name one file by device and inode, whatever the names.
#include "platform/same_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.h"

namespace orniva {
namespace {

TEST(SameFile, ByDeviceAndInode) {
  test::TempDir dir;
  const std::string a = dir.File("a"), b = dir.File("b");
  test::WriteFile(a, "x");
  test::WriteFile(b, "x");
  std::filesystem::create_hard_link(a, dir.File("hard"));
  std::filesystem::create_symlink(a, dir.File("soft"));
  const struct {
    std::string first, second;
    bool same;
  } rows[] = {
      {a, a, true},
      {a, dir.path() + "/./a", true},
      {a, dir.File("hard"), true},
      {dir.File("soft"), a, true},
      {a, b, false},
      {a, dir.File("none"), false},
  };
  for (const auto& row : rows) EXPECT_EQ(SameFile(row.first, row.second), row.same) << row.second;
}

}  // namespace
}  // namespace orniva
