#include "ui/VORNmain.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "data/colours.h"
#include "data/fault_reader.h"
#include "platform/atomic_file.h"
#include "picture/emf.h"
#include "render/figure_files.h"
#include "plot/diagram.h"
#include "ui/About.h"
#include "ui/program_icons.h"

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
    messageBoxes_ = std::make_unique<MessageBoxSink>();
  }
  setUpWindow();
  createActions();
  createMenus();
  createToolBar();
  createControls();
  createStatusBar();
  connectHandlers();
  FormCreate();
}

TFormMain::~TFormMain() { FormDestroy(); }

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
  ActionEqualAngle = newAction("ActionEqualAngle", QStringLiteral("Equal-&Angle Net"));
  ActionEqualArea = newAction("ActionEqualArea", QStringLiteral("Equal-A&rea Net"));
  ActionPoles = newAction("ActionPoles", QStringLiteral("&Poles"));
  ActionKinematicAxes = newAction("ActionKinematicAxes", QStringLiteral("&Kinematic Axes"));
  ActionKinematics = newAction("ActionKinematics", QStringLiteral("&Kinematics..."));
  ActionStressAxes = newAction("ActionStressAxes", QStringLiteral("Str&ess Axes"));
  ActionDensityPoles = newAction("ActionDensityPoles", QStringLiteral("of &Poles"));
  ActionDensityP = newAction("ActionDensityP", QStringLiteral("of P &Axes"));
  ActionDensityT = newAction("ActionDensityT", QStringLiteral("of &T Axes"));
  ActionDensityStriations = newAction("ActionDensityStriations", QStringLiteral("of &Striations"));
  ActionKamb = newAction("ActionKamb", QStringLiteral("&Kamb"));
  ActionOnePercent = newAction("ActionOnePercent", QStringLiteral("&One Per Cent"));
  ActionRightDihedra = newAction("ActionRightDihedra", QStringLiteral("Right D&ihedra"));
  ActionDihedraPlanes =
      newAction("ActionDihedraPlanes", QStringLiteral("Fault P&lanes on Right Dihedra"));
  ActionStressInversion =
      newAction("ActionStressInversion", QStringLiteral("&Stress Inversion..."));
  ActionSaveFigure = newAction("ActionSaveFigure", QStringLiteral("Save &Figure As..."));
  ActionPrint = newAction("ActionPrint", QStringLiteral("&Print..."));
  ActionCopyFigure = newAction("ActionCopyFigure", QStringLiteral("&Copy Figure"));
  ActionImport = newAction("ActionImport", QStringLiteral("I&mport..."));
  ActionPasteData = newAction("ActionPasteData", QStringLiteral("&Paste Data"));
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
  File1 = menuBar()->addMenu(QStringLiteral("&File"));
  File1->setObjectName(QStringLiteral("File1"));
  MenuOpen = newMenuItem(File1, ActionOpen);
  MenuExport = newMenuItem(File1, ActionExport);
  newMenuItem(File1, ActionSaveFigure);
  newMenuItem(File1, ActionPrint);
  ActionPrint->setShortcut(QKeySequence::Print);
  newMenuItem(File1, ActionImport);
  File1->addSeparator();
  MenuExit = newMenuItem(File1, ActionExit);
  ActionOpen->setShortcut(QKeySequence::Open);
  ActionExit->setShortcut(QKeySequence::Quit);

  Edit1 = menuBar()->addMenu(QStringLiteral("&Edit"));
  Edit1->setObjectName(QStringLiteral("Edit1"));
  newMenuItem(Edit1, ActionCopyFigure);
  newMenuItem(Edit1, ActionPasteData);

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
  auto* nets = new QActionGroup(this);
  newMenuItem(Plot1, ActionEqualAngle, nets)->setChecked(true);
  newMenuItem(Plot1, ActionEqualArea, nets);
  Plot1->addSeparator();
  newMenuItem(Plot1, ActionPoles, diagrams);
  newMenuItem(Plot1, ActionKinematicAxes, diagrams);
  newMenuItem(Plot1, ActionStressAxes, diagrams);
  // The density diagram is the submenu's own item in the diagram group; its
  // items choose what it counts and how.
  Density1 = Plot1->addMenu(QStringLiteral("&Density"));
  Density1->setObjectName(QStringLiteral("Density1"));
  ActionDensity = Density1->menuAction();
  ActionDensity->setObjectName(QStringLiteral("ActionDensity"));
  ActionDensity->setCheckable(true);
  diagrams->addAction(ActionDensity);
  auto* densityOf = new QActionGroup(this);
  newMenuItem(Density1, ActionDensityPoles, densityOf)->setChecked(true);
  newMenuItem(Density1, ActionDensityP, densityOf);
  newMenuItem(Density1, ActionDensityT, densityOf);
  newMenuItem(Density1, ActionDensityStriations, densityOf);
  Density1->addSeparator();
  auto* methods = new QActionGroup(this);
  newMenuItem(Density1, ActionKamb, methods)->setChecked(true);
  newMenuItem(Density1, ActionOnePercent, methods);
  newMenuItem(Plot1, ActionRightDihedra, diagrams);
  ActionDihedraPlanes->setCheckable(true);
  ActionDihedraPlanes->setChecked(true);
  newMenuItem(Plot1, ActionDihedraPlanes);

  Analysis1 = menuBar()->addMenu(QStringLiteral("&Analysis"));
  Analysis1->setObjectName(QStringLiteral("Analysis1"));
  newMenuItem(Analysis1, ActionKinematics);
  newMenuItem(Analysis1, ActionStressInversion);

  Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  Contents1 = Help1->addAction(QStringLiteral("&Contents"));
  Contents1->setObjectName(QStringLiteral("Contents1"));
  Contents1->setEnabled(false);
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
}

