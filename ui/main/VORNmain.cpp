#include "ui/main/VORNmain.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/colours.h"
#include "data/fault_reader.h"
#include "picture/emf.h"
#include "plot/diagram.h"
#include "plot/manual_pages.h"
#include "ui/main/About.h"
#include "ui/shared/manual_window.h"
#include "ui/shared/picture_saving.h"
#include "ui/main/program_icons.h"

TFormMain* FormMain = nullptr;

using orniva::FaultSet;
using orniva::FileError;
using namespace orniva::ui;

namespace {

constexpr int kToolBarHeight = 29;
constexpr int kStatusPanelWidth = 50;
// The image's side is the smaller of the window's outer width and height
// less what the grid and the bars around the image take.
constexpr int kWidthBesideImage = 233;
constexpr int kHeightBesideImage = 96;
const char* const kLogName = "VORN.log";

// The window looks the same whether or not it is the active one, so that
// activation repaints nothing.
QPalette ActivationBlindPalette(QPalette palette) {
  for (int role = 0; role < QPalette::NColorRoles; ++role) {
    const auto r = QPalette::ColorRole(role);
    palette.setBrush(QPalette::Inactive, r, palette.brush(QPalette::Active, r));
  }
  return palette;
}

}  // namespace

TFormMain::TFormMain(WindowServices* services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
  if (!services_) {
    ownServices_ = std::make_unique<QtWindowServices>();
    services_ = ownServices_.get();
  }
  setUpWindow();
  createActions();
  createMenus();
  createToolBar();
  createControls();
  createStatusBar();
  createSelectionCommands();
  createViewCommands();
  connectHandlers();
  FormCreate();
}

TFormMain::~TFormMain() {
  viewCommands_->Store();
  FormDestroy();
  delete analysisMenu_;  // its results windows listen to the study, which goes first
  delete selectionCommands_;
  delete curationCommands_;
  delete viewCommands_;  // it listens to the document
  delete selection_;     // it listens to the study
}

// ---- construction ------------------------------------------------------------

void TFormMain::setUpWindow() {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(QStringLiteral("Orniva"));
  setWindowIcon(ProgramIcon());
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);
  setFont(font);
  setPalette(ActivationBlindPalette(palette()));
  setContextMenuPolicy(Qt::NoContextMenu);
  setGeometry(133, 103, 623, 486);
  setAcceptDrops(true);  // files dropped from the desktop
}

QAction* TFormMain::newAction(const char* name, const QString& text, const QIcon& icon) {
  auto* action = new QAction(icon, text, this);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void TFormMain::createActions() {
  ActionOpen = newAction("ActionOpen", QStringLiteral("&Open"), OpenIcon(style()));
  ActionExport = newAction("ActionExport", QStringLiteral("Export &Image"), ExportIcon(style()));
  ActionExit = newAction("ActionExit", QStringLiteral("E&xit"), ExitIcon(style()));
  for (QAction* action : {ActionOpen, ActionExport, ActionExit})
    action->setProperty("category", QStringLiteral("File"));
  ActionFPS = newAction("ActionFPS", QStringLiteral("&Fault Plane and Striation"));
  ActionTLD = newAction("ActionTLD", QStringLiteral("&Tangent Lineation Diagram"));
  ActionLarge = newAction("ActionLarge", QStringLiteral("&Large"));
  ActionMedium = newAction("ActionMedium", QStringLiteral("&Medium"));
  ActionSmall = newAction("ActionSmall", QStringLiteral("&Small"));
  for (QAction* action : {ActionFPS, ActionTLD, ActionLarge, ActionMedium, ActionSmall})
    action->setProperty("category", QStringLiteral("PlotOption"));
  ActionOpen->setToolTip(QStringLiteral("Open Data File"));
  ActionExport->setToolTip(QStringLiteral("Export Image"));
  ActionExit->setToolTip(QStringLiteral("Exit"));
}

// The menu item of `action`: the action itself, so that menu and toolbar
// share one command; in `group` it becomes one of a set of radio items.
QAction* TFormMain::newMenuItem(QMenu* menu, QAction* action, QActionGroup* group) {
  menu->addAction(action);
  if (group) {
    action->setCheckable(true);
    group->addAction(action);
  }
  return action;
}

void TFormMain::createMenus() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  createFileAndEditMenus();
  createPlotMenu();
  createHelpMenu();
  createCurationCommands();
}

