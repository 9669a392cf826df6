#include "ui/results/bootstrap_panel.h"

#include <algorithm>
#include <map>
#include <optional>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include "analysis/report_format.h"
#include "ui/shared/long_work.h"
#include "ui/shared/result_table.h"

namespace orniva::ui {

namespace {

// Work counted in units of about 10 ns (a fault's share in one
// resample); below this much it is done at once.
constexpr double kQuickUnits = 1e7;
// Up to this many faults the influence is worked out at once.
constexpr std::size_t kInfluenceAtOnce = 2000;

// Units per fault and solution, by how the setup inverts.
double UnitsPerFault(analysis::StressMethod method, bool iterate) {
  if (method != analysis::StressMethod::Michael) return 4;
  return iterate ? 8 : 1;
}

bool QuickBootstrap(const analysis::InversionSetup& setup, int samples) {
  return double(samples) * double(setup.faults.size()) *
             UnitsPerFault(setup.method, setup.iterate) <
         kQuickUnits;
}

// Leaving out each of `faults` by `method`.
bool QuickLeaveOneOut(std::size_t faults, analysis::StressMethod method, bool iterate) {
  const double n = double(faults);
  const bool downdate = method == analysis::StressMethod::Michael && !iterate;
  return (downdate ? 50 * n : n * n * UnitsPerFault(method, iterate)) < kQuickUnits;
}

// The analyses' control of a job of the runner.
analysis::WorkControl Work(const LongWork::Control& control) {
  return {control.cancel, control.report};
}

QString Angle(double degrees) { return QString::fromStdString(analysis::FormatAngle(degrees)); }
QString Value(double value) { return QString::fromStdString(analysis::FormatValue(value)); }

}  // namespace

QString BootstrapText(const analysis::StressBootstrap& b) {
  if (!b.error.empty())
    return QStringLiteral("Bootstrap: %1.").arg(QString::fromStdString(b.error));
  QString text = QStringLiteral("Bootstrap: %1 of %2 solved resamples kept (%3 rank deficient).\n")
                     .arg(b.kept.size())
                     .arg(b.settings.samples - b.rankDeficient)
                     .arg(b.rankDeficient);
  text += QStringLiteral("\u03A6 %1 to %2   R\u2032 %3 to %4   ")
              .arg(Value(b.phi.low), Value(b.phi.high), Value(b.rPrime.low), Value(b.rPrime.high));
  if (b.shMax)
    text += QStringLiteral("SHmax %1° to %2°   ").arg(Angle(b.shMax->low), Angle(b.shMax->high));
  return text + QStringLiteral("radius \u0398 %1°").arg(Angle(b.thetaRadius));
}

BootstrapPanel::BootstrapPanel(document::Document& document, QWidget* parent)
    : QGroupBox(QStringLiteral("Confidence"), parent), document_(document) {
  auto* grid = new QGridLayout(this);
  grid->addLayout(newControls(), 0, 0);
  progress_ = new QProgressBar(this);
  grid->addWidget(progress_, 1, 0);
  result_ = NewSummaryLabel(this);
  grid->addWidget(result_, 2, 0);
  work_ = new LongWork(this, [this](int done, int total) {
    progress_->setMaximum(total > 0 ? total : 0);
    progress_->setValue(done);
  });
  showBusy(false);
  listener_ = document_.AddListener([this](const document::Notice& notice) { follow(notice); });
  showBootstrap();
}

// The boxes of the bootstrap's settings: resamples, confidence, seed and
// how the region is drawn.
void BootstrapPanel::newSettingBoxes() {
  samples_ = new QSpinBox(this);
  samples_->setRange(1, analysis::kMaxResamples);
  samples_->setValue(2000);
  confidence_ = new QDoubleSpinBox(this);
  confidence_->setRange(0.01, 1);
  confidence_->setSingleStep(0.01);
  confidence_->setValue(0.95);
  seed_ = new QLineEdit(QStringLiteral("1"), this);
  seed_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), seed_));
  seed_->setToolTip(
      QStringLiteral("The same seed draws the same resamples here and in orniva-analyse"));
  region_ = new QComboBox(this);
  region_->addItems({QStringLiteral("Symbols"), QStringLiteral("Contours")});
  region_->setToolTip(QStringLiteral(
      "The stress-axes diagram draws the region as each kept resample's axes, or as "
      "density contours in each axis's colour: thick round 90% of the kept axes, thin round half"));
  connect(region_, &QComboBox::currentIndexChanged, this, [this] { redrawRegion(); });
}

