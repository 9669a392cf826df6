// The Separate Phases window: the search for phases in a mixed population
// of faults, run on the document's data in use off the window's thread
// (ui/shared/long_work.h) with progress and Cancel (a cancelled search leaves the
// window as it was).
// It lists each proposed phase (its stress, Phi, R', the faults and their
// mean beta) and each fault's phase, marking the faults within the cut of
// another phase too; draws the phases' sigma1 and sigma3 and their faults'
// poles, each phase in its colour; and shows the chosen phase's histogram
// of beta. Accept All, Accept Phase and Discard hand the proposals to the
// window's owner or drop them.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QString>
#include <QWidget>

#include "analysis/separation.h"
#include "document/document.h"
#include "picture/picture.h"
#include "plot/phase_axes_diagram.h"

class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace orniva::ui {

class LongWork;
class MisfitHistogram;
class ResultModel;
class WindowServices;

// A small equal-area net of the proposal, drawn as every net of the
// program (plot/phase_axes_diagram.h): per phase its faults' poles as dots,
// sigma1 a square and sigma3 a circle in the phase's colour, and their key.
class ProposalPicture : public QWidget {
  Q_OBJECT

 public:
  using Phase = PhaseAxesFigure::Phase;
  explicit ProposalPicture(QWidget* parent = nullptr);
  void setPhases(std::vector<Phase> phases);
  const std::vector<Phase>& phases() const { return figure_.phases; }
  // The net as recorded, what the widget paints.
  const Picture& picture() const { return picture_; }
  QSize sizeHint() const override { return QSize(220, 220); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PhaseAxesFigure figure_;
  Picture picture_;
};

class SeparationWindow : public QWidget {
  Q_OBJECT

 public:
  using Accept = std::function<void(const std::vector<analysis::ProposedPhase>&)>;

  // `accept` receives the phases accepted; without it they can only be
  // looked at.
  SeparationWindow(const document::Document& document, WindowServices& services, Accept accept,
                   QWidget* parent = nullptr);
  ~SeparationWindow() override;

  void setAccept(Accept accept);
  analysis::SeparationOptions options() const;
  void setOptions(const analysis::SeparationOptions& options);

  // Starts the search on the document's data in use; finished() when it
  // ends.
  void run();
  // Stops the search under way: the window stays as it was; finished().
  void cancel();
  bool running() const;
  const analysis::SeparationResult& result() const { return result_; }

  void acceptAll();
  // Accepts the phase chosen in the phase table.
  void acceptChosen();
  void discard();

  QTableWidget* phaseTable() const { return phases_; }
  // Each fault's phase; its model's rows are the result's faults.
  QTableView* faultTable() const { return faults_; }
  QLabel* summary() const { return summary_; }
  ProposalPicture* picture() const { return picture_; }
  MisfitHistogram* histogram() const { return histogram_; }

 signals:
  // A search ended: done, refused or cancelled.
  void finished();

 private:
  QWidget* newParameters();
  QWidget* newButtons();
  void finish(analysis::SeparationResult result, std::vector<ProposalPicture::Phase> picture);
  void showRunning(bool on);
  void fill();
  void fillPhases();
  void fillFaults();
  void addFaultColumns();
  void showChosenHistogram();

  const document::Document& document_;
  WindowServices& services_;
  int listener_ = 0;
  Accept accept_;
  analysis::SeparationResult result_;
  LongWork* work_ = nullptr;
  QSpinBox *maxPhases_ = nullptr, *candidates_ = nullptr, *seed_ = nullptr;
  QDoubleSpinBox *cut_ = nullptr, *width_ = nullptr;
  QPushButton *run_ = nullptr, *cancelButton_ = nullptr, *acceptAll_ = nullptr,
              *acceptChosen_ = nullptr, *discard_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* summary_ = nullptr;
  std::vector<double> betas_;  // by row of the fault table; -1 for a fault in no phase
  QTableWidget* phases_ = nullptr;
  ResultModel* faultModel_ = nullptr;
  QTableView* faults_ = nullptr;
  ProposalPicture* picture_ = nullptr;
  MisfitHistogram* histogram_ = nullptr;
};

}  // namespace orniva::ui