void TFormMain::createCurationCommands() {
  selection_ = new DataSelection(document, this);
  curationCommands_ =
      new CurationCommands({this, services_, [this](int line) { SelectDatum(line); }, selection_},
                           document, menuBar(), Help1->menuAction(), File1, Edit1);
  analysisMenu_->setAcceptPhases(
      [this](const std::vector<orniva::analysis::ProposedPhase>& proposed) {
        curationCommands_->AcceptPhases(proposed);
      });
}

void TFormMain::createFileAndEditMenus() {
  File1 = menuBar()->addMenu(QStringLiteral("&File"));
  File1->setObjectName(QStringLiteral("File1"));
  MenuOpen = newMenuItem(File1, ActionOpen);
  MenuExport = newMenuItem(File1, ActionExport);
  Edit1 = menuBar()->addMenu(QStringLiteral("&Edit"));
  Edit1->setObjectName(QStringLiteral("Edit1"));
  figureCommands_ = new FigureCommands(
      {this, services_, [this](const FigureOptions& options) { return CurrentFigure(options); },
       [this] { return FileName(); }, [this] { return PlotMode; }},
      File1, Edit1);
  importCommands_ = new ImportCommands(
      {this, services_, [this] { return curationCommands_->MayDiscardChanges(); },
       [this](const QString& path) { Load(path); }},
      File1, Edit1);
  new SurveyCommands({this, services_, [this](const QString& p) { LoadDataFile(p); }}, File1);
  File1->addSeparator();
  MenuExit = newMenuItem(File1, ActionExit);
  ActionOpen->setShortcut(QKeySequence::Open);
  ActionExit->setShortcut(QKeySequence::Quit);
}

// The two diagrams and the symbol sizes, then the analyses' items.
void TFormMain::createPlotMenu() {
  Plot1 = menuBar()->addMenu(QStringLiteral("&Plot"));
  Plot1->setObjectName(QStringLiteral("Plot1"));
  auto* diagrams = new QActionGroup(this);
  MenuFPS = newMenuItem(Plot1, ActionFPS, diagrams);
  MenuTLD = newMenuItem(Plot1, ActionTLD, diagrams);
  MenuFPS->setChecked(true);
  Plot1->addSeparator();
  SymbolSize1 = Plot1->addMenu(QStringLiteral("Symbol &Size"));
  SymbolSize1->setObjectName(QStringLiteral("SymbolSize1"));
  auto* sizes = new QActionGroup(this);
  MenuLarge = newMenuItem(SymbolSize1, ActionLarge, sizes);
  MenuMedium = newMenuItem(SymbolSize1, ActionMedium, sizes);
  MenuSmall = newMenuItem(SymbolSize1, ActionSmall, sizes);
  MenuMedium->setChecked(true);
  Plot1->addSeparator();
  analysisMenu_ = new AnalysisMenu(
      {this, [this](orniva::PlotMode mode) { ChooseDiagram(mode); },
       [this](orniva::NetKind kind) { ChooseNet(kind); }, [this](int line) { SelectDatum(line); },
       [this](orniva::Hemisphere hemisphere, bool grid) {
         netGeometry.hemisphere = hemisphere;
         netGeometry.grid = grid;
         Replot(-1);
       },
       services_, [this](const QString& path) { FilesDropped({path}); }},
      document, menuBar(), Plot1, diagrams);
}

void TFormMain::createHelpMenu() {
  Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  Contents1 = Help1->addAction(QStringLiteral("&Contents"));
  Contents1->setObjectName(QStringLiteral("Contents1"));
  Version1 = Help1->addAction(QStringLiteral("&Version"));
  Version1->setObjectName(QStringLiteral("Version1"));
}

QToolButton* TFormMain::newToolButton(const char* name, QAction* action, const QString& hint) {
  auto* button = new QToolButton(ToolBar1);
  button->setObjectName(QString::fromLatin1(name));
  button->setDefaultAction(action);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  ToolBar1->addWidget(button);
  return button;
}

void TFormMain::createToolBar() {
  ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setFixedHeight(kToolBarHeight);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolButton1 = newToolButton("ToolButton1", ActionOpen, QStringLiteral("Open Data File"));
  ToolButton2 = newToolButton("ToolButton2", ActionExport, QStringLiteral("Export Image"));
  ToolButton3 = ToolBar1->addSeparator();
  ToolButton3->setObjectName(QStringLiteral("ToolButton3"));
  ToolButton4 = newToolButton("ToolButton4", ActionExit, QStringLiteral("Exit"));
}

