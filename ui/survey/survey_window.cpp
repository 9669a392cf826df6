#include "ui/survey/survey_window.h"

#include <set>

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <filesystem>
#include <limits>

#include "platform/atomic_file.h"
#include "render/figure_files.h"
#include "survey/gis_layers.h"
#include "survey/publication_table.h"
#include "survey/site_grouping.h"
#include "survey/survey_map.h"
#include "survey/survey_report.h"
#include "survey/survey_table.h"
#include "ui/main/picture_view.h"
#include "ui/shared/aspect_box.h"
#include "ui/shared/long_work.h"
#include "ui/shared/picture_saving.h"
#include "ui/shared/result_table.h"
#include "ui/shared/widget_parts.h"
#include "ui/survey/site_dialog.h"

namespace orniva::ui {

namespace {

constexpr const char* kSurveyCaption = "Survey";
// A click this close to a site (plot units) picks it.
constexpr double kPickRadius = 40;
constexpr const char* kSurveyFilter = "Surveys (*.orniva-survey.json);;All files (*)";
constexpr const char* kSurveySuffix = "orniva-survey.json";

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

SurveyWindow::SurveyWindow(WindowServices& services,
                           std::function<void(const QString& path)> openData, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), openData_(std::move(openData)) {
  setObjectName(QStringLiteral("SurveyWindow"));
  setWindowTitle(QString::fromLatin1(kSurveyCaption));
  work_ = new LongWork(this, [this](int done, int total) {
    progress_->setMaximum(total);
    progress_->setValue(done);
  });
  buildControls();
  resize(1100, 620);
}

// The table stops reading the rows before they go: a window still shown is
// hidden by QWidget's destructor, after these members are gone.
SurveyWindow::~SurveyWindow() {
  work_->Cancel();
  model_->reset(0);
}

void SurveyWindow::buildControls() {
  auto* layout = new QVBoxLayout(this);
  buildMenus(layout);
  layout->addWidget(buildButtons());
  summary_ = NewSummaryLabel(this);
  layout->addWidget(summary_);
  model_ = new ResultModel(this);
  addColumns();
  table_ = NewResultView(model_, 0, this);
  table_->setObjectName(QStringLiteral("SurveyTable"));
  mapView_ = new PictureView(this);
  mapView_->setObjectName(QStringLiteral("SurveyMap"));
  mapView_->setSelectMode(true);
  mapView_->setMinimumSize(280, 200);
  mapBox_ = new AspectBox(mapView_, kStressMapWidth, kStressMapHeight, this);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(table_);
  splitter->addWidget(mapBox_);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter, 1);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { rowChosen(); });
  connect(table_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { openRowSite(index.row()); });
  connect(mapView_, &PictureView::picked, this, [this](QPointF point) {
    const int site = siteAt(point.x(), point.y());
    if (site >= 0) selectSite(site);
  });
}

void SurveyWindow::buildMenus(QVBoxLayout* layout) {
  auto* bar = new QMenuBar(this);
  const auto item = [](QMenu* menu, const char* name, const char* text, QKeySequence keys) {
    QAction* action = NewMenuItem(menu, name, QString::fromLatin1(text));
    action->setShortcut(keys);
    return action;
  };
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  ActionSave = item(file, "ActionSave", "&Save", QKeySequence::Save);
  ActionSaveAs = item(file, "ActionSaveAs", "Save &As...", QKeySequence::SaveAs);
  file->addSeparator();
  ActionClose = item(file, "ActionClose", "&Close", QKeySequence::Close);
  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  ActionUndo = item(edit, "ActionUndo", "&Undo", QKeySequence::Undo);
  ActionRedo = item(edit, "ActionRedo", "&Redo", QKeySequence::Redo);
  edit->addSeparator();
  ActionEditSite = item(edit, "ActionEditSite", "&Edit Site...", Qt::Key_F2);
  ActionAddSites = item(edit, "ActionAddSites", "&Add Sites...", {});
  ActionRemoveSites = item(edit, "ActionRemoveSites", "Re&move Sites", QKeySequence::Delete);
  connect(ActionSave, &QAction::triggered, this, [this] { save(); });
  connect(ActionSaveAs, &QAction::triggered, this, [this] { saveAs(); });
  connect(ActionClose, &QAction::triggered, this, &QWidget::close);
  connect(ActionUndo, &QAction::triggered, this, &SurveyWindow::undo);
  connect(ActionRedo, &QAction::triggered, this, &SurveyWindow::redo);
  connect(ActionEditSite, &QAction::triggered, this, &SurveyWindow::editSite);
  connect(ActionAddSites, &QAction::triggered, this, &SurveyWindow::askForSites);
  connect(ActionRemoveSites, &QAction::triggered, this, &SurveyWindow::removeSites);
  for (QAction* action : {ActionSave, ActionSaveAs, ActionClose, ActionUndo, ActionRedo,
                          ActionEditSite, ActionAddSites, ActionRemoveSites})
    addAction(action);  // the shortcuts work with the menu bar hidden too
  layout->setMenuBar(bar);
}

