// Orniva's program entry: the application, the main window, the hidden
// version box, and the message loop.
#include <csignal>

#include <QApplication>

#include "ui/About.h"
#include "ui/VORNmain.h"

int main(int argc, char* argv[]) {
  // A write beyond the file-size limit fails and is reported like any other
  // failed write, instead of ending the program half way.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Halvaro"));

  TFormMain formMain;
  FormMain = &formMain;
  TFormAbout formAbout;
  formAbout.setAttribute(Qt::WA_QuitOnClose, false);  // closing the main window ends the program
  FormAbout = &formAbout;

  formMain.show();
  const int result = application.exec();
  FormAbout = nullptr;
  FormMain = nullptr;
  return result;
}