// Under the toolbar: the divider Panel1 over the image (left) and the grid
// (right edge, full height).
void TFormMain::createControls() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  Panel1 = new QFrame(central);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  Panel1->setFixedHeight(2);
  column->addWidget(Panel1);
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  auto* imageArea = new QWidget(central);
  Image1 = new PictureView(imageArea);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 0, 390, 390);
  StringGrid1 = new FaultGridView(faultSet, central);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  ColourKey1 = new ColourKeyView(imageArea, Image1);
  row->addWidget(imageArea, 1);
  row->addWidget(StringGrid1);
  // Painted last, so that its raster, begun on a second thread when the
  // picture changes, is made while the grid paints.
  imageArea->raise();
  column->addLayout(row, 1);
  setCentralWidget(central);
  StringGrid1->setFocus();  // the one control that takes the focus
}

void TFormMain::createStatusBar() {
  StatusBar1 = statusBar();
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusPanel0 = new QLabel(StatusBar1);
  StatusPanel1 = new QLabel(StatusBar1);
  StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
  StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
  for (QLabel* panel : {StatusPanel0, StatusPanel1}) {
    panel->setFixedWidth(kStatusPanelWidth);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(panel);
  }
  StatusReadout = new QLabel(StatusBar1);
  StatusReadout->setObjectName(QStringLiteral("StatusReadout"));
  StatusBar1->addWidget(StatusReadout, 1);
  StatusSelection = new QLabel(StatusBar1);
  StatusSelection->setObjectName(QStringLiteral("StatusSelection"));
  StatusBar1->addPermanentWidget(StatusSelection);
}

void TFormMain::createSelectionCommands() {
  selectionCommands_ = new SelectionCommands(
      {this, services_, Image1, StatusReadout, StatusSelection, [this] { return PlotMode; },
       [this]() -> const orniva::NetGeometry& { return netGeometry; },
       [this]() -> const orniva::DiagramFigures& { return figures.figures(); }},
      document, *selection_, menuBar(), Help1->menuAction(), ToolBar1);
}

// The View menu before Help, Recent Files before the separator above Exit.
void TFormMain::createViewCommands() {
  const QList<QAction*> fileItems = File1->actions();
  viewCommands_ = new ViewCommands(
      {this, services_, StringGrid1, [this](const QString& path) { LoadDataFile(path); },
       [this] { FormResize(); }},
      document, menuBar(), Help1->menuAction(), File1, fileItems[fileItems.indexOf(MenuExit) - 1]);
  QMenu* view = viewCommands_->View1;
  ActionKeyRoom = newAction("ActionKeyRoom", QStringLiteral("&Colour Key Beside the Picture"));
  ActionKeyRoom->setCheckable(true);
  view->insertAction(view->actions().value(1), ActionKeyRoom);
  connect(ActionKeyRoom, &QAction::toggled, this, [this] { FormResize(); });
}

void TFormMain::connectHandlers() {
  connect(ActionOpen, &QAction::triggered, this, &TFormMain::ActionOpenExecute);
  connect(ActionExport, &QAction::triggered, this, &TFormMain::ActionExportExecute);
  connect(ActionExit, &QAction::triggered, this, &TFormMain::ActionExitExecute);
  connect(ActionFPS, &QAction::triggered, this, &TFormMain::ActionFPSExecute);
  connect(ActionTLD, &QAction::triggered, this, &TFormMain::ActionTLDExecute);
  connect(ActionLarge, &QAction::triggered, this, &TFormMain::ActionLargeExecute);
  connect(ActionMedium, &QAction::triggered, this, &TFormMain::ActionMediumExecute);
  connect(ActionSmall, &QAction::triggered, this, &TFormMain::ActionSmallExecute);
  connect(Version1, &QAction::triggered, this, &TFormMain::Version1Click);
  connect(Contents1, &QAction::triggered, this,
          [this] { ShowManualPage(*services_, this, orniva::kManualIndex); });
  connect(Image1, &PictureView::clicked, this, &TFormMain::Image1Click);
  StringGrid1->setDrawCellHandler([this](int col, int row, const QRect& rect, CellState state) {
    StringGrid1DrawCell(col, row, rect, state);
  });
  documentListener_ = document.AddListener(
      [this](const orniva::document::Notice& notice) { DocumentChanged(notice); });
}

// ---- form events -------------------------------------------------------------

