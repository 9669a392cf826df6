// The data file reader: line splitting, the number grammar, the field
// checks, the error log VORN.log and its message, and hostile input.
#include "data/fault_reader.h"

#include <unistd.h>

#include <bitset>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <locale>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "data/colours.h"
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

constexpr std::uint8_t kAllChecks = kFazCheck | kFplCheck | kSazCheck | kSplCheck | kSenseCheck;
const char kErrorMessage[] = "Data file has at least one error.\r\nConsult the file VORN.log.";

// The bytes of a literal, NULs included.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

// Checks `lines` into a freshly sized set, as the load does.
FaultSet Checked(const Lines& lines, Lines* failures = nullptr) {
  FaultSet set;
  set.Recreate(std::int16_t(lines.size()));
  Lines log = CheckFaultLines(lines, set);
  if (failures) *failures = std::move(log);
  return set;
}

// ===========================================================================
// SplitDataLines

struct SplitRow {
  const char* name;
  std::string text;
  Lines expected;
};

void PrintTo(const SplitRow& row, std::ostream* os) { *os << row.name; }

class SplitLines : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitLines, Splits) {
  const SplitRow& row = GetParam();
  EXPECT_EQ(SplitDataLines(row.text), row.expected);
}

const SplitRow kSplitRows[] = {
    {"Empty", "", {}},
    {"NoBreak", "120 45 200 30 N", {"120 45 200 30 N"}},
    {"CrLf", "a\r\nb\r\nc", {"a", "b", "c"}},
    {"Lf", "a\nb\nc", {"a", "b", "c"}},
    {"Cr", "a\rb\rc", {"a", "b", "c"}},
    {"MixedBreaks", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
    {"FinalCrLfAddsNoLine", "a\r\nb\r\n", {"a", "b"}},
    {"FinalLfAddsNoLine", "a\nb\n", {"a", "b"}},
    {"FinalCrAddsNoLine", "a\rb\r", {"a", "b"}},
    {"LfCrEndsTwoLines", "a\n\rb", {"a", "", "b"}},
    {"FinalLfCrEndsTwoLines", "a\n\r", {"a", ""}},
    {"LoneLfIsOneEmptyLine", "\n", {""}},
    {"LoneCrIsOneEmptyLine", "\r", {""}},
    {"LoneCrLfIsOneEmptyLine", "\r\n", {""}},
    {"TwoLfAreTwoEmptyLines", "\n\n", {"", ""}},
    {"CrCrLfIsTwoLines", "a\r\r\nb", {"a", "", "b"}},
    {"BlankLinesKept", "a\n\n\nb\n", {"a", "", "", "b"}},
    {"BlanksInsideLinesKept", "  a \t\n\t\n", {"  a \t", "\t"}},
    {"NulEndsText", Bytes("a\nb\0c\nd"), {"a", "b"}},
    {"NulInTheMiddleOfALine", Bytes("120 45\0 200 30 N\n1 2 3 4 N"), {"120 45"}},
    {"NulRightAfterBreak", Bytes("a\n\0b"), {"a"}},
    {"NulFirst", Bytes("\0a\nb"), {}},
    {"EightBitBytesKept", "\x80\xB0\xE9\xFF \xC2\xB0\n\xA0", {"\x80\xB0\xE9\xFF \xC2\xB0", "\xA0"}},
    {"ControlBytesKept", "\x01\x1A\x7F\t\x0B\x0C", {"\x01\x1A\x7F\t\x0B\x0C"}},
};

INSTANTIATE_TEST_SUITE_P(DataLines, SplitLines, ::testing::ValuesIn(kSplitRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SplitDataLines, EveryByteOtherThanBreaksAndNulIsKept) {
  std::string all;
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n') all += char(c);
  const Lines lines = SplitDataLines(all + "\r\n" + all);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], all);
  EXPECT_EQ(lines[1], all);
}

// ===========================================================================
// ReadDataLines

TEST(ReadDataLines, ReadsTheFileIntoLines) {
  TempDir dir;
  const std::string path = dir.File("mixed.fdt");
  WriteFile(path, "120 45 200 30 N\r\n10 20 30 40 s\n\r\n\n\xE9\xB0 x\r");
  EXPECT_EQ(ReadDataLines(path),
            (Lines{"120 45 200 30 N", "10 20 30 40 s", "", "", "\xE9\xB0 x"}));
}

TEST(ReadDataLines, EmptyFileHasNoLines) {
  TempDir dir;
  const std::string path = dir.File("empty.fdt");
  WriteFile(path, "");
  EXPECT_TRUE(ReadDataLines(path).empty());
}

TEST(ReadDataLines, LoneLineBreakIsOneEmptyLine) {
  TempDir dir;
  const std::string path = dir.File("one.fdt");
  WriteFile(path, "\n");
  EXPECT_EQ(ReadDataLines(path), Lines{""});
}

TEST(ReadDataLines, NulInTheFileEndsTheText) {
  TempDir dir;
  const std::string path = dir.File("nul.fdt");
  WriteFile(path, Bytes("120 45 200 30 N\n120 45\0 200 30 N\n370 0 0 0 Q\n"));
  EXPECT_EQ(ReadDataLines(path), (Lines{"120 45 200 30 N", "120 45"}));
}

TEST(ReadDataLines, CarriageReturnOnlyFile) {
  TempDir dir;
  const std::string path = dir.File("cr.fdt");
  WriteFile(path, Repeat("1 2 3 4 N\r", 1000));
  const Lines lines = ReadDataLines(path);
  ASSERT_EQ(lines.size(), 1000u);
  EXPECT_EQ(lines.front(), "1 2 3 4 N");
  EXPECT_EQ(lines.back(), "1 2 3 4 N");
}

TEST(ReadDataLines, OneMegabyteSingleLine) {
  TempDir dir;
  const std::string path = dir.File("long.fdt");
  std::string line = Repeat("1234567 ", 131072);  // 1 MiB
  WriteFile(path, line + "\r\n");
  const Lines lines = ReadDataLines(path);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), line.size());
  EXPECT_EQ(lines[0], line);
}

