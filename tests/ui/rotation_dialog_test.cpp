// The rotation dialog's fields: a value that is not a number or is out of
// its range is refused by the field's name.
#include "ui/rotation_dialog.h"

#include <gtest/gtest.h>

namespace orniva::ui {
namespace {

TEST(RotationDialog, RefusesTheFirstBadFieldByName) {
  using K = RotationKind;
  // clang-format off
  const struct { K kind; std::array<QString, 3> fields; const char* refused; } rows[] = {
      {K::AboutAxis, {"120", "40", "-30"},  ""},
      {K::AboutAxis, {"abc", "40", "30"},   "Axis trend"},
      {K::AboutAxis, {"120", "95", "30"},   "Axis plunge"},
      {K::AboutAxis, {"120", "40", ""},     "Angle"},
      {K::BackTilt,  {"361", "30", "1"},    "Bedding dip direction"},
      {K::BackTilt,  {"135", "90.5", "1"},  "Bedding dip"},
      {K::BackTilt,  {"135", "30", "1/2"},  "Fraction"},
      {K::BackTilt,  {" 135 ", "30", "0.5"}, ""},
      {K::Bedding,   {"135", "-1", ""},     "Bedding dip"},
      {K::Bedding,   {"135", "30", "x"},    ""},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE((row.fields[0] + "," + row.fields[1] + "," + row.fields[2]).toStdString());
    QString problem;
    const bool read = ReadRotation(row.kind, row.fields, problem).has_value();
    EXPECT_EQ(read, *row.refused == '\0');
    EXPECT_EQ(problem.section(QStringLiteral(" needs"), 0, 0).toStdString(), row.refused);
  }
}

}  // namespace
}  // namespace orniva::ui
