#include "analysis/curation_state.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace orniva::analysis {

CurationState CurationState::Empty(int count) {
  CurationState state;
  state.off.assign(std::size_t(count) + 1, false);
  state.phase.assign(std::size_t(count) + 1, 0);
  return state;
}

int CurationState::offCount() const { return int(std::count(off.begin(), off.end(), true)); }

CurationState CurationState::FromFile(const Curation& file, int count) {
  CurationState state = Empty(count);
  for (int line : file.off)
    if (line >= 1 && line <= count) state.off[std::size_t(line)] = true;
  for (const Phase& phase : file.phases) {
    state.phases.push_back({phase.name, phase.colour});
    for (int line : phase.lines)
      if (line >= 1 && line <= count) state.phase[std::size_t(line)] = int(state.phases.size());
  }
  for (const LineAttributes& record : file.attributes) {
    if (record.line < 1 || record.line > count || record.empty()) continue;
    state.attributes.resize(state.off.size());
    state.attributes[std::size_t(record.line)] = record;
    state.attributes[std::size_t(record.line)].line = 0;
  }
  state.unknown = file.unknown;
  return state;
}

Curation CurationState::ToFile() const {
  Curation file;
  file.phases.resize(phases.size());
  for (std::size_t k = 0; k < phases.size(); ++k) {
    file.phases[k].name = phases[k].name;
    file.phases[k].colour = phases[k].colour;
  }
  for (int line = 1; line <= count(); ++line) {
    if (off[std::size_t(line)]) file.off.push_back(line);
    const int k = phase[std::size_t(line)];
    if (k > 0) file.phases[std::size_t(k - 1)].lines.push_back(line);
  }
  for (std::size_t line = 1; line < attributes.size(); ++line)
    if (!attributes[line].empty()) {
      file.attributes.push_back(attributes[line]);
      file.attributes.back().line = int(line);
    }
  file.unknown = unknown;
  return file;
}

std::string PhaseTitle(const std::string& name) {
  static const std::string kWord = "phase";
  bool named = name.size() >= kWord.size() &&
               (name.size() == kWord.size() || std::isspace(static_cast<unsigned char>(name[5])));
  for (std::size_t i = 0; named && i < kWord.size(); ++i)
    named = std::tolower(static_cast<unsigned char>(name[i])) == kWord[i];
  return named ? name : "Phase " + name;
}

std::string NextPhaseColour(const std::vector<PhaseInfo>& phases) {
  static const std::array<const char*, 8> kColours = {"#1b9e77", "#d95f02", "#7570b3", "#e7298a",
                                                      "#66a61e", "#e6ab02", "#a6761d", "#17becf"};
  for (const char* colour : kColours)
    if (std::none_of(phases.begin(), phases.end(),
                     [colour](const PhaseInfo& p) { return p.colour == colour; }))
      return colour;
  return kColours[phases.size() % kColours.size()];
}

}  // namespace orniva::analysis