void TFormMain::FormCreate() {
  ClearGrid();
  plotPicture.SetSize(orniva::Picture::kDefaultSize, orniva::Picture::kDefaultSize);
  plotPicture.Clear();
}

void TFormMain::FormShow() {
  orniva::InitNetGeometry(netGeometry);
  orniva::PlotTarget target = MakePlotTarget();
  orniva::RenderPlot(target, nullptr);
}

// The picture's side `side`, or less where the user asked for room for the
// colour key beside it and the image area `width` wide has none.
int TFormMain::KeyRoomSide(int side, int width) const {
  if (!ActionKeyRoom || !ActionKeyRoom->isChecked() || !ColourKey1->key()) return side;
  return std::max(0, std::min(side, width - ColourKeyView::kRoomWidth));
}

void TFormMain::FormResize() {
  if (!Image1) return;
  const QRect outer = frameGeometry();
  const int beside = kWidthBesideImage + StringGrid1->extraWidth();
  const int side =
      std::max(0, std::min(outer.width() - beside, outer.height() - kHeightBesideImage));
  const int shown = KeyRoomSide(side, outer.width() - beside);
  Image1->resize(shown, shown);
}

// Removes the log in the current folder, but only one that this run wrote.
void TFormMain::FormDestroy() {
  const QFileInfo log(QDir::current().absoluteFilePath(QString::fromLatin1(kLogName)));
  if (log.isFile() && writtenLogs_.count(log.canonicalFilePath()))
    QFile::remove(log.absoluteFilePath());
  document.RemoveListener(documentListener_);
  plotPicture.Clear();
}

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  fitOuterSize();
  viewCommands_->Restore();
  FormShow();
}

// The window's size is its outer size, frame included, where the frame is
// known when the window is first shown.
void TFormMain::fitOuterSize() {
  const QSize frame = frameGeometry().size() - size();
  if (frame.width() > 0 || frame.height() > 0) resize(size() - frame);
}

void TFormMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

// ---- commands ----------------------------------------------------------------

void TFormMain::ActionExportExecute() {
  SavePictureAs(*services_, this, PictureDialog::Export,
                [this](const std::string& path, orniva::render::FigureFormat) {
                  orniva::SaveEmf(plotPicture, path);
                  return true;
                });
}

orniva::Picture TFormMain::CurrentFigure(const FigureOptions& options) const {
  orniva::FigureRequest request;
  request.mode = PlotMode;
  orniva::InitNetGeometry(request.geometry);
  request.geometry.kind = netGeometry.kind;
  request.geometry.hemisphere = netGeometry.hemisphere;
  request.geometry.grid = netGeometry.grid;
  request.symbolSize = CheckedSymbolSize();
  request.highlight = highlight_;
  request.layout = options.layout;
  request.title =
      (options.title.isEmpty() ? QFileInfo(FileName()).fileName() : options.title).toStdString();
  return orniva::DrawFigure(faultSet, request, figures.figures());
}

void TFormMain::ShowMessage(const std::string& text) { services_->ShowMessage(this, text); }

void TFormMain::ActionExitExecute() {
  if (curationCommands_->MayDiscardChanges()) QCoreApplication::quit();
}

void TFormMain::ActionFPSExecute() { ChooseDiagram(orniva::PlotMode::FaultPlaneAndStriation); }

void TFormMain::ActionTLDExecute() { ChooseDiagram(orniva::PlotMode::TangentLineation); }

void TFormMain::ActionLargeExecute() {
  MenuLarge->setChecked(true);
  Replot(-1);
}

void TFormMain::ActionMediumExecute() {
  MenuMedium->setChecked(true);
  Replot(-1);
}

void TFormMain::ActionSmallExecute() {
  MenuSmall->setChecked(true);
  Replot(-1);
}

void TFormMain::ChooseDiagram(orniva::PlotMode mode) {
  PlotMode = mode;
  QAction* item = mode == orniva::PlotMode::FaultPlaneAndStriation ? MenuFPS
                  : mode == orniva::PlotMode::TangentLineation     ? MenuTLD
                                                               : analysisMenu_->DiagramAction(mode);
  item->setChecked(true);
  Replot(-1);
}

void TFormMain::ChooseNet(orniva::NetKind kind) {
  netGeometry.kind = kind;
  (kind == orniva::NetKind::EqualArea ? analysisMenu_->ActionEqualArea
                                      : analysisMenu_->ActionEqualAngle)
      ->setChecked(true);
  Replot(-1);
}

