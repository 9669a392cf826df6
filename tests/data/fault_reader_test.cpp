// The data file reader: line splitting, the number grammar, the field
// checks, the error log VORN.log and its message, and hostile input.
#include "data/fault_reader.h"

#include <bitset>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <limits>
#include <locale>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_error.h"
#include "platform/messages.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

using test::MessageRecorder;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using Lines = std::vector<std::string>;

constexpr std::uint8_t kFaz = kFazCheck, kFpl = kFplCheck, kSaz = kSazCheck, kSpl = kSplCheck,
                       kSense = kSenseCheck, kAll = kFaz | kFpl | kSaz | kSpl | kSense;
const char kErrorMessage[] = "Data file has at least one error.\r\nConsult the file VORN.log.";
// Expected value standing for any value past every range check (never NaN).
constexpr float kPastRange = std::numeric_limits<float>::infinity();

// The bytes of a literal, NULs included.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

void ExpectValue(float got, float expected) {
  if (std::isinf(expected))
    EXPECT_TRUE(!std::isnan(got) && (std::isinf(got) || std::fabs(got) > 360)) << got;
  else
    EXPECT_EQ(got, expected);
}

void ExpectFileError(const std::function<void()>& call, const std::string& path,
                     FileError::Action action) {
  try {
    call();
    ADD_FAILURE() << "no FileError for " << path;
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_EQ(e.action(), action);
    EXPECT_FALSE(e.reason().empty());
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(e.reason()), std::string::npos) << e.what();
  }
}

// Checks `lines` into a freshly sized set, as the load does.
FaultSet Checked(const Lines& lines, Lines* failures = nullptr) {
  FaultSet set;
  set.Recreate(std::int16_t(lines.size()));
  Lines log = CheckFaultLines(lines, set);
  if (failures) *failures = std::move(log);
  return set;
}

// Checks each datum's status against its failed checks and returns the log
// lines that the failed checks call for.
Lines ExpectedFailures(const FaultSet& set) {
  static const char* const kNames[] = {"faz", "fpl", "saz", "spl", "sense"};
  Lines out;
  for (std::size_t i = 1; i <= std::size_t(set.count()); ++i) {
    std::string last;
    for (int bit = 0; bit < 5; ++bit) {
      if (!(set[i].failedChecks & (1 << bit))) continue;
      last = std::string(kNames[bit]) + " invalid";
      out.push_back("  " + last + " at line #" + std::to_string(i));
    }
    EXPECT_EQ(set[i].status, last) << "datum " << i;
    EXPECT_LE(set[i].sense.size(), 1u) << "datum " << i;
  }
  return out;
}

// ---- SplitDataLines and ReadDataLines

