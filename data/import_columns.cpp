#include "data/import_columns.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

namespace orniva {

namespace {

using R = FieldRole;

// Each role's names as Normalised() leaves them (lower case letters and
// digits), blank-separated.
constexpr std::pair<FieldRole, std::string_view> kRoleNames[] = {
    {R::DipDirection,
     "dipdirection dipdir dipdirn dipazimuth dipaz dipazi azimuth azi az dd ddir faz planeazimuth"},
    {R::Strike, "strike strk strikerhr rhrstrike strikeazimuth faultstrike planestrike"},
    {R::Dip, "dip dipangle faultdip planedip fpl inclination"},
    {R::DipQuadrant, "dipquadrant dipquad dipcard dipcardinal"},
    {R::Trend,
     "trend trd saz linetrend lineationtrend striaetrend striationtrend slickensidetrend "
     "sliptrend lineazimuth striaeazimuth ldipdir ldipdirection"},
    {R::Plunge,
     "plunge plg spl lineplunge lineationplunge striaeplunge striationplunge slickensideplunge "
     "slipplunge ldip"},
    {R::Pitch, "pitch pitchangle"},
    {R::PitchEnd,
     "pitchcard pitchquadrant pitchfrom pitchend pitchdirection pitchdir strikedirection rakedir "
     "rakedirection rakeend rakefrom"},
    {R::Rake, "rake rakeangle"},
    {R::Sense,
     "sense senseofslip senseofmovement senseofmouvement typeofmovement typeofmouvement "
     "movementtype slipsense shearsense sensetype faulttype faultkind movement mouvement motion "
     "kinematics sens"},
};
std::string Normalised(std::string_view name) {
  std::string out;
  int depth = 0;  // inside brackets: a unit such as "(deg)"
  for (char c : name) {
    if (c == '(' || c == '[') ++depth;
    if (depth == 0 && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))) out += c;
    if (depth == 0 && c >= 'A' && c <= 'Z') out += char(c - 'A' + 'a');
    if ((c == ')' || c == ']') && depth > 0) --depth;
  }
  return out;
}

std::string_view Trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view()
                                         : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool QuadrantLetters(std::string_view field) {
  std::string t(Trimmed(field));
  for (char& c : t) c = char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return !t.empty() && t.size() <= 2 && t.find_first_not_of("NESW") == std::string::npos;
}

// The first field of column `c` (0-based) that is not blank in the first
// rows; empty when there is none.
std::string_view Sample(const ImportTable& table, std::size_t c) {
  constexpr std::size_t kSampledRows = 100;
  for (std::size_t r = 0; r < std::min(table.rows.size(), kSampledRows); ++r)
    if (c < table.rows[r].fields.size() && !Trimmed(table.rows[r].fields[c]).empty())
      return table.rows[r].fields[c];
  return {};
}

// The column (0-based) of the first column in `role`; none without one.
std::optional<std::size_t> ColumnOf(const std::vector<std::optional<FieldRole>>& roles, R role) {
  const auto found = std::find(roles.begin(), roles.end(), role);
  if (found == roles.end()) return std::nullopt;
  return std::size_t(found - roles.begin());
}

// Each column's role by its name and, for a column of quadrant letters
// right after a dip or a pitch (or one named as a dip direction) or the last
// unknown one of sense words where no column is named so, by its first row.
std::vector<std::optional<FieldRole>> ColumnRoles(const ImportTable& table) {
  std::vector<std::optional<FieldRole>> roles;
  for (std::size_t c = 0; c < table.header.size(); ++c) {
    std::optional<FieldRole> role = RoleNamed(table.header[c]);
    // Right after a column of `previous` whose values do not end in their own letters.
    auto after = [&roles, &table, c](R previous) {
      const std::string_view before = c > 0 ? Trimmed(Sample(table, c - 1)) : std::string_view();
      const bool lettered =
          !before.empty() && std::isalpha(static_cast<unsigned char>(before.back()));
      return c > 0 && roles[c - 1] == previous && !lettered;
    };
    if ((!role || role == R::DipDirection) && QuadrantLetters(Sample(table, c))) {
      if (after(R::Pitch) || after(R::Rake))
        role = R::PitchEnd;
      else if (after(R::Dip) || role == R::DipDirection)
        role = R::DipQuadrant;
    }
    roles.push_back(role);
  }
  const SenseMap senses = SenseMap::Default();
  for (std::size_t c = roles.size(); c-- > 0 && !ColumnOf(roles, R::Sense);)
    if (!roles[c] && senses.Find(Sample(table, c))) roles[c] = R::Sense;
  // Beside a dip quadrant, a column named only "azimuth" is the strike.
  const std::optional<std::size_t> azimuth = ColumnOf(roles, R::DipDirection);
  if (azimuth && ColumnOf(roles, R::DipQuadrant) && !ColumnOf(roles, R::Strike) &&
      std::string(" azimuth azi az ").find(" " + Normalised(table.header[*azimuth]) + " ") !=
          std::string::npos)
    roles[*azimuth] = R::Strike;
  return roles;
}

