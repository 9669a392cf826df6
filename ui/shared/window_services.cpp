#include "ui/shared/window_services.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QColorDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>

#include "ui/dialogs/import_dialog.h"
#include "ui/shared/manual_window.h"

namespace orniva::ui {
namespace {

std::optional<QString> RunFileDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

// The open dialog's second filter: orientation tables, opened in a window
// of their own.
constexpr const char* kOrientationFileFilter = "Orientation tables (*.orient.csv)";

std::optional<QString> QtWindowServices::OpenDataFile(QWidget* parent) {
  QFileDialog dialog(parent, QString(), QDir::currentPath(),
                     QString(kDataFileFilter) + ";;" + kOrientationFileFilter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunFileDialog(dialog);
}

std::optional<QString> QtWindowServices::SavePicture(QWidget* parent) {
  QFileDialog dialog(parent, QString(), QDir::currentPath(), kPictureFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(kPictureSuffix);
  const std::optional<QString> chosen = RunFileDialog(dialog);
  if (!chosen) return std::nullopt;
  return WithDefaultSuffix(*chosen, kPictureSuffix);
}

void QtWindowServices::ReportError(QWidget* parent, const FileError& error) {
  QMessageBox box(QMessageBox::Critical, kApplicationTitle, MessageBoxText(error.what()),
                  QMessageBox::Ok, parent);
  box.exec();
}

QtWindowServices::QtWindowServices() = default;
QtWindowServices::~QtWindowServices() = default;

std::optional<QString> QtWindowServices::SaveFigureFile(QWidget* parent, const QString& offered) {
  QFileDialog dialog(parent, QStringLiteral("Save Figure As"), QDir::currentPath(), kFigureFilters);
  if (!offered.isEmpty()) dialog.selectFile(offered);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const std::optional<QString> chosen = RunFileDialog(dialog);
  if (!chosen) return std::nullopt;
  return WithFigureSuffix(*chosen, dialog.selectedNameFilter());
}

std::optional<FigureOptions> QtWindowServices::ChooseFigureOptions(QWidget* parent,
                                                                   const FigureOptions& current,
                                                                   bool raster,
                                                                   const QString& defaultTitle) {
  FigureOptionsDialog dialog(current, raster, defaultTitle, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.options();
}

void QtWindowServices::PrintFigure(QWidget* parent, const Picture& figure, double widthMm) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&figure, widthMm](QPrinter* target) { PaintOnPage(figure, widthMm, *target); });
  preview.exec();
}

std::optional<QString> QtWindowServices::OpenImportFile(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Import"), QDir::currentPath(), kTableFilter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunFileDialog(dialog);
}

std::optional<ImportedData> QtWindowServices::ConfirmImport(QWidget* parent,
                                                            const std::string& text,
                                                            const QString& source,
                                                            const std::string& path) {
  ImportDialog dialog(text, source, path, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.imported();
}

std::optional<QString> QtWindowServices::SaveDataFile(QWidget* parent, const QString& title,
                                                      const QString& offered) {
  QFileDialog dialog(parent, title, offered.isEmpty() ? QDir::currentPath() : offered,
                     kDataFileFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("fdt"));
  const std::optional<QString> chosen = RunFileDialog(dialog);
  if (!chosen) return std::nullopt;
  return WithDefaultSuffix(*chosen, QStringLiteral("fdt"));
}

std::optional<QString> QtWindowServices::OpenFile(QWidget* parent, const QString& title,
                                                  const QString& filter) {
  QFileDialog dialog(parent, title, QDir::currentPath(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunFileDialog(dialog);
}

std::optional<QString> QtWindowServices::SaveFile(QWidget* parent, const QString& title,
                                                  const QString& filter, const QString& suffix) {
  QFileDialog dialog(parent, title, QDir::currentPath(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(suffix);
  const std::optional<QString> chosen = RunFileDialog(dialog);
  if (!chosen) return std::nullopt;
  return WithDefaultSuffix(*chosen, suffix);
}

std::optional<QString> QtWindowServices::ChooseFolder(QWidget* parent, const QString& title) {
  QFileDialog dialog(parent, title, QDir::currentPath());
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  return RunFileDialog(dialog);
}

void QtWindowServices::ShowMessage(QWidget* parent, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, MessageBoxText(text), QMessageBox::Ok,
                  parent ? parent : QApplication::activeWindow());
  box.exec();
}

WindowServices::SaveAnswer QtWindowServices::AskToSave(QWidget* parent, const QString& fileName) {
  QMessageBox box(QMessageBox::Warning, kApplicationTitle,
                  QStringLiteral("The data of %1 have changes that are not saved.").arg(fileName),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setInformativeText(QStringLiteral("Save them before going on?"));
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveAnswer::Save;
    case QMessageBox::Discard:
      return SaveAnswer::Discard;
    default:
      return SaveAnswer::Cancel;
  }
}

bool QtWindowServices::Confirm(QWidget* parent, const std::string& question) {
  return QMessageBox::question(parent, kApplicationTitle, MessageBoxText(question)) ==
         QMessageBox::Yes;
}

std::optional<QString> QtWindowServices::AskText(QWidget* parent, const QString& label,
                                                 const QString& initial) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent, kApplicationTitle, label, QLineEdit::Normal, initial, &ok);
  if (!ok || text.trimmed().isEmpty()) return std::nullopt;
  return text.trimmed();
}

std::optional<QString> QtWindowServices::AskColour(QWidget* parent, const QString& initial) {
  const QColor colour = QColorDialog::getColor(QColor(initial), parent);
  if (!colour.isValid()) return std::nullopt;
  return colour.name();
}

void QtWindowServices::CopyText(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
}

QString QtWindowServices::ClipboardText() { return QGuiApplication::clipboard()->text(); }

void QtWindowServices::CopyData(QMimeData* data) {
  QGuiApplication::clipboard()->setMimeData(data);
}

void QtWindowServices::ShowManual(QWidget*, const QString& page) {
  if (!manual_) manual_ = std::make_unique<ManualWindow>();
  manual_->ShowPage(page.toStdString());
}

std::unique_ptr<QSettings> QtWindowServices::Settings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("orniva"), QStringLiteral("orniva"));
}

bool MayDiscardChanges(WindowServices& services, QWidget* parent, bool modified,
                       const QString& fileName, const std::function<bool()>& save) {
  if (!modified) return true;
  switch (services.AskToSave(parent, fileName)) {
    case WindowServices::SaveAnswer::Save:
      return save();
    case WindowServices::SaveAnswer::Discard:
      return true;
    default:
      return false;
  }
}

QString MessageBoxText(const std::string& text) {
  return QString::fromLocal8Bit(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string PictureExtension(const QString& path) {
  const qsizetype dot = path.lastIndexOf(u'.');
  if (dot < 0 || dot < path.lastIndexOf(u'/')) return {};
  std::string extension = path.mid(dot).toStdString();
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return extension;
}

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
  return PictureExtension(path).empty() ? path + u'.' + suffix : path;
}

void MakeFolderCurrent(const QString& chosenFile) {
  QDir::setCurrent(QFileInfo(chosenFile).absolutePath());
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace orniva::ui