TEST(ReadDataLines, CountsTheLargestAcceptedFileAndOneLineMore) {
  // The limit itself is the load's business; the reader must count right.
  TempDir dir;
  struct Case {
    const char* name;
    std::string breakText;
    std::size_t lines;
  };
  const Case cases[] = {
      {"32760 CR LF", "\r\n", 32760}, {"32761 CR LF", "\r\n", 32761},
      {"32760 LF", "\n", 32760},      {"32761 LF", "\n", 32761},
      {"32760 CR", "\r", 32760},      {"32761 CR", "\r", 32761},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("count.fdt");
    WriteFile(path, Repeat("120 45 200 30 N" + c.breakText, c.lines));
    const Lines lines = ReadDataLines(path);
    ASSERT_EQ(lines.size(), c.lines);
    EXPECT_EQ(lines.back(), "120 45 200 30 N");
  }
  // Blank lines count too.
  const std::string path = dir.File("blank.fdt");
  WriteFile(path, Repeat("\r\n", 32761));
  EXPECT_EQ(ReadDataLines(path).size(), 32761u);
}

TEST(ReadDataLines, MissingFileThrowsFileErrorNamingThePath) {
  TempDir dir;
  const std::string path = dir.File("no such file.fdt");
  try {
    ReadDataLines(path);
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_EQ(e.action(), FileError::Action::Read);
    EXPECT_FALSE(e.reason().empty());
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(e.reason()), std::string::npos) << e.what();
  }
}

