// Orniva's program entry: the application, the main window, the hidden
// version box, and the message loop. Installed as `orniva`; a data file named
// on the command line (as the desktop names the file double-clicked) is
// opened as a file dropped on the window.
#include <csignal>
#include <string>

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTimer>

#include "app/cli_support.h"
#include "ui/About.h"
#include "ui/VORNmain.h"

namespace {

constexpr const char* kProgram = "orniva";

constexpr const char* kUsage =
    "Usage: orniva [FILE]\n"
    "\n"
    "Opens the Orniva window: fault-slip data in a table and on stereonets.\n"
    "With FILE, loads it as a file dropped on the window is loaded (checked,\n"
    "VORN.log written beside it); without, starts with the empty net.\n"
    "\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -style ...) are accepted as well.\n";

// The files named after Qt took its own options out of argv; an unknown
// option ends the program before its window opens. "--" ends the options.
bool FilesNamed(int argc, char* argv[], QStringList& files) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      orniva::cli::Report(kProgram, "unknown option '" + arg + "' (see --help)");
      return false;
    } else {
      files.append(QFile::decodeName(argv[i]));
    }
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A write beyond the file-size limit fails and is reported like any other
  // failed write, instead of ending the program half way.
  std::signal(SIGXFSZ, SIG_IGN);
  for (int i = 1; i < argc && std::string(argv[i]) != "--"; ++i)
    if (orniva::cli::IsHelpOrVersion(argv[i]))
      return orniva::cli::ShowHelpOrVersion(kProgram, argv[i], kUsage);
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
