// Turning a row of a table in one of the common conventions into a data
// file line "faz fpl saz spl sense".
//
// Planes: dip direction and dip; strike by the right-hand rule and dip
// (dip direction = strike + 90); or strike (0-360, or a bearing such as
// N30E) with the dip and its quadrant letter ("45NW", or "45" then "NW").
// Lines: lower-hemisphere trend and plunge; pitch 0-90 down the plane from
// the strike end a letter names; or a rake from the right-hand-rule strike
// h = L(faz - 90, 0) towards the dip line d = L(faz, fpl), the hanging
// wall's slip being u = cos r h + sin r d:
//   rake      0-180, r as given, the sense from its own field;
//   rake-360  0-360, r as given (above 180 the hanging wall went up);
//   rake-aki  -180-180 seismological, r = -rake (0 left-lateral, 90 reverse).
// Where the rake carries the sense, or a two-letter code (TL, TR, NL, NR)
// gives both components, the letter is the dominant component: N or R when
// the slip makes 45 degrees or more with the strike line, else S or D.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orniva {

enum class PlaneConvention { DipDirection, StrikeRhr, StrikeQuadrant };
enum class LineConvention { TrendPlunge, PitchQuadrant, Rake, Rake360, RakeAki };

// Their names on the command line ("dip-direction", "strike-rhr",
// "strike-quadrant"; "trend-plunge", "pitch-quadrant", "rake", "rake-360",
// "rake-aki").
std::optional<PlaneConvention> PlaneConventionNamed(std::string_view name);
std::optional<LineConvention> LineConventionNamed(std::string_view name);

// The fields a row holds under the conventions, in the order they are
// read. An optional field is the quadrant letter when it stands apart from
// its number (a row that writes "45NW" has none), or the sense (a row
// without one takes the sense chosen for missing ones).
enum class FieldRole {
  DipDirection,
  Strike,
  Dip,
  DipQuadrant,
  Trend,
  Plunge,
  Pitch,
  PitchEnd,
  Rake,
  Sense
};
struct ImportField {
  std::string name;
  FieldRole role;
  bool optional = false;
};
std::vector<ImportField> FieldsOf(PlaneConvention plane, LineConvention line);

// Sense words and codes, upper case, to a letter N, R, S or D, or to a
// two-letter code ("TL" ...) resolved by the line's geometry.
class SenseMap {
 public:
  // N NORMAL -; R REVERSE INVERSE I T THRUST +; D DX DEXTRAL RL "RIGHT
  // LATERAL"; S SN SINISTRAL LL "LEFT LATERAL"; and TL TR NL NR.
  static SenseMap Default();
  // Adds or replaces `code` (any case); false for a target other than
  // N, R, S, D, TL, TR, NL or NR.
  bool Set(std::string_view code, std::string_view target);
  // The target of `code` (any case, blanks around ignored); none if unknown.
  // Underscores and hyphens between words count as blanks ("right-lateral",
  // "left_lateral"). A code of several words or parts joined by '+' or '/'
  // names at most one dip-slip and one lateral component, each a known
  // code, among words that only say it is a fault ("fault", "slip",
  // "strike-slip", "oblique", "low-angle" ...): "N+RL" and "dextral normal"
  // are NR, "I+LL" and "sinistral_reverse" TL.
  std::optional<std::string> Find(std::string_view code) const;

  // What a row with an empty or missing sense gets: "N", "R", "S", "D" or
  // "X" (any case; X unless told), or "skip" to leave such rows out; false
  // for anything else.
  bool SetWhenMissing(std::string_view choice);
  // The letter for a missing sense; none when such rows are left out.
  std::optional<char> WhenMissing() const { return whenMissing_; }

 private:
  std::map<std::string, std::string> codes_;
  std::optional<char> whenMissing_ = 'X';
};

// One converted row: the five values, or the reason it could not be
// converted; `warnings` hold what was noticed but converted as given.
struct ConvertedRow {
  std::string error;
  bool skipped = false;  // the error is a missing sense, such rows being left out
  double faz = 0, fpl = 0, saz = 0, spl = 0;
  char sense = 'X';  // X: an unknown sense, written as such
  std::vector<std::string> warnings;
};

// `fields` hold the plane's fields, then the line's, then the sense (none
// for rake-360 and rake-aki). Numbers may end in a degree sign ("45°"). A trend-plunge striation
// more than `tolerance` degrees off its plane is warned about, never moved.
ConvertedRow ConvertRow(const std::vector<std::string>& fields, PlaneConvention plane,
                        LineConvention line, const SenseMap& senses, double tolerance = 10);

// The letter N, R, S or D of a sense word as the default words know it
// ("thrust", "right lateral", "Dextral"); none for an unknown word and for
// one of two components (NR ...), which needs the striation to decide.
// The data table's cell editing and the importer read sense words alike.
std::optional<char> SenseLetter(std::string_view word);

// A fault from numbers: a plane (dip direction, dip) and its striation as a
// line (trend, plunge; either end), with the sense from `sense` as a row's
// sense field gives it (empty: the sense chosen for missing ones). The
// error is set only when the sense is missing and such rows are left out.
ConvertedRow ConvertFault(double dipDirection, double dip, double trend, double plunge,
                          std::string_view sense, const SenseMap& senses);

// A bearing "N30E", "S45W", "N", "E" ..., or a plain number, as an azimuth
// in [0, 360); none when it is neither.
std::optional<double> ParseAzimuth(std::string_view text);

// The data file line of a converted row: each value the shortest plain
// decimal that the reader reads back to the same float or, with
// `decimals` of 0 or more, rounded to that many decimals without trailing
// zeros; an azimuth that comes out as 360 is written as 0. Single spaces,
// CR LF.
std::string DataLine(const ConvertedRow& row, int decimals = -1);
std::string ShortestDecimal(float value);
std::string RoundedDecimal(double value, int decimals);

}  // namespace orniva
