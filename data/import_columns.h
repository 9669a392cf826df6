// Proposing how to read a table from the names in its header row: which
// column holds each field and, where the names say it, the conventions
// ("strike, dip, rake, sense" is a right-hand-rule strike with a rake).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/import_conventions.h"
#include "data/import_table.h"

namespace orniva {

// A column's name as the names are compared: lower-case letters and digits
// only, a unit in brackets left out ("Dip (deg)" is "dip").
std::string NormalisedName(std::string_view name);

// The role a column's name gives it: "Dip direction", "dip_dir", "DIPDIR",
// "azimuth" all name a dip direction. Case, blanks, punctuation and a unit
// in brackets ("Dip (deg)") do not count. None for a name it does not know.
std::optional<FieldRole> RoleNamed(std::string_view name);

struct ColumnProposal {
  std::optional<PlaneConvention> plane;  // as given, or as the names say
  std::optional<LineConvention> line;
  // One per field of FieldsOf(plane, line), 1-based, 0 for an optional
  // field no column names; empty when a needed field is not named.
  std::vector<int> columns;
};

// The proposal of the header's names for the conventions given, or for
// those the names imply where none is given. A column of quadrant letters
// with a name it does not know, or named as a dip direction, is the
// quadrant of the dip or pitch before it; without a column named as the
// sense, the last one it does not know that holds a sense word is the
// sense; beside a dip quadrant a column named "azimuth" is the strike.
// Strike with a quadrant column, letters after the dip or a bearing is a
// quadrant strike; a rake with a quadrant column ("Strike direction") is a
// pitch, preferred to trend and plunge columns (which may hold another
// feature's line); a rake below 0 is Aki's, above 180 or without a sense
// column one of 0-360. Names such as "type" or "kind" are no sense column
// unless they hold sense words.
ColumnProposal ProposeColumns(const ImportTable& table,
                              std::optional<PlaneConvention> plane = std::nullopt,
                              std::optional<LineConvention> line = std::nullopt);

// The chosen columns of a proposal as ImportSettings takes them.
std::vector<int> ChosenColumns(const std::vector<int>& proposed);

}  // namespace orniva
