// The survey table: one row per site x phase, written as CSV by
// `orniva-survey SURVEY`, in the formats of orniva-analyse (angles with 2
// decimals, other values with 4, empty where undefined). Its values are the
// fields of the row's own `stress-summary` and `stress-bootstrap` reports;
// a position has up to 7 decimals (about 1 cm).
//
// Accuracy class (World Stress Map bounds) from the half-width w of the
// SHmax interval, half the clockwise arc from shmax_low to shmax_high as
// the table writes them: A w <= 15, B <= 20, C <= 25, D <= 40 [deg], E
// otherwise or where SHmax or its interval is undefined. It is not the
// World Stress Map's own quality ranking of fault-slip inversions, which
// weighs more than this (the number of data, their spread, the misfit).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "survey/survey_run.h"

namespace orniva::survey {

// The columns in order: site,phase,n,n_total,lon,lat,s1_trend,s1_plunge,
// s2_trend,s2_plunge,s3_trend,s3_plunge,phi,r_prime,regime,wsm_regime,
// shmax,shmax_low,shmax_high,mean_beta,theta_radius,accuracy_class,frame,
// note. `frame` is "geographic" or "back-tilted"; `note` says why values
// are missing.
struct TableColumn {
  const char* name;
  bool number;  // a number when not empty; otherwise text
};
const std::vector<TableColumn>& TableColumns();

// The index of column `name` in TableColumns().
std::size_t ColumnIndex(const char* name);

// The half-width of the interval [deg], none where undefined.
std::optional<double> HalfWidth(double low, double high);
// 'A' to 'E' for the half-width `w` (none: 'E').
char AccuracyClass(std::optional<double> w);

// The row's SHmax [deg] in [0, 180), as its inversion gives it; none where
// undefined or not inverted.
std::optional<double> ShMaxOf(const SurveyRow& row);

// The text of every column of `row`, in order.
std::vector<std::string> RowCells(const SurveyResult& result, const SurveyRow& row);

// The number a cell writes; none for an empty or other text. Read as the
// reports write it, whatever the locale.
std::optional<double> CellNumber(const std::string& text);

// A position in degrees with up to 7 decimals, trailing zeros dropped.
std::string FormatDegrees(double degrees);

// The table as CSV: a header row and a row per site x phase.
std::string SurveyTableCsv(const SurveyResult& result);

}  // namespace orniva::survey
