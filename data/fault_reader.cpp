#include "data/fault_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>
#include <cstdlib>
#include <locale.h>
#include <optional>

#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "platform/file_read.h"

namespace orniva {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

// Converts decimal text that strtold accepts whole, in the "C" locale so
// that the period is the separator whatever the user's settings.
long double ParseDecimal(const std::string& text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return cLocale ? strtold_l(text.c_str(), nullptr, cLocale) : std::strtold(text.c_str(), nullptr);
}

// Stores an extended value as a float; beyond the float range it becomes
// an infinity, which fails every range check.
float NarrowToFloat(long double value) {
  if (std::fabs(value) > std::numeric_limits<float>::max())
    return std::copysign(std::numeric_limits<float>::infinity(), float(value < 0 ? -1 : 1));
  return float(value);
}

// Converts `token` by the number grammar; see ReadNumberToken.
float ConvertNumber(std::string_view token, bool& ok) {
  std::size_t pos = 0;
  const bool negative = !token.empty() && token[0] == '-';
  if (!token.empty() && (token[0] == '+' || token[0] == '-')) ++pos;

  std::string mantissaDigits;  // the digits before and after the period
  std::string text;            // the token as strtold reads it
  bool failed = pos == token.size();
  while (!failed && pos < token.size() && IsDigit(token[pos])) mantissaDigits += token[pos++];
  text = mantissaDigits;
  if (!failed && pos < token.size() && token[pos] == '.') {
    text += '.';
    ++pos;
    while (pos < token.size() && IsDigit(token[pos])) {
      mantissaDigits += token[pos];
      text += token[pos++];
    }
  }
  if (!failed && pos < token.size() && (token[pos] == 'e' || token[pos] == 'E')) {
    text += 'e';
    ++pos;
    if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) text += token[pos++];
    const std::size_t expStart = pos;
    while (pos < token.size() && IsDigit(token[pos])) text += token[pos++];
    if (pos == expStart) failed = true;
  }
  if (pos != token.size()) failed = true;

  ok = !failed;
  if (failed) return mantissaDigits.empty() ? 0.0f : NarrowToFloat(ParseDecimal(mantissaDigits));
  if (mantissaDigits.empty()) return negative ? -0.0f : 0.0f;
  const long double value = ParseDecimal(text);
  return NarrowToFloat(negative ? -value : value);
}

bool InRange(float value, float high) { return value >= 0 && value <= high; }

}  // namespace

namespace {

// A line past kRawLineLimit bytes is not kept: it is scanned as it comes and
// held as a short line that checks the same. What the checks read of a line
// is four numbers and one character, each number the value and the
// success of its conversion; the rest (further tokens, blank runs past
// their first space, the digits a failure freezes) cannot change them. So a
// line of gigabytes without a break costs the scan, not its size.
constexpr std::size_t kRawLineLimit = 256;

// One number token scanned by the grammar of ConvertNumber, in bounded
// space: the significant digits up to kKeptDigits, then only whether any
// further one is not zero, and the counts of the rest.
class NumberScan {
 public:
  void Feed(char c) {
    if (IsDigit(c)) return FeedDigits(std::string_view(&c, 1));
    switch (phase_) {
      case kStart:
        if (c == '+' || c == '-') {
          negative_ = c == '-';
          phase_ = kSign;
          return;
        }
        [[fallthrough]];
      case kSign:
      case kInt:
        phase_ = c == '.' ? kFrac : (c == 'e' || c == 'E') ? kExpMark : kFailed;
        return;
      case kFrac:
        phase_ = (c == 'e' || c == 'E') ? kExpMark : kFailed;
        return;
      case kExpMark:
        if (c == '+' || c == '-') {
          expNegative_ = c == '-';
          phase_ = kExpSign;
          return;
        }
        [[fallthrough]];
      case kExpSign:
      case kExp:
        phase_ = kFailed;
        return;
      case kFailed:
        return;
    }
  }
  // A run of digits, as Feed would take them one by one.
  void FeedDigits(std::string_view run) {
    switch (phase_) {
      case kStart:
      case kSign:
      case kInt:
        phase_ = kInt;
        intDigits_ += std::int64_t(run.size());
        [[fallthrough]];
      case kFrac:
        Mantissa(run);
        return;
      case kExpMark:
      case kExpSign:
      case kExp:
        phase_ = kExp;
        for (const char c : run) {
          if (exponent_ == kExponentCap) break;
          exponent_ = std::min<std::int64_t>(exponent_ * 10 + (c - '0'), kExponentCap);
        }
        return;
      case kFailed:
        return;
    }
  }
  void Fail() { phase_ = kFailed; }
  bool failed() const { return phase_ == kFailed; }