QWidget* SurveyWindow::buildButtons() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  addButton_ = new QPushButton(QStringLiteral("&Add Sites..."), bar);
  editButton_ = new QPushButton(QStringLiteral("Edit &Site..."), bar);
  runButton_ = new QPushButton(QStringLiteral("&Run"), bar);
  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), bar);
  exportButton_ = new QToolButton(bar);
  exportButton_->setText(QStringLiteral("E&xport"));
  exportButton_->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(exportButton_);
  const std::pair<const char*, Export> items[] = {{"GeoJSON...", Export::GeoJson},
                                                  {"KML...", Export::Kml},
                                                  {"World Stress Map CSV...", Export::WsmCsv},
                                                  {"Map...", Export::Map},
                                                  {"Publication Table...", Export::Table},
                                                  {"Report...", Export::Report}};
  for (const auto& [text, what] : items)
    menu->addAction(QString::fromLatin1(text), this, [this, what = what] { exportAs(what); });
  exportButton_->setMenu(menu);
  progress_ = new QProgressBar(bar);
  progress_->setTextVisible(true);
  for (QWidget* widget : {static_cast<QWidget*>(addButton_), static_cast<QWidget*>(editButton_),
                          static_cast<QWidget*>(runButton_), static_cast<QWidget*>(cancelButton_),
                          static_cast<QWidget*>(exportButton_)})
    row->addWidget(widget);
  row->addWidget(progress_, 1);
  row->addWidget(NewCopyButton(this, [this] { services_.CopyText(TableText(table_)); }));
  connect(addButton_, &QPushButton::clicked, this, &SurveyWindow::askForSites);
  connect(editButton_, &QPushButton::clicked, this, &SurveyWindow::editSite);
  connect(runButton_, &QPushButton::clicked, this, [this] { run(); });
  connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
  setRunning(false);
  return bar;
}

// A column per column of the survey table; numbers sort as numbers.
void SurveyWindow::addColumns() {
  const auto& columns = survey::TableColumns();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    ResultModel::Column column;
    column.header = QString::fromLatin1(columns[c].name);
    column.text = [this, c](int row) { return Text(cells_[std::size_t(row)][c]); };
    if (columns[c].number)
      column.key = [this, c](int row) {
        const auto number = survey::CellNumber(cells_[std::size_t(row)][c]);
        return number ? *number : std::numeric_limits<double>::quiet_NaN();
      };
    model_->addColumn(std::move(column));
  }
}

// ---- the survey file ----

bool SurveyWindow::openSurvey(const QString& path) {
  const survey::SurveyRead read = survey::ReadSurveyFile(LocalPath(path));
  if (!read.error.empty()) {
    services_.ShowMessage(this, LocalPath(path) + ": " + read.error);
    return false;
  }
  adopt(path, read.survey);
  return true;
}

std::string SurveyWindow::dataName(const QString& dataPath) const {
  return survey::DataNameFor(LocalPath(dataPath), LocalPath(path_));
}

bool SurveyWindow::newSurvey(const QString& surveyPath, const QString& dataPath) {
  path_ = QFileInfo(surveyPath).absoluteFilePath();
  const survey::FileSites found = survey::SitesOfDataFile(
      LocalPath(dataPath), dataName(dataPath), LocalPath(QFileInfo(dataPath).completeBaseName()));
  if (!found.error.empty()) {
    services_.ShowMessage(this, found.error);
    return false;
  }
  survey::Survey survey;
  survey.sites = found.sites;
  adopt(path_, std::move(survey));
  return save();
}

void SurveyWindow::askForSites() {
  if (const auto chosen = services_.OpenDataFile(this)) addSites(*chosen);
}

bool SurveyWindow::addSites(const QString& dataPath) {
  if (running() || path_.isEmpty()) return false;
  survey::FileSites found = survey::SitesOfDataFile(
      LocalPath(dataPath), dataName(dataPath), LocalPath(QFileInfo(dataPath).completeBaseName()));
  if (!found.error.empty()) {
    services_.ShowMessage(this, found.error);
    return false;
  }
  survey::Survey survey = history_.survey();
  survey::AppendSites(survey, std::move(found.sites));
  edited(std::move(survey), "Add Sites of " + QFileInfo(dataPath).fileName().toStdString());
  return true;
}