void TFormMain::connectHandlers() {
  connect(ActionOpen, &QAction::triggered, this, &TFormMain::ActionOpenExecute);
  connect(ActionExport, &QAction::triggered, this, &TFormMain::ActionExportExecute);
  connect(ActionExit, &QAction::triggered, this, &TFormMain::ActionExitExecute);
  connect(ActionSaveFigure, &QAction::triggered, this, &TFormMain::SaveFigureAs);
  connect(ActionPrint, &QAction::triggered, this, &TFormMain::PrintFigure);
  connect(ActionCopyFigure, &QAction::triggered, this, &TFormMain::CopyFigure);
  connect(ActionImport, &QAction::triggered, this, &TFormMain::ImportTableFile);
  connect(ActionPasteData, &QAction::triggered, this, &TFormMain::PasteData);
  connect(ActionFPS, &QAction::triggered, this, &TFormMain::ActionFPSExecute);
  connect(ActionTLD, &QAction::triggered, this, &TFormMain::ActionTLDExecute);
  connect(ActionLarge, &QAction::triggered, this, &TFormMain::ActionLargeExecute);
  connect(ActionMedium, &QAction::triggered, this, &TFormMain::ActionMediumExecute);
  connect(ActionSmall, &QAction::triggered, this, &TFormMain::ActionSmallExecute);
  connect(Version1, &QAction::triggered, this, &TFormMain::Version1Click);
  connect(ActionEqualAngle, &QAction::triggered, this,
          [this] { ChooseNet(orniva::NetKind::EqualAngle); });
  connect(ActionEqualArea, &QAction::triggered, this,
          [this] { ChooseNet(orniva::NetKind::EqualArea); });
  connect(ActionPoles, &QAction::triggered, this,
          [this] { ChooseDiagram(orniva::PlotMode::Poles); });
  connect(ActionKinematicAxes, &QAction::triggered, this,
          [this] { ChooseDiagram(orniva::PlotMode::KinematicAxes); });
  connect(ActionKinematics, &QAction::triggered, this, &TFormMain::ShowKinematics);
  connect(ActionStressAxes, &QAction::triggered, this,
          [this] { ChooseDiagram(orniva::PlotMode::StressAxes); });
  connect(ActionRightDihedra, &QAction::triggered, this,
          [this] { ChooseDiagram(orniva::PlotMode::RightDihedra); });
  connect(ActionDihedraPlanes, &QAction::toggled, this, [this](bool on) {
    analysisChoices.dihedraPlanes = on;
    if (PlotMode == orniva::PlotMode::RightDihedra) Replot(-1);
  });
  using orniva::analysis::DensityMethod;
  using orniva::analysis::DensityOf;
  const std::pair<QAction*, DensityOf> ofs[] = {{ActionDensityPoles, DensityOf::Poles},
                                                {ActionDensityP, DensityOf::PAxes},
                                                {ActionDensityT, DensityOf::TAxes},
                                                {ActionDensityStriations, DensityOf::Striations}};
  for (const auto& [action, of] : ofs)
    connect(action, &QAction::triggered, this, [this, of = of] {
      analysisChoices.densityOf = of;
      ChooseDensity();
    });
  const std::pair<QAction*, DensityMethod> methods[] = {
      {ActionKamb, DensityMethod::Kamb}, {ActionOnePercent, DensityMethod::OnePercent}};
  for (const auto& [action, method] : methods)
    connect(action, &QAction::triggered, this, [this, method = method] {
      analysisChoices.densityMethod = method;
      ChooseDensity();
    });
  connect(ActionStressInversion, &QAction::triggered, this, &TFormMain::ShowStressInversion);
  connect(Image1, &PictureView::clicked, this, &TFormMain::Image1Click);
  StringGrid1->setDrawCellHandler([this](int col, int row, const QRect& rect, CellState state) {
    StringGrid1DrawCell(col, row, rect, state);
  });
}

