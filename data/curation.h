// The curation of a data file: which data the user switched off, the
// phases (named groups of data) they made, and what the data file cannot
// hold about each line (where and when it was measured). It is kept beside
// the data file in a curation file, NAME.fdt -> NAME.fdt.orniva.json, UTF-8
// JSON:
//
//   {"orniva": 1, "data": "NAME.fdt", "lines": 38, "sha256": "<hex>",
//    "off": [3, 17],
//    "phases": [{"name": "A", "colour": "#1f5fbf", "lines": [1, 2, 4]}],
//    "attributes": [
//     {"line": 1, "site": "02", "longitude": -52.6968404, "latitude": 47.6512064,
//      "elevation": 9.01, "accuracy": 3, "quality": "4",
//      "time": "2026-05-25T14:56:25.000Z", "label": "2", "notes": "..."}]}
//
// "attributes" is optional (absent when no line has any); in a record only
// "line" is required.
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

// What the data file cannot hold about one of its lines, as the field app
// recorded it: the site (spot name or locality), the position as WGS 84
// longitude and latitude [deg] as written, the elevation [m], the
// position's accuracy [m], the measurement's quality, its time (as
// written), the app's label and notes. Empty strings and unset numbers are
// not written.
struct LineAttributes {
  int line = 0;  // 1 to the data's line count
  std::string site;
  std::optional<double> longitude, latitude, elevation, accuracy;
  std::string quality, time, label, notes;
  // The record's members this version does not read, kept like
  // Curation::unknown.
  std::vector<std::pair<std::string, std::string>> unknown;

  // Nothing recorded besides the line's number.
  bool empty() const;
};

struct Curation {
  std::vector<int> off;  // lines switched off, ascending
  std::vector<Phase> phases;
  std::vector<LineAttributes> attributes;  // ascending by line, each line once
  // The members this version does not read (the file's own order), each
  // as its key and its value's JSON text, written back unchanged.
  std::vector<std::pair<std::string, std::string>> unknown;

  bool empty() const { return off.empty() && phases.empty() && attributes.empty(); }
};

bool operator==(const Phase& a, const Phase& b);
bool operator==(const LineAttributes& a, const LineAttributes& b);
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
// one name, an attribute of the wrong type), lines outside 1 to lineCount,
// a line in two phases or with two attribute records, and
// ("stale") a "lines" or "sha256" other than the data file's. Never throws.
//
// Line numbers are written as integers: 1.0, 1e0, 1.5, 0 and -1 are
// refused. The lists may come in any order and name a line more than once;
// they are read sorted, each line once. A line may be switched off and in
// a phase. When stale, the lines beyond `lineCount` are left out of
// `curation` (their attribute records too). A UTF-8 byte-order mark before
// the text is passed over.
CurationRead ParseCuration(std::string_view text, int lineCount, const std::string& dataSha256);

// Reads the curation file at `path` (ParseCuration), refusing one larger
// than kMaxCurationBytes and one that cannot be read (the system's reason).
// Never throws.
CurationRead ReadCurationFile(const std::string& path, int lineCount,
                              const std::string& dataSha256);

// The text of a curation file of `curation` for the data file named
// `dataName` (no folder) of `lineCount` lines and SHA-256 `dataSha256`:
// the known members in the order and layout above, then the unknown ones,
// each on a line of its own (a phase's after its lines, a record's after
// its known members), and a line feed. Numbers are written as the shortest
// decimal that reads back the same double.
// Its strings are UTF-8. ParseCuration reads it back as `curation`.
std::string CurationText(const Curation& curation, const std::string& dataName, int lineCount,
                         const std::string& dataSha256);

}  // namespace orniva