void SurveyWindow::adopt(const QString& path, survey::Survey survey) {
  work_->Cancel();
  path_ = QFileInfo(path).absoluteFilePath();
  history_ = survey::SurveyHistory(std::move(survey));
  run_.reset();
  ringed_ = -1;
  refresh();
}

bool SurveyWindow::writeSurvey(const QString& path) {
  try {
    survey::WriteSurveyFile(LocalPath(path), history_.survey());
    return true;
  } catch (const FileError& error) {
    services_.ReportError(this, error);
    return false;
  }
}

bool SurveyWindow::save() {
  if (path_.isEmpty() || !writeSurvey(path_)) return false;
  history_.MarkSaved();
  showTitle();
  return true;
}

bool SurveyWindow::saveAs() {
  if (path_.isEmpty()) return false;
  const std::optional<QString> chosen =
      services_.SaveFile(this, QStringLiteral("Save the Survey As"),
                         QString::fromLatin1(kSurveyFilter), QString::fromLatin1(kSurveySuffix));
  if (!chosen) return false;
  const QString to = QFileInfo(*chosen).absoluteFilePath();
  const std::string from = LocalPath(path_);
  history_.Rebase(from, LocalPath(to));
  if (!writeSurvey(to)) {
    history_.Rebase(LocalPath(to), from);
    return false;
  }
  path_ = to;
  if (run_) {
    run_->survey = survey::RebasedSurvey(run_->survey, from, LocalPath(to));
    run_->surveyPath = LocalPath(to);
  }
  history_.MarkSaved();
  refresh();
  return true;
}

void SurveyWindow::closeEvent(QCloseEvent* event) {
  if (!MayDiscardChanges(services_, this, history_.modified(), QFileInfo(path_).fileName(),
                         [this] { return save(); }))
    return event->ignore();
  work_->Cancel();
  QWidget::closeEvent(event);
}

// ---- editing ----

void SurveyWindow::editSite() {
  if (running() || history_.survey().sites.empty()) return;
  const QModelIndex current = table_->selectionModel()->currentIndex();
  auto* sort = static_cast<ResultSort*>(table_->model());
  const int site =
      current.isValid() ? result_.rows[std::size_t(sort->sourceRow(current.row()))].site : 0;
  auto* dialog = new SiteDialog(history_.survey(), std::size_t(site), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog, site] {
    survey::SiteReading reading = dialog->reading();
    if (reading.problem.empty()) changeSite(site, std::move(reading.site));
  });
  dialog->open();
}

void SurveyWindow::changeSite(int site, survey::SiteEntry edited) {
  survey::Survey survey = history_.survey();
  if (running() || site < 0 || std::size_t(site) >= survey.sites.size() ||
      survey.sites[std::size_t(site)] == edited)
    return;
  const std::string text = "Edit Site " + survey.sites[std::size_t(site)].name;
  survey.sites[std::size_t(site)] = std::move(edited);
  this->edited(std::move(survey), text);
}

void SurveyWindow::removeSites() {
  if (running()) return;
  auto* sort = static_cast<ResultSort*>(table_->model());
  std::set<int> sites;
  for (const QModelIndex& index : table_->selectionModel()->selectedIndexes())
    sites.insert(result_.rows[std::size_t(sort->sourceRow(index.row()))].site);
  if (sites.empty()) return;
  survey::Survey survey = history_.survey();
  const std::string text = sites.size() == 1
                               ? "Remove Site " + survey.sites[std::size_t(*sites.begin())].name
                               : "Remove " + std::to_string(sites.size()) + " Sites";
  for (auto site = sites.rbegin(); site != sites.rend(); ++site)
    survey.sites.erase(survey.sites.begin() + *site);
  edited(std::move(survey), text);
}

void SurveyWindow::edited(survey::Survey next, const std::string& text) {
  history_.Do(std::move(next), text);
  refresh();
}

void SurveyWindow::undo() {
  if (running() || !history_.canUndo()) return;
  history_.Undo();
  refresh();
}

void SurveyWindow::redo() {
  if (running() || !history_.canRedo()) return;
  history_.Redo();
  refresh();
}

// The rows, the map, the title and the commands after the survey or its
// run changed.
void SurveyWindow::refresh() {
  result_ = survey::ResultFor(history_.survey(), LocalPath(path_), run_ ? &*run_ : nullptr);
  if (ringed_ >= int(result_.survey.sites.size())) ringed_ = -1;
  showResult();
  showTitle();
}

