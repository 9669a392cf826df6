// The fault-slip data file (.fdt) and its error log VORN.log.
//
// One datum per line: dip direction and dip of the plane, trend and plunge
// of the striation, and a word whose first letter gives the sense of slip
// (N, R, S or D in either case), separated by spaces. Every line, blank
// ones included, is a datum.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/fault_data.h"
#include "platform/file_error.h"

namespace orniva {

// Splits 8-bit text into lines: a line ends at CR LF, LF or CR (LF CR ends
// two lines), a final break adds no empty line, a NUL byte ends the text.
// A line of more than 256 bytes comes back as a short one that
// CheckFaultLines reads the same (its four numbers and its sense), so that
// a line of any length costs no more than that to hold.
std::vector<std::string> SplitDataLines(std::string_view text);

// Takes the next number from the front of `remainder`: the token runs up to
// the first space (none: the token is empty and the remainder stays), and
// the remainder becomes the text from that space on, trimmed of characters
// of code 32 or less. `ok` is true when the whole token is a number:
// [+-] digits [. digits] [(E|e) [+-] digits], period always the decimal
// separator, both digit runs may be empty but not all that follows the sign.
// A failed conversion returns the digits read before the failure taken as
// one whole number (12.5x gives 125, -7x gives 7).
float ReadNumberToken(std::string& remainder, bool& ok);

// The log's words for check `check` of line `line` that failed, without
// the log's indent: "fpl invalid at line #3".
std::string FailedCheckText(FaultCheck check, std::size_t line);

// Converts and checks every line into data 1 to count of `data` (already
// re-created with count = lines.size()), filling `status` and
// `failedChecks`. Returns the log lines of the failed checks, in order.
std::vector<std::string> CheckFaultLines(const std::vector<std::string>& lines, FaultSet& data);

// The data file's name without its folder.
std::string FileNameOf(const std::string& path);
// The data file's folder (up to and including its last separator) + "VORN.log".
std::string LogPathFor(const std::string& dataPath);
// The log text: file name, then the failed checks or "No error"; CR LF after every line.
std::string ComposeLog(const std::string& fileName, const std::vector<std::string>& failures);
// Writes `text` to `path` (WriteFileAtomically), replacing any earlier file.
// Throws FileError.
void WriteTextFile(const std::string& path, const std::string& text);

// ---- the load of a data file, shared by the window and the command-line tools ----

// "Number of fault must be less than 32760": a file of more lines is refused.
std::string TooManyLinesMessage();
// Said once after a load in which any check failed.
inline constexpr const char* kBadFieldsMessage =
    "Data file has at least one error.\r\nConsult the file VORN.log.";

// The lines of a data file, or the refusal of one with more than
// FaultSet::kMaxCount lines (then `lines` is not to be used).
struct DataFileLines {
  std::vector<std::string> lines;
  bool tooManyLines = false;
};
// Reads the file at `path` only as far as needed: up to its first NUL
// (SplitDataLines), or until line FaultSet::kMaxCount + 1 begins. Throws
// FileError when the file cannot be opened or read, or is not a regular
// file (a pipe, a device: never waited on).
DataFileLines ReadDataFile(const std::string& path);

// ReadDataFile's reading, handed the file's bytes as they come, for a
// reader that does more with them in the same pass (hashes or keeps them).
class DataLineReader {
 public:
  DataLineReader();
  ~DataLineReader();
  // Takes the next bytes; false once the lines are complete (a NUL ended
  // the text, or line FaultSet::kMaxCount + 1 began): more bytes change
  // nothing.
  bool Feed(std::string_view bytes);
  // Line FaultSet::kMaxCount + 1 has begun: the file is refused.
  bool tooManyLines() const;
  // The lines read, or the refusal of too many.
  DataFileLines Finish();

 private:
  struct Splitter;
  std::unique_ptr<Splitter> splitter_;
};

// Re-creates `data` with one datum per line, checks every line into it and
// colours the data. Returns the log lines of the failed checks, in order.
std::vector<std::string> LoadFaultLines(const std::vector<std::string>& lines, FaultSet& data);

// What checking a data file came to.
struct CheckOutcome {
  bool badFields = false;             // some check failed: kBadFieldsMessage is due
  bool tabSeparated = false;          // see TabSeparated: kTabSeparatedMessage is due instead
  std::string logPath;                // the VORN.log written; empty when it could not be
  std::optional<FileError> logError;  // why the log could not be written
};
// Said instead of kBadFieldsMessage when the file is a tab-separated table.
inline constexpr const char* kTabSeparatedMessage =
    "Data file has at least one error.\r\nConsult the file VORN.log.\r\n"
    "The file is tab-separated: a data file separates its fields by spaces.";

// Whether checked `data` of `lines` (as CheckFaultLines left them) are a
// tab-separated table: some line failed a check and reads without a
// failure once its tabs are spaces. Every other file is not.
bool TabSeparated(const std::vector<std::string>& lines, const FaultSet& data);

// The message due after a load (CheckDataFile): kTabSeparatedMessage for a
// tab-separated file, kBadFieldsMessage for any other with a failed check,
// empty when no check failed.
std::string BadFieldsMessage(const CheckOutcome& outcome);

// LoadFaultLines, and VORN.log written beside the data file. The data are
// checked and coloured also when the log cannot be written. Shows nothing.
CheckOutcome CheckDataFile(const std::vector<std::string>& lines, const std::string& dataPath,
                           FaultSet& data);

}  // namespace orniva
