// The curation of a data file: which data the user switched off and the
// phases (named groups of data) they made. It is kept beside the data file
// in a curation file, NAME.fdt -> NAME.fdt.orniva.json, UTF-8 JSON:
//
//   {"orniva": 1, "data": "NAME.fdt", "lines": 38, "sha256": "<hex>",
//    "off": [3, 17],
//    "phases": [{"name": "A", "colour": "#1f5fbf", "lines": [1, 2, 4]}]}
//
// It holds the user's inputs and choices, never results. Keys this version
// does not know are kept when the file is written again. The data file is
// never changed by it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/data_file_hash.h"  // Sha256Hex, which the file records

namespace orniva {

struct Phase {
  std::string name;
  std::string colour;      // "#rrggbb"
  std::vector<int> lines;  // ascending, each 1 to the data's line count
  // The phase's members this version does not read, kept like
  // Curation::unknown.
  std::vector<std::pair<std::string, std::string>> unknown;
};

struct Curation {
  std::vector<int> off;  // lines switched off, ascending
  std::vector<Phase> phases;
  // The members this version does not read (the file's own order), each
  // as its key and its value's JSON text, written back unchanged.
  std::vector<std::pair<std::string, std::string>> unknown;

  bool empty() const { return off.empty() && phases.empty(); }
};

bool operator==(const Phase& a, const Phase& b);
bool operator==(const Curation& a, const Curation& b);

// The file that keeps the curation of the data file at `dataPath`.
std::string CurationPathFor(const std::string& dataPath);

// A curation file larger than this is refused unread.
constexpr std::size_t kMaxCurationBytes = 16 * 1024 * 1024;

// What reading a curation file came to. `error` is empty when `curation`
// can be applied; otherwise it gives the reason, worded to follow the
// file's name ("… .orniva.json: <error>"), and nothing is to be applied
// without the user agreeing. `stale` marks the one reason the user may
// overrule: the data file's bytes are no longer those the curation was
// made for (then `curation` holds what the file says).
struct CurationRead {
  Curation curation;
  std::string error;
  bool stale = false;
};

// Parses the text of a curation file for a data file of `lineCount` lines
// whose bytes have the SHA-256 `dataSha256`. Refuses text that is not
// JSON, not this format (a missing or wrongly typed member, "orniva" other
// than 1, a phase without a name, a colour not "#rrggbb", two phases of
// one name), lines outside 1 to lineCount or a line in two phases, and
// ("stale") a "lines" or "sha256" other than the data file's. Never throws.
//
// Line numbers are written as integers: 1.0, 1e0, 1.5, 0 and -1 are
// refused. The lists may come in any order and name a line more than once;
// they are read sorted, each line once. A line may be switched off and in
// a phase. When stale, the lines beyond `lineCount` are left out of
// `curation`. A UTF-8 byte-order mark before the text is passed over.
CurationRead ParseCuration(std::string_view text, int lineCount, const std::string& dataSha256);

// Reads the curation file at `path` (ParseCuration), refusing one larger
// than kMaxCurationBytes and one that cannot be read (the system's reason).
// Never throws.
CurationRead ReadCurationFile(const std::string& path, int lineCount,
                              const std::string& dataSha256);

// The text of a curation file of `curation` for the data file named
// `dataName` (no folder) of `lineCount` lines and SHA-256 `dataSha256`:
// the known members in the order and layout above, then the unknown ones,
// each on a line of its own (a phase's after its lines), and a line feed.
// Its strings are UTF-8. ParseCuration reads it back as `curation`.
std::string CurationText(const Curation& curation, const std::string& dataName, int lineCount,
                         const std::string& dataSha256);

}  // namespace orniva
