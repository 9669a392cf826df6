// Tables in other conventions brought in as data, as commands the main
// window owns: File > Import reads a table file, Edit > Paste Data the
// clipboard's text; both go through the import dialog, save the converted
// data file where the user says, and have the window load it. Unsaved
// changes of the file open are asked about before anything is written.
#pragma once

#include <functional>
#include <string>

#include <QObject>
#include <QString>

#include "ui/shared/window_services.h"

class QAction;
class QMenu;
class QWidget;

namespace orniva::ui {

class ImportCommands : public QObject {
  Q_OBJECT

 public:
  // What the commands ask of the window they belong to.
  struct Window {
    QWidget* widget = nullptr;
    WindowServices* services = nullptr;
    // Asks about unsaved changes of the file open (saved to that file, or
    // dropped); false: the user cancelled.
    std::function<bool()> mayDiscardChanges;
    std::function<void(const QString& path)> load;  // loads a data file, asking nothing
  };

  // Adds Import to `file` and Paste Data to `edit`.
  ImportCommands(Window window, QMenu* file, QMenu* edit);

  void ImportTableFile();
  void PasteData();
  // Shows `text` (from `source`, the file `path`; "" for none) in the
  // import dialog and saves and loads the data the user accepts, with the
  // curation file of what the source recorded of each line.
  void ImportText(const std::string& text, const QString& source, const std::string& path);

  QAction* ActionImport = nullptr;
  QAction* ActionPasteData = nullptr;

 private:
  static void WriteImported(const std::string& path, const ImportedData& imported);

  Window window_;
};

}  // namespace orniva::ui
