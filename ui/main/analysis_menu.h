// The commands of the analyses, owned by the main window: the net, its
// hemisphere and grid, the analyses' diagrams and the rose diagram with
// their options in the Plot menu (after its first items), and the Analysis
// menu with the results windows. Every choice goes to the window's
// document; the window and the results windows follow it.
#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "analysis/separation.h"
#include "document/document.h"
#include "math/net_kind.h"
#include "plot/diagram.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace orniva::ui {

class GeometryTools;
class KinematicsWindow;
class SeparationWindow;
class StressWindow;
class TendencyDialog;
class WindowServices;

class AnalysisMenu : public QObject {
  Q_OBJECT

 public:
  // What the menu asks of the window it belongs to.
  struct Window {
    QWidget* widget = nullptr;                    // parent of the results windows
    std::function<void(PlotMode)> chooseDiagram;  // draws the diagram, checks its item
    std::function<void(NetKind)> chooseNet;       // draws on the net
    std::function<void(int line)> selectDatum;    // a results window's row was chosen
    // Draws on the chosen hemisphere, with or without the net grid.
    std::function<void(Hemisphere, bool grid)> chooseView;
    WindowServices* services = nullptr;
    std::function<void(const QString&)> open;  // opens a data file as a file dropped
  };
  using AcceptPhases = std::function<void(const std::vector<analysis::ProposedPhase>&)>;

  // Adds the items to `plot` (whose diagram items are in `diagrams`) and an
  // Analysis menu to `menuBar`.
  AnalysisMenu(Window window, document::Document& document, QMenuBar* menuBar, QMenu* plot,
               QActionGroup* diagrams);
  // Closes the results windows, which listen to the document.
  ~AnalysisMenu() override;

  // The Plot menu's item of `mode`, or null for the diagrams of the window.
  QAction* DiagramAction(PlotMode mode) const;

  KinematicsWindow* kinematicsWindow() const { return kinematics_; }
  StressWindow* stressWindow() const { return stress_; }
  void ShowKinematics();
  void ShowStressInversion();
  SeparationWindow* separationWindow() const { return separation_; }
  void ShowSeparation();
  // Receives the phases the Separate Phases window's user accepts; until
  // it is set the proposals can only be looked at.
  void setAcceptPhases(AcceptPhases accept);
  // Opens the stress magnitudes of the tendency (window-modal, returning at
  // once); OK hands them to the document.
  void ShowMagnitudes();
  TendencyDialog* magnitudesDialog() const { return magnitudes_; }
  // Rotate Data, Back-tilt Data and Tilt Test, after the Analysis menu's items.
  GeometryTools* geometryTools() const { return geometryTools_; }

  QAction* ActionEqualAngle = nullptr;
  QAction* ActionEqualArea = nullptr;
  QAction* ActionUpperHemisphere = nullptr;  // checked: the upper hemisphere
  QAction* ActionNetGrid = nullptr;
  QAction* ActionPoles = nullptr;
  QAction* ActionKinematicAxes = nullptr;
  QAction* ActionStressAxes = nullptr;
  QAction* ActionEveryMethod = nullptr;  // every method's sigma1 and sigma3 on the stress axes
  QAction* ActionDensity = nullptr;      // the density submenu's own item, in the diagram group
  QAction* ActionDensityPoles = nullptr;
  QAction* ActionDensityP = nullptr;
  QAction* ActionDensityT = nullptr;
  QAction* ActionDensityStriations = nullptr;
  QAction* ActionKamb = nullptr;
  QAction* ActionOnePercent = nullptr;
  QAction* ActionRightDihedra = nullptr;
  QAction* ActionDihedraPlanes = nullptr;
  QAction* ActionRose = nullptr;  // the rose submenu's own item, in the diagram group
  QAction* ActionRoseStrikes = nullptr;
  QAction* ActionRoseDipDirections = nullptr;
  QAction* ActionRoseTrends = nullptr;
  QActionGroup* RoseBins = nullptr;  // 5, 10, 15 and 30 degrees, each item's data its width
  QAction* ActionMohr = nullptr;     // the Mohr diagram of the stress in view
  QAction* ActionKinematics = nullptr;
  QAction* ActionStressInversion = nullptr;
  QAction* ActionSeparation = nullptr;
  QMenu* Rose1 = nullptr;
  QMenu* RoseBin1 = nullptr;
  QAction* ActionTendency = nullptr;  // the tendency submenu's own item, in the diagram group
  QAction* ActionSlipTendency = nullptr;
  QAction* ActionDilationTendency = nullptr;
  QAction* ActionMagnitudes = nullptr;  // in the tendency submenu and the Analysis menu
  QMenu* Density1 = nullptr;
  QMenu* Tendency1 = nullptr;
  QMenu* Analysis1 = nullptr;

 private:
  QAction* newAction(const char* name, const QString& text, QMenu* menu,
                     QActionGroup* group = nullptr);
  void addNets(QMenu* plot);
  void addDiagrams(QMenu* plot, QActionGroup* diagrams);
  void addEveryMethod(QMenu* plot);
  void addDensityMenu(QMenu* plot, QActionGroup* diagrams);
  void addViewItems(QMenu* plot);
  void addRoseMenu(QMenu* plot, QActionGroup* diagrams);
  void chooseRose(analysis::RoseOf of, double binWidth);
  void addAnalysisMenu(QMenuBar* menuBar);
  void chooseDensity(analysis::DensityOf of, analysis::DensityMethod method);
  void addTendencyMenu(QMenu* plot, QActionGroup* diagrams);
  void chooseTendency(analysis::TendencyOf of);
  // The document's choices with `change` made to them.
  template <typename Change>
  void changeChoices(Change&& change);

  Window window_;
  document::Document& document_;
  KinematicsWindow* kinematics_ = nullptr;
  StressWindow* stress_ = nullptr;
  SeparationWindow* separation_ = nullptr;
  AcceptPhases acceptPhases_;
  TendencyDialog* magnitudes_ = nullptr;
  GeometryTools* geometryTools_ = nullptr;
};

}  // namespace orniva::ui
