// The survey window: a survey's rows (site x phase) in a sortable,
// copyable table beside the map of their SHmax, linked both ways (a row
// chosen rings its site; a site clicked selects its rows). Run inverts and
// bootstraps every site x phase off the window's thread through the one
// runner of long work, with progress and Cancel; Export writes the GIS
// layers, the map, the publication table and the report; a double-click
// on a row opens its site's data file in the main window. Edit Site...
// (F2) edits the chosen row's site and Add Sites... adds a data file's
// sites, each an edit Undo takes back; Save writes the survey file, and
// closing with unsaved edits asks first.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "picture/picture.h"
#include "plot/stress_map.h"
#include "survey/survey_edit.h"
#include "survey/survey_run.h"
#include "ui/shared/window_services.h"

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QToolButton;
class QVBoxLayout;

namespace orniva::ui {

class LongWork;
class PictureView;
class ResultModel;
class ResultSort;

class SurveyWindow : public QWidget {
  Q_OBJECT

 public:
  // `openData` opens a data file in the main window (asking there about its
  // unsaved changes).
  SurveyWindow(WindowServices& services, std::function<void(const QString& path)> openData,
               QWidget* parent = nullptr);
  ~SurveyWindow() override;

  // Shows the survey file at `path`, not yet run; false, after telling the
  // user why, when it cannot be used.
  bool openSurvey(const QString& path);
  // A new survey file at `surveyPath` of the sites of the data file at
  // `dataPath` (one per site its lines name, else the whole file), written
  // and shown; false, after telling why, when it cannot be made.
  bool newSurvey(const QString& surveyPath, const QString& dataPath);
  // Adds the sites of the data file at `dataPath`: an edit, not yet saved.
  bool addSites(const QString& dataPath);

  // Opens the Edit Site dialog of the site of the row chosen in the table
  // (the first row when none is); its OK applies it as one edit.
  void editSite();
  // Site `site` becomes `edited`, an edit Undo takes back; a position moves
  // it on the map, and when the run back-tilts a bedding makes its rows
  // wait for the next run.
  void changeSite(int site, survey::SiteEntry edited);
  // Removes the sites of the rows selected in the table, one edit Undo
  // takes back; the rows of the sites left keep their run's results.
  void removeSites();
  void undo();
  void redo();
  bool modified() const { return history_.modified(); }
  // Writes the survey file (atomically); false, after telling why, when it
  // cannot be written.
  bool save();
  // Asks where, writes the survey there (its data files named from there)
  // and goes on with that file.
  bool saveAs();

  void run();
  // Stops the run under way; the table keeps the rows it showed before.
  void cancel();
  bool running() const;

  enum class Export { GeoJson, Kml, WsmCsv, Map, Table, Report };
  // Asks where, and writes it; nothing before a run has finished.
  void exportAs(Export what);

  // The rows of survey site `site` selected in the table (its site ringed).
  void selectSite(int site);
  // The survey site under the map's plot point `point`; -1 for none.
  int siteAt(double x, double y) const;
  int ringedSite() const { return ringed_; }

  QTableView* table() const { return table_; }
  PictureView* mapView() const { return mapView_; }
  QWidget* mapBox() const { return mapBox_; }
  const Picture& mapPicture() const { return mapPicture_; }
  const survey::SurveyResult& result() const { return result_; }
  bool hasRun() const { return run_.has_value(); }

  QAction* ActionSave = nullptr;
  QAction* ActionSaveAs = nullptr;
  QAction* ActionClose = nullptr;
  QAction* ActionUndo = nullptr;
  QAction* ActionRedo = nullptr;
  QAction* ActionEditSite = nullptr;
  QAction* ActionAddSites = nullptr;
  QAction* ActionRemoveSites = nullptr;

 signals:
  // A run has ended: its rows are shown, or it was cancelled.
  void finished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void buildMenus(QVBoxLayout* layout);
  void askForSites();
  void edited(survey::Survey next, const std::string& text);
  void refresh();
  void showTitle();
  std::string mapTitle() const;
  QWidget* buildButtons();
  void addColumns();
  void showResult();
  void drawMap();
  void rowChosen();
  void openRowSite(int viewRow);
  void adopt(const QString& path, survey::Survey survey);
  bool writeSurvey(const QString& path);
  void exportText(const QString& title, const QString& filter, const QString& suffix,
                  const std::function<std::string()>& bytes);
  void exportTable();
  void exportMap();
  void exportReport();
  void setRunning(bool on);
  std::string dataName(const QString& dataPath) const;

  WindowServices& services_;
  std::function<void(const QString&)> openData_;
  QString path_;
  survey::SurveyHistory history_;
  std::optional<survey::SurveyResult> run_;      // the last run's, as it ran
  survey::SurveyResult result_;                  // the rows shown: the run's against the survey now
  std::vector<std::vector<std::string>> cells_;  // of result_'s rows
  int ringed_ = -1;
  StressMap map_;
  std::vector<int> mapSites_;  // the survey's site of each site on the map
  Picture mapPicture_;
  LongWork* work_ = nullptr;
  ResultModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  PictureView* mapView_ = nullptr;
  QWidget* mapBox_ = nullptr;
  QLabel* summary_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* runButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* editButton_ = nullptr;
  QToolButton* exportButton_ = nullptr;
};

}  // namespace orniva::ui