TEST(SplitDataLines, Splits) {
  std::string every;  // every byte but the breaks and NUL
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n') every += char(c);
  const std::pair<std::string, Lines> rows[] = {
      {"", {}},
      {"a\r\nb\r\nc", {"a", "b", "c"}},
      {"a\nb\nc", {"a", "b", "c"}},
      {"a\rb\rc", {"a", "b", "c"}},
      {"a\r\nb\r\n", {"a", "b"}},  // a final break adds no line
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"\n", {""}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR ends two lines
      {"a\n\r", {"a", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\n\nb\n", {"a", "", "", "b"}},
      {"  a \t\n\t\n", {"  a \t", "\t"}},
      {Bytes("a\nb\0c\nd"), {"a", "b"}},  // NUL ends the text
      {Bytes("a\n\0b"), {"a"}},
      {every + "\r\n" + every, {every, every}},
  };
  for (const auto& [text, lines] : rows) {
    SCOPED_TRACE(testing::PrintToString(text.substr(0, 20)));
    EXPECT_EQ(SplitDataLines(text), lines);
  }
}

TEST(ReadDataLines, ReadsTheFileIntoLines) {
  TempDir dir;
  const std::string path = dir.File("mixed.fdt");
  WriteFile(path, "120 45 200 30 N\r\n10 20 30 40 s\n\r\n\n\xE9\xB0 x\r");
  EXPECT_EQ(ReadDataLines(path),
            (Lines{"120 45 200 30 N", "10 20 30 40 s", "", "", "\xE9\xB0 x"}));
}

TEST(ReadDataLines, CountsTheLargestAcceptedFileAndOneLineMore) {
  // The limit itself is the load's business; the reader must count right.
  TempDir dir;
  const std::string path = dir.File("count.fdt");
  for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
    for (const std::size_t count : {32760u, 32761u}) {
      SCOPED_TRACE(testing::Message() << count << " " << testing::PrintToString(lineBreak));
      WriteFile(path, Repeat(std::string("120 45 200 30 N") + lineBreak, count));
      const Lines lines = ReadDataLines(path);
      ASSERT_EQ(lines.size(), count);
      EXPECT_EQ(lines.back(), "120 45 200 30 N");
    }
  }
  WriteFile(path, Repeat("\r\n", 32761));  // blank lines count too
  EXPECT_EQ(ReadDataLines(path).size(), 32761u);
}

TEST(ReadDataLines, UnreadablePathThrowsFileErrorNamingThePathAndReason) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder.fdt"));
  for (const std::string& path : {dir.File("no such file.fdt"), dir.File("folder.fdt")})
    ExpectFileError([&] { ReadDataLines(path); }, path, FileError::Action::Read);
}

// ---- ReadNumberToken: the number grammar and the remainder

TEST(ReadNumberToken, ConvertsTheToken) {
  struct Row {
    std::string token;
    bool ok;
    float value;  // the converted value, or the failed-conversion value
  };
  const Row rows[] = {
      {"12", true, 12},
      {"12.5", true, 12.5f},
      {".5", true, 0.5f},
      {"5.", true, 5},
      {"1.2e1", true, 12},
      {"1.2E1", true, 12},
      {"25e+1", true, 250},
      {"+3", true, 3},
      {"-7.25", true, -7.25f},
      {".", true, 0},  // both digit runs may be empty
      {"e5", true, 0},
      {"0.1", true, 0.1f},  // rounded to float
      {"89.99999999999999999999", true, 90},
      {"1e38", true, 1e38f},
      {"1e-50", true, 0},
      {"0e999999999999999999999999999999", true, 0},
      {"1e-99999999999999999999", true, 0},
      {"0." + std::string(500, '0') + "1", true, 0},
      // Past the float range: numbers whose range check fails.
      {"3.5e38", true, kPastRange},
      {"-1e39", true, kPastRange},
      {"1e999999999999999999999", true, kPastRange},
      {"1" + std::string(500, '0'), true, kPastRange},
      // Not numbers: the digits read before the failure, as one whole number.
      {"", false, 0},
      {"-", false, 0},
      {"1,5", false, 1},
      {"1.2.3", false, 12},
      {"--5", false, 0},
      {"12.5x", false, 125},
      {"-7x", false, 7},
      {"1.5e", false, 15},
      {"1.5e5x", false, 15},
      {"x12", false, 0},
      {"0x10", false, 0},
      {"inf", false, 0},
      {std::string(500, '9') + "x", false, kPastRange},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("\"" + row.token.substr(0, 40) + "\"");
    std::string remainder = row.token + " 45 rest";
    bool ok = !row.ok;
    ExpectValue(ReadNumberToken(remainder, ok), row.value);
    EXPECT_EQ(ok, row.ok);
    EXPECT_EQ(remainder, "45 rest");
  }
  std::string remainder = "-0 x";
  bool ok = false;
  const float minusZero = ReadNumberToken(remainder, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(minusZero, 0.0f);
  EXPECT_TRUE(std::signbit(minusZero));
}

// The token runs up to the first space; the rest from that space on is
// trimmed of characters of code 32 or less at both ends.
TEST(ReadNumberToken, ShortensTheRemainder) {
  struct Row {
    std::string before;
    bool ok;
    float value;
    std::string after;
  };
  const Row rows[] = {
      {"12 34 56", true, 12, "34 56"},
      {"12     34  ", true, 12, "34"},
      {"12 \t\x01\x1F 34\t\r", true, 12, "34"},
      {"12 \t \t", true, 12, ""},
      {"12 a \t b ", true, 12, "a \t b"},
      {"12 \xA0\xB0 \xFF", true, 12, "\xA0\xB0 \xFF"},  // 8-bit bytes are not trimmed
      {"12", false, 0, "12"},                           // no space: the token is empty
      {"\t12\t", false, 0, "12"},
      {" 12 34", false, 0, "12 34"},
      {"120\t45 200", false, 120, "200"},  // a tab does not end the token
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.before));
    std::string remainder = row.before;
    bool ok = !row.ok;
    EXPECT_EQ(ReadNumberToken(remainder, ok), row.value);
    EXPECT_EQ(ok, row.ok);
    EXPECT_EQ(remainder, row.after);
  }
}

