// The window of an orientation table (NAME.orient.csv), opened by File ›
// Open, a drop or the command line: the table's rows with their curation
// (switched off, sets), edited, undone and saved through the table's
// document; the net of the rows in use (planes as great circles or poles,
// lines as points) in their sets' colours with Fisher's mean and its 95 %
// cone and the best-fit girdle with its fold axis, over a density of
// the poles and lines in use (Kamb or 1 % contours) as a choice; and a table of the
// statistics of each set and of all: Fisher's mean, the fabric and the
// fold axis, the values orniva-analyse's fisher, fabric and fold-axis
// write. The net and the statistics follow every change. The statistics
// are copied as tab-separated text. Rows are selected on the net as in
// the table (a click, a lasso; Shift adds, Ctrl takes away), and the
// selected rows are ringed on it.
//
// The net, the statistics, the density and the rose may show the rows
// turned (rotated about an axis, or back-tilted by a bedding typed or by
// the Fisher mean of a set's poles), a view the user chooses: the rows
// table, the document and the file keep the rows as read; the turn is
// applied afresh to the current rows after every change, and the title
// and a line above the net say the figure is turned. The turned rows may
// be saved to a new table.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <QString>
#include <QWidget>

#include "analysis/geometry.h"
#include "analysis/report_table.h"
#include "document/orientation_document.h"
#include "plot/analysis_diagrams.h"
#include "plot/net.h"
#include "ui/dialogs/rotation_dialog.h"
#include "ui/shared/net_picking.h"
#include "ui/shared/window_services.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QTableView;

namespace orniva::ui {

class ChartView;
class PickingChartView;
class ResultModel;
class OrientationRowsModel;
class OrientationRowsSort;

class OrientationWindow : public QWidget {
  Q_OBJECT

 public:
  // The table of `opening` (read, not refused), whose name titles the
  // window; its curation file applied when the verdict is Applied (or
  // OtherData and `applyOtherData`).
  OrientationWindow(document::OrientationOpening opening, bool applyOtherData,
                    WindowServices& services, QWidget* parent = nullptr);
  ~OrientationWindow() override;

  // The statistics' rows: each set in order, then "All".
  struct SetRow {
    QString name;
    analysis::ReportTable fisher, fabric, fold;
  };
  const std::vector<SetRow>& rows() const { return rows_; }
  ResultModel* model() const { return model_; }
  QTableView* view() const { return view_; }
  QComboBox* ofChoice() const { return of_; }
  QComboBox* planesChoice() const { return planes_; }
  // What the net shows: the rows (0), the rose of the planes' strikes (1)
  // or of the lines' trends (2).
  QComboBox* viewChoice() const { return view_choice_; }
  // The density under the rows of the net: none (0), Kamb (1) or 1 % (2)
  // contours; its key below the net says how it was counted.
  QComboBox* densityChoice() const { return density_; }
  QLabel* densityKey() const { return densityKey_; }
  const ChartView* net() const { return net_; }
  QLabel* summary() const { return summary_; }
  void copy() const;

  // ---- the table's rows ----
  const document::OrientationDocument& document() const { return document_; }
  OrientationRowsModel* rowsModel() const { return rowsModel_; }
  QTableView* rowsView() const { return rowsView_; }
  QLabel* status() const { return status_; }
  // The selected rows (1-based, ascending), and selecting them.
  std::vector<int> selectedRows() const;
  void selectRows(const std::vector<int>& rows);
  // The commands on the selected rows.
  void switchSelected(bool off);
  void newSetOfSelected();
  void putSelectedInSet(int set);  // 0: out of every set
  void renameSet(int set);
  void deleteSet(int set);
  // A copy of the current row below it (to be edited), and the selected rows deleted.
  void insertRow();
  void deleteRows();
  void undo();
  void redo();
  // Saving; false when nothing was saved (cancelled or failed).
  bool save();
  bool saveAs();

