// How the exports of common field apps are read: a preset per source fills
// the columns, conventions and words that FieldSettings holds, and the
// import dialog shows them for the user to change before converting.
//
//   strabo-json  a StraboSpot project file (JSON): spots with a point
//                geometry [lon, lat] and "orientation_data" records; a line
//                in "associated_orientation" belongs to its plane
//   strabo-tsv   the StraboSpot / Stereonet Mobile tab-separated export
//                (No., Type P or L, Trd/Strk, Plg/Dip, Longitude ...)
//   tectostress  a semicolon table: strike, dip, the dip's quadrant letter,
//                rake, the strike end it is measured from, movement words
//   fieldmove    a FieldMove or FieldMove Clino CSV project folder
//                (plane.csv, line.csv, localities.csv)
//   core         oriented drill core: alpha, beta (and gamma) per row, the
//                hole's azimuth and inclination as options
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/field_import.h"
#include "data/import_conventions.h"
#include "data/import_table.h"

namespace orniva {

enum class FieldFormat { Table, StraboJson, FieldMoveFolder };

// What a table row holds: a plane or a line (a column or the file says
// which), a whole fault in one of the conventions, or a plane and its
// striation measured in oriented core.
enum class FieldRows { PlanesAndLines, Faults, Core };

// The columns a preset names. Site, position, time, label and notes become
// the line's attributes; Day, Month and Year complete a Time of day.
// clang-format off
enum class FieldColumn {
  Kind, Feature, Id, Strike, DipDirection, Dip, DipQuadrant, Trend, Plunge, Rake, RakeEnd,
  Alpha, Beta, Gamma, HoleAzimuth, HoleInclination, Sense, Site, Longitude, Latitude,
  Elevation, Accuracy, Quality, Time, Day, Month, Year, Label, Notes
};
// clang-format on
constexpr std::size_t kFieldColumnCount = std::size_t(FieldColumn::Notes) + 1;

// The column's name in the dialog ("Dip direction", "Longitude (WGS 84)").
std::string_view FieldColumnTitle(FieldColumn column);

struct FieldSettings {
  std::string preset;  // the name it was filled from; "" for none
  FieldFormat format = FieldFormat::Table;
  FieldRows rows = FieldRows::Faults;
  Delimiter delimiter = Delimiter::Auto;
  PlaneConvention plane = PlaneConvention::DipDirection;  // rows of whole faults
  LineConvention line = LineConvention::TrendPlunge;
  // Each column's header name, alternatives separated by '|', compared as
  // NormalisedName compares them; "" for none.
  std::array<std::string, kFieldColumnCount> columns;
  // Parts of feature names, separated by '|', any case, '_' and '-' as
  // blanks: a plane (or a row of a whole fault) whose feature holds one is
  // a fault, a line whose feature holds one a striation. Empty: every one.
  // A record that names no feature counts as one.
  std::string faultWords, striationWords;
  SenseMap senses = SenseMap::Default();  // and the sense when none is given
  double misfitLimit = 10;                // degrees
  bool keepMisfits = false;
  double holeAzimuth = 0, holeInclination = 90;  // core, degrees, inclination down

  std::string& column(FieldColumn c) { return columns[std::size_t(c)]; }
  const std::string& column(FieldColumn c) const { return columns[std::size_t(c)]; }
};

// The presets by name; none for an unknown name.
std::optional<FieldSettings> FieldPreset(std::string_view name);
// "strabo-json", "strabo-tsv", "tectostress", "fieldmove", "core".
std::vector<std::string_view> FieldPresetNames();

// A source holds at most this many records and a JSON file this many
// values; larger ones are refused before they take memory.
constexpr std::size_t kMaxFieldRecords = 200000;
constexpr std::size_t kMaxJsonValues = 4000000;

// The records of a source's text (a table or a JSON file) as `settings`
// read it; none, with `error` set to the reason, when it gives none.
std::vector<FieldRecord> FieldRecordsOfText(std::string_view text, const FieldSettings& settings,
                                            std::string& error);

// The file (or FieldMove folder) at `path` read and converted; a refused
// source sets the conversion's error ("cannot read PATH: reason").
FieldConversion ConvertFieldSource(const std::string& path, const FieldSettings& settings);

// The files a FieldMove project folder (or a file in it) is read from.
std::vector<std::string> FieldMoveFiles(const std::string& path);

// A plane measured in oriented core by alpha (its angle to the core axis)
// and beta (from the bottom-of-hole line to the ellipse's down-hole end,
// clockwise looking down the hole), in a hole of azimuth and inclination
// (degrees below the horizontal), with its pole
//   pole = cos a r - sin a A,  r = cos b B + sin b (A x B)
// (A down the hole, B the bottom-of-hole line: perpendicular to A in its
// vertical plane, pointing down). Gamma places a striation on the plane:
// from the ellipse's long axis at its down-hole end E = cos a A + sin a r,
// clockwise looking down the hole, l = cos g E + sin g (Q x E) with Q the
// plane's normal pointing down the hole. Angles in degrees.
struct CoreOrientation {
  double dipDirection = 0, dip = 0;
  double trend = kNoValue, plunge = kNoValue;  // the striation, where gamma is given
};
CoreOrientation FromCore(double holeAzimuth, double holeInclination, double alpha, double beta,
                         double gamma = kNoValue);

}  // namespace orniva
