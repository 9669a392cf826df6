// The main window's loading of data files: the open command, files
// dropped from the desktop, the load itself and what it reports.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "analysis/off_plane.h"
#include "data/fault_reader.h"
#include "data/orientation_table.h"
#include "ui/main/VORNmain.h"
#include "ui/results/orientation_window.h"

using orniva::FileError;
using namespace orniva::ui;

// ---- open ----------------------------------------------------------------------

void TFormMain::ActionOpenExecute() {
  const std::optional<QString> chosen = services_->OpenDataFile(this);
  if (!chosen) return;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  LoadDataFile(path);
}

// ---- file drop -----------------------------------------------------------------

// Only a drag that offers a copy: the files are read, never taken.
void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls() || !(event->possibleActions() & Qt::CopyAction)) return;
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

// The drop is finished first; the files are taken up once the desktop has
// let go of it, so that a message box does not hold up the drag.
void TFormMain::dropEvent(QDropEvent* event) {
  if (!(event->possibleActions() & Qt::CopyAction)) return;
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  event->setDropAction(Qt::CopyAction);
  event->accept();
  QTimer::singleShot(0, this, [this, paths] { FilesDropped(paths); });
}

void TFormMain::FilesDropped(const QStringList& paths) {
  if (paths.size() > 1) {
    ShowMessage("Plural files were dropped.\r\nThis application accept only one file at a time.");
    return;
  }
  for (const QString& path : paths) LoadDataFile(QFileInfo(path).absoluteFilePath());
}

// ---- loading -------------------------------------------------------------------

void TFormMain::LoadDataFile(const QString& path) {
  // An orientation table opens in a window of its own; the data stay open.
  if (orniva::IsOrientationTablePath(LocalPath(path)))
    return void(orniva::ui::ShowOrientationTable(*services_, this, LocalPath(path)));
  if (curationCommands_->MayDiscardChanges()) Load(path);
}

// Read and checked aside, reported, then taken by the document whole: the
// grid and the picture follow it (DocumentChanged).
void TFormMain::Load(const QString& path) {
  orniva::document::Opening opening = orniva::document::OpenDataFile(LocalPath(path));
  if (opening.error) return ReportError(*opening.error);
  if (opening.tooManyLines) return ShowMessage(orniva::TooManyLinesMessage());
  StringGrid1->setRowCount(opening.data.count() + 1);
  StatusPanel0->setText(QString::number(opening.data.count()));
  ReportCheck(opening.check);
  const bool otherData = curationCommands_->AskAboutCuration(opening.curation);
  highlight_ = -1;
  document.Adopt(std::move(opening), otherData);
  ReportOffPlane();
}

// Told after the data are shown; the log stays as the checks wrote it.
void TFormMain::ReportOffPlane() {
  const std::string warning =
      orniva::analysis::OffPlaneWarning(orniva::analysis::StriationsOffPlane(faultSet));
  if (warning.empty()) return;
  ShowMessage(QFileInfo(FileName()).fileName().toStdString() + ": " + warning +
              ".\r\nEvery analysis reads a striation as if it lay in its plane.");
}

// A log that could not be written is reported, and the load goes on with
// the data checked all the same; bad fields are told once.
void TFormMain::ReportCheck(const orniva::CheckOutcome& outcome) {
  if (outcome.logError) {
    ReportError(*outcome.logError);
    return;
  }
  writtenLogs_.insert(QFileInfo(QFile::decodeName(outcome.logPath.c_str())).canonicalFilePath());
  if (outcome.badFields) ShowMessage(orniva::BadFieldsMessage(outcome));
}

void TFormMain::ReportError(const FileError& error) { services_->ReportError(this, error); }
