// How an option of a command-line program is written and which values it
// takes: its name, its kind of value, each number's documented range, the
// choices of a word, and when it applies. The report table declares each
// report's options with it, the programs their own; app/options.h checks
// the arguments against these declarations and prints --help from them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orniva::analysis {

enum class ValueKind {
  Flag,     // no value
  Choice,   // one word of `choices`
  Number,   // one number within its range
  Whole,    // one whole number (digits only) within its range
  Numbers,  // numbers separated by commas, one per range, each within it
  Text,     // any text (a file, a name, a list checked later)
};

// The documented range of one number: low to high, `low` itself refused
// when `aboveLow`. `words` replaces "LOW to HIGH" in --help when the
// numbers would not say it well (2^64 - 1).
struct NumberRange {
  std::string name{};  // as the help writes the value: "W", "DD"
  double low = 0;
  double high = 0;
  bool aboveLow = false;
  std::string words{};
};

// An option that applies only while another has one of some values: the
// other's value, or `whenAbsent` when it is not given ("" for a flag that
// must be given).
struct OptionCondition {
  std::string option{};
  std::vector<std::string> values{};
  std::string whenAbsent{};
};

struct OptionDeclaration {
  std::string name{};   // "--bin"
  std::string value{};  // as --help writes the value ("W"); a Choice's default is its choices
  ValueKind kind = ValueKind::Flag;
  std::vector<std::string> choices{};  // Choice
  std::vector<NumberRange> ranges{};   // Number and Whole: one; Numbers: one per number
  std::string help{};
  bool required = false;
  std::vector<std::string> orInstead{};  // a required option not needed when one of these is given
  bool emptyAllowed = false;             // Text: whether "" is a value
  std::vector<OptionCondition> onlyWhile{};  // every one must hold
  std::vector<std::string> notWith{};        // options it cannot be given with
  std::string notWithReason{};               // why, for the refusal
};

// The declarations as a table writes them.
inline OptionDeclaration DeclareFlag(std::string name, std::string help) {
  return {std::move(name), "", ValueKind::Flag, {}, {}, std::move(help)};
}
inline OptionDeclaration DeclareChoice(std::string name, std::vector<std::string> choices,
                                       std::string help, bool required = false) {
  return {std::move(name), "",      ValueKind::Choice, std::move(choices), {},
          std::move(help), required};
}
// One number (Number or Whole), written as its range's name.
inline OptionDeclaration DeclareNumber(std::string name, NumberRange range, std::string help,
                                       ValueKind kind = ValueKind::Number) {
  std::string value = range.name;
  return {std::move(name), std::move(value), kind, {}, {std::move(range)}, std::move(help)};
}
inline OptionDeclaration DeclareNumbers(std::string name, std::string value,
                                        std::vector<NumberRange> ranges, std::string help,
                                        bool required = false) {
  return {std::move(name), std::move(value), ValueKind::Numbers, {}, std::move(ranges),
          std::move(help), required};
}

}  // namespace orniva::analysis
