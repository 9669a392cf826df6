// The main window: owner of the data set, the net geometry, the plot mode
// and the plot picture; it turns menu, toolbar, grid, drop and click events
// into loads and plots.
#pragma once

#include <cstdint>
#include <memory>
#include <set>

#include <QMainWindow>
#include <QString>

#include "plot/figures.h"
#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "picture/picture.h"
#include "plot/diagram.h"
#include "plot/net.h"
#include "ui/fault_grid.h"
#include "ui/kinematics_window.h"
#include "ui/stress_window.h"
#include "ui/picture_view.h"
#include "ui/window_services.h"

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
  // With no services the window uses the desktop's dialogs and shows the
  // data layer's messages in message boxes; given services (tests), it uses
  // those and leaves the message sink alone.
  explicit TFormMain(orniva::ui::WindowServices* services = nullptr, QWidget* parent = nullptr);
  ~TFormMain() override;

  // ---- state ----
  QString FileName;
  orniva::FaultSet faultSet;
  orniva::NetGeometry netGeometry;
  std::int16_t lastDrawnRow = 0;
  orniva::PlotMode PlotMode = orniva::PlotMode::FaultPlaneAndStriation;
  orniva::Picture plotPicture;
  // The great circles of the loaded data and the key of the last drawing.
  orniva::PlotCache plotCache;
  // What the diagrams of the analyses draw, for the loaded data.
  orniva::DiagramFigures figures;
  // What the user chose for the analyses' diagrams; the faults switched
  // out of the stress inversion last until the next load.
  orniva::analysis::AnalysisChoices analysisChoices;

  // ---- controls ----
  QToolBar* ToolBar1 = nullptr;
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QAction* ToolButton3 = nullptr;
  QToolButton* ToolButton4 = nullptr;
  QFrame* Panel1 = nullptr;
  orniva::ui::PictureView* Image1 = nullptr;
  orniva::ui::FaultGridView* StringGrid1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusPanel0 = nullptr;
  QLabel* StatusPanel1 = nullptr;

  // ---- actions (ActionList1); each menu item is its action ----
  QAction* ActionOpen = nullptr;
  QAction* ActionExport = nullptr;
  QAction* ActionExit = nullptr;
  QAction* ActionFPS = nullptr;
  QAction* ActionTLD = nullptr;
  QAction* ActionLarge = nullptr;
  QAction* ActionMedium = nullptr;
  QAction* ActionSmall = nullptr;
  // Beyond the first items of the Plot menu, and the Analysis menu.
  QAction* ActionEqualAngle = nullptr;
  QAction* ActionEqualArea = nullptr;
  QAction* ActionPoles = nullptr;
  QAction* ActionKinematicAxes = nullptr;
  QAction* ActionKinematics = nullptr;
  QAction* ActionStressAxes = nullptr;
  QAction* ActionDensity = nullptr;  // the density diagram, in the diagram group
  QAction* ActionDensityPoles = nullptr;
  QAction* ActionDensityP = nullptr;
  QAction* ActionDensityT = nullptr;
  QAction* ActionDensityStriations = nullptr;
  QAction* ActionKamb = nullptr;
  QAction* ActionOnePercent = nullptr;
  QAction* ActionRightDihedra = nullptr;
  QAction* ActionDihedraPlanes = nullptr;
  QAction* ActionStressInversion = nullptr;
  QAction* ActionSaveFigure = nullptr;
  QAction* ActionPrint = nullptr;
  QAction* ActionCopyFigure = nullptr;
  QAction* ActionImport = nullptr;
  QAction* ActionPasteData = nullptr;
  QMenu* File1 = nullptr;
  QMenu* Edit1 = nullptr;
  QMenu* Plot1 = nullptr;
  QMenu* SymbolSize1 = nullptr;
  QMenu* Density1 = nullptr;
  QMenu* Analysis1 = nullptr;
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
  void LoadDataFile();
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
  // The diagram `mode` chosen from the Plot menu.
  void ChooseDiagram(orniva::PlotMode mode);
  void ChooseNet(orniva::NetKind kind);
  // The density diagram, with the counting chosen in its submenu.
  void ChooseDensity();
  // Shows the kinematics results window for the loaded data.
  void ShowKinematics();
  orniva::ui::KinematicsWindow* kinematicsWindow() const { return kinematics_; }
  // Shows the stress inversion's results window for the loaded data.
  void ShowStressInversion();
  orniva::ui::StressWindow* stressWindow() const { return stress_; }
  // The figure of what the window shows, with or without the layout.
  orniva::Picture CurrentFigure(const orniva::ui::FigureOptions& options) const;
  // File > Save Figure As, Edit > Copy Figure and File > Print.
  void SaveFigureAs();
  void CopyFigure();
  void PrintFigure();
  // File > Import and Edit > Paste Data: a table through the import
  // dialog into a new data file, which is then loaded.
  void ImportTableFile();
  void PasteData();
  void ImportText(const std::string& text, const QString& source);
  // The figure options chosen last, for the rest of the run.
  const orniva::ui::FigureOptions& figureOptions() const { return figureOptions_; }
  // Files dropped on the window, as local paths.
  void FilesDropped(const QStringList& paths);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void createToolBar();
  void createControls();
  void createStatusBar();
  void connectHandlers();
  void setUpWindow();
  void fitOuterSize();
  QAction* newAction(const char* name, const QString& text, const QIcon& icon = QIcon());
  QAction* newMenuItem(QMenu* menu, QAction* action, QActionGroup* group = nullptr);
  QToolButton* newToolButton(const char* name, QAction* action, const QString& hint);
  orniva::PlotTarget MakePlotTarget();
  orniva::SymbolSize CheckedSymbolSize() const;
  void ReportCheck(const orniva::CheckOutcome& outcome);
  void ReportError(const orniva::FileError& error);
  void PaintFocusedCell(int col, int row, const QRect& rect);

  std::unique_ptr<orniva::ui::WindowServices> ownServices_;
  orniva::ui::WindowServices* services_;
  std::unique_ptr<orniva::ui::MessageBoxSink> messageBoxes_;
  orniva::MessageSink* previousSink_ = nullptr;
  std::set<QString> writtenLogs_;
  orniva::ui::KinematicsWindow* kinematics_ = nullptr;
  orniva::ui::StressWindow* stress_ = nullptr;
  std::uint64_t figuresGeneration_ = 0;
  orniva::PlotMode figuresMode_ = orniva::PlotMode::FaultPlaneAndStriation;
  orniva::NetKind figuresNet_ = orniva::NetKind::EqualAngle;
  orniva::analysis::AnalysisChoices figuresChoices_;
  bool shown_ = false;
  std::int16_t highlight_ = -1;  // the datum highlighted by the last plot
  orniva::ui::FigureOptions figureOptions_;
};

// The main window of the running program (set at start-up).
extern TFormMain* FormMain;
