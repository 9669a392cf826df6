// The data file reader: line splitting, the number grammar, the field
// checks, the load of a file and the error log VORN.log.
#include "data/fault_reader.h"

#include <cstring>
#include <bitset>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/file_error.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

using namespace test;
using Lines = std::vector<std::string>;

constexpr std::uint8_t kFaz = kFazCheck, kFpl = kFplCheck, kSaz = kSazCheck, kSpl = kSplCheck,
                       kSense = kSenseCheck, kAll = kFaz | kFpl | kSaz | kSpl | kSense;
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(SplitDataLines, Splits) {
  std::string every;  // every byte but the breaks and NUL
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n') every += char(c);
  // clang-format off
  const std::pair<std::string, Lines> rows[] = {
      {"", {}}, {"a\r\nb\r\nc", {"a", "b", "c"}}, {"a\nb\nc", {"a", "b", "c"}},
      {"a\rb\rc", {"a", "b", "c"}},
      {"a\r\nb\r\n", {"a", "b"}}, {"a\nb\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}},  // no last line
      {"\n", {""}}, {"a\n\rb", {"a", "", "b"}}, {"a\n\r", {"a", ""}},  // LF CR ends two lines
      {"a\r\r\nb", {"a", "", "b"}}, {"a\n\n\nb\n", {"a", "", "", "b"}},
      {"  a \t\n\t\n", {"  a \t", "\t"}}, {every + "\r\n" + every, {every, every}},
      {std::string("a\nb\0c\nd", 7), {"a", "b"}}, {std::string("a\n\0b", 4), {"a"}},  // NUL ends
  };
  // clang-format on
  for (const auto& [text, lines] : rows)
    EXPECT_EQ(SplitDataLines(text), lines) << testing::PrintToString(text.substr(0, 20));
}

// How a line checks, as text: the log lines and every field of its datum,
// the numbers by their bits.
std::string CheckedAs(const std::string& line) {
  FaultSet set;
  set.Recreate(1);
  std::string text;
  for (const std::string& failure : CheckFaultLines({line}, set)) text += failure + "|";
  const TFaultData& d = set[1];
  for (const float value : {d.faz, d.fpl, d.saz, d.spl}) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    text += std::to_string(bits) + " ";
  }
  return text + d.sense + "|" + d.status + "|" + std::to_string(d.failedChecks);
}

// A line too long to keep comes back short and checks exactly as it would
// whole: the numbers' digits past what can round, exponents past the range,
// what follows a failure or the sense, blank runs.
TEST(SplitDataLines, HoldsALongLineShortCheckingTheSame) {
  const std::string pad(300, ' '), tail = " 45 200 30 N";
  // clang-format off
  std::vector<std::string> rows = {
      "0." + std::string(20000, '0') + "1e20005" + tail,          // 10000
      "1" + std::string(15000, '0') + "e-15000" + tail,           // 1
      "-" + std::string(5000, '0') + "7.25" + std::string(5000, '0') + tail,
      // Halfway between two long doubles, and a hair above it: the float differs.
      "1.0000000596046447754448351086242752217003726400434970855712890625" + tail + pad,
      "1.0000000596046447754448351086242752217003726400434970855712890625" +
          std::string(12100, '0') + "1" + tail,
      "5e" + std::string(300, '0') + "1" + tail, "5e" + std::string(300, '9') + tail,
      "5e-" + std::string(300, '9') + tail, "." + std::string(400, '0') + "e9" + tail,
      std::string(50, '1') + "x" + tail + pad, std::string(40, '9') + "x" + tail + pad,
      "1" + std::string(37, '0') + "x5" + tail + pad, "-12.5e" + pad + tail, "+" + pad + "5" + tail,
      pad + "120 45 200 30 N", "120" + pad + "45\t" + pad + "200 30 r", "120\t" + pad + tail,
      "120 45 200 30 N" + std::string(100000, 'x'), "120 45 200 30" + pad,
      "120 45" + std::string(300, '\t') + "200 30 N", std::string(1000, 'x'), pad,
      std::string(1000000, '1'), std::string(1000000, '1') + "e-999990" + tail,
  };
  // clang-format on
  std::mt19937 random(7);
  const char* atoms[] = {"0", "1", "5",  "9", ".", "e", "E",   "+",
                         "-", " ", "\t", "x", "N", "r", "\x01"};
  const std::size_t runs[] = {1, 1, 1, 2, 3, 40, 300, 12100};
  for (int n = 0; n < 1500; ++n) {
    std::string line;
    while (line.size() <= 256 || random() % 4)
      line += Repeat(atoms[random() % std::size(atoms)],
                     runs[random() % std::size(runs)] >> (random() % 2) * 3);
    rows.push_back(line);
  }
  for (const std::string& line : rows) {
    const Lines held = SplitDataLines(line);
    ASSERT_EQ(held.size(), 1u);
    EXPECT_LE(held[0].size(), 600u);
    EXPECT_EQ(CheckedAs(held[0]), CheckedAs(line))
        << testing::PrintToString(line.substr(0, 60)) << " held as "
        << testing::PrintToString(held[0]);
  }
}

