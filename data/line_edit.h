// Editing one field of a data file's line as the user types it in the data
// table: the value checked with the reader's grammar and ranges, and the
// line rewritten with only that field changed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "data/fault_data.h"

namespace orniva {

// The fields of a line, in the file's order.
enum class DataField { Faz, Fpl, Saz, Spl, Sense };

// The check of a field.
FaultCheck CheckOf(DataField field);

// The text a field of line `line` is written as when the user types `typed`:
// a number as the shortest decimal that reads back to the same stored value,
// a sense word as its letter ("thrust" R, "right lateral" D: SenseLetter). None, with `message` set
// to what the log says of the field ("faz invalid at line #3"), when the reader would refuse it.
std::optional<std::string> FieldText(DataField field, const std::string& typed, std::size_t line,
                                     std::string& message);

// `lineText` with field `field` replaced by `text`, the fields joined by one
// space. Missing fields before it are written "?" (which fails its check,
// as the empty field did).
std::string ReplaceField(const std::string& lineText, DataField field, const std::string& text);

}  // namespace orniva
