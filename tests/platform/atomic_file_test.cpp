// Whole-file writes: the target replaced in one step, never half written,
// and a symbolic link in its place replaced rather than followed.
#include "platform/atomic_file.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <iterator>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/file_error.h"
#include "tests/support/test_support.h"

namespace orniva::test {
namespace {

std::size_t Entries(const std::string& folder) {
  const std::filesystem::directory_iterator entries(folder);
  return std::size_t(std::distance(begin(entries), end(entries)));
}

TEST(WriteFileAtomically, ReplacesALinkNotItsTarget) {
  TempDir dir;
  const std::string victim = dir.File("victim.txt"), log = dir.File("VORN.log");
  WriteFile(victim, "keep me");
  ASSERT_EQ(::symlink(victim.c_str(), log.c_str()), 0);
  WriteFileAtomically(log, "new log\r\n");
  EXPECT_EQ(ReadFile(victim), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink(log));
  EXPECT_EQ(ReadFile(log), "new log\r\n");
  EXPECT_EQ(Entries(dir.path()), 2u);
  const auto permissions = std::filesystem::status(log).permissions();
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(mode_t(permissions) & 0777, 0666 & ~mask);
}

// A write that fails part-way (beyond a file-size limit) leaves the old file
// and nothing else; the reason names the limit.
TEST(WriteFileAtomically, AFailedWriteLeavesTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("picture.emf");
  WriteFile(path, "old");
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const FileError error = FileErrorOf([&] { WriteFileAtomically(path, std::string(100000, 'x')); });
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(error.path(), path);
  EXPECT_EQ(error.reason(), "File too large");
  EXPECT_EQ(ReadFile(path), "old");
  EXPECT_EQ(Entries(dir.path()), 1u);
}

TEST(WriteFileAtomically, AFolderThatCannotTakeTheFileIsNamedWithTheTarget) {
  TempDir dir;
  const std::string path = dir.File("no/such/folder.emf");
  const FileError error = FileErrorOf([&] { WriteFileAtomically(path, "x"); });
  EXPECT_EQ(error.action(), FileError::Action::Write);
  EXPECT_EQ(error.path(), path);
  EXPECT_EQ(error.reason(), "No such file or directory");
  EXPECT_EQ(std::string(error.what()),
            "Cannot write file " + path + ":\r\nNo such file or directory.");
}

}  // namespace
}  // namespace orniva::test
