// The main window: owner of the open document (the data file, its data and
// analyses, their edits), the net geometry, the plot mode and the plot
// picture; it turns menu, toolbar, grid, drop and click events into loads
// and plots, and follows every change the document tells. The commands
// beyond the first items of its menus live in helpers it owns: the
// analyses, the figure for publication, the import of tables, the curation
// and the selection.
#pragma once

#include <cstdint>
#include <memory>
#include <set>

#include <QMainWindow>
#include <QString>

#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "document/document.h"
#include "picture/picture.h"
#include "plot/diagram.h"
#include "plot/net.h"
#include "plot/figures.h"
#include "ui/main/analysis_menu.h"
#include "ui/main/colour_key.h"
#include "ui/main/curation_commands.h"
#include "ui/main/fault_grid.h"
#include "ui/main/figure_commands.h"
#include "ui/main/import_commands.h"
#include "ui/results/kinematics_window.h"
#include "ui/main/picture_view.h"
#include "ui/main/selection.h"
#include "ui/main/view_commands.h"
#include "ui/results/stress_window.h"
#include "ui/shared/window_services.h"
#include "ui/survey/survey_commands.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;

class TFormMain : public QMainWindow {
  Q_OBJECT

 public:
  // With no services the window uses the desktop's dialogs and message
  // boxes; given services (tests), it uses those.
  explicit TFormMain(orniva::ui::WindowServices* services = nullptr, QWidget* parent = nullptr);
  ~TFormMain() override;

  // ---- state ----
  // The open data file: its data, the choices about them and their
  // analyses, their edits and their saving.
  orniva::document::Document document;
  const orniva::analysis::Study& study = document.study();
  const orniva::FaultSet& faultSet = study.data();
  orniva::NetGeometry netGeometry;
  std::int16_t lastDrawnRow = 0;
  orniva::PlotMode PlotMode = orniva::PlotMode::FaultPlaneAndStriation;
  orniva::Picture plotPicture;
  // The great circles of the loaded data and the key of the last drawing.
  orniva::PlotCache plotCache;
  // What the diagrams of the analyses draw, for the loaded data.
  orniva::DiagramFiguresCache figures;

  // ---- controls ----
  QToolBar* ToolBar1 = nullptr;
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QAction* ToolButton3 = nullptr;
  QToolButton* ToolButton4 = nullptr;
  QFrame* Panel1 = nullptr;
  orniva::ui::PictureView* Image1 = nullptr;
  orniva::ui::ColourKeyView* ColourKey1 = nullptr;  // the colours of the diagram shown
  orniva::ui::FaultGridView* StringGrid1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusPanel0 = nullptr;
  QLabel* StatusPanel1 = nullptr;
  QLabel* StatusReadout = nullptr;    // the point under the cursor
  QLabel* StatusSelection = nullptr;  // "N selected" while a selection is

  // ---- actions (ActionList1); each menu item is its action ----
  QAction* ActionOpen = nullptr;
  QAction* ActionExport = nullptr;
  QAction* ActionExit = nullptr;
  QAction* ActionFPS = nullptr;
  QAction* ActionTLD = nullptr;
  QAction* ActionLarge = nullptr;
  QAction* ActionMedium = nullptr;
  QAction* ActionSmall = nullptr;
  // View > Colour Key Beside the Picture: the picture makes room for the key.
  QAction* ActionKeyRoom = nullptr;
  QMenu* File1 = nullptr;
  QMenu* Edit1 = nullptr;
  QMenu* Plot1 = nullptr;
  QMenu* SymbolSize1 = nullptr;
  QMenu* Help1 = nullptr;
  QAction* MenuOpen = nullptr;
  QAction* MenuExport = nullptr;
  QAction* MenuExit = nullptr;
  QAction* MenuFPS = nullptr;
  QAction* MenuTLD = nullptr;
  QAction* MenuLarge = nullptr;
  QAction* MenuMedium = nullptr;
  QAction* MenuSmall = nullptr;
  QAction* Contents1 = nullptr;
  QAction* Version1 = nullptr;