std::optional<PlaneConvention> PlaneOf(const ImportTable& table,
                                       const std::vector<std::optional<FieldRole>>& roles) {
  if (ColumnOf(roles, R::DipDirection)) return PlaneConvention::DipDirection;
  const std::optional<std::size_t> strike = ColumnOf(roles, R::Strike),
                                   dip = ColumnOf(roles, R::Dip);
  if (!strike) return std::nullopt;
  const std::string_view strikeText = Trimmed(Sample(table, *strike));
  const std::string_view dipText = dip ? Trimmed(Sample(table, *dip)) : std::string_view();
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  const bool quadrant = ColumnOf(roles, R::DipQuadrant) ||
                        (!dipText.empty() && letter(dipText.back())) ||
                        (!strikeText.empty() && letter(strikeText.front()));
  return quadrant ? PlaneConvention::StrikeQuadrant : PlaneConvention::StrikeRhr;
}

// A rake's convention from its values in every row: below 0 Aki's; above
// 180, or with no sense beside it, 0-360; else 0-180 with the sense column.
LineConvention RakeConventionOf(const ImportTable& table, std::size_t column, bool sense) {
  const NumberRange range = column < table.ranges.size() ? table.ranges[column] : NumberRange{};
  if (range.low < 0) return LineConvention::RakeAki;
  return range.high > 180 || !sense ? LineConvention::Rake360 : LineConvention::Rake;
}

// A pitch, or a rake with the strike end it is measured from, names the
// striation even where trend and plunge columns hold another line.
std::optional<LineConvention> LineOf(const ImportTable& table,
                                     const std::vector<std::optional<FieldRole>>& roles) {
  const std::optional<std::size_t> rake = ColumnOf(roles, R::Rake);
  if (ColumnOf(roles, R::Pitch) || (rake && ColumnOf(roles, R::PitchEnd)))
    return LineConvention::PitchQuadrant;
  if (ColumnOf(roles, R::Trend) && ColumnOf(roles, R::Plunge)) return LineConvention::TrendPlunge;
  if (!rake) return std::nullopt;
  return RakeConventionOf(table, *rake, ColumnOf(roles, R::Sense).has_value());
}

// Each field's column, the first not yet taken whose role fits; a pitch
// may stand in a column named as a rake.
std::vector<int> ColumnsOf(const std::vector<ImportField>& fields,
                           std::vector<std::optional<FieldRole>> roles) {
  std::vector<int> columns;
  for (const ImportField& field : fields) {
    std::optional<std::size_t> found = ColumnOf(roles, field.role);
    if (!found && field.role == R::Pitch) found = ColumnOf(roles, R::Rake);
    if (!found && !field.optional) return {};
    if (found) roles[*found].reset();
    columns.push_back(found ? int(*found) + 1 : 0);
  }
  return columns;
}

}  // namespace

std::string NormalisedName(std::string_view name) { return Normalised(name); }

std::optional<FieldRole> RoleNamed(std::string_view name) {
  const std::string word = " " + Normalised(name) + " ";
  for (const auto& [role, names] : kRoleNames)
    if (word != "  " && (" " + std::string(names) + " ").find(word) != std::string::npos)
      return role;
  return std::nullopt;
}

ColumnProposal ProposeColumns(const ImportTable& table, std::optional<PlaneConvention> plane,
                              std::optional<LineConvention> line) {
  const std::vector<std::optional<FieldRole>> roles = ColumnRoles(table);
  ColumnProposal proposal;
  proposal.plane = plane ? plane : PlaneOf(table, roles);
  proposal.line = line ? line : LineOf(table, roles);
  if (proposal.plane && proposal.line)
    proposal.columns = ColumnsOf(FieldsOf(*proposal.plane, *proposal.line), roles);
  return proposal;
}

std::vector<int> ChosenColumns(const std::vector<int>& proposed) {
  std::vector<int> chosen;
  for (int column : proposed)
    if (column > 0) chosen.push_back(column);
  return chosen;
}

}  // namespace orniva