std::string SurveyWindow::mapTitle() const {
  return std::string(kSurveyCaption) + "  [ " + LocalPath(QFileInfo(path_).fileName()) + " ]";
}

void SurveyWindow::showTitle() {
  setWindowTitle(path_.isEmpty() ? QString::fromLatin1(kSurveyCaption)
                                 : QString::fromStdString(mapTitle()) +
                                       (history_.modified() ? QStringLiteral(" *") : QString()));
  const bool idle = !running();
  const auto undoText = QString::fromStdString(history_.undoText());
  const auto redoText = QString::fromStdString(history_.redoText());
  ActionUndo->setText(undoText.isEmpty() ? QStringLiteral("&Undo") : "&Undo " + undoText);
  ActionRedo->setText(redoText.isEmpty() ? QStringLiteral("&Redo") : "&Redo " + redoText);
  ActionUndo->setEnabled(idle && history_.canUndo());
  ActionRedo->setEnabled(idle && history_.canRedo());
  ActionSave->setEnabled(!path_.isEmpty());
  ActionSaveAs->setEnabled(!path_.isEmpty());
  for (QAction* action : {ActionEditSite, ActionAddSites, ActionRemoveSites})
    action->setEnabled(idle && !path_.isEmpty());
}

// ---- running ----

void SurveyWindow::run() {
  if (path_.isEmpty()) return;
  setRunning(true);
  progress_->setValue(0);
  work_->Start(
      [survey = result_.survey, path = result_.surveyPath](const LongWork::Control& control) {
        return survey::RunSurvey(survey, path, {control.cancel, control.report});
      },
      [this](survey::SurveyResult result) {
        run_ = std::move(result);
        setRunning(false);
        refresh();
        emit finished();
      });
}

// The run is dropped: the table keeps the rows it showed before.
void SurveyWindow::cancel() {
  if (!running()) return;
  work_->Cancel();
  setRunning(false);
  summary_->setText(summary_->text() + QStringLiteral(" The run was cancelled."));
  emit finished();
}

bool SurveyWindow::running() const { return work_->running(); }

void SurveyWindow::setRunning(bool on) {
  runButton_->setEnabled(!on);
  addButton_->setEnabled(!on);
  editButton_->setEnabled(!on);
  cancelButton_->setEnabled(on);
  exportButton_->setEnabled(!on && hasRun());
  if (!on) progress_->reset();
  showTitle();
}

void SurveyWindow::showResult() {
  cells_.clear();
  int notes = 0, changed = 0;
  for (const survey::SurveyRow& row : result_.rows) {
    cells_.push_back(survey::RowCells(result_, row));
    notes += !row.note.empty();
    changed += row.note == survey::kChangedSinceRun;
  }
  model_->reset(int(result_.rows.size()));
  QString text = QStringLiteral("%1 sites, %2 rows.")
                     .arg(result_.survey.sites.size())
                     .arg(result_.rows.size());
  if (!hasRun()) text += QStringLiteral(" Not run yet: Run inverts and bootstraps every site.");
  if (changed)
    text +=
        QStringLiteral(" %1 sites changed since the run: Run again for their rows.").arg(changed);
  if (hasRun() && notes)
    text += QStringLiteral(" %1 rows say why values are missing (note).").arg(notes);
  summary_->setText(text);
  exportButton_->setEnabled(hasRun() && !running());
  drawMap();
}

// ---- the map and the table, linked ----

void SurveyWindow::drawMap() {
  map_ = survey::StressMapOf(result_, mapTitle(), ringed_);
  mapSites_.clear();
  for (std::size_t i = 0; i < result_.survey.sites.size(); ++i)
    if (result_.survey.sites[i].position) mapSites_.push_back(int(i));
  mapPicture_ = DrawStressMap(map_);
  mapView_->setPicture(&mapPicture_);
}

int SurveyWindow::siteAt(double x, double y) const {
  if (map_.sites.empty()) return -1;
  const StressMapFrame frame = StressMapFrameOf(map_.sites);
  int best = -1;
  double bestDistance = kPickRadius;
  for (std::size_t i = 0; i < map_.sites.size(); ++i) {
    double px = 0, py = 0;
    StressMapPoint(frame, map_.sites[i].lon, map_.sites[i].lat, px, py);
    const double distance = std::hypot(px - x, py - y);
    if (distance <= bestDistance) {
      bestDistance = distance;
      best = mapSites_[i];
    }
  }
  return best;
}

