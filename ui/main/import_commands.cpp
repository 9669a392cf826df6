#include "ui/main/import_commands.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "data/curation.h"
#include "data/fault_reader.h"
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
    ImportText(file.text, QFileInfo(path).fileName(), LocalPath(path));
}

void ImportCommands::PasteData() {
  const QString text = window_.services->ClipboardText();
  if (text.trimmed().isEmpty()) {
    window_.services->ShowMessage(window_.widget, "The clipboard holds no text to import.");
    return;
  }
  ImportText(text.toStdString(), QStringLiteral("clipboard"), {});
}

void ImportCommands::ImportText(const std::string& text, const QString& source,
                                const std::string& path) {
  WindowServices& services = *window_.services;
  const std::optional<ImportedData> data =
      services.ConfirmImport(window_.widget, text, source, path);
  if (!data) return;
  const std::optional<QString> chosen =
      services.SaveDataFile(window_.widget, QStringLiteral("Save Imported Data As"), {});
  if (!chosen || !window_.mayDiscardChanges()) return;
  const QString saved = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(saved);
  try {
    WriteImported(LocalPath(saved), *data);
  } catch (const FileError& error) {
    services.ReportError(window_.widget, error);
    return;
  }
  window_.load(saved);
}

// The data file, then beside it the curation file of what the source
// recorded of its lines, when it recorded anything.
void ImportCommands::WriteImported(const std::string& path, const ImportedData& imported) {
  WriteFileAtomically(path, imported.data);
  if (imported.attributes.empty()) return;
  Curation curation;
  curation.attributes = imported.attributes;
  const int lines = int(std::count(imported.data.begin(), imported.data.end(), '\n'));
  WriteFileAtomically(CurationPathFor(path),
                      CurationText(curation, FileNameOf(path), lines, Sha256Hex(imported.data)));
}

}  // namespace orniva::ui