TEST(ReadDataLines, DirectoryThrowsFileError) {
  TempDir dir;
  const std::string path = dir.File("folder.fdt");
  std::filesystem::create_directory(path);
  try {
    ReadDataLines(path);
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_EQ(e.action(), FileError::Action::Read);
    EXPECT_FALSE(e.reason().empty());
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
}

// ===========================================================================
// ReadNumberToken: the number grammar

struct NumberRow {
  const char* name;
  std::string token;
  bool ok;
  float value;  // the converted value, or the failed-conversion value
};

void PrintTo(const NumberRow& row, std::ostream* os) { *os << row.name << " \"" << row.token << '"'; }

class NumberGrammar : public ::testing::TestWithParam<NumberRow> {};

TEST_P(NumberGrammar, ConvertsTheToken) {
  const NumberRow& row = GetParam();
  std::string remainder = row.token + " 45 rest";
  bool ok = !row.ok;
  const float value = ReadNumberToken(remainder, ok);
  EXPECT_EQ(ok, row.ok);
  EXPECT_EQ(value, row.value);
  EXPECT_EQ(remainder, "45 rest");
}

const NumberRow kNumberRows[] = {
    // Numbers.
    {"Integer", "12", true, 12},
    {"Decimal", "12.5", true, 12.5f},
    {"LeadingPeriod", ".5", true, 0.5f},
    {"TrailingPeriod", "5.", true, 5},
    {"Exponent", "1.2e1", true, 12},
    {"CapitalExponent", "1.2E1", true, 12},
    {"ExponentPlus", "25e+1", true, 250},
    {"ExponentMinus", "25e-1", true, 2.5f},
    {"ExponentLeadingZeros", "1e007", true, 1e7f},
    {"Plus", "+3", true, 3},
    {"Minus", "-7.25", true, -7.25f},
    {"MinusZero", "-0", true, 0},
    {"LonePeriod", ".", true, 0},
    {"MinusPeriod", "-.", true, 0},
    {"PlusPeriod", "+.", true, 0},
    {"ExponentOnly", "e5", true, 0},
    {"CapitalExponentWithSign", "E+5", true, 0},
    {"PeriodAndExponent", ".e2", true, 0},
    {"MinusExponentOnly", "-e3", true, 0},
    {"LeadingZeros", "0000360", true, 360},
    {"UpperLimit", "360", true, 360},
    {"ExtendedPrecisionRoundedToFloat", "0.1", true, 0.1f},
    {"ManyDecimals", "89.99999999999999999999", true, 90},
    {"TinyIsZero", "1e-50", true, 0},
    {"LargestDecimalExponent", "1e38", true, 1e38f},
    // Not numbers, with the digits read before the failure as one whole number.
    {"Empty", "", false, 0},
    {"LoneMinus", "-", false, 0},
    {"LonePlus", "+", false, 0},
    {"Comma", "1,5", false, 1},
    {"DegreeSignUtf8", "12\xC2\xB0", false, 12},
    {"DegreeSignLatin1", "12\xB0", false, 12},
    {"ExponentWithoutDigits", "1e", false, 1},
    {"ExponentSignWithoutDigits", "1e+", false, 1},
    {"ExponentTwoSigns", "1e+-5", false, 1},
    {"TwoPeriods", "1.2.3", false, 12},
    {"DoubleMinus", "--5", false, 0},
    {"PlusMinus", "+-5", false, 0},
    {"TrailingLetter", "12.5x", false, 125},
    {"SignNotApplied", "-7x", false, 7},
    {"PeriodNotApplied", "0.5x", false, 5},
    {"DecimalsRunTogether", "12.50e", false, 1250},
    {"ExponentMissing", "1.5e", false, 15},
    {"ExponentNotApplied", "1.5e5x", false, 15},
    {"DecimalExponent", "1e5.5", false, 1},
    {"TrailingSign", "5-", false, 5},
    {"LeadingLetter", "x12", false, 0},
    {"Letters", "abc", false, 0},
    {"PeriodThenLetter", ".x", false, 0},
    {"Hexadecimal", "0x10", false, 0},
    {"Infinity", "inf", false, 0},
    {"InfinityWord", "Infinity", false, 0},
    {"NotANumber", "nan", false, 0},
    {"TabInside", "12\t5", false, 12},
    {"ControlByte", "12\x01", false, 12},
};

INSTANTIATE_TEST_SUITE_P(ReadNumberToken, NumberGrammar, ::testing::ValuesIn(kNumberRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadNumberToken, MinusZeroKeepsItsSign) {
  std::string remainder = "-0 x";
  bool ok = false;
  const float value = ReadNumberToken(remainder, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(value, 0.0f);
  EXPECT_TRUE(std::signbit(value));
}

TEST(ReadNumberToken, ValueTooLargeForAFloatIsPastTheRange) {
  const std::string tokens[] = {"1e39", "3.5e38", "-1e39", "1e4000", "1e999999999999999999999",
                                "1" + std::string(500, '0'), "9" + Repeat("9", 4999)};
  for (const std::string& token : tokens) {
    SCOPED_TRACE(token.substr(0, 30));
    std::string remainder = token + " 45";
    bool ok = false;
    const float value = ReadNumberToken(remainder, ok);
    EXPECT_TRUE(ok);  // grammatically a number; its range check fails
    EXPECT_TRUE(std::isinf(value) || std::fabs(value) > 360) << value;
    EXPECT_FALSE(std::isnan(value));
    EXPECT_EQ(remainder, "45");
  }
}

TEST(ReadNumberToken, HugeExponentsOfZeroAndTinyValuesAreZero) {
  const std::string tokens[] = {"0e99999999999", "0e999999999999999999999999999999",
                                "1e-99999999999999999999", "1e-50", "-1e-50",
                                "0." + std::string(500, '0') + "1"};
  for (const std::string& token : tokens) {
    SCOPED_TRACE(token.substr(0, 40));
    std::string remainder = token + " 45";
    bool ok = false;
    EXPECT_EQ(ReadNumberToken(remainder, ok), 0.0f);
    EXPECT_TRUE(ok);
  }
}

TEST(ReadNumberToken, FailedConversionOfHugeDigitRunsDoesNotCrash) {
  const std::string tokens[] = {std::string(500, '9') + "x", std::string(500, '1') + ".5e",
                                "12." + std::string(500, '3') + ",",
                                Repeat("1234567890", 10000) + "\xB0"};
  for (const std::string& token : tokens) {
    SCOPED_TRACE(token.substr(0, 30));
    std::string remainder = token + " 45";
    bool ok = true;
    const float value = ReadNumberToken(remainder, ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(std::isnan(value));
    EXPECT_GT(value, 360.0f);  // the digits as one whole number
    EXPECT_EQ(remainder, "45");
  }
}

// Remainder handling: the token runs up to the first space; the rest from
// that space on is trimmed of characters of code 32 or less at both ends.
struct RemainderRow {
  const char* name;
  std::string before;
  bool ok;
  float value;
  std::string after;
};

void PrintTo(const RemainderRow& row, std::ostream* os) { *os << row.name; }

class NumberRemainder : public ::testing::TestWithParam<RemainderRow> {};

TEST_P(NumberRemainder, ShortensTheRemainder) {
  const RemainderRow& row = GetParam();
  std::string remainder = row.before;
  bool ok = !row.ok;
  EXPECT_EQ(ReadNumberToken(remainder, ok), row.value);
  EXPECT_EQ(ok, row.ok);
  EXPECT_EQ(remainder, row.after);
}

const RemainderRow kRemainderRows[] = {
    {"OneSpace", "12 34 56", true, 12, "34 56"},
    {"RunOfSpaces", "12     34  ", true, 12, "34"},
    {"SpaceThenTabsAndControls", "12 \t\x01\x1F 34\t\r", true, 12, "34"},
    {"SpaceAtTheEnd", "12 ", true, 12, ""},
    {"SpaceThenBlanksOnly", "12 \t \t", true, 12, ""},
    {"NoSpaceTokenEmpty", "12", false, 0, "12"},
    {"NoSpaceRemainderTrimmed", "\t12\t", false, 0, "12"},
    {"EmptyRemainder", "", false, 0, ""},
    {"LeadingSpaceTokenEmpty", " 12 34", false, 0, "12 34"},
    {"TabBeforeSpaceJoinsTwoNumbers", "120\t45 200", false, 120, "200"},
    {"EightBitBytesNotTrimmed", "12 \xA0\xB0 \xFF", true, 12, "\xA0\xB0 \xFF"},
    {"InnerBlanksKept", "12 a \t b ", true, 12, "a \t b"},
};

INSTANTIATE_TEST_SUITE_P(ReadNumberToken, NumberRemainder, ::testing::ValuesIn(kRemainderRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The period stays the decimal separator when the user's locale uses a comma.
class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::setlocale(LC_ALL, nullptr);
    savedGlobal_ = std::locale();
    for (const char* candidate : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro",
                                  "fr_FR.UTF-8", "fr_FR.utf8", "fr_FR", "de_AT.UTF-8",
                                  "de_CH.UTF-8", "nl_NL.UTF-8", "es_ES.UTF-8"}) {
      if (!std::setlocale(LC_ALL, candidate)) continue;
      const bool comma = std::string(std::localeconv()->decimal_point) == ",";
      std::setlocale(LC_ALL, saved_.c_str());
      if (comma) {
        name_ = candidate;
        break;
      }
    }
    if (name_.empty()) GTEST_SKIP() << "no locale with a decimal comma is installed (locale -a)";
  }
  void TearDown() override {
    std::locale::global(savedGlobal_);
    std::setlocale(LC_ALL, saved_.c_str());
  }

  static void ExpectPeriodSeparator() {
    struct Case {
      std::string token;
      bool ok;
      float value;
    };
    const Case cases[] = {{"12.5", true, 12.5f}, {"1.2e1", true, 12}, {".5", true, 0.5f},
                          {"1,5", false, 1},     {"12,5", false, 12}, {"12.5x", false, 125}};
    for (const Case& c : cases) {
      SCOPED_TRACE(c.token);
      std::string remainder = c.token + " 1";
      bool ok = !c.ok;
      EXPECT_EQ(ReadNumberToken(remainder, ok), c.value);
      EXPECT_EQ(ok, c.ok);
    }
    const FaultSet set = Checked({"120.5 45.25 200.75 30.5 N"});
    EXPECT_EQ(set[1].faz, 120.5f);
    EXPECT_EQ(set[1].fpl, 45.25f);
    EXPECT_EQ(set[1].saz, 200.75f);
    EXPECT_EQ(set[1].spl, 30.5f);
    EXPECT_EQ(set[1].failedChecks, 0u);
  }

  std::string name_;

 private:
  std::string saved_;
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

// ===========================================================================
// CheckFaultLines: one line's fields, status, failed checks and log lines.

struct LineRow {
  const char* name;
  std::string line;
  float faz, fpl, saz, spl;
  std::string sense;
  std::string status;
  std::uint8_t failed;
  Lines log;  // for the line as line #1
};

void PrintTo(const LineRow& row, std::ostream* os) { *os << row.name << " \"" << row.line << '"'; }

// Element 0 is never written.
void ExpectCleared0(const FaultSet& set) {
  EXPECT_EQ(set[0].faz, 0.0f);
  EXPECT_EQ(set[0].sense, "");
  EXPECT_EQ(set[0].status, "");
  EXPECT_EQ(set[0].failedChecks, 0u);
}

class CheckLine : public ::testing::TestWithParam<LineRow> {};

TEST_P(CheckLine, FieldsStatusAndLog) {
  const LineRow& row = GetParam();
  Lines log;
  const FaultSet set = Checked({row.line}, &log);
  const TFaultData& d = set[1];
  EXPECT_EQ(d.faz, row.faz);
  EXPECT_EQ(d.fpl, row.fpl);
  EXPECT_EQ(d.saz, row.saz);
  EXPECT_EQ(d.spl, row.spl);
  EXPECT_EQ(d.sense, row.sense);
  EXPECT_EQ(d.status, row.status);
  EXPECT_EQ(std::bitset<8>(d.failedChecks), std::bitset<8>(row.failed));
  EXPECT_EQ(log, row.log);
  EXPECT_EQ(d.colour, 0u);  // colours are assigned later
  ExpectCleared0(set);
}

const LineRow kLineRows[] = {
    {"Plain", "120 45 200 30 N", 120, 45, 200, 30, "N", "", 0, {}},
    {"LeadingBlanksSpaceRunsLowerCaseAndMoreWords",
     "   120   45  200    30   normal fault, see sketch 4", 120, 45, 200, 30, "N", "", 0, {}},
    {"TabsAndControlsAtBothEnds", "\t\x01 120 45 200 30 r\t \r", 120, 45, 200, 30, "R", "", 0, {}},
    {"SpaceThenTabSeparates", "120 \t45 \t\t200 \t30 \tN", 120, 45, 200, 30, "N", "", 0, {}},
    {"LowerCaseSenses_s", "10 20 30 40 s", 10, 20, 30, 40, "S", "", 0, {}},
    {"LowerCaseSenses_d", "10 20 30 40 dextral", 10, 20, 30, 40, "D", "", 0, {}},
    {"Decimals", "120.5 45.25 200.75 30.125 N", 120.5f, 45.25f, 200.75f, 30.125f, "N", "", 0, {}},
    {"Limits", "360 90 360 90 R", 360, 90, 360, 90, "R", "", 0, {}},
    {"Zeros", "0 0 0 0 N", 0, 0, 0, 0, "N", "", 0, {}},
    {"MinusZeros", "-0 -0.0 -.0 -0e5 N", 0, 0, 0, 0, "N", "", 0, {}},
    {"LonePeriodsAreZero", ". 45 . 30 S", 0, 45, 0, 30, "S", "", 0, {}},
    {"ExponentOnlyIsZero", "e5 45 E+5 30 S", 0, 45, 0, 30, "S", "", 0, {}},
    {"TinyIsZero", "1e-50 45 200 1e-50 N", 0, 45, 200, 0, "N", "", 0, {}},
    {"Exponents", "1.2e2 4.5E1 2e+2 300e-1 N", 120, 45, 200, 30, "N", "", 0, {}},
    {"PlusSigns", "+120 +45 +200 +30 N", 120, 45, 200, 30, "N", "", 0, {}},
    // The range check is made on the stored float.
    {"StoredValueRoundsToTheLimits", "360.00001 90.000001 360.00001 90.000001 N", 360, 90, 360,
     90, "N", "", 0, {}},
    {"NegativeTinyIsZero", "-1e-50 45 200 30 N", 0, 45, 200, 30, "N", "", 0, {}},

    {"DipTooSteep", "120 95 200 30 R", 120, 95, 200, 30, "R", "fpl invalid", kFplCheck,
     {"  fpl invalid at line #1"}},
    {"ThreeFailures", "370 -5 200 30 Q", 370, -5, 200, 30, "Q", "sense invalid",
     kFazCheck | kFplCheck | kSenseCheck,
     {"  faz invalid at line #1", "  fpl invalid at line #1", "  sense invalid at line #1"}},
    {"NoSense", "120 45 200 30", 120, 45, 200, 0, "3", "sense invalid", kSplCheck | kSenseCheck,
     {"  spl invalid at line #1", "  sense invalid at line #1"}},
    // The first token runs to the first space: "120<TAB>45" fails with 120,
    // and the later fields shift: fpl 200 fails, saz 30, spl has no token.
    {"TabAfterFirstNumber", "120\t45 200 30 N", 120, 200, 30, 0, "N", "spl invalid",
     kFazCheck | kFplCheck | kSplCheck,
     {"  faz invalid at line #1", "  fpl invalid at line #1", "  spl invalid at line #1"}},
    {"TabBeforeSense", "120 45 200 30\tN", 120, 45, 200, 0, "3", "sense invalid",
     kSplCheck | kSenseCheck, {"  spl invalid at line #1", "  sense invalid at line #1"}},
    {"TrailingLetterKeepsDigits", "12.5x 45 200 30 N", 125, 45, 200, 30, "N", "faz invalid",
     kFazCheck, {"  faz invalid at line #1"}},
    {"SignNotAppliedOnFailure", "120 -7x 200 30 N", 120, 7, 200, 30, "N", "fpl invalid",
     kFplCheck, {"  fpl invalid at line #1"}},
    {"CommaDecimal", "120 45,5 200 30 N", 120, 45, 200, 30, "N", "fpl invalid", kFplCheck,
     {"  fpl invalid at line #1"}},
    {"DegreeSign", "120\xB0 45 200\xC2\xB0 30 N", 120, 45, 200, 30, "N", "saz invalid",
     kFazCheck | kSazCheck, {"  faz invalid at line #1", "  saz invalid at line #1"}},
    {"AzimuthJustAbove360", "360.5 45 200 30 N", 360.5f, 45, 200, 30, "N", "faz invalid",
     kFazCheck, {"  faz invalid at line #1"}},
    {"DipJustAbove90", "120 90.001 200 30 N", 120, 90.001f, 200, 30, "N", "fpl invalid",
     kFplCheck, {"  fpl invalid at line #1"}},
    {"TrendJustAbove360", "120 45 360.001 30 N", 120, 45, 360.001f, 30, "N", "saz invalid",
     kSazCheck, {"  saz invalid at line #1"}},
    {"PlungeJustAbove90", "120 45 200 90.5 N", 120, 45, 200, 90.5f, "N", "spl invalid",
     kSplCheck, {"  spl invalid at line #1"}},
    {"NegativeTrend", "120 45 -0.001 30 N", 120, 45, -0.001f, 30, "N", "saz invalid", kSazCheck,
     {"  saz invalid at line #1"}},
    {"DipAndPlungeBadStatusIsPlunge", "120 91 200 91 N", 120, 91, 200, 91, "N", "spl invalid",
     kFplCheck | kSplCheck, {"  fpl invalid at line #1", "  spl invalid at line #1"}},
    {"AzimuthAndSenseBad", "abc 45 200 30 X", 0, 45, 200, 30, "X", "sense invalid",
     kFazCheck | kSenseCheck, {"  faz invalid at line #1", "  sense invalid at line #1"}},
    {"SenseIsFirstCharacterOnly", "120 45 200 30 Xnormal", 120, 45, 200, 30, "X",
     "sense invalid", kSenseCheck, {"  sense invalid at line #1"}},
    {"SenseEightBitByteNotUpperCased", "120 45 200 30 \xE9", 120, 45, 200, 30, "\xE9",
     "sense invalid", kSenseCheck, {"  sense invalid at line #1"}},
    {"SenseDigit", "120 45 200 30 3", 120, 45, 200, 30, "3", "sense invalid", kSenseCheck,
     {"  sense invalid at line #1"}},
    {"BlankLine", "", 0, 0, 0, 0, "", "sense invalid", kAllChecks,
     {"  faz invalid at line #1", "  fpl invalid at line #1", "  saz invalid at line #1",
      "  spl invalid at line #1", "  sense invalid at line #1"}},
    {"SpacesAndTabsOnly", " \t  \t\t   ", 0, 0, 0, 0, "", "sense invalid", kAllChecks,
     {"  faz invalid at line #1", "  fpl invalid at line #1", "  saz invalid at line #1",
      "  spl invalid at line #1", "  sense invalid at line #1"}},
    {"ControlBytesOnly", "\x01\x02\x1F\x7F", 0, 0, 0, 0, "\x7F", "sense invalid", kAllChecks,
     {"  faz invalid at line #1", "  fpl invalid at line #1", "  saz invalid at line #1",
      "  spl invalid at line #1", "  sense invalid at line #1"}},
    {"SenseOnly", "N", 0, 0, 0, 0, "N", "spl invalid",
     kFazCheck | kFplCheck | kSazCheck | kSplCheck,
     {"  faz invalid at line #1", "  fpl invalid at line #1", "  saz invalid at line #1",
      "  spl invalid at line #1"}},
};

INSTANTIATE_TEST_SUITE_P(CheckFaultLines, CheckLine, ::testing::ValuesIn(kLineRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckFaultLines, ValueTooLargeForAFloatFailsItsRangeCheck) {
  struct Case {
    const char* name;
    std::string line;
    std::uint8_t failed;
  };
  const Case cases[] = {
      {"first field 1e39", "1e39 45 200 30 N", kFazCheck},
      {"every field 1e39", "1e39 1e39 1e39 1e39 N", kFazCheck | kFplCheck | kSazCheck | kSplCheck},
      {"500 digits", std::string(500, '7') + " 45 200 30 N", kFazCheck},
      {"500 digits with a trailing letter", "120 " + std::string(500, '7') + "x 200 30 N",
       kFplCheck},
      {"exponent with a huge digit run", "120 45 1e999999999999999999999 30 N", kSazCheck},
      {"zero with a huge exponent", "0e99999999999 45 200 30 N", 0},
      {"tiny with a huge negative exponent", "120 45 200 1e-99999999999999999999 N", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Lines log;
    const FaultSet set = Checked({c.line}, &log);
    EXPECT_EQ(std::bitset<8>(set[1].failedChecks), std::bitset<8>(c.failed));
    EXPECT_EQ(log.size(), std::bitset<8>(c.failed).count());
    EXPECT_EQ(set[1].sense, "N");
  }
  const FaultSet set = Checked({"1e39 45 200 30 N"});
  EXPECT_EQ(set[1].status, "faz invalid");
  EXPECT_TRUE(std::isinf(set[1].faz) || set[1].faz > 360) << set[1].faz;
}

TEST(CheckFaultLines, LineNumbersAreOneBasedAndEveryLineIsADatum) {
  const Lines lines = {"120 45 200 30 N", "", "120 95 200 30 R", "10 20 30 40 s",
                       "370 -5 200 30 Q"};
  Lines log;
  const FaultSet set = Checked(lines, &log);
  EXPECT_EQ(log, (Lines{"  faz invalid at line #2", "  fpl invalid at line #2",
                        "  saz invalid at line #2", "  spl invalid at line #2",
                        "  sense invalid at line #2", "  fpl invalid at line #3",
                        "  faz invalid at line #5", "  fpl invalid at line #5",
                        "  sense invalid at line #5"}));
  EXPECT_EQ(set[1].status, "");
  EXPECT_EQ(set[2].status, "sense invalid");
  EXPECT_EQ(set[3].status, "fpl invalid");
  EXPECT_EQ(set[3].fpl, 95.0f);
  EXPECT_EQ(set[4].sense, "S");
  EXPECT_EQ(set[5].status, "sense invalid");
}

TEST(CheckFaultLines, LineNumbersPastTenThousand) {
  Lines lines(12345, "120 45 200 30 N");
  lines[12344] = "120 45 200 30 Q";
  Lines log;
  Checked(lines, &log);
  EXPECT_EQ(log, Lines{"  sense invalid at line #12345"});
}

// ===========================================================================
// The log: path, name and content

TEST(LogPath, IsTheDataFolderPlusVornLog) {
  struct Case {
    std::string data, log, name;
  };
  const Case cases[] = {
      {"/home/geo/field 2023/site.fdt", "/home/geo/field 2023/VORN.log", "site.fdt"},
      {"/site.fdt", "/VORN.log", "site.fdt"},
      {"rel/dir/site.fdt", "rel/dir/VORN.log", "site.fdt"},
      {"site.fdt", "VORN.log", "site.fdt"},
      {"a.b/c.d.fdt", "a.b/VORN.log", "c.d.fdt"},
      {"/data/noextension", "/data/VORN.log", "noextension"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    EXPECT_EQ(LogPathFor(c.data), c.log);
    EXPECT_EQ(FileNameOf(c.data), c.name);
  }
}

TEST(ComposeLog, CrLfAfterEveryLine) {
  EXPECT_EQ(ComposeLog("site.fdt", {}), "site.fdt\r\nNo error\r\n");
  EXPECT_EQ(ComposeLog("site.fdt", {"  fpl invalid at line #3", "  sense invalid at line #3"}),
            "site.fdt\r\n  fpl invalid at line #3\r\n  sense invalid at line #3\r\n");
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

TEST_F(ParseFaultLinesTest, CleanFileLogsNoErrorAndShowsNoMessage) {
  const std::string logPath = Parse({"120 45 200 30 N", "  10   20 30 40 sinistral"});
  EXPECT_EQ(logPath, dir.File("VORN.log"));
  EXPECT_EQ(Log(), "site.fdt\r\nNo error\r\n");
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(set[1].faz, 120.0f);
  EXPECT_EQ(set[1].fpl, 45.0f);
  EXPECT_EQ(set[1].saz, 200.0f);
  EXPECT_EQ(set[1].spl, 30.0f);
  EXPECT_EQ(set[1].sense, "N");
  EXPECT_EQ(set[1].status, "");
  EXPECT_EQ(set[2].sense, "S");
}

TEST_F(ParseFaultLinesTest, BadLinesLoggedByteExactAndMessageShownOnce) {
  Parse({"120 45 200 30 N", "10 20 30 40 s", "120 95 200 30 R", "", "370 -5 200 30 Q",
         "120 45 200 30"});
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
            "  sense invalid at line #5\r\n"
            "  spl invalid at line #6\r\n"
            "  sense invalid at line #6\r\n");
  EXPECT_EQ(messages.messages, Lines{kErrorMessage});
  EXPECT_EQ(set[3].status, "fpl invalid");
  EXPECT_EQ(set[4].sense, "");
  EXPECT_EQ(set[5].status, "sense invalid");
  EXPECT_EQ(set[6].sense, "3");
}

TEST_F(ParseFaultLinesTest, OneBadLineAmongGoodOnes) {
  Parse({"120 45 200 30 N", "120 45 200 30 N", "120 95 200 30 R"});
  EXPECT_EQ(Log(), "site.fdt\r\n  fpl invalid at line #3\r\n");
  EXPECT_EQ(messages.messages, Lines{kErrorMessage});
}

TEST_F(ParseFaultLinesTest, ManyBadLinesStillOneMessage) {
  Parse(Lines(1000, "x"));
  EXPECT_EQ(messages.messages.size(), 1u);
  const std::string log = Log();
  std::size_t breaks = 0;
  for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2))
    ++breaks;
  EXPECT_EQ(breaks, 1 + 1000 * 5u);
}

TEST_F(ParseFaultLinesTest, MessageComesAfterTheLogIsWritten) {
  class LogReader : public MessageSink {
   public:
    explicit LogReader(std::string path) : path_(std::move(path)) {}
    void ShowMessage(const std::string&) override { logAtMessage = ReadFile(path_); }
    std::string logAtMessage;

   private:
    std::string path_;
  };
  LogReader reader(dir.File("VORN.log"));
  MessageSink* previous = InstallMessageSink(&reader);
  Parse({"370 45 200 30 N"});
  InstallMessageSink(previous);
  EXPECT_EQ(reader.logAtMessage, "site.fdt\r\n  faz invalid at line #1\r\n");
}

TEST_F(ParseFaultLinesTest, ReplacesAnEarlierLog) {
  WriteFile(dir.File("VORN.log"), Repeat("an older, much longer log\r\n", 100));
  Parse({"120 45 200 30 N"}, "second.fdt");
  EXPECT_EQ(Log(), "second.fdt\r\nNo error\r\n");
  Parse({"120 45 200 30 X"}, "third.fdt");
  EXPECT_EQ(Log(), "third.fdt\r\n  sense invalid at line #1\r\n");
  Parse({"120 45 200 30 N"}, "fourth.fdt");
  EXPECT_EQ(Log(), "fourth.fdt\r\nNo error\r\n");
}

TEST_F(ParseFaultLinesTest, EmptyFileLogsNameAndNoError) {
  WriteFile(dir.File("empty.fdt"), "");
  const Lines lines = ReadDataLines(dir.File("empty.fdt"));
  ASSERT_TRUE(lines.empty());
  Parse(lines, "empty.fdt");
  EXPECT_EQ(set.count(), 0);
  EXPECT_EQ(set.size(), 1u);
  EXPECT_EQ(Log(), "empty.fdt\r\nNo error\r\n");
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ParseFaultLinesTest, LogNamesTheFileWithoutItsFolder) {
  std::filesystem::create_directory(dir.File("sub dir"));
  set.Recreate(1);
  const std::string logPath =
      ParseFaultLines({"120 45 200 30 N"}, dir.File("sub dir/Site 7.fdt"), set);
  EXPECT_EQ(logPath, dir.File("sub dir/VORN.log"));
  EXPECT_EQ(ReadFile(logPath), "Site 7.fdt\r\nNo error\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("VORN.log")));
}

TEST_F(ParseFaultLinesTest, PathWithoutFolderWritesToTheCurrentFolder) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  set.Recreate(1);
  std::string logPath;
  EXPECT_NO_THROW(logPath = ParseFaultLines({"120 45 200 30 N"}, "site.fdt", set));
  std::filesystem::current_path(before);
  EXPECT_EQ(logPath, "VORN.log");
  EXPECT_EQ(Log(), "site.fdt\r\nNo error\r\n");
}

TEST(WriteTextFile, FailureAtCloseThrowsFileError) {
  // The text fits the stream's buffer, so the full device refuses it only
  // when the file is closed.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  try {
    WriteTextFile("/dev/full", "site.fdt\r\nNo error\r\n");
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), "/dev/full");
    EXPECT_EQ(e.action(), FileError::Action::Write);
    EXPECT_FALSE(e.reason().empty());
  }
}

TEST_F(ParseFaultLinesTest, MissingDataFolderThrowsNamingTheLogPath) {
  set.Recreate(1);
  const std::string dataPath = dir.File("gone/site.fdt");
  try {
    ParseFaultLines({"120 45 200 30 X"}, dataPath, set);
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir.File("gone/VORN.log"));
    EXPECT_FALSE(e.reason().empty());
  }
  EXPECT_EQ(set[1].status, "sense invalid");
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ParseFaultLinesTest, UnwritableLogThrowsAfterFillingTheDataAndShowsNoMessage) {
  // A folder in the log's place cannot be opened for writing, even as root.
  std::filesystem::create_directory(dir.File("VORN.log"));
  const std::string logPath = dir.File("VORN.log");
  for (const Lines& lines : {Lines{"370 45 200 30 N", "120 45 200 30 r"}, Lines{"120 45 200 30 N"}}) {
    SCOPED_TRACE(lines.front());
    try {
      Parse(lines);
      FAIL() << "no FileError";
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), logPath);
      EXPECT_EQ(e.action(), FileError::Action::Write);
      EXPECT_FALSE(e.reason().empty());
      EXPECT_NE(std::string(e.what()).find(logPath), std::string::npos) << e.what();
    }
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(set[1].fpl, 45.0f);
    EXPECT_EQ(set[1].saz, 200.0f);
    EXPECT_EQ(set[1].sense, "N");
  }
  EXPECT_EQ(set[1].faz, 120.0f);  // from the second file
}

