// The curation file: what is refused (the message, nothing applied), what is
// read and written back, and the SHA-256 that ties it to its data.
#include "data/curation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/test_support.h"

namespace orniva {
namespace {

// The data: 38 lines whose SHA-256 is that of "abc".
constexpr int kLines = 38;
const std::string kSha = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

std::string Header(const std::string& lines = "38", const std::string& sha = kSha) {
  return R"({"orniva": 1, "data": "d.fdt", "lines": )" + lines + R"(, "sha256": ")" + sha +
         "\",\n ";
}
std::string File(const std::string& members) { return Header() + members + "}"; }
std::string Phases(const std::string& phases) {
  return File(R"("off": [], "phases": [)" + phases + "]");
}

struct BadCase {
  std::string text;
  std::string error;
  bool stale;
};

TEST(CurationTest, BadFilesAreRefusedWithTheirReasonAndNothingApplied) {
  const std::string bad = "not a curation file (";
  const std::string a = R"({"name": "A", "colour": "#1f5fbf", "lines": )";
  // clang-format off
  const BadCase cases[] = {
      {File(R"("off": [], "phases": [])").substr(0, 30), bad + "not JSON: unexpected end of the text)", false},
      {R"({"off": [1,]})", bad + "not JSON: unexpected character at byte 12)", false},
      {"[\"\xff\"]", bad + "not JSON: invalid UTF-8 at byte 3)", false},
      {R"(["\ud800"])", bad + "not JSON: unpaired surrogate at byte 3)", false},
      {"[\"\t\"]", bad + "not JSON: control character in a string at byte 3)", false},
      {R"({"x": )" + std::string(64, '[') + std::string(64, ']') + "}", bad + "not JSON: nested deeper than 64 at byte 70)", false},
      {R"({"x": {"a": 1, "a": 2}})", bad + R"(key "a" given twice at byte 16))", false},
      {"[1, 2]", bad + "not a JSON object)", false},
      {R"({"orniva": 2, "off": []})", "written in format 2, which this version does not read", false},
      {File(R"("off": [])"), bad + R"("phases" is missing))", false},
      {File(R"("off": "3", "phases": [])"), bad + R"("off" is not a list))", false},
      {File(R"("off": [0], "phases": [])"), bad + R"("off" holds 0, not a line number))", false},
      {File(R"("off": [3, 45], "phases": [])"), "line 45 is beyond the data's 38 lines", false},
      {Phases("1"), bad + "phase 1 is not an object)", false},
      {Phases(a + "[1.0]}"), bad + R"("lines" of phase 1 holds 1.0, not a line number))", false},
      {Phases(a + "[-1]}"), bad + R"("lines" of phase 1 holds -1, not a line number))", false},
      {Phases(a + "[1e99]}"), bad + R"("lines" of phase 1 holds 1e99, not a line number))", false},
      {Phases(R"({"name": "", "colour": "#1f5fbf", "lines": []})"), bad + "phase 1 has no name)", false},
      {Phases(R"({"name": "A", "colour": "#1f5fbg", "lines": []})"), bad + R"("colour" of phase 1 is not "#rrggbb"))", false},
      {Phases(a + "[1]}, " + a + "[2]}"), bad + R"(two phases are named "A"))", false},
      {Phases(a + R"([7]}, {"name": "B", "colour": "#000000", "lines": [8, 7]})"), "line 7 is in two phases", false},
      {File(R"("off": [], "phases": [], "attributes": [{"site": "A"}])"), bad + R"("line" of attribute record 1 is missing))", false},
      {File(R"("off": [], "phases": [], "attributes": [{"line": 2, "elevation": "9"}])"), bad + R"("elevation" of attribute record 1 is not a number))", false},
      {File(R"("off": [], "phases": [], "attributes": [{"line": 2, "site": 7}])"), bad + R"("site" of attribute record 1 is not a string))", false},
      {File(R"("off": [], "phases": [], "attributes": [{"line": 39}])"), "line 39 is beyond the data's 38 lines", false},
      {File(R"("off": [], "phases": [], "attributes": [{"line": 5}, {"line": 5, "site": "B"}])"), "line 5 has two attribute records", false},
      {Header("40") + R"("off": [3, 39], "phases": []})", "made for a file of 40 lines", true},
      {Header("38", std::string(64, '0')) + R"("off": [], "phases": []})", "made for other data (the data file has changed since)", true},
  };
  // clang-format on
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.text);
    const CurationRead read = ParseCuration(c.text, kLines, kSha);
    EXPECT_EQ(read.error, c.error);
    EXPECT_EQ(read.stale, c.stale);
    EXPECT_TRUE(c.stale || read.curation == Curation());
  }
}

TEST(CurationTest, StaleFileKeepsWhatItSaysWithinTheData) {
  const CurationRead read =
      ParseCuration(Header("40") + R"("off": [3, 39], "phases": []})", kLines, kSha);
  EXPECT_EQ(read.curation.off, std::vector<int>{3});
}

struct GoodCase {
  std::string text;
  std::string written;  // CurationText of what is read
};

TEST(CurationTest, GoodFilesAreReadAndWrittenBackWithTheirUnknownMembers) {
  const std::string canonical =
      Header() +
      "\"off\": [3, 17],\n"
      R"( "phases": [{"name": "Été \"1\"\u0001", "colour": "#1f5fbf", "lines": [1, 2, 4], )"
      R"("note": {"k": [true, null]}}, {"name": "B", "colour": "#BF3F1F", "lines": [5, 38]}],)"
      "\n \"author\": \"me\",\n \"view\": {\"zoom\": 1.50e0}}\n";
  const std::string deep = std::string(63, '[') + std::string(63, ']');  // in the file's object
  const std::string loose =
      "\xEF\xBB\xBF{ \"phases\" : [ {\"lines\":[4,2,1,2], \"colour\":\"#1f5fbf\", "
      "\"name\":\"\\u00c9t\\u00e9 \\ud83d\\ude00\"} ],\n\t\"off\":[17,3,17], "
      "\"sha256\":\"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD\", "
      "\"lines\":38, \"data\":\"x.fdt\", \"orniva\":1 }\r\n";
  // Each line's attributes: read in any order, numbers as the shortest
  // decimal that reads back the same, unknown members kept.
  const std::string attributes =
      Header() +
      "\"off\": [],\n \"phases\": [],\n \"attributes\": [\n"
      R"(  {"line": 2, "site": "F1", "longitude": -3.70379, "latitude": 40.41678, "elevation": 650.5, )"
      R"("accuracy": 4.2, "quality": "4", "time": "2024-06-11T09:12:00.000Z", "label": "F1a", )"
      R"("notes": "steps\u000a\"calcite\"", "photo": {"id": 7}},)"
      "\n"
      R"(  {"line": 3, "latitude": 1e-07}]})"
      "\n";
  const std::string shuffled =
      Header() +
      R"("attributes": [{"latitude": 0.0000001, "line": 3}, )"
      R"({"photo": {"id": 7}, "notes": "steps\n\"calcite\"", "label": "F1a", "line": 2, )"
      R"("site": "F1", "longitude": -3.703790, "latitude": 40.41678, "elevation": 6.505e2, )"
      R"("accuracy": 4.2, "quality": "4", "time": "2024-06-11T09:12:00.000Z"}], "off": [], "phases": []})";
  // clang-format off
  const GoodCase cases[] = {
      {canonical, canonical},
      {attributes, attributes},
      {shuffled, attributes},
      {File("\"off\": [],\n \"phases\": [],\n \"deep\": " + deep) + "\n", File("\"off\": [],\n \"phases\": [],\n \"deep\": " + deep) + "\n"},
      {loose, Header() + "\"off\": [3, 17],\n \"phases\": [{\"name\": \"Été 😀\", \"colour\": \"#1f5fbf\", \"lines\": [1, 2, 4]}]}\n"},
  };
  // clang-format on
  for (const GoodCase& c : cases) {
    SCOPED_TRACE(c.text);
    const CurationRead read = ParseCuration(c.text, kLines, kSha);
    EXPECT_EQ(read.error, "");
    const std::string written = CurationText(read.curation, "d.fdt", kLines, kSha);
    EXPECT_EQ(written, c.written);
    EXPECT_TRUE(ParseCuration(written, kLines, kSha).curation == read.curation);
  }
}

TEST(CurationTest, FileIsReadBesideItsDataUpTo16MB) {
  const test::TempDir dir;
  const std::string path = CurationPathFor(dir.File("NAME.fdt"));
  EXPECT_EQ(path, dir.File("NAME.fdt.orniva.json"));
  test::WriteFile(path, File(R"("off": [2], "phases": [])"));
  EXPECT_EQ(ReadCurationFile(path, kLines, kSha).curation.off, std::vector<int>{2});
  for (const std::uintmax_t size : {std::uintmax_t(16 << 20) + 1, std::uintmax_t(100) << 20}) {
    std::filesystem::resize_file(path, size);  // sparse
    EXPECT_EQ(ReadCurationFile(path, kLines, kSha).error, "larger than 16 MB");
  }
  EXPECT_EQ(ReadCurationFile(dir.path(), kLines, kSha).error, "not a regular file");
}

TEST(CurationTest, Sha256GivesTheStandardVectors) {
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", kSha},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},  // one block just full
  };
  // clang-format on
  for (const auto& [bytes, hex] : cases) EXPECT_EQ(Sha256Hex(bytes), hex) << bytes;
}

}  // namespace
}  // namespace orniva
