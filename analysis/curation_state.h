// The user's curation of the loaded data, line by line: which data are
// switched off and which phase each belongs to, and the phases themselves.
// The Study keeps it; the curation file (data/curation.h) stores it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "data/curation.h"
#include "data/fault_data.h"

namespace orniva::analysis {

struct PhaseInfo {
  std::string name;
  std::string colour;  // "#rrggbb"

  friend bool operator==(const PhaseInfo& a, const PhaseInfo& b) {
    return a.name == b.name && a.colour == b.colour;
  }
};

// A phase as windows and legends name it: "Phase NAME", or the name alone
// when it already begins with the word ("Phase 1", never "Phase Phase 1").
std::string PhaseTitle(const std::string& name);

// What a curation file says of one line beyond its use and phase (a site,
// a position, a quality ...). Kept by line, its `line` is 0: the place in
// the vector says the line, so that the record moves with its line.
using LineAttributes = ::orniva::LineAttributes;

// Every vector by line: index 0 unused, 1 to the data's count.
struct CurationState {
  std::vector<bool> off;   // switched off by the user
  std::vector<int> phase;  // 0: none; k: phases[k - 1]
  std::vector<PhaseInfo> phases;
  // By line like `off`; empty while no line has any attribute.
  std::vector<LineAttributes> attributes;
  // The curation file's members this version does not read, kept for the
  // next time it is written.
  std::vector<std::pair<std::string, std::string>> unknown;

  // Every datum of `count` in use and in no phase; no phases.
  static CurationState Empty(int count);
  int count() const { return off.empty() ? 0 : int(off.size()) - 1; }
  int offCount() const;
  // Nothing switched off and no phase.
  bool plain() const { return phases.empty() && offCount() == 0; }

  // The curation of `file` for data of `count` lines (lines already
  // checked to lie within them).
  static CurationState FromFile(const Curation& file, int count);
  Curation ToFile() const;

  friend bool operator==(const CurationState& a, const CurationState& b) {
    return a.off == b.off && a.phase == b.phase && a.phases == b.phases &&
           a.attributes == b.attributes && a.unknown == b.unknown;
  }
  friend bool operator!=(const CurationState& a, const CurationState& b) { return !(a == b); }
};

// A phase colour not yet used by `phases`, from a fixed set that reads well
// on white and apart from the senses' blue and red.
std::string NextPhaseColour(const std::vector<PhaseInfo>& phases);

}  // namespace orniva::analysis