// ===========================================================================
// From file to colours, as the load runs it.

TEST(Load, FileToColours) {
  TempDir dir;
  MessageRecorder messages;
  const std::string path = dir.File("field.fdt");
  WriteFile(path, "120 45 200 30 n\r90 45 0 30 S\r0 45 90 30 s\n45 45 45 30 D\r\n"
                  "370 45 200 30 R\n\r120 45 200 30 X");
  const Lines lines = ReadDataLines(path);
  ASSERT_EQ(lines.size(), 7u);
  FaultSet set;
  set.Recreate(std::int16_t(lines.size()));
  ParseFaultLines(lines, path, set);
  AssignColours(set);
  EXPECT_EQ(set[1].sense, "N");
  EXPECT_EQ(set[1].colour, clBlue);
  EXPECT_EQ(set[2].colour, clBlue);
  EXPECT_EQ(set[3].colour, clRed);
  EXPECT_EQ(set[4].colour, clBlue);
  EXPECT_EQ(set[5].status, "faz invalid");
  EXPECT_EQ(set[5].colour, clRed);
  EXPECT_EQ(set[6].sense, "");
  EXPECT_EQ(set[6].colour, clSilver);
  EXPECT_EQ(set[7].status, "sense invalid");
  EXPECT_EQ(set[7].colour, clSilver);
  EXPECT_EQ(set[0].colour, 0u);
  EXPECT_EQ(ReadFile(dir.File("VORN.log")),
            "field.fdt\r\n"
            "  faz invalid at line #5\r\n"
            "  faz invalid at line #6\r\n"
            "  fpl invalid at line #6\r\n"
            "  saz invalid at line #6\r\n"
            "  spl invalid at line #6\r\n"
            "  sense invalid at line #6\r\n"
            "  sense invalid at line #7\r\n");
  EXPECT_EQ(messages.messages, Lines{kErrorMessage});
}

