#include "ui/main/import_commands.h"

#include <optional>
#include <utility>

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "data/import_file.h"
#include "platform/atomic_file.h"

namespace orniva::ui {

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
  const std::optional<QString> chosen = window_.services->OpenImportFile(window_.widget);
  if (!chosen) return;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  const ImportFileText file = ReadImportFile(LocalPath(path));
  if (file.error)
    window_.services->ReportError(window_.widget, *file.error);
  else
    ImportText(file.text, QFileInfo(path).fileName());
}

void ImportCommands::PasteData() {
  const QString text = window_.services->ClipboardText();
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
  const std::optional<QString> chosen =
      services.SaveDataFile(window_.widget, QStringLiteral("Save Imported Data As"), {});
  if (!chosen || !window_.mayDiscardChanges()) return;
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
