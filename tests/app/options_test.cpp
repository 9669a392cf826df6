// The tables of the programs' options: how every program reads its
// arguments against its table, and the manual pages and the README held
// to the tables (a missing option or command fails, so does one documented
// but unknown).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/program_tables.h"
#include "tests/support/test_support.h"

namespace orniva::cli {
namespace {

ProgramTable TestProgram() {
  ProgramTable p;
  p.name = "tool";
  p.operands = "FILE COMMAND";
  p.minOperands = p.maxOperands = 2;
  p.commandOperand = 1;
  p.commands = {{"go", ""}, {"stop", ""}};
  OptionDeclaration method{"--method", "", ValueKind::Choice, {"a", "b"}, {}, ""};
  method.notWith = {"--given"};
  method.notWithReason = "given, not chosen";
  OptionDeclaration iterate{"--iterate", "", ValueKind::Flag, {}, {}, ""};
  iterate.onlyWhile = {{"--method", {"a"}, "a"}};
  for (const OptionDeclaration& declared :
       {OptionDeclaration{"--bin", "W", ValueKind::Number, {}, {{"W", 1, 360}}, ""},
        OptionDeclaration{"--count", "N", ValueKind::Whole, {}, {{"N", 1, 9}}, ""},
        OptionDeclaration{
            "--pair", "A,B", ValueKind::Numbers, {}, {{"A", 0, 1, true}, {"B", 0, 90}}, ""},
        method, iterate, OptionDeclaration{"--given", "X", ValueKind::Text, {}, {}, ""}})
    p.AddOption(declared, "go");
  OptionDeclaration need{"--need", "X", ValueKind::Text, {}, {}, "", true};
  need.orInstead = {"--instead"};
  p.AddOption(need, "stop");
  p.AddOption({"--instead", "Y", ValueKind::Text, {}, {}, ""}, "stop");
  p.AddOption({"--quiet", "", ValueKind::Flag, {}, {}, ""});
  return p;
}

TEST(ParseArguments, EachRuleAsACase) {
  using Values = std::map<std::string, std::string>;
  const struct {
    std::vector<std::string> args;
    std::string error;
    Values values;
  } rows[] = {
      {{"f", "go", "--bin", "10"}, "", {{"--bin", "10"}}},
      {{"--bin=10", "f", "--quiet", "go"}, "", {{"--bin", "10"}, {"--quiet", ""}}},
      {{"f", "go", "--bin", "5", "--bin=6"}, "", {{"--bin", "6"}}},
      {{"f", "go", "--iterate"}, "", {{"--iterate", ""}}},
      {{"f", "go", "--pair", "0.5,90"}, "", {{"--pair", "0.5,90"}}},
      {{"f", "go", "--", "--bin"}, "unexpected argument '--bin'", {}},
      {{"f"}, "expected FILE COMMAND (see --help)", {}},
      {{"f", "walk"}, "unknown command 'walk' (see --help)", {}},
      {{"f", "go", "--frob"}, "unknown option '--frob' (see --help)", {}},
      {{"f", "go", "--quiet=1"}, "option '--quiet' takes no value", {}},
      {{"f", "go", "--bin"}, "option '--bin' needs a value", {}},
      {{"f", "go", "--bin", "1e-5"}, "--bin needs W from 1 to 360, not '1e-5'", {}},
      {{"f", "go", "--bin", "inf"}, "--bin needs W from 1 to 360, not 'inf'", {}},
      {{"f", "go", "--count", "2.5"}, "--count needs a whole number N from 1 to 9, not '2.5'", {}},
      {{"f", "go", "--count", "99999999999999999999"},
       "--count needs a whole number N from 1 to 9, not '99999999999999999999'",
       {}},
      {{"f", "go", "--pair", "0,9"},
       "--pair needs A,B (A above 0 and at most 1, B from 0 to 90), not '0,9'",
       {}},
      {{"f", "go", "--pair", "0.5,9,"},
       "--pair needs A,B (A above 0 and at most 1, B from 0 to 90), not '0.5,9,'",
       {}},
      {{"f", "go", "--method", "c"}, "unknown value 'c' for --method (use a, b)", {}},
      {{"f", "go", "--method", "b", "--iterate"},
       "--iterate applies only with --method a, not with --method b",
       {}},
      {{"f", "go", "--method=a", "--given", "x"},
       "--method cannot be given with --given (given, not chosen)",
       {}},
      {{"f", "go", "--given="}, "--given needs a X", {}},
      {{"f", "stop", "--bin", "10"}, "option '--bin' does not apply to stop (only to go)", {}},
      {{"f", "stop"}, "stop needs --need or --instead (see --help)", {}},
      {{"f", "stop", "--instead", "y"}, "", {{"--instead", "y"}}},
  };
  const ProgramTable program = TestProgram();
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const Arguments parsed = ParseArguments(program, row.args);
    EXPECT_EQ(parsed.error, row.error);
    if (row.error.empty()) {
      EXPECT_EQ(parsed.values, row.values);
    }
  }
  EXPECT_EQ(ParseArguments(program, {"f", "go", "--frob", "--help"}).ask, Arguments::Ask::Run);
  EXPECT_EQ(ParseArguments(program, {"--count=0", "--help"}).ask, Arguments::Ask::Help);
  EXPECT_EQ(ParseArguments(program, {"--version"}).ask, Arguments::Ask::Version);
  // An option that stands in for a needed one is written beside it.
  ProgramTable withOptions = program;
  withOptions.synopsisWithOptions = true;
  const std::string help = HelpText(withOptions);
  EXPECT_NE(help.find("stop --need X|--instead Y\n"), std::string::npos) << help;
}

std::string SourceFile(const std::string& path) {
  return test::ReadFile(std::string(ORNIVA_SOURCE_DIR) + "/" + path);
}

// Every "--name" of `text` (a manual page's "\-" read as "-").
std::set<std::string> OptionsIn(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  std::set<std::string> names;
  const std::regex option("--[a-z][a-z0-9-]*");
  for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
    names.insert(it->str());
  return names;
}

// The first word after each .TP of the manual page's section `title`.
std::set<std::string> ManCommands(const std::string& page, const std::string& title) {
  std::set<std::string> commands;
  std::istringstream lines(page.substr(page.find(".SH " + title)));
  std::string line;
  std::getline(lines, line);
  for (bool item = false; std::getline(lines, line) && line.rfind(".SH", 0) != 0;) {
    if (item) {
      std::smatch word;
      const std::string plain = std::regex_replace(line, std::regex(R"(\\-)"), "-");
      if (std::regex_search(plain, word, std::regex(R"(^\.B[IR]? "?([a-z][a-z-]*))")))
        commands.insert(word[1]);
    }
    item = line == ".TP";
  }
  return commands;
}

// The README's section ("## ...") whose heading names `program`.
std::string ReadmeSection(const std::string& program) {
  const std::string readme = SourceFile("README.md");
  std::size_t start = 0;
  while ((start = readme.find("\n## ", start + 1)) != std::string::npos)
    if (readme.substr(start, readme.find('\n', start + 1) - start).find(program) !=
        std::string::npos)
      return readme.substr(start, readme.find("\n## ", start + 1) - start);
  return {};
}

// The first cells of the section's tables headed "| command" or "| diagram".
std::set<std::string> ReadmeCommands(const std::string& section) {
  std::set<std::string> commands;
  std::istringstream lines(section);
  bool table = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("| command", 0) == 0 || line.rfind("| diagram", 0) == 0) table = true;
    std::smatch cell;
    if (table && std::regex_search(line, cell, std::regex("^\\| `([a-z][a-z-]*)`")))
      commands.insert(cell[1]);
    if (line.rfind("|", 0) != 0) table = false;
  }
  return commands;
}

// A program's manual page and README section list exactly its options and
// commands.
TEST(ProgramTables, ManualPagesAndReadmeListTheSameOptionsAndCommands) {
  const struct {
    const ProgramTable& program;
    std::string page, commandsSection;
    bool inReadme;
  } rows[] = {
      {AnalyseProgram(), "orniva-analyse.1", "COMMANDS", true},
      {PlotProgram(), "orniva-plot.1", "DIAGRAMS", true},
      {WindowProgram(), "orniva.1", "", false},
      {ImportProgram(), "orniva-import.1", "", true},
      {SurveyProgram(), "orniva-survey.1", "", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.program.name);
    std::set<std::string> options = {"--help", "--version"}, commands;
    for (const ProgramOption& option : row.program.options) options.insert(option.declaration.name);
    for (const CommandEntry& command : row.program.commands) commands.insert(command.name);
    const std::string page = SourceFile("packaging/man/" + row.page);
    EXPECT_EQ(OptionsIn(page), options) << row.page;
    if (!row.commandsSection.empty()) {
      EXPECT_EQ(ManCommands(page, row.commandsSection), commands);
    }
    if (row.inReadme) {
      const std::string section = ReadmeSection(row.program.name);
      EXPECT_EQ(OptionsIn(section), options) << "README";
      EXPECT_EQ(ReadmeCommands(section), commands) << "README";
    }
    std::istringstream help(HelpText(row.program));
    for (std::string line; std::getline(help, line);) EXPECT_LE(line.size(), 79u) << line;
  }
}

}  // namespace
}  // namespace orniva::cli
