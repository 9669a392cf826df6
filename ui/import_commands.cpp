#include "ui/import_commands.h"

#include <optional>
#include <utility>

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

#include "platform/atomic_file.h"

namespace orniva::ui {

namespace {

// A table to import is read whole, so it is bounded: far more than the
// largest data file's rows in any convention.
constexpr qint64 kLargestTable = 64 << 20;

}  // namespace

ImportCommands::ImportCommands(Window window, QMenu* file, QMenu* edit)
    : QObject(window.widget), window_(std::move(window)) {
  ActionImport = file->addAction(QStringLiteral("I&mport..."));
  ActionImport->setObjectName(QStringLiteral("ActionImport"));
  ActionPasteData = edit->addAction(QStringLiteral("&Paste Data"));
  ActionPasteData->setObjectName(QStringLiteral("ActionPasteData"));
  connect(ActionImport, &QAction::triggered, this, &ImportCommands::ImportTableFile);
  connect(ActionPasteData, &QAction::triggered, this, &ImportCommands::PasteData);
}

void ImportCommands::ImportTableFile() {
  WindowServices& services = *window_.services;
  const std::optional<QString> chosen = services.OpenImportFile(window_.widget);
  if (!chosen) return;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  const QFileInfo info(path);
  QFile file(path);
  const auto fail = [&](const std::string& why) {
    services.ReportError(window_.widget, FileError(FileError::Action::Read, LocalPath(path), why));
  };
  if (info.exists() && !info.isFile()) {
    fail("not a regular file");
  } else if (info.size() > kLargestTable) {
    fail("larger than 64 MB, too large to import");
  } else if (!file.open(QIODevice::ReadOnly)) {
    fail(file.errorString().toStdString());
  } else {
    const QByteArray bytes = file.read(kLargestTable + 1);
    ImportText(std::string(bytes.constData(), std::size_t(bytes.size())), info.fileName());
  }
}

void ImportCommands::PasteData() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.trimmed().isEmpty()) {
    window_.services->ShowMessage(window_.widget, "The clipboard holds no text to import.");
    return;
  }
  ImportText(text.toStdString(), QStringLiteral("clipboard"));
}

void ImportCommands::ImportText(const std::string& text, const QString& source) {
  WindowServices& services = *window_.services;
  const std::optional<std::string> data = services.ConfirmImport(window_.widget, text, source);
  if (!data) return;
  const std::optional<QString> chosen = services.SaveDataFile(window_.widget);
  if (!chosen) return;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  try {
    WriteFileAtomically(LocalPath(path), *data);
  } catch (const FileError& error) {
    services.ReportError(window_.widget, error);
    return;
  }
  window_.load(path);
}

}  // namespace orniva::ui
