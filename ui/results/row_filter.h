// The filter of the data table: clauses such as "beta > 30", "phase = A",
// "use = off" or "sense != N", joined by "and" or commas. A row shows when
// every clause holds. Numbers are read with the period as their decimal
// separator, whatever the user's locale.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orniva::ui {

// What a clause can look at in one row; NaN where a number is not known
// (a field that failed its check, beta without a solved inversion).
struct RowValues {
  double line = 0, faz = 0, fpl = 0, saz = 0, spl = 0, angle = 0, beta = 0;
  std::string sense, phase;
  bool use = true;
};

class RowFilter {
 public:
  // The filter of `text` (empty: every row); none, with `error` set, when a
  // clause cannot be read.
  static std::optional<RowFilter> Parse(const std::string& text, std::string& error);
  bool Accepts(const RowValues& row) const;
  bool empty() const { return clauses_.empty(); }

 private:
  struct Clause {
    int field = 0;
    std::string op;
    double number = 0;
    std::string text;
  };
  std::vector<Clause> clauses_;
};

}  // namespace orniva::ui
