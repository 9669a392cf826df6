// Whole-file writes: the target replaced in one step, never half written,
// a symbolic link in its place replaced rather than followed, and as an
// editor does, its permissions and every name of it kept; and whether two
// paths name one file.
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
#include "platform/file_identity.h"
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

TEST(WriteFileAtomically, KeepsPermissionsEveryNameAndTakesAnyLegalName) {
  TempDir dir;
  const std::string own = dir.File("own.svg"), linked = dir.File("linked.svg"),
                    other = dir.File("other.svg");
  WriteFile(own, "old");
  ASSERT_EQ(::chmod(own.c_str(), 0640), 0);
  WriteFile(linked, "old");
  ASSERT_EQ(::link(linked.c_str(), other.c_str()), 0);
  const struct {
    std::string path;
    mode_t mode;  // 0: not checked
    std::string alsoRead;
  } rows[] = {
      {own, 0640, ""},
      {linked, 0, other},
      {dir.File(std::string(252, 'n') + ".svg").substr(0, dir.path().size() + 1 + 255), 0, ""},
      {dir.File(std::string(238, 'n') + "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.svg"), 0,
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    WriteFileAtomically(row.path, "new");
    EXPECT_EQ(ReadFile(row.path), "new");
    struct stat written {};
    ASSERT_EQ(::stat(row.path.c_str(), &written), 0);
    if (row.mode != 0) {
      EXPECT_EQ(written.st_mode & 07777, row.mode);
    }
    if (!row.alsoRead.empty()) {
      EXPECT_EQ(ReadFile(row.alsoRead), "new");
      EXPECT_TRUE(SameFile(row.path, row.alsoRead));
    }
  }
  EXPECT_EQ(Entries(dir.path()), 5u);  // no temporary file left behind
}

TEST(SameFile, SameDeviceAndInodeWhateverThePath) {
  TempDir dir;
  const std::string file = dir.File("data.fdt"), other = dir.File("other.fdt");
  WriteFile(file, "x");
  WriteFile(other, "x");
  ASSERT_EQ(::link(file.c_str(), dir.File("hard.emf").c_str()), 0);
  ASSERT_EQ(::symlink(file.c_str(), dir.File("soft.emf").c_str()), 0);
  const struct {
    std::string path;
    bool same;
  } rows[] = {{file, true},
              {dir.path() + "/./data.fdt", true},
              {dir.File("hard.emf"), true},
              {dir.File("soft.emf"), true},
              {other, false},
              {dir.File("missing.emf"), false}};
  for (const auto& row : rows) EXPECT_EQ(SameFile(row.path, file), row.same) << row.path;
}

}  // namespace
}  // namespace orniva::test
