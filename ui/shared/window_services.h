// What every window asks of the desktop: the file dialogs, the modal
// message box, the report of a file that could not be read or written, the
// questions and the clipboard. The program uses Qt's; tests hand the
// windows a stand-in. Also a few file-name rules of the commands.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "data/curation.h"
#include "platform/file_error.h"
#include "picture/picture.h"
#include "ui/dialogs/figure_options.h"

class QMimeData;
class QSettings;
class QWidget;

namespace orniva::ui {

// What an import hands back: the data file's text and, by its line, what
// the source recorded of each besides (none from a plain table).
struct ImportedData {
  std::string data;
  std::vector<LineAttributes> attributes;
};

class ManualWindow;

class WindowServices {
 public:
  virtual ~WindowServices() = default;
  // The data file to open; nothing when the user cancels.
  virtual std::optional<QString> OpenDataFile(QWidget* parent) = 0;
  // The file to export the picture to; nothing when the user cancels. A
  // name typed without an extension has the default extension added.
  virtual std::optional<QString> SavePicture(QWidget* parent) = 0;
  // Tells the user that a file could not be read or written, and why.
  virtual void ReportError(QWidget* parent, const FileError& error) = 0;
  // The file to save the figure to, its extension one of the figure
  // formats' when the user picked a filter; nothing when the user cancels.
  // `offered` is the name proposed (none: an empty name).
  virtual std::optional<QString> SaveFigureFile(QWidget* parent, const QString& offered) = 0;
  // The figure's options, starting from `current`; nothing on cancel.
  virtual std::optional<FigureOptions> ChooseFigureOptions(QWidget* parent,
                                                           const FigureOptions& current,
                                                           bool raster,
                                                           const QString& defaultTitle) = 0;
  // Previews `figure` and prints it if the user asks, `widthMm` wide.
  virtual void PrintFigure(QWidget* parent, const Picture& figure, double widthMm) = 0;
  // The table to import; nothing when the user cancels.
  virtual std::optional<QString> OpenImportFile(QWidget* parent) = 0;
  // Shows `text` (of the file `path`; "" for the clipboard's) in the
  // import dialog; the data the user accepts.
  virtual std::optional<ImportedData> ConfirmImport(QWidget* parent, const std::string& text,
                                                    const QString& source,
                                                    const std::string& path) = 0;
  // Where to save data, the dialog titled `title` and offering `offered`
  // (none: the current folder); ".fdt" added to a name without an extension.
  virtual std::optional<QString> SaveDataFile(QWidget* parent, const QString& title,
                                              const QString& offered) = 0;
  // Shows `text` modally (caption "Halvaro", one OK button) and returns
  // when the user has closed it. Lines are separated by "\r\n".
  virtual void ShowMessage(QWidget* parent, const std::string& text) = 0;
  // Any file to open or to save, the dialog titled `title` and filtered by
  // `filter` ("Name (*.ext);;..."); when saving, "." + `suffix` added to a
  // name without an extension. Nothing when the user cancels.
  virtual std::optional<QString> OpenFile(QWidget* parent, const QString& title,
                                          const QString& filter) = 0;
  virtual std::optional<QString> SaveFile(QWidget* parent, const QString& title,
                                          const QString& filter, const QString& suffix) = 0;
  // A folder to write into; nothing when the user cancels.
  virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& title) = 0;

  // What to do with unsaved changes before they would be lost.
  enum class SaveAnswer { Save, Discard, Cancel };
  virtual SaveAnswer AskToSave(QWidget* parent, const QString& fileName) = 0;
  // Asks `question` with Yes and No; true for Yes.
  virtual bool Confirm(QWidget* parent, const std::string& question) = 0;
  // A line of text (a phase's name), starting from `initial`; nothing on cancel.
  virtual std::optional<QString> AskText(QWidget* parent, const QString& label,
                                         const QString& initial) = 0;
  // A colour as "#rrggbb", starting from `initial`; nothing on cancel.
  virtual std::optional<QString> AskColour(QWidget* parent, const QString& initial) = 0;

