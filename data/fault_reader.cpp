#include "data/fault_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <memory>

#include "platform/atomic_file.h"
#include "platform/file_error.h"

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

// Cuts bytes into lines as they come, and stops at the first NUL or as soon
// as line limit + 1 begins (any byte after the limit's last line ended,
// other than the LF of its CR LF).
class LineSplitter {
 public:
  explicit LineSplitter(std::size_t limit) : limit_(limit) {}

  // False once the text has ended (a NUL) or has too many lines.
  bool Feed(std::string_view bytes) {
    for (const char c : bytes) {
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
        lines_.push_back(std::move(current_));
        current_.clear();
        atLineStart_ = true;
        pendingCr_ = c == '\r';
      } else {
        current_.push_back(c);
      }
    }
    return true;
  }

  // The lines, the last one unterminated included.
  std::vector<std::string> Finish() {
    if (!atLineStart_ && !tooMany_) lines_.push_back(std::move(current_));
    return std::move(lines_);
  }

  bool tooMany() const { return tooMany_; }

 private:
  std::size_t limit_;
  std::vector<std::string> lines_;
  std::string current_;
  bool atLineStart_ = true, pendingCr_ = false, tooMany_ = false;
};

// Opens `path` for reading only if it is a regular file (after links),
// without waiting on a pipe or a device: a FIFO's open would block until a
// writer comes.
std::FILE* OpenRegularFile(const std::string& path) {
  errno = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw FileError::FromErrno(FileError::Action::Read, path);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const bool directory = S_ISDIR(info.st_mode);
    ::close(fd);
    if (directory) {
      errno = EISDIR;
      throw FileError::FromErrno(FileError::Action::Read, path);
    }
    throw FileError(FileError::Action::Read, path, "not a regular file");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
    throw FileError::FromErrno(FileError::Action::Read, path);
  }
  return file;
}

}  // namespace

std::vector<std::string> SplitDataLines(std::string_view text) {
  LineSplitter splitter(std::numeric_limits<std::size_t>::max());
  splitter.Feed(text);
  return splitter.Finish();
}

float ReadNumberToken(std::string& remainder, bool& ok) {
  const std::size_t space = remainder.find(' ');
  const std::string_view rest(remainder);
  const std::string_view token = space == std::string::npos ? std::string_view() : rest.substr(0, space);
  const float value = ConvertNumber(token, ok);
  remainder = std::string(Trim(space == std::string::npos ? rest : rest.substr(space)));
  return value;
}

std::vector<std::string> CheckFaultLines(const std::vector<std::string>& lines, FaultSet& data) {
  struct NumberField {
    float TFaultData::*field;
    float high;
    FaultCheck check;
    const char* name;
  };
  static const NumberField kNumberFields[] = {
      {&TFaultData::faz, 360, kFazCheck, "faz"},
      {&TFaultData::fpl, 90, kFplCheck, "fpl"},
      {&TFaultData::saz, 360, kSazCheck, "saz"},
      {&TFaultData::spl, 90, kSplCheck, "spl"},
  };
  std::vector<std::string> failures;
  auto fail = [&failures](TFaultData& d, FaultCheck check, const char* name, std::size_t line) {
    d.status = std::string(name) + " invalid";
    d.failedChecks |= check;
    failures.push_back("  " + d.status + " at line #" + std::to_string(line));
  };

  for (std::size_t i = 1; i <= lines.size() && i <= std::size_t(data.count()); ++i) {
    TFaultData& d = data[i];
    std::string remainder(Trim(lines[i - 1]));
    for (const NumberField& f : kNumberFields) {
      bool ok = false;
      d.*f.field = ReadNumberToken(remainder, ok);
      if (!(ok && InRange(d.*f.field, f.high))) fail(d, f.check, f.name, i);
    }
    const std::string_view rest = Trim(remainder);
    const char c = rest.empty() ? '\0' : rest[0];
    d.sense = c ? std::string(1, (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c) : std::string();
    if (d.sense != "N" && d.sense != "R" && d.sense != "S" && d.sense != "D")
      fail(d, kSenseCheck, "sense", i);
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
  using Closer = int (*)(std::FILE*);
  std::unique_ptr<std::FILE, Closer> file(OpenRegularFile(path), &std::fclose);
  LineSplitter splitter(std::size_t(FaultSet::kMaxCount));
  char buffer[65536];
  std::size_t got;
  errno = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    if (!splitter.Feed(std::string_view(buffer, got))) break;
  if (std::ferror(file.get())) throw FileError::FromErrno(FileError::Action::Read, path);
  DataFileLines result;
  result.tooManyLines = splitter.tooMany();
  result.lines = splitter.Finish();
  return result;
}

std::vector<std::string> LoadFaultLines(const std::vector<std::string>& lines, FaultSet& data) {
  data.Recreate(std::int16_t(lines.size()));
  std::vector<std::string> failures = CheckFaultLines(lines, data);
  AssignColours(data);
  return failures;
}

CheckOutcome CheckDataFile(const std::vector<std::string>& lines, const std::string& dataPath,
                           FaultSet& data) {
  const std::vector<std::string> failures = LoadFaultLines(lines, data);
  CheckOutcome outcome;
  outcome.badFields = !failures.empty();
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
