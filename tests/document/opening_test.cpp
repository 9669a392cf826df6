// Opening a data file: the data file read once (its lines, hash and bytes
// from one read), and every verdict on its curation file, special files
// included, none of which may block or be passed over in silence.
#include "document/opening.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "data/curation.h"
#include "tests/support/test_support.h"

namespace orniva::document {
namespace {

using Kind = CurationVerdict::Kind;
using orniva::test::TempDir;
using orniva::test::WriteFile;

const std::string kData = "90 45 90 45 N\n270 60 270 60 N\n0 50 0 50 R\n";

std::string CurationOf(const std::string& data, std::vector<int> off) {
  Curation curation;
  curation.off = std::move(off);
  return CurationText(curation, "d.fdt", int(SplitDataLines(data).size()), Sha256Hex(data));
}

struct VerdictCase {
  const char* name;
  // Puts something at the curation file's path (`path`) in `dir`.
  std::function<void(const std::string& path, const TempDir& dir)> make;
  Kind kind;
  std::string reason;  // VerdictText's, after the file's name
};

TEST(Opening, EveryVerdictOnTheCurationFileBesideTheData) {
  const std::string stale = "made for other data (the data file has changed since)";
  // clang-format off
  const VerdictCase cases[] = {
      {"none", [](const std::string&, const TempDir&) {}, Kind::None, ""},
      {"applied", [](const std::string& p, const TempDir&) { WriteFile(p, CurationOf(kData, {2})); }, Kind::Applied, ""},
      {"other data", [](const std::string& p, const TempDir&) { WriteFile(p, CurationOf(kData + "\n", {2})); }, Kind::OtherData, "made for a file of 4 lines"},
      {"other bytes", [](const std::string& p, const TempDir&) { WriteFile(p, CurationOf("90 45 90 45 N\r\n270 60 270 60 N\r\n0 50 0 50 R\r\n", {2})); }, Kind::OtherData, stale},
      {"not JSON", [](const std::string& p, const TempDir&) { WriteFile(p, "{"); }, Kind::Unusable, "not a curation file (not JSON: unexpected end of the text)"},
      {"a FIFO", [](const std::string& p, const TempDir&) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, Kind::Unusable, "not a regular file"},
      {"a folder", [](const std::string& p, const TempDir&) { ASSERT_EQ(mkdir(p.c_str(), 0700), 0); }, Kind::Unusable, "not a regular file"},
      {"a dangling link", [](const std::string& p, const TempDir& d) { ASSERT_EQ(symlink(d.File("gone").c_str(), p.c_str()), 0); }, Kind::Unusable, "a link to a file that does not exist"},
      {"a loop of links", [](const std::string& p, const TempDir&) { ASSERT_EQ(symlink(p.c_str(), p.c_str()), 0); }, Kind::Unusable, "too many levels of symbolic links"},
      {"a link to a curation", [](const std::string& p, const TempDir& d) { WriteFile(d.File("c.json"), CurationOf(kData, {2})); ASSERT_EQ(symlink(d.File("c.json").c_str(), p.c_str()), 0); }, Kind::Applied, ""},
  };
  // clang-format on
  for (const VerdictCase& row : cases) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    WriteFile(dir.File("d.fdt"), kData);
    row.make(CurationPathFor(dir.File("d.fdt")), dir);
    const Opening opening = OpenDataFile(dir.File("d.fdt"));
    ASSERT_FALSE(opening.refused());
    EXPECT_EQ(opening.curation.kind, row.kind);
    EXPECT_EQ(opening.curation.reason, row.reason);
    if (row.kind != Kind::None) {
      EXPECT_EQ(VerdictText(opening.curation), "d.fdt.orniva.json: " + row.reason);
    }
    const bool holds = row.kind == Kind::Applied || row.kind == Kind::OtherData;
    EXPECT_EQ(holds && opening.curation.curation.off[2], holds);
  }
}

TEST(Opening, ANamedCurationFileMustBeThere) {
  TempDir dir;
  WriteFile(dir.File("d.fdt"), kData);
  OpenOptions options;
  options.curationPath = dir.File("missing.json");
  const Opening opening = OpenDataFile(dir.File("d.fdt"), options);
  EXPECT_EQ(opening.curation.kind, Kind::Unusable);
  EXPECT_EQ(opening.curation.reason, "no such file or directory");
}

// One read gives the lines, the hash of every byte (those after a NUL too)
// when a curation file is to be judged, and the bytes up to their limit; a
// data file that is no regular file is refused at once.
TEST(Opening, TheDataFileReadOnce) {
  TempDir dir;
  const std::string bytes = kData + std::string("\0tail", 5), path = dir.File("d.fdt");
  WriteFile(path, bytes);
  Opening opening = OpenDataFile(path);
  EXPECT_EQ(opening.lines.size(), 3u);
  EXPECT_EQ(opening.data.count(), 3);
  EXPECT_EQ(opening.sha256, "");  // no curation file: made from the bytes when needed
  EXPECT_EQ(opening.bytes, bytes);
  EXPECT_EQ(test::ReadFile(dir.File("VORN.log")), "d.fdt\r\nNo error\r\n");
  WriteFile(CurationPathFor(path), "{}");
  EXPECT_EQ(OpenDataFile(path).sha256, Sha256Hex(bytes));
  OpenOptions lean;
  lean.keepBytes = false;
  EXPECT_FALSE(OpenDataFile(path, lean).bytes);

  const std::string large = test::Repeat(std::string(300, ' ') + "1 2 3 4 N\n", 1000);
  WriteFile(dir.File("large.fdt"), large);
  OpenOptions small;
  small.maxKeptBytes = 200000;  // passed in the fourth chunk
  opening = OpenDataFile(dir.File("large.fdt"), small);
  EXPECT_FALSE(opening.bytes);  // too large to keep: hashed as read
  EXPECT_EQ(opening.sha256, Sha256Hex(large));
  EXPECT_EQ(opening.lines.size(), 1000u);

  ASSERT_EQ(mkfifo(dir.File("pipe.fdt").c_str(), 0600), 0);
  opening = OpenDataFile(dir.File("pipe.fdt"));
  ASSERT_TRUE(opening.error);
  EXPECT_EQ(opening.error->reason(), "not a regular file");
  WriteFile(dir.File("many.fdt"), test::Repeat("1 2 3 4 N\n", 32761));
  EXPECT_TRUE(OpenDataFile(dir.File("many.fdt")).tooManyLines);
}

// The hash as it is read equals the hash of the whole, however it is cut.
TEST(Opening, TheStreamedHashIsTheHashOfTheWhole) {
  const std::string text = test::Repeat("0123456789abcdef", 1000) + "xyz";
  for (std::size_t piece : {1u, 63u, 64u, 65u, 4096u, 20000u}) {
    Sha256Stream stream;
    for (std::size_t at = 0; at < text.size(); at += piece)
      stream.Add(std::string_view(text).substr(at, piece));
    EXPECT_EQ(stream.Hex(), Sha256Hex(text)) << piece;
  }
}

}  // namespace
}  // namespace orniva::document
