#include "tests/support/test_support.h"

#include "data/fault_reader.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace orniva::test {

FaultSet DataFromLines(const std::vector<std::string>& lines) {
  FaultSet data;
  LoadFaultLines(lines, data);
  return data;
}

MessageRecorder::MessageRecorder() : previous_(InstallMessageSink(this)) {}

MessageRecorder::~MessageRecorder() { InstallMessageSink(previous_); }

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
  const std::string outPath = dir.File("stdout.txt"), errPath = dir.File("stderr.txt");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const int flags = O_WRONLY | O_CREAT | O_TRUNC;
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), flags, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), flags, 0644);
  std::vector<std::string> all{exe};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);

  ProgramRun run;
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << exe << ": " << std::strerror(spawned);
    return run;
  }
  int wstatus = 0;
  if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

}  // namespace orniva::test
