// Orniva's program entry: the application, the main window, the hidden
// version box, and the message loop. Installed as `orniva`; a data file named
// on the command line (as the desktop names the file double-clicked) is
// opened as a file dropped on the window.
#include <csignal>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>

#include "app/cli_support.h"
#include "app/program_tables.h"
#include "ui/main/About.h"
#include "ui/main/VORNmain.h"

namespace {

constexpr const char* kProgram = "orniva";

// The files named after Qt took its own options out of argv, read against
// the window program's table; an unknown option ends the program before
// its window opens.
bool FilesNamed(int argc, char* argv[], QStringList& files) {
  const orniva::cli::Arguments arguments = orniva::cli::ParseArguments(
      orniva::cli::WindowProgram(), std::vector<std::string>(argv + 1, argv + argc));
  if (!arguments.error.empty()) {
    orniva::cli::Report(kProgram, arguments.error);
    return false;
  }
  // Made absolute at once: the window may make a remembered folder current.
  for (const std::string& file : arguments.operands)
    files.append(QFileInfo(QFile::decodeName(file.c_str())).absoluteFilePath());
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A write beyond the file-size limit fails and is reported like any other
  // failed write, instead of ending the program half way.
  std::signal(SIGXFSZ, SIG_IGN);
  for (int i = 1; i < argc && std::string(argv[i]) != "--"; ++i)
    if (orniva::cli::IsHelpOrVersion(argv[i]))
      return orniva::cli::ShowInfo(orniva::cli::WindowProgram(),
                                   std::string(argv[i]) == "--version"
                                       ? orniva::cli::Arguments::Ask::Version
                                       : orniva::cli::Arguments::Ask::Help);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Halvaro"));
  QStringList files;
  if (!FilesNamed(argc, argv, files)) return orniva::cli::kFailure;

  TFormMain formMain;
  FormMain = &formMain;
  TFormAbout formAbout;
  formAbout.setAttribute(Qt::WA_QuitOnClose, false);  // closing the main window ends the program
  FormAbout = &formAbout;

  formMain.show();
  // As a drop does: once the window is up, from the message loop.
  if (!files.isEmpty())
    QTimer::singleShot(0, &formMain, [&formMain, files] { formMain.FilesDropped(files); });
  const int result = application.exec();
  FormAbout = nullptr;
  FormMain = nullptr;
  return result;
}