  // A token that converts as this one did: the same success and value.
  std::string Equivalent() const {
    const bool fails =
        phase_ == kFailed || phase_ == kSign || phase_ == kExpMark || phase_ == kExpSign;
    // A failure gives the digits read as one whole number: more than 40
    // significant ones pass the float range whatever they are.
    if (fails) return (sigCount_ > 40 ? "1" + std::string(40, '0') : digits_) + "x";
    if (sigCount_ == 0) return negative_ ? "-0" : "0";
    // The value is digits_ (then 1 for any dropped non-zero digit) times ten
    // to `scale`. Past +-200000 it is 0 or infinite either way.
    const std::string digits = digits_ + (sticky_ ? "1" : "");
    const std::int64_t fracDigits = leadZeros_ + sigCount_ - intDigits_;
    const std::int64_t scale =
        std::clamp<std::int64_t>((expNegative_ ? -exponent_ : exponent_) - fracDigits + sigCount_ -
                                     std::int64_t(digits.size()),
                                 -200000, 200000);
    const long double value = ParseDecimal(digits + "e" + std::to_string(scale));
    const float stored = NarrowToFloat(negative_ ? -value : value);
    if (std::isinf(stored)) return stored < 0 ? "-1e99" : "1e99";
    // The exact decimal of the float: it converts back to the same float.
    char text[160];
    const auto end =
        std::to_chars(text, text + sizeof text, double(stored), std::chars_format::scientific, 120)
            .ptr;
    return std::string(text, end);
  }

 private:
  // Every decimal that lies halfway between two long doubles has fewer
  // significant digits (at most about 11500), so the digits past these
  // round as a single 1 in their place would.
  static constexpr std::size_t kKeptDigits = 12000;
  static constexpr std::int64_t kExponentCap = 100'000'000'000'000'000;

  void Mantissa(std::string_view run) {
    if (sigCount_ == 0) {
      const std::size_t zeros = std::min(run.find_first_not_of('0'), run.size());
      leadZeros_ += std::int64_t(zeros);
      run.remove_prefix(zeros);
    }
    const std::size_t kept = std::min(run.size(), kKeptDigits - digits_.size());
    digits_.append(run.substr(0, kept));
    sticky_ = sticky_ || run.find_first_not_of('0', kept) != std::string_view::npos;
    sigCount_ += std::int64_t(run.size());
  }

  enum Phase { kStart, kSign, kInt, kFrac, kExpMark, kExpSign, kExp, kFailed } phase_ = kStart;
  bool negative_ = false, expNegative_ = false, sticky_ = false;
  std::int64_t intDigits_ = 0, leadZeros_ = 0, sigCount_ = 0, exponent_ = 0;
  std::string digits_;  // the significant digits kept
};

// A line scanned as CheckFaultLines reads it: trimmed, tokens up to a space,
// each followed by a blank run that the next token's trim takes, and the
// sense as the first character after the fourth (or, where no space is
// left, after the last) token. Blanks are held back as a flag or two until
// a non-blank shows they are not the line's trailing ones.
class LongLine {
 public:
  // Bytes of the line, no break among them.
  void Feed(std::string_view run) {
    for (std::size_t i = 0; i < run.size() && !finished_;) {
      if (started_ && !blankSpace_ && !blankFails_) {  // within a token
        const bool failed = token_.failed();
        std::size_t end = i;
        while (end < run.size() && !IsBlank(run[end]) && (failed || IsDigit(run[end]))) ++end;
        if (end > i) {
          if (!failed) token_.FeedDigits(run.substr(i, end - i));
          i = end;
          continue;
        }
      }
      Step(run[i++]);
    }
  }

  std::string Finish() const { return started_ ? text_ + first_ : std::string(); }

 private:
  void Step(char c) {
    if (IsBlank(c)) {
      if (!started_) return;
      if (!blankSpace_) (c == ' ' ? blankSpace_ : blankFails_) = true;
      return;
    }
    if (!started_) {
      started_ = true;
      Begin(c);
      return;
    }
    if (blankFails_) token_.Fail();  // a blank before the space is part of the token
    if (blankSpace_) {
      blankFails_ = blankSpace_ = false;
      text_ += token_.Equivalent() + " ";
      ++tokens_;
      Begin(c);
      return;
    }
    blankFails_ = false;
    token_.Feed(c);
  }

