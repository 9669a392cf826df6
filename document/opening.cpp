#include "document/opening.h"

#include <nettle/sha2.h>

#include <cctype>
#include <utility>

#include "data/curation.h"
#include "platform/file_identity.h"
#include "platform/file_read.h"

namespace orniva::document {

using analysis::CurationState;
using Kind = CurationVerdict::Kind;

struct Sha256Stream::State {
  sha256_ctx context;
};

Sha256Stream::Sha256Stream() : state_(std::make_unique<State>()) { sha256_init(&state_->context); }
Sha256Stream::~Sha256Stream() = default;

void Sha256Stream::Add(std::string_view bytes) {
  sha256_update(&state_->context, bytes.size(),
                reinterpret_cast<const std::uint8_t*>(bytes.data()));
}

std::string Sha256Stream::Hex() {
  std::uint8_t digest[SHA256_DIGEST_SIZE];
  sha256_digest(&state_->context, sizeof digest, digest);
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t byte : digest) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

namespace {

// The lines, the hash and (up to the options' limit) the bytes of one read. The
// bytes are hashed as they come when `hash` says so, and from the moment
// they grow too large to keep; else the hash is left to be made from the
// bytes kept, when it is needed. A file of too many lines is not read
// further.
struct OneRead {
  DataFileLines lines;
  std::optional<std::string> bytes;
  std::string sha256;
};

OneRead ReadOnce(const std::string& path, const OpenOptions& options, bool hash) {
  DataLineReader reader;
  std::optional<Sha256Stream> stream;
  if (hash) stream.emplace();
  OneRead read;
  if (options.keepBytes) read.bytes.emplace();
  bool linesDone = false;
  ReadFileInChunks(path, [&](std::string_view chunk) {
    if (!linesDone) linesDone = !reader.Feed(chunk);
    if (reader.tooManyLines()) return false;
    if (read.bytes && read.bytes->size() + chunk.size() > options.maxKeptBytes) {
      if (!stream) stream.emplace().Add(*read.bytes);
      read.bytes.reset();
    }
    if (stream) stream->Add(chunk);
    if (read.bytes) read.bytes->append(chunk);
    return true;
  });
  read.lines = reader.Finish();
  if (stream) read.sha256 = stream->Hex();
  return read;
}

// Whether the curation file will be read: it is named, or something is
// beside the data file where it would be.
bool CurationToRead(const std::string& dataPath, const OpenOptions& options) {
  if (!options.readCuration) return false;
  try {
    return options.curationPath || !NothingAt(CurationPathFor(dataPath));
  } catch (const FileError&) {
    return true;  // judged as unusable, with the reason
  }
}

std::string Lowered(std::string reason) {
  if (!reason.empty()) reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
  return reason;
}

CurationVerdict Unusable(CurationVerdict verdict, std::string reason) {
  verdict.kind = Kind::Unusable;
  verdict.reason = std::move(reason);
  return verdict;
}

}  // namespace

CurationVerdict JudgeCuration(const std::string& dataPath, const OpenOptions& options, int count,
                              const std::string& sha256) {
  CurationVerdict verdict;
  verdict.path = options.curationPath ? *options.curationPath : CurationPathFor(dataPath);
  try {
    if (!options.curationPath && NothingAt(verdict.path)) return verdict;
  } catch (const FileError& error) {
    return Unusable(std::move(verdict), Lowered(error.reason()));
  }
  if (DanglingLink(verdict.path))
    return Unusable(std::move(verdict), "a link to a file that does not exist");
  const CurationRead read = ReadCurationFile(verdict.path, count, sha256);
  if (!read.error.empty() && !read.stale) return Unusable(std::move(verdict), read.error);
  verdict.kind = read.stale ? Kind::OtherData : Kind::Applied;
  verdict.reason = read.error;
  verdict.curation = CurationState::FromFile(read.curation, count);
  return verdict;
}

std::string VerdictText(const CurationVerdict& verdict) {
  return FileNameOf(verdict.path) + ": " + verdict.reason;
}

Opening OpenDataFile(const std::string& path, const OpenOptions& options) {
  Opening opening;
  opening.path = path;
  const bool curation = CurationToRead(path, options);
  OneRead read;
  try {
    read = ReadOnce(path, options, curation || options.hashAlways);
  } catch (const FileError& error) {
    opening.error = error;
    return opening;
  }
  if ((opening.tooManyLines = read.lines.tooManyLines)) return opening;
  if (options.writeLog)
    opening.check = CheckDataFile(read.lines.lines, path, opening.data);
  else
    opening.check.badFields = !LoadFaultLines(read.lines.lines, opening.data).empty();
  opening.lines = std::move(read.lines.lines);
  opening.bytes = std::move(read.bytes);
  opening.sha256 = std::move(read.sha256);
  if (curation)
    opening.curation = JudgeCuration(path, options, opening.data.count(), opening.sha256);
  return opening;
}

std::string Sha256Of(std::string_view bytes) {
  Sha256Stream stream;
  stream.Add(bytes);
  return stream.Hex();
}

std::string LinesText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace orniva::document