// The token runs up to the first space; the rest is trimmed of codes <= 32.
// A failed conversion gives the digits read before the failure as one
// whole number, unsigned.
TEST(ReadNumberToken, GrammarFailedValueAndRemainder) {
  struct Row {
    std::string before;
    bool ok;
    float value;
    std::string after;
  };
  // clang-format off
  const Row rows[] = {
      {"12 x", true, 12, "x"}, {"12.5 x", true, 12.5f, "x"}, {".5 x", true, 0.5f, "x"},
      {"5. x", true, 5, "x"}, {"1.2e1 x", true, 12, "x"}, {"1.2E1 x", true, 12, "x"},
      {"25e+1 x", true, 250, "x"}, {"25e-1 x", true, 2.5f, "x"}, {"+3 x", true, 3, "x"},
      {"-7.25 x", true, -7.25f, "x"}, {"-0 x", true, -0.0f, "x"}, {"-. x", true, -0.0f, "x"},
      {". x", true, 0, "x"}, {"e5 x", true, 0, "x"}, {"89.99999999999999999999 x", true, 90, "x"},
      {"3.5e38 x", true, kInf, "x"}, {"-1e39 x", true, -kInf, "x"},  // past the float range
      {"- x", false, 0, "x"}, {"1,5 x", false, 1, "x"}, {"1.2.3 x", false, 12, "x"},
      {"--5 x", false, 0, "x"}, {"12.5x x", false, 125, "x"}, {"-7x x", false, 7, "x"},
      {"1.5e x", false, 15, "x"}, {"1.5e+ x", false, 15, "x"}, {"1.5e5x x", false, 15, "x"},
      {"inf x", false, 0, "x"},
      {"12     34  ", true, 12, "34"}, {"12 \t\x01\x1F 34\t\r", true, 12, "34"},
      {"12 \t \t", true, 12, ""},   {"12 a \t b ", true, 12, "a \t b"},
      {"12 \xA0\xB0 \xFF", true, 12, "\xA0\xB0 \xFF"},  // 8-bit bytes are not trimmed
      {"12", false, 0, "12"}, {"\t12\t", false, 0, "12"},  // no space: empty token, rest stays
      {" 12 34", false, 0, "12 34"}, {"120\t45 200", false, 120, "200"},  // a tab ends no token
  };
  // clang-format on
  for (const Row& row : rows) {
    std::string remainder = row.before;
    bool ok = !row.ok;
    const float value = ReadNumberToken(remainder, ok);
    EXPECT_TRUE(value == row.value && std::signbit(value) == std::signbit(row.value) &&
                ok == row.ok && remainder == row.after)
        << testing::PrintToString(row.before) << " gave " << value << " " << ok << " "
        << testing::PrintToString(remainder);
  }
}

// The period stays the decimal separator when the user's locale uses a comma.
TEST(ReadNumberToken, PeriodUnderACommaLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "de_DE.utf8"))
      << "de_DE.UTF-8 is not installed (scripts/test.sh generates it)";
  const std::string separator = std::localeconv()->decimal_point;
  FaultSet set;
  LoadFaultLines({"120.5 45.25 200.75 30.5 N"}, set);
  std::setlocale(LC_ALL, saved.c_str());
  ASSERT_EQ(separator, ",");
  ASSERT_EQ(set.count(), 1);
  EXPECT_TRUE(set[1].fpl == 45.25f && set[1].failedChecks == 0) << set[1].fpl;
}