  void Begin(char c) {
    first_ = c;
    finished_ = tokens_ == 4;  // the sense: nothing after it counts
    token_ = NumberScan();
    token_.Feed(c);
  }

  std::string text_;  // the equivalents of the tokens done, each with a space
  NumberScan token_;
  char first_ = 0;  // the first character of the token under way
  int tokens_ = 0;
  bool started_ = false, finished_ = false, blankSpace_ = false, blankFails_ = false;
};

// Cuts bytes into lines as they come, and stops at the first NUL or as soon
// as line limit + 1 begins (any byte after the limit's last line ended,
// other than the LF of its CR LF).
class LineSplitter {
 public:
  explicit LineSplitter(std::size_t limit) : limit_(limit) {}

  // False once the text has ended (a NUL) or has too many lines.
  bool Feed(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (long_) {  // a long line under way: its bytes up to the next break in one go
        std::size_t end = i;
        while (end < bytes.size() && bytes[end] != '\0' && bytes[end] != '\r' && bytes[end] != '\n')
          ++end;
        long_->Feed(bytes.substr(i, end - i));
        if ((i = end) == bytes.size()) break;
      }
      const char c = bytes[i];
      if (c == '\0') return false;
      if (pendingCr_) {
        pendingCr_ = false;
        if (c == '\n') continue;
      }
      if (atLineStart_) {
        if (lines_.size() >= limit_) return tooMany_ = true, false;
        atLineStart_ = false;
      }
      if (c == '\r' || c == '\n') {
        EndLine();
        atLineStart_ = true;
        pendingCr_ = c == '\r';
      } else {
        current_.push_back(c);
        if (current_.size() > kRawLineLimit) {
          long_.emplace();
          long_->Feed(current_);
          current_.clear();
        }
      }
    }
    return true;
  }

  // The lines, the last one unterminated included.
  std::vector<std::string> Finish() {
    if (!atLineStart_ && !tooMany_) EndLine();
    return std::move(lines_);
  }

  bool tooMany() const { return tooMany_; }

 private:
  void EndLine() {
    lines_.push_back(long_ ? long_->Finish() : std::move(current_));
    current_.clear();
    long_.reset();
  }

  std::size_t limit_;
  std::vector<std::string> lines_;
  std::string current_;
  std::optional<LongLine> long_;  // the line under way, once past kRawLineLimit
  bool atLineStart_ = true, pendingCr_ = false, tooMany_ = false;
};

}  // namespace

struct DataLineReader::Splitter : LineSplitter {
  Splitter() : LineSplitter(std::size_t(FaultSet::kMaxCount)) {}
};

DataLineReader::DataLineReader() : splitter_(std::make_unique<Splitter>()) {}
DataLineReader::~DataLineReader() = default;

bool DataLineReader::Feed(std::string_view bytes) { return splitter_->Feed(bytes); }
bool DataLineReader::tooManyLines() const { return splitter_->tooMany(); }

DataFileLines DataLineReader::Finish() {
  DataFileLines result;
  result.tooManyLines = splitter_->tooMany();
  result.lines = splitter_->Finish();
  return result;
}

std::vector<std::string> SplitDataLines(std::string_view text) {
  LineSplitter splitter(std::numeric_limits<std::size_t>::max());
  splitter.Feed(text);
  return splitter.Finish();
}

float ReadNumberToken(std::string& remainder, bool& ok) {
  const std::size_t space = remainder.find(' ');
  const std::string_view rest(remainder);
  const std::string_view token =
      space == std::string::npos ? std::string_view() : rest.substr(0, space);
  const float value = ConvertNumber(token, ok);
  remainder = std::string(Trim(space == std::string::npos ? rest : rest.substr(space)));
  return value;
}

namespace {

// The name of each check in the log.
const char* CheckName(FaultCheck check) {
  switch (check) {
    case kFazCheck:
      return "faz";
    case kFplCheck:
      return "fpl";
    case kSazCheck:
      return "saz";
    case kSplCheck:
      return "spl";
    default:
      return "sense";
  }
}

}  // namespace