  // ---- the rows shown turned ----
  // The net, the statistics, the density and the rose show the rows turned
  // by `choice`; none: as read.
  void turn(std::optional<RotationChoice> choice);
  const std::optional<RotationChoice>& turned() const { return turn_; }
  // The rotation or back-tilt dialog, the turn when accepted.
  RotationDialog* askTurn(RotationKind kind);
  // The back-tilt by the bedding whose pole is the Fisher mean of the poles
  // in use of set `set` (1-based); a set without one is told.
  void backTiltBySet(int set);
  // The turned rows, in their sets, written to a new table (never the open
  // one); false when nothing was saved.
  bool saveTurnedAs();
  bool saveTurnedTo(const std::string& path);
  // The line saying what is turned (hidden when nothing is).
  QLabel* turnLine() const { return turnLine_; }
  // ---- selection on the net (view 0): the rows in use picked by a click
  // on the pole or line nearest it or a lasso round them (plot units);
  // the selected rows ringed; the line under the cursor told ----
  PickingChartView* netView() const { return netView_; }
  QLabel* readout() const { return readout_; }
  void pickOnNet(QPointF point, SelectionChange how);
  void lassoOnNet(const QPolygonF& path, SelectionChange how);
  // "Line 045/32   Plane 225/58   Nearest: row 17" for the point under the cursor.
  QString readoutAt(QPointF point);
  void selectAllRows();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* newCommandRow();
  QWidget* newRowsPane();
  void fillSetMenu();
  void documentChanged(const document::Notice& notice);
  void showState();
  bool saveTo(const std::string& path);
  void compute();
  void draw();
  void drawRose(bool strikes);
  std::optional<FieldFigure> densityField(const NetGeometry& geometry) const;
  QWidget* newTurnButton();
  void fillTurnMenu();
  void turnRows();
  void showTurn();
  const std::vector<OrientationRecord>& shownRecords() const;

  document::OrientationDocument document_;
  int listener_ = 0;
  WindowServices& services_;
  std::vector<SetRow> rows_;
  QLabel *summary_ = nullptr, *status_ = nullptr;
  QComboBox *of_ = nullptr, *planes_ = nullptr, *view_choice_ = nullptr, *density_ = nullptr;
  QLabel* densityKey_ = nullptr;
  ChartView* net_ = nullptr;
  ResultModel* model_ = nullptr;
  QTableView* view_ = nullptr;
  OrientationRowsModel* rowsModel_ = nullptr;
  OrientationRowsSort* rowsSort_ = nullptr;
  QTableView* rowsView_ = nullptr;
  QMenu* setMenu_ = nullptr;
  QAction *undo_ = nullptr, *redo_ = nullptr;
  std::optional<RotationChoice> turn_;
  std::vector<OrientationRecord> turnedRecords_;  // the rows turned by turn_, by record
  QLabel* turnLine_ = nullptr;
  QMenu* turnMenu_ = nullptr;

  // ---- selection on the net ----
  ChartView* newNetView(QWidget* parent);
  void setUpNetPicking();
  void changeSelection(std::vector<int> picked, SelectionChange how);
  // The selected rows as indices into the records the net draws (those in use).
  std::vector<std::size_t> selectedShown(const std::vector<bool>& used) const;
  const std::vector<analysis::ProjectedDatum>& netPoints();
  const std::optional<FieldFigure>& cachedDensity(const NetGeometry& geometry);
  PickingChartView* netView_ = nullptr;
  QLabel* readout_ = nullptr;
  NetGeometry netGeometry_;  // of the net drawn last
  std::vector<analysis::ProjectedDatum> netPoints_;
  bool netPointsStale_ = true;
  int revision_ = 0;  // counts the computations, for the density's cache
  std::optional<FieldFigure> densityCache_;
  std::optional<std::tuple<int, int, NetKind, Hemisphere>> densityCacheKey_;
};

// Opens the orientation table at `path` (document/orientation_opening.h)
// in a window of its own; a file that cannot be read, a log that cannot
// be written, rows left out and a curation file not applied are told
// through `services` (one made for other data applied when the user
// agrees). The window, or null when the file could not be read.
OrientationWindow* ShowOrientationTable(WindowServices& services, QWidget* parent,
                                        const std::string& path);

}  // namespace orniva::ui
