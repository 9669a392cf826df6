// The files of orniva-plot --by-subset: one figure per phase, named
// OUTFILE's name, '-' and the phase's name before the extension. The name
// is written so that it is safe and says which phase: a byte that is not a
// printable character of a file name ('/', '\', '%', a control character, a
// direction override, a byte that is not UTF-8) is written %XX, so "a/b"
// gives "a%2Fb" and "a_b" stays "a_b", and no two phases share a file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orniva::cli {

// The most figures one run writes.
inline constexpr std::size_t kMostPhaseFigures = 100;

// A phase's name as it is written into a file's name.
std::string PhaseFileName(const std::string& name);

struct PhaseFiles {
  std::vector<std::string> paths;  // one per name, in order
  std::string error;               // why the figures cannot be written so
};

// The files of the phases `names` beside `outputPath`; refused when there
// are more than kMostPhaseFigures, when a name would be longer than its
// folder takes, or when two phases are named alike.
PhaseFiles PhaseFilesFor(const std::string& outputPath, const std::vector<std::string>& names);

}  // namespace orniva::cli