// The period stays the decimal separator when the user's locale uses a comma.
class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* candidate : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
      if (!std::setlocale(LC_ALL, candidate)) continue;
      const bool comma = std::string(std::localeconv()->decimal_point) == ",";
      std::setlocale(LC_ALL, saved_.c_str());
      if (comma) {
        name_ = candidate;
        return;
      }
    }
    GTEST_SKIP() << "no locale with a decimal comma is installed (locale -a)";
  }
  void TearDown() override {
    std::locale::global(savedGlobal_);
    std::setlocale(LC_ALL, saved_.c_str());
  }

  static void ExpectPeriodSeparator() {
    std::string remainder = "1,5 1";
    bool ok = true;
    EXPECT_EQ(ReadNumberToken(remainder, ok), 1.0f);  // the comma is no separator
    EXPECT_FALSE(ok);
    const FaultSet set = Checked({"120.5 45.25 200.75 30.5 N"});
    EXPECT_EQ(set[1].fpl, 45.25f);
    EXPECT_EQ(set[1].saz, 200.75f);
    EXPECT_EQ(set[1].failedChecks, 0u);
  }

  std::string name_;

 private:
  std::string saved_ = std::setlocale(LC_ALL, nullptr);
  std::locale savedGlobal_;
};

TEST_F(CommaLocale, SetLocale) {
  ASSERT_NE(std::setlocale(LC_ALL, name_.c_str()), nullptr);
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  ExpectPeriodSeparator();
}

TEST_F(CommaLocale, NumericCategoryOnly) {
  ASSERT_NE(std::setlocale(LC_NUMERIC, name_.c_str()), nullptr);
  ExpectPeriodSeparator();
}

TEST_F(CommaLocale, GlobalCppLocale) {
  std::locale::global(std::locale(name_.c_str()));
  ExpectPeriodSeparator();
}

// ---- CheckFaultLines: one line's fields, status, failed checks and log lines.

