// Helpers shared by the test executables.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/fault_data.h"
#include "platform/file_error.h"

namespace orniva::test {

// A data set read from lines as a load reads it: checked and coloured.
FaultSet DataFromLines(const std::vector<std::string>& lines);

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// `piece` `times` times over.
std::string Repeat(const std::string& piece, std::size_t times);

// The FileError that `call` throws; a test failure, and an error with an
// empty path, when it throws none.
template <class Call>
FileError FileErrorOf(Call call) {
  try {
    call();
  } catch (const FileError& e) {
    return e;
  }
  ADD_FAILURE() << "no FileError";
  return FileError(FileError::Action::Read, "", "");
}

// A finished run of a program: exit status (-1 when it did not exit
// normally) and what it wrote to standard output and error.
struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};
// Runs `exe` with `args`, its output captured in files in `dir`.
ProgramRun RunProgram(const std::string& exe, const std::vector<std::string>& args,
                      const TempDir& dir);

}  // namespace orniva::test