  // The clipboard: text put on it, its text, and data of several formats
  // put on it (taken over).
  virtual void CopyText(const QString& text) = 0;
  virtual QString ClipboardText() = 0;
  virtual void CopyData(QMimeData* data) = 0;

  // Shows `page` of the manual ("index.html") in the help window.
  virtual void ShowManual(QWidget* parent, const QString& page) = 0;
  // Where the window keeps what it remembers between runs, when the user
  // asked it to (the user's own settings; tests give a scratch file).
  virtual std::unique_ptr<QSettings> Settings() = 0;
};

// The open dialog's filter and the save dialog's filter and default extension.
inline constexpr const char* kDataFileFilter = "Fault-Slip Data (*.fdt)";
inline constexpr const char* kPictureFilter = "Enhanced metafiles (+.emf) (*.emf)";
inline constexpr const char* kPictureSuffix = "emf";
inline constexpr const char* kTableFilter = "Tables (*.csv *.tsv *.txt *.dat);;All files (*)";
// The caption of every message box.
inline constexpr const char* kApplicationTitle = "Halvaro";

// Qt's file dialogs and a critical message box for file errors.
class QtWindowServices : public WindowServices {
 public:
  QtWindowServices();
  ~QtWindowServices() override;
  std::optional<QString> OpenDataFile(QWidget* parent) override;
  std::optional<QString> SavePicture(QWidget* parent) override;
  void ReportError(QWidget* parent, const FileError& error) override;
  std::optional<QString> SaveFigureFile(QWidget* parent, const QString& offered) override;
  std::optional<FigureOptions> ChooseFigureOptions(QWidget* parent, const FigureOptions& current,
                                                   bool raster,
                                                   const QString& defaultTitle) override;
  void PrintFigure(QWidget* parent, const Picture& figure, double widthMm) override;
  std::optional<QString> OpenImportFile(QWidget* parent) override;
  std::optional<ImportedData> ConfirmImport(QWidget* parent, const std::string& text,
                                            const QString& source,
                                            const std::string& path) override;
  std::optional<QString> SaveDataFile(QWidget* parent, const QString& title,
                                      const QString& offered) override;
  // The modal message box: caption "Halvaro", no icon, one OK button.
  void ShowMessage(QWidget* parent, const std::string& text) override;
  std::optional<QString> OpenFile(QWidget* parent, const QString& title,
                                  const QString& filter) override;
  std::optional<QString> SaveFile(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& suffix) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& title) override;
  SaveAnswer AskToSave(QWidget* parent, const QString& fileName) override;
  bool Confirm(QWidget* parent, const std::string& question) override;
  std::optional<QString> AskText(QWidget* parent, const QString& label,
                                 const QString& initial) override;
  std::optional<QString> AskColour(QWidget* parent, const QString& initial) override;
  void CopyText(const QString& text) override;
  QString ClipboardText() override;
  void CopyData(QMimeData* data) override;
  // The one help window of these services, made at first use.
  void ShowManual(QWidget* parent, const QString& page) override;
  // The user's settings file of the program.
  std::unique_ptr<QSettings> Settings() override;

 private:
  std::unique_ptr<ManualWindow> manual_;
};

// Whether a window's unsaved changes of `fileName` may go now: there are
// none (`modified` false), the user chose Save and `save` succeeded, or
// the user chose Discard. False on Cancel or a failed save.
bool MayDiscardChanges(WindowServices& services, QWidget* parent, bool modified,
                       const QString& fileName, const std::function<bool()>& save);

// Message text as a Qt label shows it: CR LF line breaks become LF.
QString MessageBoxText(const std::string& text);

// The extension of `path`: from its last period to the end when that period
// follows the last folder separator, else empty; ASCII letters lower-cased.
std::string PictureExtension(const QString& path);

// `path`, with "." + suffix added when it has no extension.
QString WithDefaultSuffix(const QString& path, const QString& suffix);

// A file dialog's side effect: the chosen file's folder becomes the current one.
void MakeFolderCurrent(const QString& chosenFile);

// The path as the file layer takes it (the file system's 8-bit encoding).
std::string LocalPath(const QString& path);

}  // namespace orniva::ui
