#include "data/field_presets.h"

#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <utility>

#include "data/field_readers.h"
#include "data/import_file.h"
#include "platform/names.h"

namespace orniva {

namespace {

using C = FieldColumn;

constexpr std::string_view kTitles[kFieldColumnCount] = {"Plane or line (P, L)",
                                                         "Feature",
                                                         "Identifier",
                                                         "Strike (RHR)",
                                                         "Dip direction",
                                                         "Dip",
                                                         "Dip quadrant",
                                                         "Trend",
                                                         "Plunge",
                                                         "Rake",
                                                         "Rake from (strike end)",
                                                         "Alpha",
                                                         "Beta",
                                                         "Gamma",
                                                         "Hole azimuth",
                                                         "Hole inclination",
                                                         "Sense",
                                                         "Site",
                                                         "Longitude (WGS 84)",
                                                         "Latitude (WGS 84)",
                                                         "Elevation (m)",
                                                         "Position accuracy (m)",
                                                         "Quality",
                                                         "Time",
                                                         "Day",
                                                         "Month",
                                                         "Year",
                                                         "Label",
                                                         "Notes"};

constexpr const char* kStriationWords =
    "striation|striae|slickenline|slickenfiber|slickenfibre|slickenside|groove";

FieldSettings Settings(std::string name, FieldFormat format, FieldRows rows,
                       std::initializer_list<std::pair<FieldColumn, const char*>> columns) {
  FieldSettings s;
  s.preset = std::move(name);
  s.format = format;
  s.rows = rows;
  for (const auto& [column, names] : columns) s.column(column) = names;
  return s;
}

FieldSettings StraboJson() {
  FieldSettings s = Settings("strabo-json", FieldFormat::StraboJson, FieldRows::PlanesAndLines, {});
  s.faultWords = "fault|shear zone";
  s.striationWords = kStriationWords;
  return s;
}

FieldSettings StraboTsv() {
  FieldSettings s = Settings("strabo-tsv", FieldFormat::Table, FieldRows::PlanesAndLines,
                             {{C::Kind, "Type"},
                              {C::Feature, "Structure"},
                              {C::Id, "No."},
                              {C::Strike, "Trd/Strk"},
                              {C::Dip, "Plg/Dip"},
                              {C::Trend, "Trd/Strk"},
                              {C::Plunge, "Plg/Dip"},
                              {C::Sense, "Strabo Plane Detail|Sense"},
                              {C::Longitude, "Longitude"},
                              {C::Latitude, "Latitude"},
                              {C::Elevation, "Elevation"},
                              {C::Accuracy, "Horiz ± m"},
                              {C::Quality, "Strabo Quality"},
                              {C::Time, "Time"},
                              {C::Day, "Day"},
                              {C::Month, "Month"},
                              {C::Year, "Year"},
                              {C::Label, "No."},
                              {C::Notes, "Notes"}});
  s.delimiter = Delimiter::Tab;
  s.faultWords = "fault|shear";
  s.striationWords = kStriationWords;
  return s;
}

FieldSettings TectoStress() {
  FieldSettings s = Settings(
      "tectostress", FieldFormat::Table, FieldRows::Faults,
      {{C::Feature, "type|data type"},
       {C::Id, "id|plane"},
       {C::Strike, "strike|azimuth"},
       {C::Dip, "dip|dip angle|slope|slope angle"},
       {C::DipQuadrant, "dip direction|dip_direction"},
       {C::Rake, "rake|pitch"},
       {C::RakeEnd, "strike direction|rake_dir|rake direction"},
       {C::Sense,
        "type of movement|type of mouvement|sense of movement|sense of mouvement|movement"},
       {C::Label, "id|plane"}});
  s.plane = PlaneConvention::StrikeQuadrant;
  s.line = LineConvention::PitchQuadrant;
  s.faultWords = "striated|fault|shear";
  return s;
}

FieldSettings FieldMove() {
  FieldSettings s = Settings("fieldmove", FieldFormat::FieldMoveFolder, FieldRows::PlanesAndLines,
                             {{C::Feature, "planeType|lineationType|type"},
                              {C::Id, "dataId|id"},
                              {C::Strike, "strike"},
                              {C::DipDirection, "dipAzimuth|dip azimuth"},
                              {C::Dip, "dip"},
                              {C::Trend, "plungeAzimuth|plunge azimuth|trend"},
                              {C::Plunge, "plunge"},
                              {C::Sense, "sense|movement"},
                              {C::Site, "localityId|locality"},
                              {C::Longitude, "longitude|lon"},
                              {C::Latitude, "latitude|lat"},
                              {C::Elevation, "altitude|elevation"},
                              {C::Accuracy, "horiz_precision|accuracy"},
                              {C::Time, "timedate|time"},
                              {C::Label, "name|label"},
                              {C::Notes, "notes"}});
  s.delimiter = Delimiter::Comma;
  s.faultWords = "fault|shear|slip";
  s.striationWords = kStriationWords;
  return s;
}

FieldSettings Core() {
  return Settings("core", FieldFormat::Table, FieldRows::Core,
                  {{C::Feature, "type|structure|feature"},
                   {C::Alpha, "alpha|alpha angle"},
                   {C::Beta, "beta|beta angle"},
                   {C::Gamma, "gamma|gamma angle"},
                   {C::HoleAzimuth, "hole azimuth|azimuth|azi"},
                   {C::HoleInclination, "hole inclination|inclination|inc"},
                   {C::Sense, "sense|movement|kinematics"},
                   {C::Site, "hole|hole id|holeid|bhid|drillhole"},
                   {C::Label, "depth|from|id"},
                   {C::Notes, "notes|comment|comments"}});
}

const Named<FieldSettings (*)()> kPresets[] = {{"strabo-json", StraboJson},
                                               {"strabo-tsv", StraboTsv},
                                               {"tectostress", TectoStress},
                                               {"fieldmove", FieldMove},
                                               {"core", Core}};

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The text of a file to read records from; none, with `error` set.
std::optional<std::string> TextOf(const std::string& path, std::string& error) {
  ImportFileText file = ReadImportFile(path);
  if (!file.error) return std::move(file.text);
  error = "cannot read " + path + ": " + file.error->reason();
  return std::nullopt;
}

// A locality's name and position give its records' site and position where
// they have none of their own.
void AddLocalities(const std::string& path, const FieldSettings& s,
                   std::vector<FieldRecord>& records, std::string& error) {
  if (::access(path.c_str(), F_OK) != 0) return;  // a project without localities
  const std::optional<std::string> text = TextOf(path, error);
  FieldSettings names = s;
  names.column(C::Site) = "localityId|id";
  names.column(C::Label) = "name|localityName";
  if (!text) return;
  std::map<std::string, LineAttributes> byId;
  for (const FieldRecord& r :
       field::TableRecords(*text, names, FieldRecord::Kind::Plane, "", error))
    byId.emplace(r.attributes.site, r.attributes);
  for (FieldRecord& r : records) {
    const auto found = byId.find(r.group);
    if (found == byId.end()) continue;
    const LineAttributes& locality = found->second;
    if (!locality.label.empty()) r.attributes.site = locality.label;
    if (!r.attributes.longitude) r.attributes.longitude = locality.longitude;
    if (!r.attributes.latitude) r.attributes.latitude = locality.latitude;
    if (!r.attributes.elevation) r.attributes.elevation = locality.elevation;
  }
}

std::vector<FieldRecord> FieldMoveRecords(const std::string& path, const FieldSettings& s,
                                          std::string& error) {
  const std::vector<std::string> files = FieldMoveFiles(path);
  std::vector<FieldRecord> records;
  const FieldRecord::Kind kinds[] = {FieldRecord::Kind::Plane, FieldRecord::Kind::Line};
  for (int k = 0; k < 2 && error.empty(); ++k) {
    const std::optional<std::string> text = TextOf(files[std::size_t(k)], error);
    if (!text) break;
    const std::string name = k == 0 ? "plane.csv " : "line.csv ";
    std::vector<FieldRecord> more = field::TableRecords(*text, s, kinds[k], name, error);
    if (!error.empty()) error = "cannot read " + files[std::size_t(k)] + ": " + error;
    records.insert(records.end(), std::make_move_iterator(more.begin()),
                   std::make_move_iterator(more.end()));
  }
  if (error.empty()) AddLocalities(files[2], s, records, error);
  if (!error.empty()) records.clear();
  return records;
}

}  // namespace

std::string_view FieldColumnTitle(FieldColumn column) { return kTitles[std::size_t(column)]; }

std::optional<FieldSettings> FieldPreset(std::string_view name) {
  const std::optional<FieldSettings (*)()> make = ValueNamed(kPresets, name);
  if (!make) return std::nullopt;
  return (*make)();
}

std::vector<std::string_view> FieldPresetNames() {
  std::vector<std::string_view> names;
  for (const auto& preset : kPresets) names.push_back(preset.name);
  return names;
}

std::vector<FieldRecord> FieldRecordsOfText(std::string_view text, const FieldSettings& settings,
                                            std::string& error) {
  if (settings.format == FieldFormat::StraboJson)
    return field::StraboJsonRecords(text, settings, error);
  return field::TableRecords(text, settings, std::nullopt, "", error);
}

std::vector<std::string> FieldMoveFiles(const std::string& path) {
  std::string folder = IsFolder(path) ? path : path.substr(0, path.rfind('/') + 1);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return {folder + "plane.csv", folder + "line.csv", folder + "localities.csv"};
}

FieldConversion ConvertFieldSource(const std::string& path, const FieldSettings& settings) {
  std::string error;
  std::vector<FieldRecord> records;
  if (settings.format == FieldFormat::FieldMoveFolder) {
    records = FieldMoveRecords(path, settings, error);
  } else if (const std::optional<std::string> text = TextOf(path, error)) {
    records = FieldRecordsOfText(*text, settings, error);
    if (!error.empty()) error = "cannot read " + path + ": " + error;
  }
  if (!error.empty()) {
    FieldConversion refused;
    refused.error = error;
    return refused;
  }
  return ConvertRecords(std::move(records), settings.senses, settings.misfitLimit,
                        settings.keepMisfits);
}

}  // namespace orniva
