#include "survey/survey_edit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <utility>

namespace orniva::survey {

namespace {

// Why a field is refused; thrown within this file only, caught by ReadSiteFields.
struct FieldRefusal {
  std::string reason;
};

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string RangeText(ValueRange range) {
  return "a number from " + JsonNumber(range.low) + " to " + JsonNumber(range.high);
}

// The number typed in `field` (none when empty), within `range` when given.
std::optional<double> NumberOf(const std::string& label, const std::string& field,
                               std::optional<ValueRange> range, const std::string& accepted) {
  const std::string text = Trimmed(field);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
  const bool number =
      read.ec == std::errc() && read.ptr == text.data() + text.size() && std::isfinite(value);
  if (!number || (range && !(value >= range->low && value <= range->high)))
    throw FieldRefusal{label + ": '" + text + "' is not " + accepted + "."};
  return value + 0.0;  // -0 is written as 0
}

std::optional<double> WithinRange(const std::string& label, const std::string& field,
                                  ValueRange range) {
  return NumberOf(label, field, range, RangeText(range));
}

void ReadName(SiteEntry& site, const std::string& field, const Survey& survey, std::size_t index) {
  site.name = Trimmed(field);
  if (site.name.empty()) throw FieldRefusal{"Name: a site needs a name."};
  for (std::size_t i = 0; i < survey.sites.size(); ++i)
    if (i != index && survey.sites[i].name == site.name)
      throw FieldRefusal{"Name: another site is named '" + site.name + "'."};
}

void ReadPlace(SiteEntry& site, const SiteFields& fields) {
  const auto lon = WithinRange("Longitude", fields.lon, kLongitudeRange);
  const auto lat = WithinRange("Latitude", fields.lat, kLatitudeRange);
  if (lon.has_value() != lat.has_value())
    throw FieldRefusal{"Longitude and latitude: give both or neither."};
  site.position = lon ? std::optional<GeoPosition>(GeoPosition{*lon, *lat}) : std::nullopt;
  site.elevation = NumberOf("Elevation", fields.elevation, std::nullopt, "a number of metres");
  const auto dd = WithinRange("Dip direction", fields.dipDirection, kDipDirectionRange);
  const auto dip = WithinRange("Dip", fields.dip, kDipRange);
  if (dd.has_value() != dip.has_value())
    throw FieldRefusal{"Bedding: give its dip direction and dip, or neither."};
  site.bedding = dd ? std::optional<SiteBedding>(SiteBedding{*dd, *dip}) : std::nullopt;
}

std::string NumberText(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : std::string();
}

// Whether a site `is` runs as `was` did in `run`: the same data, lines
// and, when the run back-tilts, the same bedding.
bool RunsAs(const SiteEntry& is, const SiteEntry& was, const SurveyResult& run) {
  return was.data == is.data && was.lines == is.lines &&
         (!run.survey.choices.backTilt || was.bedding == is.bedding);
}

// For each site of `now`, the site of `run` whose results it takes: the
// one at its own index when it runs as that did, else the first one not
// taken that it runs as (the sites before it removed); none: it waits.
std::vector<std::optional<std::size_t>> RunSites(const Survey& now, const SurveyResult& run) {
  const std::size_t ran = run.survey.sites.size();
  std::vector<std::optional<std::size_t>> of(now.sites.size());
  std::vector<bool> taken(ran, false);
  for (std::size_t i = 0; i < now.sites.size() && i < ran; ++i)
    if (RunsAs(now.sites[i], run.survey.sites[i], run)) of[i] = i, taken[i] = true;
  for (std::size_t i = 0; i < now.sites.size(); ++i)
    for (std::size_t j = 0; !of[i] && j < ran; ++j)
      if (!taken[j] && RunsAs(now.sites[i], run.survey.sites[j], run)) of[i] = j, taken[j] = true;
  return of;
}

}  // namespace

SiteFields SiteFieldsOf(const SiteEntry& site) {
  SiteFields fields;
  fields.name = site.name;
  if (site.position) {
    fields.lon = JsonNumber(site.position->lon);
    fields.lat = JsonNumber(site.position->lat);
  }
  fields.elevation = NumberText(site.elevation);
  if (site.bedding) {
    fields.dipDirection = JsonNumber(site.bedding->dipDirection);
    fields.dip = JsonNumber(site.bedding->dip);
  }
  fields.locality = site.locality;
  fields.date = site.date;
  fields.notes = site.notes;
  return fields;
}

SiteReading ReadSiteFields(const SiteFields& fields, const Survey& survey, std::size_t index) {
  SiteReading reading;
  if (index < survey.sites.size()) reading.site = survey.sites[index];
  try {
    ReadName(reading.site, fields.name, survey, index);
    ReadPlace(reading.site, fields);
  } catch (const FieldRefusal& refusal) {
    reading.problem = refusal.reason;
  }
  reading.site.locality = fields.locality;
  reading.site.date = fields.date;
  reading.site.notes = fields.notes;
  return reading;
}

void AppendSites(Survey& survey, std::vector<SiteEntry> added) {
  const auto taken = [&survey](const std::string& name) {
    return std::any_of(survey.sites.begin(), survey.sites.end(),
                       [&name](const SiteEntry& s) { return s.name == name; });
  };
  for (SiteEntry& site : added) {
    const std::string name = site.name;
    for (int k = 2; taken(site.name); ++k) site.name = name + " " + std::to_string(k);
    survey.sites.push_back(std::move(site));
  }
}

// ---- the history ----

SurveyHistory::SurveyHistory(Survey opened) { states_.push_back({std::move(opened), {}}); }

void SurveyHistory::Do(Survey next, std::string text) {
  states_.erase(states_.begin() + std::ptrdiff_t(at_) + 1, states_.end());
  if (saved_ > at_) saved_ = kUnreachable;
  states_.push_back({std::move(next), std::move(text)});
  at_ = states_.size() - 1;
}

std::string SurveyHistory::undoText() const { return canUndo() ? states_[at_].text : ""; }
std::string SurveyHistory::redoText() const { return canRedo() ? states_[at_ + 1].text : ""; }

void SurveyHistory::Undo() {
  if (canUndo()) --at_;
}

void SurveyHistory::Redo() {
  if (canRedo()) ++at_;
}

void SurveyHistory::Rebase(const std::string& fromPath, const std::string& toPath) {
  for (State& state : states_) state.survey = RebasedSurvey(state.survey, fromPath, toPath);
}

// ---- the rows shown ----

SurveyResult ResultFor(const Survey& now, const std::string& surveyPath, const SurveyResult* run) {
  SurveyResult shown;
  shown.survey = now;
  shown.surveyPath = surveyPath;
  const std::vector<std::optional<std::size_t>> ranAs =
      run ? RunSites(now, *run) : std::vector<std::optional<std::size_t>>(now.sites.size());
  for (std::size_t i = 0; i < now.sites.size(); ++i) {
    if (const std::optional<std::size_t> j = ranAs[i]) {
      shown.sites.push_back(run->sites[*j]);
      for (const SurveyRow& row : run->rows)
        if (row.site == int(*j)) {
          shown.rows.push_back(row);
          shown.rows.back().site = int(i);
        }
      continue;
    }
    SurveySite site;
    SurveyRow row;
    row.site = int(i);
    row.note = run && i < run->survey.sites.size() ? kChangedSinceRun : kNotRunYet;
    site.opened.error = row.note;
    site.opened.dataPath = SiteDataPath(surveyPath, now.sites[i]);
    shown.sites.push_back(std::move(site));
    shown.rows.push_back(std::move(row));
  }
  shown.cancelled = run && run->cancelled;
  return shown;
}

// ---- data file names ----

std::string DataNameFor(const std::string& dataPath, const std::string& surveyPath) {
  namespace fs = std::filesystem;
  const fs::path data = fs::absolute(dataPath).lexically_normal();
  const fs::path folder = fs::absolute(surveyPath).lexically_normal().parent_path();
  const fs::path relative = data.lexically_relative(folder);
  return relative.empty() ? data.string() : relative.string();
}

Survey RebasedSurvey(Survey survey, const std::string& fromPath, const std::string& toPath) {
  for (SiteEntry& site : survey.sites)
    if (!site.data.empty() && site.data[0] != '/')
      site.data = DataNameFor(SiteDataPath(fromPath, site), toPath);
  return survey;
}

}  // namespace orniva::survey