std::string FailedCheckText(FaultCheck check, std::size_t line) {
  return std::string(CheckName(check)) + " invalid at line #" + std::to_string(line);
}

std::vector<std::string> CheckFaultLines(const std::vector<std::string>& lines, FaultSet& data) {
  struct NumberField {
    float TFaultData::*field;
    float high;
    FaultCheck check;
  };
  static const NumberField kNumberFields[] = {
      {&TFaultData::faz, 360, kFazCheck},
      {&TFaultData::fpl, 90, kFplCheck},
      {&TFaultData::saz, 360, kSazCheck},
      {&TFaultData::spl, 90, kSplCheck},
  };
  std::vector<std::string> failures;
  auto fail = [&failures](TFaultData& d, FaultCheck check, std::size_t line) {
    d.status = std::string(CheckName(check)) + " invalid";
    d.failedChecks |= check;
    failures.push_back("  " + FailedCheckText(check, line));
  };

  for (std::size_t i = 1; i <= lines.size() && i <= std::size_t(data.count()); ++i) {
    TFaultData& d = data[i];
    std::string remainder(Trim(lines[i - 1]));
    for (const NumberField& f : kNumberFields) {
      bool ok = false;
      d.*f.field = ReadNumberToken(remainder, ok);
      if (!(ok && InRange(d.*f.field, f.high))) fail(d, f.check, i);
    }
    const std::string_view rest = Trim(remainder);
    const char c = rest.empty() ? '\0' : rest[0];
    d.sense = c ? std::string(1, (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c) : std::string();
    if (d.sense != "N" && d.sense != "R" && d.sense != "S" && d.sense != "D")
      fail(d, kSenseCheck, i);
  }
  return failures;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LogPathFor(const std::string& dataPath) {
  const std::size_t slash = dataPath.find_last_of('/');
  return (slash == std::string::npos ? std::string() : dataPath.substr(0, slash + 1)) + "VORN.log";
}

std::string ComposeLog(const std::string& fileName, const std::vector<std::string>& failures) {
  std::string text = fileName + "\r\n";
  if (failures.empty()) text += "No error\r\n";
  for (const std::string& line : failures) text += line + "\r\n";
  return text;
}

void WriteTextFile(const std::string& path, const std::string& text) {
  WriteFileAtomically(path, text);
}

std::string TooManyLinesMessage() {
  return "Number of fault must be less than " + std::to_string(FaultSet::kMaxCount);
}

DataFileLines ReadDataFile(const std::string& path) {
  DataLineReader reader;
  ReadFileInChunks(path, [&reader](std::string_view bytes) { return reader.Feed(bytes); });
  return reader.Finish();
}

std::vector<std::string> LoadFaultLines(const std::vector<std::string>& lines, FaultSet& data) {
  data.Recreate(std::int16_t(lines.size()));
  std::vector<std::string> failures = CheckFaultLines(lines, data);
  AssignColours(data);
  return failures;
}

bool TabSeparated(const std::vector<std::string>& lines, const FaultSet& data) {
  FaultSet one;
  one.Recreate(1);
  for (std::size_t i = 1; i <= lines.size() && i <= std::size_t(data.count()); ++i) {
    if (data[i].failedChecks == 0 || lines[i - 1].find('\t') == std::string::npos) continue;
    std::string spaced = lines[i - 1];
    std::replace(spaced.begin(), spaced.end(), '\t', ' ');
    if (CheckFaultLines({spaced}, one).empty()) return true;
  }
  return false;
}

std::string BadFieldsMessage(const CheckOutcome& outcome) {
  if (!outcome.badFields) return {};
  return outcome.tabSeparated ? kTabSeparatedMessage : kBadFieldsMessage;
}

CheckOutcome CheckDataFile(const std::vector<std::string>& lines, const std::string& dataPath,
                           FaultSet& data) {
  const std::vector<std::string> failures = LoadFaultLines(lines, data);
  CheckOutcome outcome;
  outcome.badFields = !failures.empty();
  outcome.tabSeparated = outcome.badFields && TabSeparated(lines, data);
  try {
    const std::string logPath = LogPathFor(dataPath);
    WriteTextFile(logPath, ComposeLog(FileNameOf(dataPath), failures));
    outcome.logPath = logPath;
  } catch (const FileError& error) {
    outcome.logError = error;
  }
  return outcome;
}

}  // namespace orniva
