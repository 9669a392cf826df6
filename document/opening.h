// Opening a data file for a document. The file is read once: its lines are
// checked (VORN.log written beside it), and its SHA-256 and, for saving,
// its bytes come from the same read. Then its curation file is read and
// judged: applied, made for other data, or unusable and why. Nothing is
// shown and no document changes: the caller reports what the opening came
// to, then hands it to a document whole.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/curation_state.h"
#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "platform/file_error.h"

namespace orniva::document {

// A data file larger than this is not kept in memory: saved again unedited,
// it is written as its checked lines.
constexpr std::size_t kMaxKeptBytes = 64u << 20;

struct OpenOptions {
  // The curation file named by the user; none: the one beside the data
  // file (CurationPathFor), when there is one.
  std::optional<std::string> curationPath;
  // False: no curation file is read or judged (the verdict is None).
  bool readCuration = true;
  // The bytes are kept for saving them again (the window); the command
  // line saves nothing.
  bool keepBytes = true;
  // The most bytes kept.
  std::size_t maxKeptBytes = kMaxKeptBytes;
  // False: the lines are checked, but no VORN.log is written (a survey
  // reads many files and writes nothing beside them).
  bool writeLog = true;
  // True: the SHA-256 is made while reading also when no curation file is
  // judged (a report names every file it read by its hash).
  bool hashAlways = false;
};

// What the curation file came to.
struct CurationVerdict {
  enum class Kind {
    None,       // no curation file beside the data file
    Applied,    // read and made for these data
    OtherData,  // read, but made for other data (the data file has changed)
    Unusable    // cannot be read or is not a curation file
  };
  Kind kind = Kind::None;
  std::string path;    // the curation file
  std::string reason;  // why it is not applied, worded to follow the file's name
  // What it holds, for these data (Applied and OtherData).
  analysis::CurationState curation;
};

// "NAME.fdt.orniva.json: <reason>", the curation file's name without its
// folder.
std::string VerdictText(const CurationVerdict& verdict);

struct Opening {
  std::string path;                // the data file, as given
  std::optional<FileError> error;  // it could not be read: nothing below is set
  bool tooManyLines = false;       // it has more than FaultSet::kMaxCount lines: refused
  CheckOutcome check;              // bad fields; VORN.log written, or why not
  CurationVerdict curation;
  // What the document takes over.
  FaultSet data;
  std::vector<std::string> lines;
  std::optional<std::string> bytes;  // the file's bytes, when kept
  // The SHA-256 of the file's bytes: made while reading when a curation
  // file was to be judged or the bytes were not kept; else empty (to be
  // made from the bytes when needed).
  std::string sha256;

  bool refused() const { return error.has_value() || tooManyLines; }
};

// The verdict on the curation file of the data at `dataPath` (the one
// `options` names, else the one beside it) for data of `count` lines whose
// bytes have the SHA-256 `sha256`. Nothing beside the data file is no
// curation; anything there that cannot be read is unusable, with the reason.
CurationVerdict JudgeCuration(const std::string& dataPath, const OpenOptions& options, int count,
                              const std::string& sha256);

// Reads, checks and judges the data file at `path` and its curation file.
// Never throws for a file that cannot be read; waits on no special file.
Opening OpenDataFile(const std::string& path, const OpenOptions& options = {});

// The data file's text of `lines`: each line and CR LF after it.
std::string LinesText(const std::vector<std::string>& lines);

// The SHA-256 of `bytes` as 64 lower-case hex digits.
std::string Sha256Of(std::string_view bytes);

// The SHA-256 of bytes handed over in pieces, as 64 lower-case hex digits.
class Sha256Stream {
 public:
  Sha256Stream();
  ~Sha256Stream();
  void Add(std::string_view bytes);
  std::string Hex();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace orniva::document