// ---- form events -------------------------------------------------------------

void TFormMain::FormCreate() {
  ClearGrid();
  faultSet = FaultSet();
  plotPicture.SetSize(orniva::Picture::kDefaultSize, orniva::Picture::kDefaultSize);
  plotPicture.Clear();
  if (messageBoxes_) previousSink_ = orniva::InstallMessageSink(messageBoxes_.get());
}

void TFormMain::FormShow() {
  orniva::InitNetGeometry(netGeometry);
  orniva::PlotTarget target = MakePlotTarget();
  orniva::RenderPlot(target, nullptr);
}

void TFormMain::FormResize() {
  if (!Image1) return;
  const QRect outer = frameGeometry();
  const int side =
      std::max(0, std::min(outer.width() - kWidthBesideImage, outer.height() - kHeightBesideImage));
  Image1->resize(side, side);
}

// Removes the log in the current folder, but only one that this run wrote.
void TFormMain::FormDestroy() {
  const QFileInfo log(QDir::current().absoluteFilePath(QString::fromLatin1(kLogName)));
  if (log.isFile() && writtenLogs_.count(log.canonicalFilePath()))
    QFile::remove(log.absoluteFilePath());
  faultSet = FaultSet();
  plotPicture.Clear();
  if (messageBoxes_) orniva::InstallMessageSink(previousSink_);
}

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  fitOuterSize();
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

void TFormMain::ActionOpenExecute() {
  const std::optional<QString> chosen = services_->OpenDataFile(this);
  if (!chosen) return;
  FileName = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(FileName);
  LoadDataFile();
}

void TFormMain::ActionExportExecute() {
  const std::optional<QString> chosen = services_->SavePicture(this);
  if (!chosen) return;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  if (PictureExtension(path) != ".emf") {
    orniva::ShowMessage("Invalid graphic format specified.\r\nImage is not saved.");
    return;
  }
  try {
    orniva::SaveEmf(plotPicture, LocalPath(path));
  } catch (const FileError& error) {
    ReportError(error);
  }
}

orniva::Picture TFormMain::CurrentFigure(const orniva::ui::FigureOptions& options) const {
  orniva::FigureRequest request;
  request.mode = PlotMode;
  orniva::InitNetGeometry(request.geometry);
  request.geometry.kind = netGeometry.kind;
  request.symbolSize = CheckedSymbolSize();
  request.highlight = highlight_;
  request.layout = options.layout;
  request.title =
      (options.title.isEmpty() ? QFileInfo(FileName).fileName() : options.title).toStdString();
  request.dihedraPlanes = analysisChoices.dihedraPlanes;
  return orniva::DrawFigure(faultSet, request, figures);
}

void TFormMain::SaveFigureAs() {
  const std::optional<QString> chosen = services_->SaveFigureFile(this);
  if (!chosen) return;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  const std::optional<orniva::render::FigureFormat> format =
      orniva::render::FigureFormatOf(LocalPath(path));
  if (!format) {
    orniva::ShowMessage("Invalid graphic format specified.\r\nImage is not saved.");
    return;
  }
  const std::optional<orniva::ui::FigureOptions> options = services_->ChooseFigureOptions(
      this, figureOptions_, *format == orniva::render::FigureFormat::Png,
      QFileInfo(FileName).fileName());
  if (!options) return;
  figureOptions_ = *options;
  const orniva::Picture figure = CurrentFigure(figureOptions_);
  if (const auto problem =
          orniva::render::FigureSizeProblem(figure, figureOptions_.size, *format)) {
    orniva::ShowMessage("The figure is not saved: " + *problem + ".");
    return;
  }
  try {
    orniva::render::SaveFigure(figure, LocalPath(path), *format, figureOptions_.size);
  } catch (const FileError& error) {
    ReportError(error);
  }
}