void SurveyWindow::selectSite(int site) {
  auto* sort = static_cast<ResultSort*>(table_->model());
  QItemSelection selection;
  int first = -1;
  for (int viewRow = 0; viewRow < sort->rowCount(); ++viewRow)
    if (result_.rows[std::size_t(sort->sourceRow(viewRow))].site == site) {
      selection.select(sort->index(viewRow, 0), sort->index(viewRow, sort->columnCount() - 1));
      if (first < 0) first = viewRow;
    }
  if (first < 0) return;
  table_->selectionModel()->setCurrentIndex(sort->index(first, 0), QItemSelectionModel::NoUpdate);
  table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  table_->scrollTo(sort->index(first, 0));
  if (ringed_ != site) {
    ringed_ = site;
    drawMap();
  }
}

void SurveyWindow::rowChosen() {
  const QModelIndex current = table_->selectionModel()->currentIndex();
  if (!current.isValid()) return;
  auto* sort = static_cast<ResultSort*>(table_->model());
  const int site = result_.rows[std::size_t(sort->sourceRow(current.row()))].site;
  if (site == ringed_) return;
  ringed_ = site;
  drawMap();
}

void SurveyWindow::openRowSite(int viewRow) {
  auto* sort = static_cast<ResultSort*>(table_->model());
  const int site = result_.rows[std::size_t(sort->sourceRow(viewRow))].site;
  const std::string path =
      survey::SiteDataPath(result_.surveyPath, result_.survey.sites[std::size_t(site)]);
  if (openData_) openData_(QFile::decodeName(path.c_str()));
}

// ---- exports ----

void SurveyWindow::exportAs(Export what) {
  if (!hasRun() || running()) return;
  const survey::SurveyResult& r = result_;
  switch (what) {
    case Export::GeoJson:
      return exportText(QStringLiteral("Export GeoJSON"), QStringLiteral("GeoJSON (*.geojson)"),
                        QStringLiteral("geojson"), [&r] { return survey::SurveyGeoJson(r); });
    case Export::Kml:
      return exportText(QStringLiteral("Export KML"), QStringLiteral("KML (*.kml)"),
                        QStringLiteral("kml"), [&r] { return survey::SurveyKml(r); });
    case Export::WsmCsv:
      return exportText(QStringLiteral("Export World Stress Map CSV"),
                        QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"),
                        [&r] { return survey::SurveyWsmCsv(r); });
    case Export::Map:
      return exportMap();
    case Export::Table:
      return exportTable();
    case Export::Report:
      return exportReport();
  }
}

void SurveyWindow::exportText(const QString& title, const QString& filter, const QString& suffix,
                              const std::function<std::string()>& bytes) {
  const std::optional<QString> chosen = services_.SaveFile(this, title, filter, suffix);
  if (!chosen) return;
  try {
    WriteFileAtomically(LocalPath(*chosen), bytes());
  } catch (const FileError& error) {
    services_.ReportError(this, error);
  }
}

void SurveyWindow::exportTable() {
  const std::optional<QString> chosen = services_.SaveFile(
      this, QStringLiteral("Export Publication Table"),
      QStringLiteral("LaTeX (*.tex);;HTML (*.html);;Markdown (*.md)"), QStringLiteral("tex"));
  if (!chosen) return;
  const auto format = survey::TableFormatOf(LocalPath(*chosen));
  if (!format)
    return services_.ShowMessage(this,
                                 LocalPath(*chosen) + ": the table must end in .tex, .html or .md");
  try {
    WriteFileAtomically(LocalPath(*chosen), survey::PublicationTable(result_, *format));
  } catch (const FileError& error) {
    services_.ReportError(this, error);
  }
}

void SurveyWindow::exportMap() {
  const Picture map = DrawStressMap(survey::StressMapOf(result_, mapTitle()));
  SavePictureAs(services_, this, PictureDialog::Figure,
                [&map](const std::string& path, render::FigureFormat format) {
                  render::FigureSize size;
                  size.widthMm = 160;
                  render::SaveFigure(map, path, format, size);
                  return true;
                });
}

void SurveyWindow::exportReport() {
  const std::optional<QString> folder =
      services_.ChooseFolder(this, QStringLiteral("Write the Report Into"));
  if (!folder) return;
  render::FigureSize size;
  size.widthMm = 120;
  const auto svgOf = [&size](const Picture& picture) {
    return render::EncodeFigure(picture, render::FigureFormat::Svg, size);
  };
  const std::string date = QDateTime::currentDateTimeUtc()
                               .toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"))
                               .toStdString();
  try {
    for (const survey::ReportFile& file : survey::SurveyReport(result_, svgOf, date))
      WriteFileAtomically(LocalPath(*folder) + "/" + file.name, file.bytes);
  } catch (const FileError& error) {
    services_.ReportError(this, error);
  }
}

}  // namespace orniva::ui
