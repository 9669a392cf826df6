// A field typed in the data table: refused as the reader refuses it, written
// as the shortest decimal that reads back the same, and put in its line with
// the other fields as they were.
#include <gtest/gtest.h>

#include <string>

#include "data/fault_reader.h"
#include "data/line_edit.h"

namespace orniva {
namespace {

TEST(LineEdit, TypedFieldsCheckedAndWritten) {
  const struct {
    DataField field;
    std::string typed;
    std::optional<std::string> text;  // none: refused
  } rows[] = {
      {DataField::Faz, " 045.50 ", "45.5"},
      {DataField::Faz, "4.5e1", "45"},
      {DataField::Faz, "360", "360"},
      {DataField::Faz, "360.01", std::nullopt},
      {DataField::Fpl, "90.5", std::nullopt},
      {DataField::Fpl, "-0", "0"},
      {DataField::Spl, "1 2", std::nullopt},
      {DataField::Saz, "12,5", std::nullopt},
      {DataField::Saz, "", std::nullopt},
      {DataField::Sense, " normal", "N"},
      {DataField::Sense, "x", std::nullopt},
      {DataField::Sense, "d", "D"},
      // Words the importer knows, as their letter; a two-component word needs the line.
      {DataField::Sense, "right lateral", "D"},
      {DataField::Sense, "Thrust", "R"},
      {DataField::Sense, "inverse", "R"},
      {DataField::Sense, "N+RL", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    std::string message;
    EXPECT_EQ(FieldText(row.field, row.typed, 7, message), row.text);
    EXPECT_EQ(message, row.text ? "" : FailedCheckText(CheckOf(row.field), 7));
  }
}

TEST(LineEdit, OnlyTheFieldChanges) {
  const struct {
    std::string line;
    DataField field;
    std::string expected;
  } rows[] = {
      {"  120   45\t200 30 Normal fault ", DataField::Fpl, "120 50 200 30 Normal fault"},
      {"120 45 200 30 N", DataField::Sense, "120 45 200 30 50"},
      {"", DataField::Saz, "? ? 50"},
      {"120 45", DataField::Sense, "120 45 ? ? 50"},
  };
  for (const auto& row : rows) EXPECT_EQ(ReplaceField(row.line, row.field, "50"), row.expected);
}

}  // namespace
}  // namespace orniva
