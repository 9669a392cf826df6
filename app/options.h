// One table per program of its commands and options: every program reads
// its arguments against its table the same way, prints --help from it, and
// the tests hold the manual page and the README to it.
//
// Arguments: options and operands in any order; an option takes its value
// as the next argument or after '='; "--" ends the options. -h, --help and
// --version (before "--") ask for the help or the version and nothing else.
// Each option is checked against the declaration that applies to the
// command: its kind, its range, its choices, the options it needs or
// cannot go with. A refusal is one line that names the option and why.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analysis/option_declaration.h"

namespace orniva::cli {

using analysis::NumberRange;
using analysis::OptionCondition;
using analysis::OptionDeclaration;
using analysis::ValueKind;

// A command of a program: an orniva-analyse COMMAND, an orniva-plot diagram.
struct CommandEntry {
  std::string name;
  std::string help;
};

// An option and the commands it applies to (none listed: all of them).
struct ProgramOption {
  OptionDeclaration declaration;
  std::vector<std::string> commands;
};

struct ProgramTable {
  std::string name;      // "orniva-analyse"
  std::string operands;  // as the usage line writes them: "DATAFILE COMMAND"
  std::string description;
  std::string footer;
  int minOperands = 0;
  int maxOperands = 0;  // -1: any number
  // Which operand names the command, or which option does (its default
  // when not given); neither: a program without commands.
  int commandOperand = -1;
  std::string commandOption;
  std::string defaultCommand;
  std::string commandsTitle = "Commands";
  // How a refusal names a command: "{}" stands for its name.
  std::string commandPhrase = "{}";
  // Whether --help writes each command with the options it takes.
  bool synopsisWithOptions = false;
  std::vector<CommandEntry> commands;
  std::vector<ProgramOption> options;

  // Adds `declared` for `command` ("" for every command): to the declaration
  // of the same option, value and help when there is one.
  void AddOption(const OptionDeclaration& declared, const std::string& command = {});
  // The declaration of `name` that applies to `command`; null when none.
  const OptionDeclaration* OptionFor(const std::string& name, const std::string& command) const;
  bool Declares(const std::string& name) const;
};

struct Arguments {
  enum class Ask { Run, Help, Version };
  Ask ask = Ask::Run;
  std::vector<std::string> operands;
  std::string command;                        // empty for a program without commands
  std::map<std::string, std::string> values;  // by option name; "" for a flag
  std::string error;                          // a refusal, without the program's name

  bool Has(const std::string& name) const { return values.count(name) > 0; }
  std::optional<std::string> Value(const std::string& name) const;
};

Arguments ParseArguments(const ProgramTable& program, const std::vector<std::string>& args);

// The text of --help: the usage line, the description, the commands, every
// option with its value, range and the commands it applies to, the footer.
std::string HelpText(const ProgramTable& program);

// -h, --help and --version, with --help's and --version's text.
const std::vector<OptionDeclaration>& InfoOptions();

// Whether `value` is a value of `declared`; the refusal when not, else "".
std::string ValueProblem(const OptionDeclaration& declared, const std::string& value);

}  // namespace orniva::cli