TEST(CheckFaultLines, FieldsStatusAndFailedChecks) {
  struct Row {
    std::string line;
    float faz, fpl, saz, spl;
    std::string sense, status;
    std::uint8_t failed;
  };
  const Row rows[] = {
      {"120 45 200 30 N", 120, 45, 200, 30, "N", "", 0},
      {"   120   45  200    30   normal fault, see sketch 4", 120, 45, 200, 30, "N", "", 0},
      {"\t\x01 120 45 200 30 r\t \r", 120, 45, 200, 30, "R", "", 0},
      {"120 \t45 \t\t200 \t30 \tN", 120, 45, 200, 30, "N", "", 0},  // space then tabs separate
      {"360 90 360 90 R", 360, 90, 360, 90, "R", "", 0},
      {"0 -0 -.0 -0e5 S", 0, 0, 0, 0, "S", "", 0},
      {". 45 . 30 S", 0, 45, 0, 30, "S", "", 0},
      {"360.00001 90.000001 -1e-50 90.000001 D", 360, 90, 0, 90, "D", "", 0},  // stored float
      {"120 95 200 30 R", 120, 95, 200, 30, "R", "fpl invalid", kFpl},
      {"370 -5 200 30 Q", 370, -5, 200, 30, "Q", "sense invalid", kFaz | kFpl | kSense},
      {"120 45 200 30", 120, 45, 200, 0, "3", "sense invalid", kSpl | kSense},
      // "120<TAB>45" is one token, failing with 120; the later fields shift.
      {"120\t45 200 30 N", 120, 200, 30, 0, "N", "spl invalid", kFaz | kFpl | kSpl},
      {"1e39 45 200 30 N", kPastRange, 45, 200, 30, "N", "faz invalid", kFaz},
      {"12.5x 45 200 30 N", 125, 45, 200, 30, "N", "faz invalid", kFaz},
      {"360.5 45 200 30 N", 360.5f, 45, 200, 30, "N", "faz invalid", kFaz},
      {"120 45 360.001 30 N", 120, 45, 360.001f, 30, "N", "saz invalid", kSaz},
      {"120 91 200 91 N", 120, 91, 200, 91, "N", "spl invalid", kFpl | kSpl},  // the last one
      {"120 45 200 30 Xnormal", 120, 45, 200, 30, "X", "sense invalid", kSense},
      {"120 45 200 30 \xE9", 120, 45, 200, 30, "\xE9", "sense invalid", kSense},
      {"N", 0, 0, 0, 0, "N", "spl invalid", kFaz | kFpl | kSaz | kSpl},
      {"", 0, 0, 0, 0, "", "sense invalid", kAll},
      {" \t  \t\t   ", 0, 0, 0, 0, "", "sense invalid", kAll},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.line));
    Lines log;
    const FaultSet set = Checked({row.line}, &log);
    const TFaultData& d = set[1];
    ExpectValue(d.faz, row.faz);
    ExpectValue(d.fpl, row.fpl);
    ExpectValue(d.saz, row.saz);
    ExpectValue(d.spl, row.spl);
    EXPECT_EQ(d.sense, row.sense);
    EXPECT_EQ(d.status, row.status);
    EXPECT_EQ(std::bitset<8>(d.failedChecks), std::bitset<8>(row.failed));
    EXPECT_EQ(log, ExpectedFailures(set));
    EXPECT_EQ(d.colour, 0u);  // colours are assigned later
    EXPECT_TRUE(set[0].faz == 0 && set[0].sense.empty() && set[0].failedChecks == 0);
  }
}

TEST(CheckFaultLines, LineNumbersPastTenThousand) {
  Lines lines(12345, "120 45 200 30 N"), log;
  lines.back() = "120 45 200 30 Q";
  Checked(lines, &log);
  EXPECT_EQ(log, Lines{"  sense invalid at line #12345"});
}

// ---- The log: path, name, content, and the message