TEST(Load, LargestAcceptedFileParsesClean) {
  TempDir dir;
  MessageRecorder messages;
  const std::string path = dir.File("big.fdt");
  WriteFile(path, Repeat("120 45 200 30 N\r\n", 32760));
  const Lines lines = ReadDataLines(path);
  ASSERT_EQ(lines.size(), 32760u);
  FaultSet set;
  set.Recreate(std::int16_t(lines.size()));
  ParseFaultLines(lines, path, set);
  EXPECT_EQ(set.count(), 32760);
  EXPECT_EQ(set[32760].faz, 120.0f);
  EXPECT_EQ(set[32760].sense, "N");
  EXPECT_EQ(ReadFile(dir.File("VORN.log")), "big.fdt\r\nNo error\r\n");
  EXPECT_TRUE(messages.messages.empty());
}

// ===========================================================================
// Hostile input: nothing crashes or hangs, and every bad field is logged.

const char* CheckName(std::uint8_t bit) {
  switch (bit) {
    case kFazCheck: return "faz";
    case kFplCheck: return "fpl";
    case kSazCheck: return "saz";
    case kSplCheck: return "spl";
    default: return "sense";
  }
}

// The log and the statuses that the data's failed checks call for.
void ExpectLogMatchesData(const FaultSet& set, const std::string& name, const std::string& log) {
  std::string expected = name + "\r\n";
  bool any = false;
  for (std::size_t i = 1; i <= std::size_t(set.count()); ++i) {
    const TFaultData& d = set[i];
    std::string last;
    for (std::uint8_t bit : {kFazCheck, kFplCheck, kSazCheck, kSplCheck, kSenseCheck}) {
      if (!(d.failedChecks & bit)) continue;
      any = true;
      last = std::string(CheckName(bit)) + " invalid";
      expected += "  " + last + " at line #" + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(d.status, last) << "datum " << i;
    EXPECT_LE(d.sense.size(), 1u) << "datum " << i;
  }
  if (!any) expected += "No error\r\n";
  EXPECT_EQ(log, expected);
}

TEST(HostileInput, EveryBadFieldIsLogged) {
  struct Case {
    const char* name;
    std::string line;
    std::size_t failures;
  };
  const Case cases[] = {
      {"control bytes only", "\x01\x02\x03\x1F", 5},
      {"8-bit bytes", "\xFF\xFE\xFD \x80 \x90 \xA0 \xB0", 5},
      {"8-bit bytes around numbers", "\xA0" "120 45 200 30 N\xA0", 1},
      {"spaces only", "      ", 5},
      {"tabs only", "\t\t\t", 5},
      {"spaces and tabs", " \t \t ", 5},
      {"1e39 everywhere", "1e39 1e39 1e39 1e39 N", 4},
      {"-0 everywhere", "-0 -0 -0 -0 N", 0},
      {"1e-50 everywhere", "1e-50 1e-50 1e-50 1e-50 N", 0},
      {"500 digits everywhere",
       Repeat(std::string(500, '5') + " ", 4) + "R", 4},
      {"500 digits with letters",
       Repeat(std::string(500, '5') + "z ", 4) + "R", 4},
      {"huge exponent runs", "1e999999999999999999999 0e99999999999 1e-99999999999999999999 45 R",
       1},
      {"numbers in other notations", "inf nan 0x10 1,5 d", 4},
      {"only sense", "N", 4},
  };
  TempDir dir;
  MessageRecorder messages;
  std::string text;
  std::size_t total = 0;
  for (const Case& c : cases) {
    text += c.line + "\n";
    total += c.failures;
  }
  // A NUL in the middle of the last line ends the text there.
  text += Bytes("120 45 200 30 N\0 tail\n999 999 999 999 Q\n");
  const std::string path = dir.File("hostile.fdt");
  WriteFile(path, text);
  const Lines lines = ReadDataLines(path);
  ASSERT_EQ(lines.size(), std::size(cases) + 1);
  FaultSet set;
  set.Recreate(std::int16_t(lines.size()));
  ParseFaultLines(lines, path, set);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(std::bitset<8>(set[i + 1].failedChecks).count(), cases[i].failures);
  }
  EXPECT_EQ(set[set.count()].failedChecks, 0u);  // the line cut by the NUL is clean
  const std::string log = ReadFile(dir.File("VORN.log"));
  std::size_t breaks = 0;
  for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2))
    ++breaks;
  EXPECT_EQ(breaks, 1 + total);
  ExpectLogMatchesData(set, "hostile.fdt", log);
  EXPECT_EQ(messages.messages, Lines{kErrorMessage});
}