void TFormMain::CopyFigure() {
  const orniva::Picture figure = CurrentFigure(figureOptions_);
  const auto problem = orniva::render::FigureSizeProblem(figure, figureOptions_.size,
                                                         orniva::render::FigureFormat::Png);
  if (problem) {
    orniva::ShowMessage("The figure is not copied: " + *problem + ".");
    return;
  }
  QGuiApplication::clipboard()->setMimeData(
      orniva::ui::FigureMimeData(figure, figureOptions_.size));
}

void TFormMain::PrintFigure() {
  services_->PrintFigure(this, CurrentFigure(figureOptions_), figureOptions_.size.widthMm);
}

// A table to import is read whole, so it is bounded: far more than the
// largest data file's rows in any convention.
constexpr qint64 kLargestTable = 64 << 20;

void TFormMain::ImportTableFile() {
  const std::optional<QString> chosen = services_->OpenImportFile(this);
  if (!chosen) return;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  const QFileInfo info(path);
  QFile file(path);
  if (info.exists() && !info.isFile()) {
    ReportError(FileError(FileError::Action::Read, LocalPath(path), "not a regular file"));
  } else if (info.size() > kLargestTable) {
    ReportError(FileError(FileError::Action::Read, LocalPath(path),
                          "larger than 64 MB, too large to import"));
  } else if (!file.open(QIODevice::ReadOnly)) {
    ReportError(
        FileError(FileError::Action::Read, LocalPath(path), file.errorString().toStdString()));
  } else {
    const QByteArray bytes = file.read(kLargestTable + 1);
    ImportText(std::string(bytes.constData(), std::size_t(bytes.size())), info.fileName());
  }
}

void TFormMain::PasteData() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.trimmed().isEmpty()) {
    orniva::ShowMessage("The clipboard holds no text to import.");
    return;
  }
  ImportText(text.toStdString(), QStringLiteral("clipboard"));
}

void TFormMain::ImportText(const std::string& text, const QString& source) {
  const std::optional<std::string> data = services_->ConfirmImport(this, text, source);
  if (!data) return;
  const std::optional<QString> chosen = services_->SaveDataFile(this);
  if (!chosen) return;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  try {
    orniva::WriteFileAtomically(LocalPath(path), *data);
  } catch (const FileError& error) {
    ReportError(error);
    return;
  }
  FileName = path;
  LoadDataFile();
}

void TFormMain::ActionExitExecute() { QCoreApplication::quit(); }

void TFormMain::ActionFPSExecute() {
  PlotMode = orniva::PlotMode::FaultPlaneAndStriation;
  MenuFPS->setChecked(true);
  Replot(-1);
}

void TFormMain::ActionTLDExecute() {
  PlotMode = orniva::PlotMode::TangentLineation;
  MenuTLD->setChecked(true);
  Replot(-1);
}

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
  Replot(-1);
}

void TFormMain::ChooseDensity() {
  ActionDensity->setChecked(true);
  ChooseDiagram(orniva::PlotMode::Density);
}

void TFormMain::ChooseNet(orniva::NetKind kind) {
  netGeometry.kind = kind;
  Replot(-1);
}

void TFormMain::ShowKinematics() {
  if (!kinematics_) {
    kinematics_ = new KinematicsWindow(this);
    connect(kinematics_, &KinematicsWindow::datumSelected, this,
            [this](int line) { StringGrid1->setCurrentCell(1, line); });
    kinematics_->showData(faultSet, FileName);
  }
  kinematics_->show();
  kinematics_->raise();
  kinematics_->activateWindow();
}