TEST(LogPath, IsTheDataFolderPlusVornLog) {
  const std::string cases[][3] = {
      {"/home/geo/field 2023/site.fdt", "/home/geo/field 2023/VORN.log", "site.fdt"},
      {"/site.fdt", "/VORN.log", "site.fdt"},
      {"site.fdt", "VORN.log", "site.fdt"},
      {"a.b/c.d.fdt", "a.b/VORN.log", "c.d.fdt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    EXPECT_EQ(LogPathFor(c[0]), c[1]);
    EXPECT_EQ(FileNameOf(c[0]), c[2]);
  }
}

class ParseFaultLinesTest : public ::testing::Test {
 protected:
  // Sizes the set for `lines` as the load does and parses them as `name`.
  std::string Parse(const Lines& lines, const std::string& name = "site.fdt") {
    set.Recreate(std::int16_t(lines.size()));
    return ParseFaultLines(lines, dir.File(name), set);
  }
  std::string Log() const { return ReadFile(dir.File("VORN.log")); }

  TempDir dir;
  MessageRecorder messages;
  FaultSet set;
};

TEST_F(ParseFaultLinesTest, CleanFileReplacesAnEarlierLogWithNoErrorAndShowsNoMessage) {
  WriteFile(dir.File("VORN.log"), Repeat("an older, much longer log\r\n", 100));
  EXPECT_EQ(Parse({"120 45 200 30 N", "  10   20 30 40 sinistral"}), dir.File("VORN.log"));
  EXPECT_EQ(Log(), "site.fdt\r\nNo error\r\n");
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(set[2].sense, "S");
}

TEST_F(ParseFaultLinesTest, BadLinesLoggedByteExactAndMessageShownOnce) {
  Parse({"120 45 200 30 N", "10 20 30 40 s", "120 95 200 30 R", "", "370 -5 200 30 Q"});
  EXPECT_EQ(Log(),
            "site.fdt\r\n"
            "  fpl invalid at line #3\r\n"
            "  faz invalid at line #4\r\n"
            "  fpl invalid at line #4\r\n"
            "  saz invalid at line #4\r\n"
            "  spl invalid at line #4\r\n"
            "  sense invalid at line #4\r\n"
            "  faz invalid at line #5\r\n"
            "  fpl invalid at line #5\r\n"
            "  sense invalid at line #5\r\n");
  EXPECT_EQ(messages.messages, Lines{kErrorMessage});
  EXPECT_EQ(set[3].status, "fpl invalid");
  EXPECT_EQ(set[4].sense, "");
}

TEST_F(ParseFaultLinesTest, MessageComesAfterTheLogIsWritten) {
  struct LogReader : MessageSink {
    void ShowMessage(const std::string&) override { logAtMessage = ReadFile(path); }
    std::string path, logAtMessage;
  } reader;
  reader.path = dir.File("VORN.log");
  MessageSink* previous = InstallMessageSink(&reader);
  Parse({"370 45 200 30 N"});
  InstallMessageSink(previous);
  EXPECT_EQ(reader.logAtMessage, "site.fdt\r\n  faz invalid at line #1\r\n");
}

TEST_F(ParseFaultLinesTest, EmptyFileLogsNameAndNoError) {
  WriteFile(dir.File("empty.fdt"), "");
  Parse(ReadDataLines(dir.File("empty.fdt")), "empty.fdt");
  EXPECT_EQ(set.count(), 0);
  EXPECT_EQ(Log(), "empty.fdt\r\nNo error\r\n");
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ParseFaultLinesTest, UnwritableLogThrowsAfterFillingTheDataAndShowsNoMessage) {
  // A folder in the log's place cannot be opened for writing, even as root.
  std::filesystem::create_directory(dir.File("VORN.log"));
  const struct {
    std::string name, log;
    Lines lines;
  } cases[] = {
      {"site.fdt", "VORN.log", {"370 45 200 30 N", "120 45 200 30 r"}},
      {"gone/site.fdt", "gone/VORN.log", {"120 45 200 30 N", "120 45 200 30 r"}},  // no folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectFileError([&] { Parse(c.lines, c.name); }, dir.File(c.log), FileError::Action::Write);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(set[1].fpl, 45.0f);
    EXPECT_EQ(set[2].sense, "R");
  }
  EXPECT_EQ(set[1].faz, 120.0f);  // from the second file
}

TEST(WriteTextFile, FailureAtCloseThrowsFileError) {
  // The text fits the stream's buffer: the full device refuses it at close.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ExpectFileError([] { WriteTextFile("/dev/full", "site.fdt\r\nNo error\r\n"); }, "/dev/full",
                  FileError::Action::Write);
}

