// The Stress Inversion window's confidence section. Bootstrap: the number
// of resamples, the confidence and the seed, Run and Cancel with the
// progress, and the intervals of Phi, R' and SHmax with the region's
// radius; the result is handed to the study, which keeps it for the window
// and every figure (the stress-axes diagram draws its region, as symbols or
// as contours, the choice of Region, which also redraws a region shown). Leave one
// out: two columns of the fault table, Theta without the datum and its beta
// under the result without it, filled at once where that is quick and on
// demand otherwise. Work that may take more than about 0.1 s runs on a
// second thread (ui/shared/long_work.h); the window stays responsive, and Cancel
// or a change of the inversion stops it and changes nothing.
#pragma once

#include <functional>

#include <QGroupBox>

#include "analysis/leave_one_out.h"
#include "analysis/stress_bootstrap.h"
#include "document/document.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace orniva::ui {

class LongWork;

class BootstrapPanel : public QGroupBox {
  Q_OBJECT

 public:
  BootstrapPanel(document::Document& document, QWidget* parent);
  ~BootstrapPanel() override;

  // Where the two columns are shown: `show` receives each leave-one-out
  // computed.
  void showInfluenceWith(std::function<void(const analysis::LeaveOneOut&)> show);
  // The window filled the table anew: fills the columns when that is quick.
  void tableFilled();

  // Run: the bootstrap of the document's inversion with the settings shown.
  void run();
  void cancel();
  // Leave One Out: fills the two columns.
  void leaveOneOut();
  bool busy() const { return busy_; }

  QSpinBox* samplesBox() const { return samples_; }
  QDoubleSpinBox* confidenceBox() const { return confidence_; }
  QLineEdit* seedBox() const { return seed_; }
  QComboBox* regionBox() const { return region_; }
  QLabel* resultLabel() const { return result_; }

 private:
  QLayout* newControls();
  void newSettingBoxes();
  void follow(const document::Notice& notice);
  void showBootstrap();
  void showBusy(bool busy);
  analysis::BootstrapRegion region() const;
  // The bootstrap shown, drawn as Region says.
  void redrawRegion();
  void fillColumns(const analysis::LeaveOneOut& influence);

  const analysis::Study& study() const { return document_.study(); }

  document::Document& document_;
  int listener_ = 0;
  std::function<void(const analysis::LeaveOneOut&)> showInfluence_;
  QSpinBox* samples_ = nullptr;
  QDoubleSpinBox* confidence_ = nullptr;
  QLineEdit* seed_ = nullptr;
  QComboBox* region_ = nullptr;
  QPushButton *run_ = nullptr, *cancel_ = nullptr, *leaveOneOut_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* result_ = nullptr;
  LongWork* work_ = nullptr;
  bool busy_ = false;  // a run or leave-one-out the user started is under way
};

// The text of a bootstrap: its intervals and radius, or its refusal.
QString BootstrapText(const analysis::StressBootstrap& bootstrap);

}  // namespace orniva::ui
