#include "ui/main/view_commands.h"

#include <memory>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "ui/main/fault_grid.h"
#include "ui/shared/widget_parts.h"
#include "ui/shared/window_services.h"

namespace orniva::ui {
namespace {

constexpr int kRecentFiles = 8;
const QString kRememberKey = QStringLiteral("remember");
const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kFolderKey = QStringLiteral("window/folder");
const QString kWideGridKey = QStringLiteral("window/wideGrid");
const QString kRecentKey = QStringLiteral("recentFiles");

// The menu text of recent file `index` (from 0): its number as the access
// key, then its path.
QString RecentText(int index, const QString& path) {
  QString shown = QDir::toNativeSeparators(path);
  return QStringLiteral("&%1 ").arg(index + 1) + shown.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

ViewCommands::ViewCommands(Window window, const document::Document& document, QMenuBar* menuBar,
                           QAction* before, QMenu* file, QAction* fileBefore)
    : QObject(window.widget), window_(std::move(window)), document_(document) {
  View1 = new QMenu(QStringLiteral("&View"), menuBar);
  View1->setObjectName(QStringLiteral("View1"));
  menuBar->insertMenu(before, View1);
  ActionWideGrid = NewMenuItem(View1, "ActionWideGrid", QStringLiteral("&Wide Data Grid"));
  ActionWideGrid->setCheckable(true);
  View1->addSeparator();
  ActionRemember =
      NewMenuItem(View1, "ActionRemember", QStringLiteral("&Remember Window and Recent Files"));
  ActionRemember->setCheckable(true);
  ActionRemember->setChecked(window_.services->Settings()->value(kRememberKey, false).toBool());
  connect(ActionWideGrid, &QAction::toggled, this, &ViewCommands::SetWideGrid);
  connect(ActionRemember, &QAction::toggled, this, &ViewCommands::SetRemember);
  Recent1 = new QMenu(QStringLiteral("Recent &Files"), file);
  Recent1->setObjectName(QStringLiteral("Recent1"));
  file->insertMenu(fileBefore, Recent1);
  ShowRecent();
  listener_ = document_.AddListener([this](const document::Notice& notice) {
    if (notice.has(document::kFileNameChanged | document::kDataReplaced))
      Opened(QFile::decodeName(document_.fileName().c_str()));
  });
}

ViewCommands::~ViewCommands() { document_.RemoveListener(listener_); }

void ViewCommands::Restore() {
  if (!ActionRemember->isChecked()) return;
  const std::unique_ptr<QSettings> settings = window_.services->Settings();
  recent_ = settings->value(kRecentKey).toStringList().mid(0, kRecentFiles);
  ShowRecent();
  ActionWideGrid->setChecked(settings->value(kWideGridKey, false).toBool());
  const QString folder = settings->value(kFolderKey).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) QDir::setCurrent(folder);
  window_.widget->restoreGeometry(settings->value(kGeometryKey).toByteArray());
}

void ViewCommands::Store() {
  if (!ActionRemember->isChecked()) return;
  const std::unique_ptr<QSettings> settings = window_.services->Settings();
  settings->setValue(kGeometryKey, window_.widget->saveGeometry());
  settings->setValue(kFolderKey, QDir::currentPath());
}

void ViewCommands::Opened(const QString& path) {
  if (path.isEmpty()) return;
  recent_.removeAll(path);
  recent_.prepend(path);
  while (recent_.size() > kRecentFiles) recent_.removeLast();
  ShowRecent();
  StoreRecent();
}

// The grid's columns of numbers widen or narrow; the window by as much, so
// that the image keeps its size, unless it is maximised or full-screen.
void ViewCommands::SetWideGrid(bool wide) {
  const int before = window_.grid->extraWidth();
  window_.grid->setWide(wide);
  const int change = window_.grid->extraWidth() - before;
  QMainWindow* widget = window_.widget;
  if (!(widget->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
    widget->resize(widget->width() + change, widget->height());
  window_.layOut();
  if (ActionRemember->isChecked()) window_.services->Settings()->setValue(kWideGridKey, wide);
}

// On: the choice, the list and the grid's width kept at once, the window's
// size and place and the folder at the end of the run. Off: all forgotten.
void ViewCommands::SetRemember(bool remember) {
  const std::unique_ptr<QSettings> settings = window_.services->Settings();
  if (!remember) {
    settings->clear();
    return;
  }
  settings->setValue(kRememberKey, true);
  settings->setValue(kWideGridKey, ActionWideGrid->isChecked());
  settings->setValue(kRecentKey, recent_);
}

void ViewCommands::StoreRecent() {
  if (ActionRemember->isChecked()) window_.services->Settings()->setValue(kRecentKey, recent_);
}

// One item per file, the latest first, then Clear List; disabled when
// empty. A file no longer there is taken off the list when chosen.
void ViewCommands::ShowRecent() {
  Recent1->clear();
  for (int i = 0; i < recent_.size(); ++i) {
    const QString path = recent_[i];
    QAction* item = Recent1->addAction(RecentText(i, path), this, [this, path] {
      if (!QFileInfo::exists(path)) {  // gone: it leaves the list, and the open says why
        recent_.removeAll(path);
        ShowRecent();
        StoreRecent();
      }
      window_.open(path);
    });
    item->setToolTip(path);
  }
  Recent1->addSeparator();
  Recent1->addAction(QStringLiteral("&Clear List"), this, [this] {
    recent_.clear();
    ShowRecent();
    StoreRecent();
  });
  Recent1->setEnabled(!recent_.isEmpty());
}

}  // namespace orniva::ui