// ---- Hostile input: nothing crashes or hangs, and every bad field is logged.

// Reads `text` as file `name`, parses it and checks the log against the data.
FaultSet LoadHostile(const std::string& name, const std::string& text) {
  TempDir dir;
  const std::string path = dir.File(name);
  WriteFile(path, text);
  const Lines lines = ReadDataLines(path);
  EXPECT_LE(lines.size(), std::size_t(FaultSet::kMaxCount));
  FaultSet set;
  set.Recreate(std::int16_t(lines.size()));
  ParseFaultLines(lines, path, set);
  const Lines failures = ExpectedFailures(set);
  std::string log = name + "\r\n" + (failures.empty() ? "No error\r\n" : "");
  for (const std::string& line : failures) log += line + "\r\n";
  EXPECT_EQ(ReadFile(dir.File("VORN.log")), log);
  return set;
}

TEST(HostileInput, EveryBadFieldIsLogged) {
  const std::pair<std::string, std::size_t> cases[] = {
      {"\x01\x02\x03\x1F", 5},
      {"\xFF\xFE\xFD \x80 \x90 \xA0 \xB0", 5},
      {"\xA0" "120 45 200 30 N\xA0", 1},
      {Repeat(std::string(500, '5') + "z ", 4) + "R", 4},
      {"1e999999999999999999999 0e99999999999 1e-99999999999999999999 45 R", 1},
      {"inf nan 0x10 1,5 d", 4},
  };
  MessageRecorder messages;
  std::string text;
  for (const auto& c : cases) text += c.first + "\n";
  // A NUL in the middle of the last line ends the text there.
  const FaultSet set = LoadHostile("hostile.fdt", text + Bytes("120 45 200 30 N\0 tail\n9 Q\n"));
  ASSERT_EQ(std::size_t(set.count()), std::size(cases) + 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(std::bitset<8>(set[i + 1].failedChecks).count(), cases[i].second);
  }
  EXPECT_EQ(set[set.count()].failedChecks, 0u);  // the line cut by the NUL is clean
  EXPECT_EQ(messages.messages, Lines{kErrorMessage});
}

TEST(HostileInput, RandomBinaryFile) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 120), kind(0, 3);
  std::string text;
  for (int line = 0; line < 2000; ++line) {
    for (int i = length(random); i > 0; --i) {
      int c = byte(random);
      if (kind(random) == 0) c = ' ';  // plenty of separators
      else if (kind(random) == 0) c = "0123456789.eE+-"[c % 15];
      text += char(c ? c : 1);  // NUL would end the text
    }
    text += "\r\n";
  }
  MessageRecorder messages;
  const FaultSet set = LoadHostile("random.fdt", text);
  EXPECT_GE(set.count(), 2000);  // lone CR and LF bytes add lines
  EXPECT_LE(messages.messages.size(), 1u);
}

TEST(HostileInput, OneMegabyteLines) {
  MessageRecorder messages;
  const std::string digits(1 << 20, '9');
  const FaultSet set =
      LoadHostile("mega.fdt", Repeat("1 ", 1 << 19) + "\r\n" + digits + " 45 200 30 N\r\n" +
                                  digits + "\r\n" + std::string(1 << 20, ' ') + "\r\n");
  ASSERT_EQ(set.count(), 4);
  EXPECT_EQ(set[1].fpl, 1.0f);
  const std::pair<std::uint8_t, std::string> expected[] = {
      {kSense, "1"}, {kFaz, "N"}, {kAll, "9"}, {kAll, ""}};
  for (std::size_t i = 1; i <= 4; ++i) {
    EXPECT_EQ(std::bitset<8>(set[i].failedChecks), std::bitset<8>(expected[i - 1].first)) << i;
    EXPECT_EQ(set[i].sense, expected[i - 1].second) << i;
  }
}

}  // namespace
}  // namespace orniva
