#include "app/options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "data/utf8_text.h"

namespace orniva::cli {

namespace {

constexpr std::size_t kHelpWidth = 79;
constexpr std::size_t kHelpIndent = 23;
// A space that the help's lines are not broken at.
constexpr char kKeptSpace = '\x1f';

bool SameDeclaration(const OptionDeclaration& a, const OptionDeclaration& b) {
  return a.name == b.name && a.value == b.value && a.kind == b.kind && a.choices == b.choices &&
         a.help == b.help && a.required == b.required;
}

bool AppliesTo(const ProgramOption& option, const std::string& command) {
  return option.commands.empty() || std::find(option.commands.begin(), option.commands.end(),
                                              command) != option.commands.end();
}

std::string Joined(const std::vector<std::string>& words, const std::string& separator) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : separator) + word;
  return text;
}

// A number as the help writes it: "0.95", "1000000", "1e+12".
std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, std::fabs(value) < 1e7 ? "%.10g" : "%g", value);
  std::string written = text;
  const std::size_t e = written.find("e+");
  if (e != std::string::npos) written.erase(e + 1, written.find_first_not_of("+0", e + 1) - e - 1);
  return written;
}

std::string RangeText(const NumberRange& range) {
  if (!range.words.empty()) return range.name + " " + range.words;
  if (range.aboveLow)
    return range.name + " above " + NumberText(range.low) + " and at most " +
           NumberText(range.high);
  return range.name + " from " + NumberText(range.low) + " to " + NumberText(range.high);
}

std::string RangesText(const std::vector<NumberRange>& ranges) {
  std::vector<std::string> parts;
  for (const NumberRange& range : ranges) parts.push_back(RangeText(range));
  return Joined(parts, ", ");
}

bool Within(const NumberRange& range, double value) {
  return (range.aboveLow ? value > range.low : value >= range.low) && value <= range.high;
}

std::optional<double> WholeNumberOf(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  unsigned long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return double(value);
}