  // ---- operations ----
  // The full path of the data file open; empty before any.
  QString FileName() const;
  // Loads the data file at `path` (asking first about unsaved changes of
  // the file open); the document is the new file only once it is read.
  void LoadDataFile(const QString& path);
  void Replot(std::int16_t highlightIndex);
  void ClearGrid();
  void FillGrid();
  // The grid's cell-draw event, for every cell the grid paints.
  void StringGrid1DrawCell(int col, int row, const QRect& rect, orniva::ui::CellState state);

  // ---- handlers ----
  void FormCreate();
  void FormShow();
  void FormResize();
  void FormDestroy();
  void ActionOpenExecute();
  void ActionExportExecute();
  void ActionExitExecute();
  void ActionFPSExecute();
  void ActionTLDExecute();
  void ActionLargeExecute();
  void ActionMediumExecute();
  void ActionSmallExecute();
  void Image1Click();
  void Version1Click();
  // Draws the diagram `mode` with nothing highlighted and checks its item.
  void ChooseDiagram(orniva::PlotMode mode);
  void ChooseNet(orniva::NetKind kind);
  // The figure of what the window shows, with or without the layout.
  orniva::Picture CurrentFigure(const orniva::ui::FigureOptions& options) const;
  // Shows a message modally, through the window's services.
  void ShowMessage(const std::string& text);
  // The commands beyond the first items of the menus.
  orniva::ui::AnalysisMenu* analysisMenu() const { return analysisMenu_; }
  orniva::ui::FigureCommands* figureCommands() const { return figureCommands_; }
  orniva::ui::ImportCommands* importCommands() const { return importCommands_; }
  orniva::ui::CurationCommands* curationCommands() const { return curationCommands_; }
  orniva::ui::SelectionCommands* selectionCommands() const { return selectionCommands_; }
  orniva::ui::ViewCommands* viewCommands() const { return viewCommands_; }
  orniva::ui::DataSelection& selection() { return *selection_; }
  // Files dropped on the window, as local paths.
  void FilesDropped(const QStringList& paths);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void createFileAndEditMenus();
  void createPlotMenu();
  void createHelpMenu();
  void createToolBar();
  void createControls();
  void createStatusBar();
  void connectHandlers();
  // A results window's row chosen: that datum highlighted at once.
  void SelectDatum(int line);
  // The document changed: the grid shows other data, the title the name
  // and the saved state, the diagram is drawn again as far as it shows
  // what changed.
  void DocumentChanged(const orniva::document::Notice& notice);
  // Loads `path` without asking about unsaved changes.
  void Load(const QString& path);
  void setUpWindow();
  void createCurationCommands();
  void createSelectionCommands();
  void createViewCommands();
  // Striations far off their planes in the data loaded, named in a message.
  void ReportOffPlane();
  // "Orniva  [ file ]", and " *" while the data have unsaved changes.
  void ShowTitle();
  // The grid shows the data again after they changed.
  void ShowData();
  void fitOuterSize();
  int KeyRoomSide(int side, int width) const;
  QAction* newAction(const char* name, const QString& text, const QIcon& icon = QIcon());
  QAction* newMenuItem(QMenu* menu, QAction* action, QActionGroup* group = nullptr);
  QToolButton* newToolButton(const char* name, QAction* action, const QString& hint);
  orniva::PlotTarget MakePlotTarget();
  orniva::SymbolSize CheckedSymbolSize() const;
  void ReportCheck(const orniva::CheckOutcome& outcome);
  void ReportError(const orniva::FileError& error);

  std::unique_ptr<orniva::ui::WindowServices> ownServices_;
  orniva::ui::WindowServices* services_;
  std::set<QString> writtenLogs_;
  orniva::ui::AnalysisMenu* analysisMenu_ = nullptr;
  orniva::ui::FigureCommands* figureCommands_ = nullptr;
  orniva::ui::ImportCommands* importCommands_ = nullptr;
  orniva::ui::CurationCommands* curationCommands_ = nullptr;
  orniva::ui::DataSelection* selection_ = nullptr;
  orniva::ui::SelectionCommands* selectionCommands_ = nullptr;
  orniva::ui::ViewCommands* viewCommands_ = nullptr;
  int documentListener_ = 0;
  bool shown_ = false;
  std::int16_t highlight_ = -1;  // the datum highlighted by the last plot
};

// The main window of the running program (set at start-up).
extern TFormMain* FormMain;
