#include "ui/results/row_filter.h"

#include <array>
#include <cctype>
#include <cmath>
#include <charconv>
#include <system_error>

namespace orniva::ui {

namespace {

// The names a clause may use, in the order of the fields below.
struct FieldName {
  const char* name;
  int field;
};
constexpr std::array<FieldName, 15> kNames = {{{"line", 0},
                                               {"faz", 1},
                                               {"dipdir", 1},
                                               {"fpl", 2},
                                               {"dip", 2},
                                               {"saz", 3},
                                               {"trend", 3},
                                               {"spl", 4},
                                               {"plunge", 4},
                                               {"angle", 5},
                                               {"beta", 6},
                                               {"\xCE\xB2", 6},
                                               {"sense", 7},
                                               {"phase", 8},
                                               {"use", 9}}};
constexpr int kFirstTextField = 7;

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The clauses of `text`, split at commas and at the word "and".
std::vector<std::string> Clauses(const std::string& text) {
  std::vector<std::string> clauses{""};
  const std::string lower = Lower(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool andWord = lower.compare(i, 5, " and ") == 0;
    if (text[i] == ',' || andWord) {
      clauses.push_back("");
      i += andWord ? 3 : 0;
      continue;
    }
    clauses.back() += text[i];
  }
  return clauses;
}

// `text` whole as a number, the period its decimal separator whatever the
// user's locale (the table writes its numbers so).
bool ReadNumber(const std::string& text, double& number) {
  const char* first = text.data() + (!text.empty() && text[0] == '+');
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, number);
  return error == std::errc() && end == last;
}

bool Compare(double a, const std::string& op, double b) {
  if (std::isnan(a)) return false;
  if (op == "<") return a < b;
  if (op == "<=") return a <= b;
  if (op == ">") return a > b;
  if (op == ">=") return a >= b;
  if (op == "!=") return a != b;
  return a == b;
}

}  // namespace

std::optional<RowFilter> RowFilter::Parse(const std::string& text, std::string& error) {
  RowFilter filter;
  if (Trim(text).empty()) return filter;
  for (const std::string& part : Clauses(text)) {
    const std::string clause = Trim(part);
    const std::size_t at = clause.find_first_of("<>=!");
    if (at == std::string::npos) {
      error = "'" + clause + "' needs a comparison (<, <=, >, >=, = or !=)";
      return std::nullopt;
    }
    Clause c;
    const std::string name = Lower(Trim(clause.substr(0, at)));
    const std::size_t opLength = at + 1 < clause.size() && clause[at + 1] == '=' ? 2 : 1;
    c.op = clause.substr(at, opLength);
    c.text = Trim(clause.substr(at + opLength));
    c.field = -1;
    for (const FieldName& n : kNames)
      if (name == n.name) c.field = n.field;
    if (c.field < 0 || c.op == "!" || c.text.empty()) {
      error = "cannot read '" + clause + "' (fields: line, faz, fpl, saz, spl, angle, beta, " +
              "sense, phase, use)";
      return std::nullopt;
    }
    if (c.field < kFirstTextField) {
      if (!ReadNumber(c.text, c.number)) {
        error = "'" + c.text + "' is not a number";
        return std::nullopt;
      }
    } else if (c.op != "=" && c.op != "!=") {
      error = "'" + name + "' takes = or !=";
      return std::nullopt;
    }
    filter.clauses_.push_back(c);
  }
  return filter;
}

bool RowFilter::Accepts(const RowValues& row) const {
  for (const Clause& c : clauses_) {
    const double numbers[] = {row.line, row.faz, row.fpl, row.saz, row.spl, row.angle, row.beta};
    if (c.field < kFirstTextField) {
      if (!Compare(numbers[c.field], c.op, c.number)) return false;
      continue;
    }
    const std::string value = c.field == 7   ? Lower(row.sense)
                              : c.field == 8 ? Lower(row.phase)
                                             : std::string(row.use ? "on" : "off");
    if ((value == Lower(c.text)) != (c.op == "=")) return false;
  }
  return true;
}

}  // namespace orniva::ui
