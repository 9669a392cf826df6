#include "tests/support/test_support.h"

#include "data/fault_reader.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orniva::test {

FaultSet DataFromLines(const std::vector<std::string>& lines) {
  FaultSet data;
  LoadFaultLines(lines, data);
  return data;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orniva-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const { return path_ + "/" + name; }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot create " + path);
  out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  while (times--) out += piece;
  return out;
}

ProgramRun RunProgram(const std::string& exe, const std::vector<std::string>& args,
                      const TempDir& dir) {
  auto quoted = [](std::string text) {  // within single quotes, a quote as '\''
    for (std::size_t at = 0; (at = text.find('\'', at)) != std::string::npos; at += 4)
      text.replace(at, 1, "'\\''");
    return "'" + text + "'";
  };
  std::string command = quoted(exe);
  for (const std::string& arg : args) command += " " + quoted(arg);
  const std::string outPath = dir.File("stdout.txt"), errPath = dir.File("stderr.txt");
  const int wstatus =
      std::system((command + " >" + quoted(outPath) + " 2>" + quoted(errPath)).c_str());
  ProgramRun run;
  if (wstatus != -1 && WIFEXITED(wstatus) && WEXITSTATUS(wstatus) != 127)
    run.status = WEXITSTATUS(wstatus);
  else
    ADD_FAILURE() << command << " did not run or did not exit normally";
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

}  // namespace orniva::test