TEST(CheckFaultLines, FieldsStatusAndFailedChecks) {
  struct Row {
    std::string line;
    std::vector<float> values;
    std::string sense, status;
    std::uint8_t failed;
  };
  // clang-format off
  const Row rows[] = {
      {"120 45 200 30 N", {120, 45, 200, 30}, "N", "", 0},
      {"   120   45  200    30   normal fault, see sketch 4", {120, 45, 200, 30}, "N", "", 0},
      {"\t\x01 120 45 200 30 r\t \r", {120, 45, 200, 30}, "R", "", 0},  // trimmed, upper-cased
      {"120 \t45 \t\t200 \t30 \tN", {120, 45, 200, 30}, "N", "", 0},  // a space then tabs
      {"360 90 360 90 R", {360, 90, 360, 90}, "R", "", 0},
      {"0 -0 -.0 -0e5 S", {0, 0, 0, 0}, "S", "", 0},
      {"360.00001 90.000001 -1e-50 90.000001 D", {360, 90, 0, 90}, "D", "", 0},  // stored float
      {"360.5 45 200 30 N", {360.5f, 45, 200, 30}, "N", "faz invalid", kFaz},
      {"120 95 200 30 R", {120, 95, 200, 30}, "R", "fpl invalid", kFpl},
      {"120 45 360.001 30 N", {120, 45, 360.001f, 30}, "N", "saz invalid", kSaz},
      {"120 45 200 -1 N", {120, 45, 200, -1}, "N", "spl invalid", kSpl},
      {"370 -5 200 30 Q", {370, -5, 200, 30}, "Q", "sense invalid", kFaz | kFpl | kSense},
      {"120 91 200 91 N", {120, 91, 200, 91}, "N", "spl invalid", kFpl | kSpl},  // the last
      // The last number needs a space after it; the sense takes its place.
      {"120 45 200 30", {120, 45, 200, 0}, "3", "sense invalid", kSpl | kSense},
      // "120<TAB>45" is one token, failing with 120; the later fields shift.
      {"120\t45 200 30 N", {120, 200, 30, 0}, "N", "spl invalid", kFaz | kFpl | kSpl},
      {"120 45 200 30 Xnormal", {120, 45, 200, 30}, "X", "sense invalid", kSense},
      {"120 45 200 30 \xE9", {120, 45, 200, 30}, "\xE9", "sense invalid", kSense},  // a-z only
      {"N", {0, 0, 0, 0}, "N", "spl invalid", kFaz | kFpl | kSaz | kSpl},
      {"", {0, 0, 0, 0}, "", "sense invalid", kAll},
      {" \t  \t\t   ", {0, 0, 0, 0}, "", "sense invalid", kAll},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.line));
    FaultSet set;
    LoadFaultLines({row.line}, set);
    ASSERT_EQ(set.count(), 1);
    const TFaultData& d = set[1];
    EXPECT_EQ((std::vector<float>{d.faz, d.fpl, d.saz, d.spl}), row.values);
    EXPECT_TRUE(d.sense == row.sense && d.status == row.status) << d.sense << "|" << d.status;
    EXPECT_EQ(std::bitset<8>(d.failedChecks), std::bitset<8>(row.failed));
  }
}

// More than 32760 lines are refused, blank ones included. Reading stops
// where the outcome is known: at the first NUL, or as line 32761 begins,
// however much follows (gigabytes of a sparse file's zeros).
TEST(ReadDataFile, RefusesMoreThan32760LinesReadingOnlyAsFarAsNeeded) {
  TempDir dir;
  const std::string path = dir.File("big.fdt");
  // clang-format off
  const struct { std::string head; bool zeros; std::size_t lines; bool tooMany; } rows[] = {
      {Repeat("120 45 200 30 N\r\n", 32761), false, 0, true}, {Repeat("\n", 32761), false, 0, true},
      {"120 45 200 30 N\r\n90 10 0 5 R", true, 2, false},    // the NUL ends it
      {Repeat("1 2 3 4 N\n", 32760) + "\r", true, 0, true},   // line 32761 begins with its break
      {Repeat("1 2 3 4 N\r\n", 32760), true, 32760, false},   // no line 32761
  };
  // clang-format on
  for (const auto& row : rows) {
    WriteFile(path, row.head);
    if (row.zeros) std::filesystem::resize_file(path, std::uint64_t(3) << 30);
    const DataFileLines file = ReadDataFile(path);
    EXPECT_EQ(file.tooManyLines, row.tooMany) << row.head.size();
    if (row.tooMany) continue;
    EXPECT_EQ(file.lines.size(), row.lines);
  }
}

// A pipe is refused at once, never waited on; so is a folder.
TEST(ReadDataFile, RefusesWhatIsNotARegularFile) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.fdt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path, reason;
  } rows[] = {{fifo, "not a regular file"}, {dir.path(), "Is a directory"}};
  for (const auto& row : rows) {
    const FileError error = FileErrorOf([&] { ReadDataFile(row.path); });
    EXPECT_TRUE(error.path() == row.path && error.reason() == row.reason) << error.what();
  }
}

TEST(LogPathFor, IsTheDataFolderPlusVornLog) {
  const std::string cases[][3] = {
      {"/home/geo/field 2023/site.fdt", "/home/geo/field 2023/VORN.log", "site.fdt"},
      {"/site.fdt", "/VORN.log", "site.fdt"},
      {"site.fdt", "VORN.log", "site.fdt"},
      {"a.b/c.d.fdt", "a.b/VORN.log", "c.d.fdt"}};
  for (const auto& c : cases)
    EXPECT_TRUE(LogPathFor(c[0]) == c[1] && FileNameOf(c[0]) == c[2]) << c[0];
}