void TFormMain::ShowStressInversion() {
  if (!stress_) {
    stress_ = new StressWindow(this);
    connect(stress_, &StressWindow::datumSelected, this,
            [this](int line) { StringGrid1->setCurrentCell(1, line); });
    connect(stress_, &StressWindow::choicesChanged, this,
            [this](const std::vector<bool>& use, bool iterate) {
              analysisChoices.use = use;
              analysisChoices.iterate = iterate;
              if (PlotMode == orniva::PlotMode::StressAxes) Replot(-1);
            });
    stress_->setIterate(analysisChoices.iterate);
    stress_->showData(faultSet, FileName);
    if (!analysisChoices.use.empty()) stress_->setUse(analysisChoices.use);
  }
  stress_->show();
  stress_->raise();
  stress_->activateWindow();
}

void TFormMain::Image1Click() { Replot(-1); }

void TFormMain::Version1Click() {
  if (!FormAbout) return;
  FormAbout->show();
  FormAbout->raise();
  FormAbout->activateWindow();
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
    orniva::ShowMessage(
        "Plural files were dropped.\r\nThis application accept only one file at a time.");
    return;
  }
  for (const QString& path : paths) {
    FileName = QFileInfo(path).absoluteFilePath();
    LoadDataFile();
  }
}

// ---- loading -------------------------------------------------------------------

void TFormMain::LoadDataFile() {
  orniva::DataFileLines file;
  try {
    file = orniva::ReadDataFile(LocalPath(FileName));
  } catch (const FileError& error) {
    ReportError(error);
    return;
  }
  if (file.tooManyLines) {
    orniva::ShowMessage(orniva::TooManyLinesMessage());
    return;
  }
  const orniva::CheckOutcome outcome =
      orniva::CheckDataFile(file.lines, LocalPath(FileName), faultSet);
  std::vector<std::string>().swap(file.lines);
  StringGrid1->setRowCount(faultSet.count() + 1);
  StatusPanel0->setText(QString::number(faultSet.count()));
  ReportCheck(outcome);
  ClearGrid();
  FillGrid();
  setWindowTitle(QStringLiteral("Orniva  [ ") + QFileInfo(FileName).fileName() +
                 QStringLiteral(" ]"));
  analysisChoices.use.clear();  // every fault back in for new data
  Replot(-1);
  if (kinematics_) kinematics_->showData(faultSet, FileName);
  if (stress_) stress_->showData(faultSet, FileName);
}

// A log that could not be written is reported, and the load goes on with
// the data checked all the same; bad fields are told once.
void TFormMain::ReportCheck(const orniva::CheckOutcome& outcome) {
  if (outcome.logError) {
    ReportError(*outcome.logError);
    return;
  }
  writtenLogs_.insert(QFileInfo(QFile::decodeName(outcome.logPath.c_str())).canonicalFilePath());
  if (outcome.badFields) orniva::ShowMessage(orniva::kBadFieldsMessage);
}

void TFormMain::ReportError(const FileError& error) { services_->ReportError(this, error); }

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
  if (orniva::NeedsAnalysis(PlotMode) &&
      (figuresGeneration_ != faultSet.generation() || figuresMode_ != PlotMode ||
       figuresNet_ != netGeometry.kind || figuresChoices_ != analysisChoices)) {
    figures = orniva::FiguresFor(PlotMode, faultSet, netGeometry, analysisChoices);
    figuresGeneration_ = faultSet.generation();
    figuresMode_ = PlotMode;
    figuresNet_ = netGeometry.kind;
    figuresChoices_ = analysisChoices;
  }
  orniva::PlotTarget target = MakePlotTarget();
  highlight_ = highlightIndex;
  orniva::PlotDiagram(PlotMode, faultSet, target, highlightIndex, figures.Inputs());
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
  PaintFocusedCell(col, row, rect);
  Replot(row > faultSet.count() ? -1 : std::int16_t(row));
}

// Fills the cell aqua and writes its text again, 2 pixels in from its
// top-left corner, on the grid's painter of the cell (if it is being painted).
void TFormMain::PaintFocusedCell(int col, int row, const QRect& rect) {
  QPainter* canvas = StringGrid1->canvas();
  if (!canvas) return;
  canvas->save();
  canvas->fillRect(rect, QColor(orniva::RedOf(orniva::clAqua), orniva::GreenOf(orniva::clAqua),
                                orniva::BlueOf(orniva::clAqua)));
  canvas->setClipRect(rect);
  canvas->setFont(StringGrid1->font());
  canvas->setPen(StringGrid1->palette().color(QPalette::Text));
  canvas->drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   StringGrid1->gridModel()->cellText(col, row));
  canvas->restore();
}