std::optional<double> NumberOf(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

// The numbers of a Numbers value, one per range; none when the count or a
// number is wrong.
std::optional<std::vector<double>> NumbersOf(const std::string& text, std::size_t count) {
  std::vector<double> numbers;
  for (std::size_t start = 0;;) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::optional<double> number =
        NumberOf(std::string_view(text).substr(start, comma - start));
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    if (comma == text.size()) break;
    start = comma + 1;
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

std::string NumberProblem(const OptionDeclaration& declared, const std::string& value) {
  const NumberRange& range = declared.ranges.front();
  const bool whole = declared.kind == ValueKind::Whole;
  const std::optional<double> number = whole ? WholeNumberOf(value) : NumberOf(value);
  if (number && Within(range, *number)) return {};
  return declared.name + " needs " + (whole ? "a whole number " : "") + RangeText(range) +
         ", not '" + value + "'";
}

std::string NumbersProblem(const OptionDeclaration& declared, const std::string& value) {
  const std::optional<std::vector<double>> numbers = NumbersOf(value, declared.ranges.size());
  bool within = numbers.has_value();
  for (std::size_t k = 0; within && k < declared.ranges.size(); ++k)
    within = Within(declared.ranges[k], (*numbers)[k]);
  if (within) return {};
  return declared.name + " needs " + declared.value + " (" + RangesText(declared.ranges) +
         "), not '" + value + "'";
}

// The option's value as --help writes it.
std::string ValueText(const OptionDeclaration& declared) {
  if (declared.kind == ValueKind::Flag) return {};
  if (declared.kind == ValueKind::Choice && declared.value.empty())
    return Joined(declared.choices, "|");
  return declared.value;
}

std::string CommandPhrase(const ProgramTable& program, const std::string& command) {
  std::string phrase = program.commandPhrase;
  const std::size_t at = phrase.find("{}");
  if (at != std::string::npos) phrase.replace(at, 2, command);
  return phrase;
}

}  // namespace

void ProgramTable::AddOption(const OptionDeclaration& declared, const std::string& command) {
  for (ProgramOption& option : options) {
    if (!SameDeclaration(option.declaration, declared)) continue;
    if (!command.empty() && !option.commands.empty()) option.commands.push_back(command);
    if (command.empty()) option.commands.clear();
    return;
  }
  options.push_back(
      {declared, command.empty() ? std::vector<std::string>{} : std::vector{command}});
}

const OptionDeclaration* ProgramTable::OptionFor(const std::string& name,
                                                 const std::string& command) const {
  for (const ProgramOption& option : options)
    if (option.declaration.name == name && AppliesTo(option, command)) return &option.declaration;
  return nullptr;
}

bool ProgramTable::Declares(const std::string& name) const {
  return std::any_of(options.begin(), options.end(),
                     [&](const ProgramOption& option) { return option.declaration.name == name; });
}

std::optional<std::string> Arguments::Value(const std::string& name) const {
  const auto found = values.find(name);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

std::string ValueProblem(const OptionDeclaration& declared, const std::string& value) {
  switch (declared.kind) {
    case ValueKind::Flag:
      return {};
    case ValueKind::Choice:
      if (std::find(declared.choices.begin(), declared.choices.end(), value) !=
          declared.choices.end())
        return {};
      return "unknown value '" + value + "' for " + declared.name + " (use " +
             Joined(declared.choices, ", ") + ")";
    case ValueKind::Number:
    case ValueKind::Whole:
      return NumberProblem(declared, value);
    case ValueKind::Numbers:
      return NumbersProblem(declared, value);
    case ValueKind::Text:
      return value.empty() && !declared.emptyAllowed ? declared.name + " needs a " + declared.value
                                                     : "";
  }
  return {};
}

const std::vector<OptionDeclaration>& InfoOptions() {
  static const std::vector<OptionDeclaration> options = {
      {"-h", "", ValueKind::Flag, {}, {}, "show this help and exit"},
      {"--help", "", ValueKind::Flag, {}, {}, "show this help and exit"},
      {"--version", "", ValueKind::Flag, {}, {}, "show the version and exit"}};
  return options;
}

namespace {

struct Given {
  std::string name, value;
};

// The options and operands of `args` as written; sets `parsed.error` on a
// malformed or unknown option.
std::vector<Given> Tokens(const ProgramTable& program, const std::vector<std::string>& args,
                          Arguments& parsed) {
  std::vector<Given> given;
  bool ended = false;
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    const std::string& arg = args[i];
    if (ended || arg.size() < 2 || arg[0] != '-') {
      parsed.operands.push_back(arg);
    } else if (arg == "--") {
      ended = true;
    } else if (arg == "-h" || arg == "--help" || arg == "--version") {
      parsed.ask = arg == "--version" ? Arguments::Ask::Version : Arguments::Ask::Help;
      return {};
    } else {
      const std::size_t equals = arg.find('=');
      const std::string name = arg.substr(0, equals);
      const OptionDeclaration* any = program.OptionFor(name, program.defaultCommand);
      for (const ProgramOption& option : program.options)
        if (!any && option.declaration.name == name) any = &option.declaration;
      if (!any) {
        parsed.error = "unknown option '" + arg + "' (see --help)";
      } else if (any->kind == ValueKind::Flag) {
        if (equals != std::string::npos) parsed.error = "option '" + name + "' takes no value";
        given.push_back({name, ""});
      } else if (equals != std::string::npos || i + 1 < args.size()) {
        given.push_back({name, equals != std::string::npos ? arg.substr(equals + 1) : args[++i]});
      } else {
        parsed.error = "option '" + name + "' needs a value";
      }
    }
  }
  return given;
}

std::string OperandsProblem(const ProgramTable& program, const std::vector<std::string>& operands) {
  const int count = int(operands.size());
  if (count < program.minOperands) return "expected " + program.operands + " (see --help)";
  if (program.maxOperands >= 0 && count > program.maxOperands)
    return "unexpected argument '" + operands[std::size_t(program.maxOperands)] + "'";
  return {};
}

bool IsCommand(const ProgramTable& program, const std::string& name) {
  return std::any_of(program.commands.begin(), program.commands.end(),
                     [&](const CommandEntry& command) { return command.name == name; });
}

// The command the arguments name; sets `parsed.error` when it is unknown.
void ChooseCommand(const ProgramTable& program, const std::vector<Given>& given,
                   Arguments& parsed) {
  if (program.commandOperand >= 0) {
    parsed.command = parsed.operands[std::size_t(program.commandOperand)];
    if (!IsCommand(program, parsed.command))
      parsed.error = "unknown command '" + parsed.command + "' (see --help)";
    return;
  }
  if (program.commandOption.empty()) return;
  parsed.command = program.defaultCommand;
  for (const Given& g : given)
    if (g.name == program.commandOption) parsed.command = g.value;
}

// The commands `name` applies to, for a refusal.
std::string WhereItApplies(const ProgramTable& program, const std::string& name) {
  std::vector<std::string> commands;
  for (const ProgramOption& option : program.options)
    if (option.declaration.name == name)
      for (const std::string& command : option.commands)
        if (std::find(commands.begin(), commands.end(), command) == commands.end())
          commands.push_back(command);
  if (commands.empty() || commands.size() > 5) return " (see --help)";
  return " (only to " + Joined(commands, ", ") + ")";
}

std::string ConditionProblem(const OptionDeclaration& declared, const Arguments& parsed) {
  for (const OptionCondition& condition : declared.onlyWhile) {
    const std::optional<std::string> other = parsed.Value(condition.option);
    const std::string value = other ? *other : condition.whenAbsent;
    if (condition.values.empty() && !other)
      return declared.name + " applies only with " + condition.option;
    if (!condition.values.empty() && std::find(condition.values.begin(), condition.values.end(),
                                               value) == condition.values.end())
      return declared.name + " applies only with " + condition.option + " " +
             Joined(condition.values, " or ") + ", not with " + condition.option + " " + value;
  }
  for (const std::string& other : declared.notWith)
    if (parsed.Has(other))
      return declared.name + " cannot be given with " + other +
             (declared.notWithReason.empty() ? "" : " (" + declared.notWithReason + ")");
  return {};
}

// Each option given checked against its declaration for the command.
void CheckValues(const ProgramTable& program, const std::vector<Given>& given, Arguments& parsed) {
  for (const Given& g : given) {
    const OptionDeclaration* declared = program.OptionFor(g.name, parsed.command);
    if (!declared) {
      parsed.error = "option '" + g.name + "' does not apply to " +
                     CommandPhrase(program, parsed.command) + WhereItApplies(program, g.name);
      return;
    }
    parsed.error = ValueProblem(*declared, g.value);
    if (!parsed.error.empty()) return;
    parsed.values[g.name] = g.value;
  }
  for (const ProgramOption& option : program.options) {
    if (!AppliesTo(option, parsed.command)) continue;
    if (parsed.Has(option.declaration.name))
      parsed.error = ConditionProblem(option.declaration, parsed);
    const auto& instead = option.declaration.orInstead;
    if (option.declaration.required && !parsed.Has(option.declaration.name) &&
        std::none_of(instead.begin(), instead.end(),
                     [&parsed](const std::string& other) { return parsed.Has(other); })) {
      std::string needed = option.declaration.name;
      for (const std::string& other : instead) needed += " or " + other;
      parsed.error = CommandPhrase(program, parsed.command) + " needs " + needed + " (see --help)";
    }
    if (!parsed.error.empty()) return;
  }
}

}  // namespace

namespace {

// The arguments read against the table; the refusal as written.
Arguments Parse(const ProgramTable& program, const std::vector<std::string>& args) {
  Arguments parsed;
  const std::vector<Given> given = Tokens(program, args, parsed);
  if (parsed.ask != Arguments::Ask::Run || !parsed.error.empty()) return parsed;
  parsed.error = OperandsProblem(program, parsed.operands);
  if (parsed.error.empty()) ChooseCommand(program, given, parsed);
  if (parsed.error.empty() && !program.commandOption.empty() &&
      !IsCommand(program, parsed.command)) {
    std::vector<std::string> names;
    for (const CommandEntry& command : program.commands) names.push_back(command.name);
    parsed.error = "unknown value '" + parsed.command + "' for " + program.commandOption +
                   " (use " + Joined(names, ", ") + ")";
  }
  if (parsed.error.empty()) CheckValues(program, given, parsed);
  return parsed;
}

}  // namespace

Arguments ParseArguments(const ProgramTable& program, const std::vector<std::string>& args) {
  Arguments parsed = Parse(program, args);
  parsed.error = PrintableText(parsed.error);  // one line, whatever the arguments held
  return parsed;
}

namespace {

// Appends `text` wrapped at the help's width: its first line after
// `first`, the others indented by `indent`.
void AppendWrapped(std::string& help, std::string first, const std::string& text,
                   std::size_t indent) {
  std::string line = std::move(first);
  bool words = false;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const std::string word = text.substr(start, end - start);
    start = end + 1;
    if (word.empty()) continue;
    if (words && line.size() + 1 + word.size() > kHelpWidth) {
      help += line + "\n";
      line.assign(indent, ' ');
      words = false;
    }
    line += (words ? " " : "") + word;
    std::replace(line.end() - std::ptrdiff_t(word.size()), line.end(), kKeptSpace, ' ');
    words = true;
  }
  help += line + "\n";
}

// "  HEAD   TEXT", the text in the help's column.
void AppendItem(std::string& help, const std::string& head, const std::string& text) {
  std::string first = "  " + head;
  std::replace(first.begin(), first.end(), kKeptSpace, ' ');
  if (first.size() + 1 >= kHelpIndent) {
    help += first + "\n";
    first.clear();
  }
  first.resize(kHelpIndent, ' ');
  AppendWrapped(help, first, text, kHelpIndent);
}

std::string OptionHead(const OptionDeclaration& declared) {
  const std::string value = ValueText(declared);
  return declared.name + (value.empty() ? "" : " " + value);
}

// The command and its options, those it needs first; an option and its
// value are not broken apart.
std::string Synopsis(const ProgramTable& program, const std::string& command) {
  std::string needed, optional;
  std::vector<std::string> alternatives;  // written beside the option they stand in for
  for (const ProgramOption& option : program.options)
    if (AppliesTo(option, command))
      for (const std::string& other : option.declaration.orInstead) alternatives.push_back(other);
  for (const ProgramOption& option : program.options) {
    if (option.commands.empty() || !AppliesTo(option, command) ||
        std::count(alternatives.begin(), alternatives.end(), option.declaration.name) > 0)
      continue;
    std::string head = OptionHead(option.declaration);
    for (const std::string& other : option.declaration.orInstead)
      if (const OptionDeclaration* instead = program.OptionFor(other, command))
        head += "|" + OptionHead(*instead);
    std::replace(head.begin(), head.end(), ' ', kKeptSpace);
    (option.declaration.required ? needed : optional) +=
        option.declaration.required ? " " + head : " [" + head + "]";
  }
  return command + needed + optional;
}

std::string OptionHelp(const ProgramTable& program, const ProgramOption& option) {
  std::string text = option.declaration.help;
  if (!option.declaration.ranges.empty()) text += "; " + RangesText(option.declaration.ranges);
  for (const OptionCondition& condition : option.declaration.onlyWhile)
    text += "; only with " + condition.option +
            (condition.values.empty() ? "" : " " + Joined(condition.values, " or "));
  std::vector<std::string> notWith;
  for (const std::string& other : option.declaration.notWith)
    if (program.Declares(other)) notWith.push_back(other);
  if (!notWith.empty()) text += "; not with " + Joined(notWith, ", ");
  if (!option.commands.empty() && !program.synopsisWithOptions &&
      option.commands.size() < program.commands.size())
    text += "; for " + Joined(option.commands, ", ");
  return text;
}

// Each line of `text` wrapped at the help's width.
void AppendParagraphs(std::string& help, const std::string& text) {
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    AppendWrapped(help, "", text.substr(start, end - start), 0);
    start = end + 1;
  }
}

}  // namespace

std::string HelpText(const ProgramTable& program) {
  std::string help = "Usage: " + program.name + " " + program.operands + " [OPTIONS]\n\n";
  AppendParagraphs(help, program.description);
  help += "\n";
  if (!program.commands.empty()) {
    help += program.commandsTitle + ":\n";
    for (const CommandEntry& command : program.commands) {
      const std::string head =
          program.synopsisWithOptions ? Synopsis(program, command.name) : command.name;
      if (head.size() + 3 < kHelpIndent) {
        AppendItem(help, head, command.help);
      } else {
        AppendWrapped(help, "  ", head, 8);
        AppendWrapped(help, std::string(kHelpIndent, ' '), command.help, kHelpIndent);
      }
    }
    help += "\n";
  }
  help += "Options:\n";
  for (const ProgramOption& option : program.options)
    AppendItem(help, OptionHead(option.declaration), OptionHelp(program, option));
  AppendItem(help, "-h, --help", InfoOptions()[1].help);
  AppendItem(help, "--version", InfoOptions()[2].help);
  help += "\n";
  AppendParagraphs(help, program.footer);
  return help;
}

}  // namespace orniva::cli