// The grid moves to the datum's row, and the datum is highlighted at once,
// as a row change in the grid does, whichever window has the focus.
void TFormMain::SelectDatum(int line) {
  StringGrid1->setCurrentCell(1, line);
  Replot(line > faultSet.count() ? -1 : std::int16_t(line));
}

// A diagram of the analyses is drawn again on every change of what they
// read; one of the data alone when the data or the way they are shown
// changed (keeping its highlight, unless the data were replaced).
void TFormMain::DocumentChanged(const orniva::document::Notice& notice) {
  using namespace orniva::document;
  if (notice.has(kFileNameChanged | kSavedStateChanged)) ShowTitle();
  if (notice.dataChanged()) ShowData();
  if (notice.has(kDataReplaced)) return Replot(-1);
  const unsigned shown = kLinesEdited | kCurationChanged | kScopeChanged | kChoicesChanged;
  if (orniva::NeedsAnalysis(PlotMode) && notice.has(shown | kInversionChanged | kResultChanged))
    Replot(-1);
  else if (notice.has(shown))
    Replot(highlight_ > faultSet.count() ? std::int16_t(-1) : highlight_);
}

void TFormMain::ShowData() {
  StringGrid1->setRowCount(faultSet.count() + 1);
  StatusPanel0->setText(QString::number(faultSet.count()));
  ClearGrid();
  FillGrid();
}

QString TFormMain::FileName() const { return QFile::decodeName(document.fileName().c_str()); }

void TFormMain::ShowTitle() {
  setWindowTitle(QStringLiteral("Orniva  [ ") + QFileInfo(FileName()).fileName() +
                 QStringLiteral(" ]") + (document.modified() ? QStringLiteral(" *") : QString()));
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (!curationCommands_->MayDiscardChanges()) return event->ignore();
  QMainWindow::closeEvent(event);
  QCoreApplication::quit();
}

void TFormMain::Image1Click() { Replot(-1); }

void TFormMain::Version1Click() {
  if (!FormAbout) return;
  FormAbout->show();
  FormAbout->raise();
  FormAbout->activateWindow();
}

// ---- plotting --------------------------------------------------------------------

orniva::SymbolSize TFormMain::CheckedSymbolSize() const {
  if (MenuLarge->isChecked()) return orniva::SymbolSize::Large;
  if (MenuSmall->isChecked()) return orniva::SymbolSize::Small;
  return orniva::SymbolSize::Medium;
}

orniva::PlotTarget TFormMain::MakePlotTarget() {
  orniva::PlotTarget target;
  target.picture = &plotPicture;
  target.geometry = netGeometry;
  target.symbolSize = CheckedSymbolSize();
  target.show = [this] { Image1->setPicture(&plotPicture); };
  target.cache = &plotCache;
  return target;
}

void TFormMain::Replot(std::int16_t highlightIndex) {
  orniva::PlotTarget target = MakePlotTarget();
  highlight_ = highlightIndex;
  const orniva::DiagramFigures& inputs = figures.For(PlotMode, study, netGeometry);
  orniva::PlotDiagram(PlotMode, faultSet, target, highlightIndex, inputs.Inputs());
  const bool keyBefore = ColourKey1->key().has_value();
  ColourKey1->setKey(orniva::ColourKeyOf(PlotMode, inputs, study.choices()));
  if (ColourKey1->key().has_value() != keyBefore) FormResize();
  if (selectionCommands_) selectionCommands_->Redrawn();
  for (int k = 0; k < target.zeroDivides; ++k)
    ShowMessage(orniva::directional_operations::kZeroDivideMessage);
}

// ---- grid ------------------------------------------------------------------------

void TFormMain::ClearGrid() { StringGrid1->gridModel()->clearCells(); }

void TFormMain::FillGrid() { StringGrid1->gridModel()->fillCells(faultSet.count()); }

// Redraws the plot with the focused row's datum highlighted when the grid
// paints its focused cell right after a cell of another row: once per row
// change, not for every cell painted.
void TFormMain::StringGrid1DrawCell(int col, int row, const QRect& rect, CellState state) {
  if (row == lastDrawnRow) return;
  lastDrawnRow = std::int16_t(row);
  if (!(state & gdFocused)) return;
  StringGrid1->paintCellAgain(col, row, rect, orniva::clAqua);
  Replot(row > faultSet.count() ? -1 : std::int16_t(row));
}
