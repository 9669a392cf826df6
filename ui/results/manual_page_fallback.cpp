// Until the help window is merged: a results window's page of the manual
// opened from the manual installed with the program. The help window
// (ui/shared/manual_window.cpp) replaces this file.
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "ui/results/manual_help.h"

namespace orniva::ui {

void ShowManualPage(WindowServices&, QWidget*, std::string_view page) {
  const QString name = QString::fromUtf8(page.data(), qsizetype(page.size()));
  const QFileInfo installed(QStringLiteral("/usr/share/doc/orniva/manual/") + name);
  if (installed.isFile()) QDesktopServices::openUrl(QUrl::fromLocalFile(installed.filePath()));
}

}  // namespace orniva::ui