// VORN.log beside the data file, byte-exact, replacing an earlier longer one.
// A log that cannot be written (a folder in its place, even as root, or no
// such folder) gives logError; the data are checked and coloured all the same.
// One set for every file, as in the window: nothing of the file before stays.
TEST(CheckDataFile, WritesTheLogBesideTheDataFile) {
  // clang-format off
  const struct { std::string name, log; Lines lines; bool bad; std::string text; } cases[] = {
      {"sub/b.fdt", "sub/VORN.log", {"370 45 200 30 N"}, true, "b.fdt\r\n  faz invalid at line #1\r\n"},
      {"site.fdt", "VORN.log", {"120 45 200 30 N", "  10   20 30 40 sinistral"}, false,
       "site.fdt\r\nNo error\r\n"},
      {"site.fdt", "VORN.log", {}, false, "site.fdt\r\nNo error\r\n"},
      {"site.fdt", "VORN.log",
       {"120 45 200 30 N", "10 20 30 40 s", "120 95 200 30 R", "", "370 -5 200 30 Q"}, true,
       "site.fdt\r\n  fpl invalid at line #3\r\n  faz invalid at line #4\r\n"
       "  fpl invalid at line #4\r\n  saz invalid at line #4\r\n  spl invalid at line #4\r\n"
       "  sense invalid at line #4\r\n  faz invalid at line #5\r\n  fpl invalid at line #5\r\n"
       "  sense invalid at line #5\r\n"},
      {"blocked/site.fdt", "blocked/VORN.log", {"370 45 200 30 r"}, true, ""},
      {"gone/site.fdt", "gone/VORN.log", {"120 45 200 30 N"}, false, ""},
  };
  // clang-format on
  TempDir dir;
  std::filesystem::create_directories(dir.File("blocked/VORN.log"));
  std::filesystem::create_directory(dir.File("sub"));
  FaultSet set;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + " " + c.text);
    if (!c.text.empty()) WriteFile(dir.File(c.log), Repeat("an older, much longer log\r\n", 100));
    set[0] = {1, 1, 1, 1, "N", 7, "faz invalid", kAll};  // element 0 is never a datum
    const std::uint64_t before = set.generation();
    const CheckOutcome outcome = CheckDataFile(c.lines, dir.File(c.name), set);
    EXPECT_EQ(outcome.badFields, c.bad);
    EXPECT_NE(set.generation(), before);
    ASSERT_EQ(std::size_t(set.count()), c.lines.size());
    EXPECT_TRUE(set[0].sense.empty() && set[0].colour == 0 && set[0].failedChecks == 0);
    for (std::size_t i = 1; i <= c.lines.size(); ++i)
      EXPECT_TRUE(set[i].colour != 0 && (c.bad || (set[i].status.empty() && !set[i].failedChecks)));
    if (c.text.empty()) {
      ASSERT_TRUE(outcome.logError.has_value());
      const FileError& e = *outcome.logError;
      EXPECT_TRUE(e.path() == dir.File(c.log) && e.action() == FileError::Action::Write &&
                  !e.reason().empty())
          << e.what();
      EXPECT_TRUE(outcome.logPath.empty());
      continue;
    }
    EXPECT_FALSE(outcome.logError.has_value());
    EXPECT_EQ(outcome.logPath, dir.File(c.log));
    EXPECT_EQ(ReadFile(dir.File(c.log)), c.text);
  }
}

// A tab-separated table is named as such; every other file with a failed
// check gets the log's message alone, a file without one no message. A tab
// after a space separates as ever, and a line bad beyond its tabs is bad.
TEST(BadFieldsMessage, NamesATabSeparatedFile) {
  const std::string kTab = kTabSeparatedMessage, kBad = kBadFieldsMessage;
  const std::pair<Lines, std::string> cases[] = {
      {{"120\t45\t200\t30\tN"}, kTab},   {{"120 45 200 30 N", "10\t20\t30\t40\tS"}, kTab},
      {{"120 \t45 \t200 \t30 \tN"}, ""}, {{"120\t95\t200\t30\tN"}, kBad},
      {{"120,45,200,30,N"}, kBad},       {{"120 45 200 30 N"}, ""},
  };
  for (const auto& [lines, message] : cases) {
    FaultSet set;
    CheckOutcome outcome;
    outcome.badFields = !LoadFaultLines(lines, set).empty();
    outcome.tabSeparated = TabSeparated(lines, set);
    EXPECT_EQ(BadFieldsMessage(outcome), message) << lines.back();
  }
}

}  // namespace
}  // namespace orniva