TEST(HostileInput, RandomBinaryFile) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 120), kind(0, 3);
  std::string text;
  for (int line = 0; line < 2000; ++line) {
    const int n = length(random);
    for (int i = 0; i < n; ++i) {
      int c = byte(random);
      if (kind(random) == 0) c = ' ';                // plenty of separators
      else if (kind(random) == 0) c = "0123456789.eE+-"[c % 15];
      if (c == 0) c = 1;                             // NUL would end the text
      text += char(c);
    }
    text += "\r\n";
  }
  TempDir dir;
  MessageRecorder messages;
  const std::string path = dir.File("random.fdt");
  WriteFile(path, text);
  const Lines lines = ReadDataLines(path);
  ASSERT_GE(lines.size(), 2000u);  // lone CR and LF bytes add lines
  ASSERT_LE(lines.size(), std::size_t(FaultSet::kMaxCount));
  FaultSet set;
  set.Recreate(std::int16_t(lines.size()));
  ParseFaultLines(lines, path, set);
  ExpectLogMatchesData(set, "random.fdt", ReadFile(dir.File("VORN.log")));
  EXPECT_LE(messages.messages.size(), 1u);
}

TEST(HostileInput, OneMegabyteLines) {
  TempDir dir;
  MessageRecorder messages;
  const std::string digits(1 << 20, '9');
  const std::string path = dir.File("mega.fdt");
  WriteFile(path, Repeat("1 ", 1 << 19) + "\r\n" + digits + " 45 200 30 N\r\n" + digits +
                      "\r\n" + std::string(1 << 20, ' ') + "\r\n");
  const Lines lines = ReadDataLines(path);
  ASSERT_EQ(lines.size(), 4u);
  FaultSet set;
  set.Recreate(4);
  ParseFaultLines(lines, path, set);
  EXPECT_EQ(set[1].fpl, 1.0f);
  EXPECT_EQ(set[1].sense, "1");
  EXPECT_EQ(std::bitset<8>(set[1].failedChecks), std::bitset<8>(kSenseCheck));
  EXPECT_EQ(std::bitset<8>(set[2].failedChecks), std::bitset<8>(kFazCheck));
  EXPECT_EQ(set[2].fpl, 45.0f);
  EXPECT_EQ(set[2].sense, "N");
  EXPECT_EQ(std::bitset<8>(set[3].failedChecks), std::bitset<8>(kAllChecks));
  EXPECT_EQ(set[3].sense, "9");
  EXPECT_EQ(std::bitset<8>(set[4].failedChecks), std::bitset<8>(kAllChecks));
  EXPECT_EQ(set[4].sense, "");
  ExpectLogMatchesData(set, "mega.fdt", ReadFile(dir.File("VORN.log")));
}

}  // namespace
}  // namespace orniva
