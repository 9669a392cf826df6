#include "ui/main/analysis_menu.h"

#include <utility>

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "ui/results/geometry_tools.h"
#include "ui/results/kinematics_window.h"
#include "ui/results/separation_window.h"
#include "ui/results/stress_window.h"
#include "ui/dialogs/tendency_dialog.h"

namespace orniva::ui {

using analysis::DensityMethod;
using analysis::DensityOf;

AnalysisMenu::AnalysisMenu(Window window, document::Document& document, QMenuBar* menuBar,
                           QMenu* plot, QActionGroup* diagrams)
    : QObject(window.widget), window_(std::move(window)), document_(document) {
  addNets(plot);
  addViewItems(plot);
  plot->addSeparator();
  addDiagrams(plot, diagrams);
  addRoseMenu(plot, diagrams);
  addAnalysisMenu(menuBar);
}

template <typename Change>
void AnalysisMenu::changeChoices(Change&& change) {
  analysis::AnalysisChoices choices = document_.study().choices();
  change(choices);
  document_.SetChoices(choices);
}

AnalysisMenu::~AnalysisMenu() {
  delete kinematics_;
  delete stress_;
  delete separation_;
}

// The item of `menu` (and of `group`, as one of a set of radio items).
QAction* AnalysisMenu::newAction(const char* name, const QString& text, QMenu* menu,
                                 QActionGroup* group) {
  auto* action = new QAction(text, window_.widget);
  action->setObjectName(QString::fromLatin1(name));
  menu->addAction(action);
  if (group) {
    action->setCheckable(true);
    group->addAction(action);
  }
  return action;
}

void AnalysisMenu::addNets(QMenu* plot) {
  auto* nets = new QActionGroup(this);
  ActionEqualAngle = newAction("ActionEqualAngle", QStringLiteral("Equal-&Angle Net"), plot, nets);
  ActionEqualArea = newAction("ActionEqualArea", QStringLiteral("Equal-A&rea Net"), plot, nets);
  ActionEqualAngle->setChecked(true);
  connect(ActionEqualAngle, &QAction::triggered, this,
          [this] { window_.chooseNet(NetKind::EqualAngle); });
  connect(ActionEqualArea, &QAction::triggered, this,
          [this] { window_.chooseNet(NetKind::EqualArea); });
}

// Two check items that redraw the diagram: the upper hemisphere and the
// net grid.
void AnalysisMenu::addViewItems(QMenu* plot) {
  ActionUpperHemisphere =
      newAction("ActionUpperHemisphere", QStringLiteral("&Upper Hemisphere"), plot);
  ActionNetGrid = newAction("ActionNetGrid", QStringLiteral("Net &Grid"), plot);
  for (QAction* action : {ActionUpperHemisphere, ActionNetGrid}) {
    action->setCheckable(true);
    connect(action, &QAction::toggled, this, [this] {
      window_.chooseView(ActionUpperHemisphere->isChecked() ? Hemisphere::Upper : Hemisphere::Lower,
                         ActionNetGrid->isChecked());
    });
  }
}

void AnalysisMenu::addDiagrams(QMenu* plot, QActionGroup* diagrams) {
  ActionPoles = newAction("ActionPoles", QStringLiteral("&Poles"), plot, diagrams);
  ActionKinematicAxes =
      newAction("ActionKinematicAxes", QStringLiteral("&Kinematic Axes"), plot, diagrams);
  ActionStressAxes = newAction("ActionStressAxes", QStringLiteral("Str&ess Axes"), plot, diagrams);
  addEveryMethod(plot);
  addDensityMenu(plot, diagrams);
  ActionRightDihedra =
      newAction("ActionRightDihedra", QStringLiteral("Right D&ihedra"), plot, diagrams);
  ActionDihedraPlanes =
      newAction("ActionDihedraPlanes", QStringLiteral("Fault P&lanes on Right Dihedra"), plot);
  ActionDihedraPlanes->setCheckable(true);
  ActionDihedraPlanes->setChecked(true);
  ActionMohr = newAction("ActionMohr", QStringLiteral("M&ohr Diagram"), plot, diagrams);
  addTendencyMenu(plot, diagrams);
  const std::pair<QAction*, PlotMode> modes[] = {{ActionPoles, PlotMode::Poles},
                                                 {ActionKinematicAxes, PlotMode::KinematicAxes},
                                                 {ActionStressAxes, PlotMode::StressAxes},
                                                 {ActionRightDihedra, PlotMode::RightDihedra},
                                                 {ActionMohr, PlotMode::Mohr}};
  for (const auto& [action, mode] : modes)
    connect(action, &QAction::triggered, this,
            [this, mode = mode] { window_.chooseDiagram(mode); });
  connect(ActionDihedraPlanes, &QAction::toggled, this, [this](bool on) {
    changeChoices([on](analysis::AnalysisChoices& c) { c.dihedraPlanes = on; });
  });
}

void AnalysisMenu::addEveryMethod(QMenu* plot) {
  ActionEveryMethod =
      newAction("ActionEveryMethod", QStringLiteral("Every &Method's \u03C31 and \u03C33"), plot);
  ActionEveryMethod->setCheckable(true);
  connect(ActionEveryMethod, &QAction::toggled, this, [this](bool on) {
    changeChoices([on](analysis::AnalysisChoices& c) { c.everyMethod = on; });
  });
}

// The density diagram is the submenu's own item in the diagram group; its
// items choose what it counts and how.
void AnalysisMenu::addDensityMenu(QMenu* plot, QActionGroup* diagrams) {
  Density1 = plot->addMenu(QStringLiteral("&Density"));
  Density1->setObjectName(QStringLiteral("Density1"));
  ActionDensity = Density1->menuAction();
  ActionDensity->setObjectName(QStringLiteral("ActionDensity"));
  ActionDensity->setCheckable(true);
  diagrams->addAction(ActionDensity);
  auto* ofs = new QActionGroup(this);
  ActionDensityPoles = newAction("ActionDensityPoles", QStringLiteral("of &Poles"), Density1, ofs);
  ActionDensityP = newAction("ActionDensityP", QStringLiteral("of P &Axes"), Density1, ofs);
  ActionDensityT = newAction("ActionDensityT", QStringLiteral("of &T Axes"), Density1, ofs);
  ActionDensityStriations =
      newAction("ActionDensityStriations", QStringLiteral("of &Striations"), Density1, ofs);
  Density1->addSeparator();
  auto* methods = new QActionGroup(this);
  ActionKamb = newAction("ActionKamb", QStringLiteral("&Kamb"), Density1, methods);
  ActionOnePercent =
      newAction("ActionOnePercent", QStringLiteral("&One Per Cent"), Density1, methods);
  ActionDensityPoles->setChecked(true);
  ActionKamb->setChecked(true);
  const std::pair<QAction*, DensityOf> of[] = {{ActionDensityPoles, DensityOf::Poles},
                                               {ActionDensityP, DensityOf::PAxes},
                                               {ActionDensityT, DensityOf::TAxes},
                                               {ActionDensityStriations, DensityOf::Striations}};
  for (const auto& [action, value] : of)
    connect(action, &QAction::triggered, this, [this, value = value] {
      chooseDensity(value, document_.study().choices().densityMethod);
    });
  for (QAction* action : {ActionKamb, ActionOnePercent}) {
    const DensityMethod method =
        action == ActionKamb ? DensityMethod::Kamb : DensityMethod::OnePercent;
    connect(action, &QAction::triggered, this,
            [this, method] { chooseDensity(document_.study().choices().densityOf, method); });
  }
}

// The rose diagram is the submenu's own item in the diagram group; its
// items choose what it counts and the width of its bins. Its petals follow
// the net: by the square root of the count on the equal-area net.
void AnalysisMenu::addRoseMenu(QMenu* plot, QActionGroup* diagrams) {
  Rose1 = plot->addMenu(QStringLiteral("R&ose Diagram"));
  Rose1->setObjectName(QStringLiteral("Rose1"));
  ActionRose = Rose1->menuAction();
  ActionRose->setObjectName(QStringLiteral("ActionRose"));
  ActionRose->setCheckable(true);
  diagrams->addAction(ActionRose);
  auto* ofs = new QActionGroup(this);
  ActionRoseStrikes = newAction("ActionRoseStrikes", QStringLiteral("of &Strikes"), Rose1, ofs);
  ActionRoseDipDirections =
      newAction("ActionRoseDipDirections", QStringLiteral("of &Dip Directions"), Rose1, ofs);
  ActionRoseTrends =
      newAction("ActionRoseTrends", QStringLiteral("of Striation &Trends"), Rose1, ofs);
  ActionRoseStrikes->setChecked(true);
  Rose1->addSeparator();
  RoseBins = new QActionGroup(this);
  for (int width : {5, 10, 15, 30}) {
    QAction* bin =
        newAction("ActionRoseBin", QStringLiteral("%1\u00B0 Bins").arg(width), Rose1, RoseBins);
    bin->setData(width);
    bin->setChecked(width == analysis::kDefaultRoseBin);
    connect(bin, &QAction::triggered, this,
            [this, width] { chooseRose(document_.study().choices().roseOf, width); });
  }
  const std::pair<QAction*, analysis::RoseOf> of[] = {
      {ActionRoseStrikes, analysis::RoseOf::Strike},
      {ActionRoseDipDirections, analysis::RoseOf::DipDirection},
      {ActionRoseTrends, analysis::RoseOf::Trend}};
  for (const auto& [action, value] : of)
    connect(action, &QAction::triggered, this,
            [this, value = value] { chooseRose(value, document_.study().choices().roseBin); });
}

void AnalysisMenu::chooseRose(analysis::RoseOf of, double binWidth) {
  changeChoices([&](analysis::AnalysisChoices& c) {
    c.roseOf = of;
    c.roseBin = binWidth;
  });
  window_.chooseDiagram(PlotMode::Rose);
}

void AnalysisMenu::chooseDensity(DensityOf of, DensityMethod method) {
  changeChoices([&](analysis::AnalysisChoices& c) {
    c.densityOf = of;
    c.densityMethod = method;
  });
  window_.chooseDiagram(PlotMode::Density);
}

// Like the density submenu: its own item is in the diagram group, its items
// choose the field; the magnitudes open first while there are none.
void AnalysisMenu::addTendencyMenu(QMenu* plot, QActionGroup* diagrams) {
  Tendency1 = plot->addMenu(QStringLiteral("Slip and Dilation Te&ndency"));
  Tendency1->setObjectName(QStringLiteral("Tendency1"));
  ActionTendency = Tendency1->menuAction();
  ActionTendency->setObjectName(QStringLiteral("ActionTendency"));
  ActionTendency->setCheckable(true);
  diagrams->addAction(ActionTendency);
  auto* fields = new QActionGroup(this);
  ActionSlipTendency = newAction("ActionSlipTendency", QStringLiteral("&Slip Tendency (Ts\u2032)"),
                                 Tendency1, fields);
  ActionDilationTendency = newAction("ActionDilationTendency",
                                     QStringLiteral("&Dilation Tendency (Td)"), Tendency1, fields);
  ActionSlipTendency->setChecked(true);
  Tendency1->addSeparator();
  ActionMagnitudes =
      newAction("ActionMagnitudes", QStringLiteral("Stress &Magnitudes..."), Tendency1);
  connect(ActionSlipTendency, &QAction::triggered, this,
          [this] { chooseTendency(analysis::TendencyOf::Slip); });
  connect(ActionDilationTendency, &QAction::triggered, this,
          [this] { chooseTendency(analysis::TendencyOf::Dilation); });
  connect(ActionMagnitudes, &QAction::triggered, this, &AnalysisMenu::ShowMagnitudes);
}

void AnalysisMenu::chooseTendency(analysis::TendencyOf of) {
  changeChoices([of](analysis::AnalysisChoices& c) { c.tendency.of = of; });
  window_.chooseDiagram(PlotMode::Tendency);
  if (!document_.study().choices().tendency.magnitudes) ShowMagnitudes();
}

void AnalysisMenu::ShowMagnitudes() {
  if (!magnitudes_) {
    magnitudes_ = new TendencyDialog(window_.widget);
    connect(magnitudes_, &QDialog::accepted, this, [this] {
      changeChoices([this](analysis::AnalysisChoices& c) {
        c.tendency.magnitudes = magnitudes_->magnitudes();
      });
    });
  }
  magnitudes_->setMagnitudes(document_.study().choices().tendency.magnitudes);
  magnitudes_->open();
}

void AnalysisMenu::addAnalysisMenu(QMenuBar* menuBar) {
  Analysis1 = menuBar->addMenu(QStringLiteral("&Analysis"));
  Analysis1->setObjectName(QStringLiteral("Analysis1"));
  ActionKinematics = newAction("ActionKinematics", QStringLiteral("&Kinematics..."), Analysis1);
  ActionStressInversion =
      newAction("ActionStressInversion", QStringLiteral("&Stress Inversion..."), Analysis1);
  connect(ActionKinematics, &QAction::triggered, this, &AnalysisMenu::ShowKinematics);
  connect(ActionStressInversion, &QAction::triggered, this, &AnalysisMenu::ShowStressInversion);
  ActionSeparation =
      newAction("ActionSeparation", QStringLiteral("Separate &Phases..."), Analysis1);
  connect(ActionSeparation, &QAction::triggered, this, &AnalysisMenu::ShowSeparation);
  Analysis1->addAction(ActionMagnitudes);
  Analysis1->addSeparator();
  geometryTools_ =
      new GeometryTools({window_.widget, window_.services, window_.open}, document_, Analysis1);
}

QAction* AnalysisMenu::DiagramAction(PlotMode mode) const {
  switch (mode) {
    case PlotMode::Poles:
      return ActionPoles;
    case PlotMode::KinematicAxes:
      return ActionKinematicAxes;
    case PlotMode::StressAxes:
      return ActionStressAxes;
    case PlotMode::Density:
      return ActionDensity;
    case PlotMode::RightDihedra:
      return ActionRightDihedra;
    case PlotMode::Rose:
      return ActionRose;
    case PlotMode::Mohr:
      return ActionMohr;
    case PlotMode::Tendency:
      return ActionTendency;
    default:
      return nullptr;
  }
}

// Shows `window`, in front and active.
template <typename ResultsWindow>
void Present(ResultsWindow* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

void AnalysisMenu::ShowKinematics() {
  if (!kinematics_) {
    kinematics_ = new KinematicsWindow(document_, *window_.services, window_.widget);
    connect(kinematics_, &KinematicsWindow::datumSelected, this, window_.selectDatum);
  }
  Present(kinematics_);
}

void AnalysisMenu::ShowStressInversion() {
  if (!stress_) {
    stress_ = new StressWindow(document_, *window_.services, window_.widget);
    connect(stress_, &StressWindow::datumSelected, this, window_.selectDatum);
  }
  Present(stress_);
}

void AnalysisMenu::setAcceptPhases(AcceptPhases accept) {
  acceptPhases_ = std::move(accept);
  if (separation_) separation_->setAccept(acceptPhases_);
}

void AnalysisMenu::ShowSeparation() {
  if (!separation_) {
    separation_ = new SeparationWindow(document_, *window_.services, acceptPhases_, window_.widget);
  }
  Present(separation_);
}

}  // namespace orniva::ui
