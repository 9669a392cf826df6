#include "ui/bootstrap_panel.h"

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
#include <QTimer>

#include "analysis/report_format.h"
#include "platform/threads.h"
#include "ui/result_table.h"

namespace orniva::ui {

namespace {

// Work counted in units of about 10 ns (a fault's share in one
// resample); below this much it is done at once.
constexpr double kQuickUnits = 1e7;
constexpr int kPollMs = 50;
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

QString Angle(double degrees) { return QString::fromStdString(analysis::FormatAngle(degrees)); }
QString Value(double value) { return QString::fromStdString(analysis::FormatValue(value)); }

}  // namespace

BackgroundWork::BackgroundWork(QObject* owner, Progress progress)
    : progress_(std::move(progress)), timer_(new QTimer(owner)) {
  timer_->setInterval(kPollMs);
  QObject::connect(timer_, &QTimer::timeout, owner, [this] { poll(); });
}

BackgroundWork::~BackgroundWork() { cancel(); }

void BackgroundWork::start(Work work, std::function<void()> done, bool here) {
  cancel();
  cancel_ = false;
  finished_ = false;
  doneCount_ = 0;
  total_ = 0;
  analysis::WorkControl control;
  control.cancel = &cancel_;
  control.report = [this](int count, int total) {
    doneCount_ = count;
    total_ = total;
  };
  if (here) {
    work(control);
    done();
    return;
  }
  done_ = std::move(done);
  thread_ = StartOrRun([this, work = std::move(work), control] {
    work(control);
    finished_ = true;
  });
  timer_->start();
  poll();
}

void BackgroundWork::cancel() {
  cancel_ = true;
  if (thread_.joinable()) thread_.join();
  timer_->stop();
  done_ = nullptr;
}

void BackgroundWork::poll() {
  if (progress_) progress_(doneCount_.load(), total_.load());
  if (!finished_ || !thread_.joinable()) return;
  thread_.join();
  timer_->stop();
  const std::function<void()> done = std::move(done_);
  done_ = nullptr;
  if (done && !cancel_) done();
}

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

BootstrapPanel::BootstrapPanel(analysis::Study& study, QWidget* parent)
    : QGroupBox(QStringLiteral("Confidence"), parent),
      study_(study),
      work_(this, [this](int done, int total) {
        progress_->setMaximum(total > 0 ? total : 0);
        progress_->setValue(done);
      }) {
  auto* grid = new QGridLayout(this);
  grid->addLayout(newControls(), 0, 0);
  progress_ = new QProgressBar(this);
  grid->addWidget(progress_, 1, 0);
  result_ = NewSummaryLabel(this);
  grid->addWidget(result_, 2, 0);
  showBusy(false);
  listener_ = study_.AddListener([this] { follow(); });
  follow();
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

BootstrapPanel::~BootstrapPanel() {
  work_.cancel();
  study_.RemoveListener(listener_);
}

void BootstrapPanel::showInfluenceWith(std::function<void(const analysis::LeaveOneOut&)> show) {
  showInfluence_ = std::move(show);
}

// Quick enough, the influence follows every change of the data in use:
// at once for a few thousand faults, else on the second thread, so that
// the window shows the new inversion first and the columns a moment later.
void BootstrapPanel::tableFilled() {
  if (!showInfluence_) return;
  const analysis::StressResult& stress = study_.Stress();
  const analysis::StressMethod method = study_.choices().method;
  const bool iterate = study_.choices().iterate;
  const auto faults = std::size_t(std::max(stress.used, 0));
  if (!stress.error.empty() || !QuickLeaveOneOut(faults, method, iterate)) return;
  if (faults <= kInfluenceAtOnce) {
    fillColumns(analysis::LeaveEachOut(analysis::SetupOf(study_)));
    return;
  }
  const FaultSet data = study_.data();
  std::optional<std::vector<bool>> use;
  if (study_.InUse()) use = *study_.InUse();
  auto influence = std::make_shared<analysis::LeaveOneOut>();
  work_.start(
      [data, use, method, iterate, influence](const analysis::WorkControl& control) {
        *influence = analysis::LeaveEachOut(
            analysis::SetupOf(data, use ? &*use : nullptr, method, iterate), control);
      },
      [this, influence] { fillColumns(*influence); }, false);
}

void BootstrapPanel::run() {
  analysis::BootstrapSettings settings{samples_->value(), confidence_->value(), 1, region()};
  const std::string seed = seed_->text().toStdString();
  const std::string refusal = analysis::ReadBootstrapSettings(nullptr, nullptr, &seed, settings);
  if (!refusal.empty()) {
    result_->setText(QString::fromStdString(refusal));
    return;
  }
  const analysis::InversionSetup setup = analysis::SetupOf(study_);
  const analysis::Study::ResultKey key = study_.StressKey();
  auto bootstrap = std::make_shared<analysis::StressBootstrap>();
  showBusy(true);
  work_.start(
      [setup, settings, bootstrap](const analysis::WorkControl& control) {
        *bootstrap = analysis::BootstrapStress(setup, settings, control);
      },
      [this, bootstrap, key] {
        showBusy(false);
        if (bootstrap->error.empty())
          study_.SetBootstrap(bootstrap, key);  // shown through follow()
        else
          result_->setText(BootstrapText(*bootstrap));
      },
      QuickBootstrap(setup, settings.samples));
}

void BootstrapPanel::cancel() {
  work_.cancel();
  showBusy(false);
}

void BootstrapPanel::leaveOneOut() {
  const analysis::InversionSetup setup = analysis::SetupOf(study_);
  auto influence = std::make_shared<analysis::LeaveOneOut>();
  showBusy(true);
  work_.start(
      [setup, influence](const analysis::WorkControl& control) {
        *influence = analysis::LeaveEachOut(setup, control);
      },
      [this, influence] {
        showBusy(false);
        fillColumns(*influence);
      },
      QuickLeaveOneOut(setup.faults.size(), setup.method, setup.iterate));
}

void BootstrapPanel::follow() {
  if (shown_ != study_.StressKey()) {
    shown_ = study_.StressKey();
    cancel();
  }
  showBootstrap();
}

void BootstrapPanel::showBootstrap() {
  const analysis::StressBootstrap* bootstrap = study_.Bootstrap();
  result_->setText(bootstrap ? BootstrapText(*bootstrap) : QString());
}

analysis::BootstrapRegion BootstrapPanel::region() const {
  return region_->currentIndex() == 1 ? analysis::BootstrapRegion::Contours
                                      : analysis::BootstrapRegion::Symbols;
}

void BootstrapPanel::redrawRegion() {
  const analysis::StressBootstrap* shown = study_.Bootstrap();
  if (!shown || shown->settings.region == region()) return;
  auto redrawn = std::make_shared<analysis::StressBootstrap>(*shown);
  redrawn->settings.region = region();
  study_.SetBootstrap(redrawn, study_.StressKey());
}

void BootstrapPanel::showBusy(bool busy) {
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
