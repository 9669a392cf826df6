// The pieces the field-app readers share (field_presets.cpp for tables,
// field_strabo.cpp for StraboSpot projects): numbers and times as the apps
// write them, feature words, and the JSON project reader.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/field_import.h"
#include "data/field_presets.h"

namespace orniva::field {

// A plain decimal number, perhaps in blanks; none for anything else.
std::optional<double> NumberOf(std::string_view text);

// Seconds from 1970 of a time as the apps write it: ISO 8601 ("2026-05-25
// T14:56:25.000Z", a zone offset, or a blank for the T), "Sat Oct 19
// 15:00:33 2024" (a zone name before the year passed over) or a Unix time
// in seconds or milliseconds; none for anything else. Only differences
// are used, so a time without a zone counts as UTC.
std::optional<double> SecondsOf(std::string_view text);

// Whether `feature` holds one of the '|'-separated `words` (any case, '_'
// and '-' as blanks); true when either is empty.
bool FeatureMatches(std::string_view feature, std::string_view words);

// The records of a table's rows (its first row names the columns), each
// named "<source>line N"; a plane or a line as `kind` says, or as the Kind
// column says where it is none. None, with `error` set, past
// kMaxFieldRecords.
std::vector<FieldRecord> TableRecords(std::string_view text, const FieldSettings& settings,
                                      std::optional<FieldRecord::Kind> kind,
                                      const std::string& source, std::string& error);

// The records of a StraboSpot project's JSON text.
std::vector<FieldRecord> StraboJsonRecords(std::string_view text, const FieldSettings& settings,
                                           std::string& error);

// The record's problem for a plane from a strike (right-hand rule, any
// value: wrapped) or a dip direction, and a dip from 0 to 90; the values
// go into `record`.
void SetPlane(FieldRecord& record, std::optional<double> dipDirection, std::optional<double> strike,
              std::optional<double> dip);
// A line from its trend (wrapped) and plunge 0-90, or a rake 0-180.
void SetLine(FieldRecord& record, std::optional<double> trend, std::optional<double> plunge,
             std::optional<double> rake);

}  // namespace orniva::field