// Resamples, Confidence, Seed and Region; Bootstrap, Cancel and Leave One
// Out.
QLayout* BootstrapPanel::newControls() {
  newSettingBoxes();
  auto* row = new QHBoxLayout;
  const std::pair<QString, QWidget*> boxes[] = {{QStringLiteral("Resa&mples:"), samples_},
                                                {QStringLiteral("C&onfidence:"), confidence_},
                                                {QStringLiteral("S&eed:"), seed_},
                                                {QStringLiteral("Re&gion:"), region_}};
  for (const auto& [label, box] : boxes) {
    auto* name = new QLabel(label, this);
    name->setBuddy(box);
    row->addWidget(name);
    row->addWidget(box);
  }
  run_ = new QPushButton(QStringLiteral("&Bootstrap"), this);
  run_->setToolTip(QStringLiteral("Invert resamples of the faults in use and keep the nearest"));
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  leaveOneOut_ = new QPushButton(QStringLiteral("&Leave One Out"), this);
  leaveOneOut_->setToolTip(QStringLiteral("Invert without each fault in turn"));
  for (QWidget* button : {run_, cancel_}) row->addWidget(button);
  row->addStretch(1);
  row->addWidget(leaveOneOut_);
  connect(run_, &QPushButton::clicked, this, [this] { run(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
  connect(leaveOneOut_, &QPushButton::clicked, this, [this] { leaveOneOut(); });
  return row;
}

BootstrapPanel::~BootstrapPanel() { document_.RemoveListener(listener_); }

void BootstrapPanel::showInfluenceWith(std::function<void(const analysis::LeaveOneOut&)> show) {
  showInfluence_ = std::move(show);
}

// Quick enough, the influence follows every change of the data in use:
// at once for a few thousand faults, else on the second thread, so that
// the window shows the new inversion first and the columns a moment later.
void BootstrapPanel::tableFilled() {
  if (!showInfluence_) return;
  const analysis::StressResult& stress = study().Stress();
  const analysis::StressMethod method = study().choices().method;
  const bool iterate = study().choices().iterate;
  const auto faults = std::size_t(std::max(stress.used, 0));
  if (!stress.error.empty() || !QuickLeaveOneOut(faults, method, iterate)) return;
  if (faults <= kInfluenceAtOnce) {
    fillColumns(analysis::LeaveEachOut(analysis::SetupOf(study())));
    return;
  }
  const FaultSet data = study().data();
  std::optional<std::vector<bool>> use;
  if (study().InUse()) use = *study().InUse();
  work_->Start(
      [data, use, method, iterate](const LongWork::Control& control) {
        return analysis::LeaveEachOut(
            analysis::SetupOf(data, use ? &*use : nullptr, method, iterate), Work(control));
      },
      [this](const analysis::LeaveOneOut& influence) { fillColumns(influence); });
}

void BootstrapPanel::run() {
  analysis::BootstrapSettings settings{samples_->value(), confidence_->value(), 1, region()};
  const std::string seed = seed_->text().toStdString();
  const std::string refusal = analysis::ReadBootstrapSettings(nullptr, nullptr, &seed, settings);
  if (!refusal.empty()) {
    result_->setText(QString::fromStdString(refusal));
    return;
  }
  const analysis::InversionSetup setup = analysis::SetupOf(study());
  const analysis::Study::ResultKey key = study().StressKey();
  showBusy(true);
  work_->Start(
      [setup, settings](const LongWork::Control& control) {
        return std::make_shared<analysis::StressBootstrap>(
            analysis::BootstrapStress(setup, settings, Work(control)));
      },
      [this, key](std::shared_ptr<analysis::StressBootstrap> bootstrap) {
        showBusy(false);
        if (bootstrap->error.empty())
          document_.SetBootstrap(bootstrap, key);  // shown through follow()
        else
          result_->setText(BootstrapText(*bootstrap));
      },
      QuickBootstrap(setup, settings.samples));
}

void BootstrapPanel::cancel() {
  work_->Cancel();
  showBusy(false);
}

void BootstrapPanel::leaveOneOut() {
  const analysis::InversionSetup setup = analysis::SetupOf(study());
  showBusy(true);
  work_->Start(
      [setup](const LongWork::Control& control) {
        return analysis::LeaveEachOut(setup, Work(control));
      },
      [this](const analysis::LeaveOneOut& influence) {
        showBusy(false);
        fillColumns(influence);
      },
      QuickLeaveOneOut(setup.faults.size(), setup.method, setup.iterate));
}

// Work for an inversion that is no longer the one in view is stopped.
void BootstrapPanel::follow(const document::Notice& notice) {
  if (notice.has(document::kInversionChanged)) cancel();
  if (notice.has(document::kInversionChanged | document::kResultChanged)) showBootstrap();
}

void BootstrapPanel::showBootstrap() {
  const analysis::StressBootstrap* bootstrap = study().Bootstrap();
  result_->setText(bootstrap ? BootstrapText(*bootstrap) : QString());
}

analysis::BootstrapRegion BootstrapPanel::region() const {
  return region_->currentIndex() == 1 ? analysis::BootstrapRegion::Contours
                                      : analysis::BootstrapRegion::Symbols;
}

void BootstrapPanel::redrawRegion() {
  const analysis::StressBootstrap* shown = study().Bootstrap();
  if (!shown || shown->settings.region == region()) return;
  auto redrawn = std::make_shared<analysis::StressBootstrap>(*shown);
  redrawn->settings.region = region();
  document_.SetBootstrap(redrawn, study().StressKey());
}

void BootstrapPanel::showBusy(bool busy) {
  busy_ = busy;
  run_->setEnabled(!busy);
  leaveOneOut_->setEnabled(!busy);
  cancel_->setEnabled(busy);
  progress_->setVisible(busy);
  progress_->setValue(0);
}

void BootstrapPanel::fillColumns(const analysis::LeaveOneOut& influence) {
  if (showInfluence_ && influence.error.empty()) showInfluence_(influence);
}

}  // namespace orniva::ui
