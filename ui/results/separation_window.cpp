#include "ui/results/separation_window.h"

#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/fault_vectors.h"
#include "analysis/report_format.h"
#include "analysis/stress_summary.h"
#include "ui/shared/fitted_picture.h"
#include "ui/shared/long_work.h"
#include "ui/shared/result_table.h"
#include "ui/results/stress_window.h"
#include "ui/results/manual_help.h"

namespace orniva::ui {

namespace {

const QColor kAlsoBackground(255, 240, 190);

QColor ColourOf(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The picture of each phase of `result`, from the data it was found in.
std::vector<ProposalPicture::Phase> PictureOf(const FaultSet& data,
                                              const analysis::SeparationResult& result) {
  std::map<int, math::TrendPlunge> poles;
  for (const analysis::FaultVectors& f : analysis::CollectUsedFaults(data).faults)
    poles[f.line] = math::LowerHemisphereLine(-f.n);
  std::vector<ProposalPicture::Phase> phases;
  for (const analysis::ProposedPhase& p : analysis::ProposedPhases(result)) {
    const auto orientation = [](math::TrendPlunge line) {
      return directional_operations::Orientation{float(line.trend), float(line.plunge)};
    };
    ProposalPicture::Phase phase{
        p.colour, orientation(p.result.axes[0]), orientation(p.result.axes[2]), {}};
    for (int line : p.lines) phase.poles.push_back(orientation(poles[line]));
    phases.push_back(std::move(phase));
  }
  return phases;
}

QSpinBox* NewSpinBox(int low, int high, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

QDoubleSpinBox* NewAngleBox(double value, QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setRange(0.5, 180);
  box->setDecimals(1);
  box->setSuffix(QStringLiteral("°"));
  box->setValue(value);
  return box;
}

}  // namespace

ProposalPicture::ProposalPicture(QWidget* parent) : QWidget(parent) {
  setMinimumSize(160, 160);
  setPhases({});
}

void ProposalPicture::setPhases(std::vector<Phase> phases) {
  figure_.phases = std::move(phases);
  PlotTarget target;
  target.picture = &picture_;
  target.geometry.kind = NetKind::EqualArea;
  InitNetGeometry(target.geometry);
  PlotPhaseAxes(figure_, target);
  update();
}

void ProposalPicture::paintEvent(QPaintEvent*) { PaintFitted(this, picture_); }

SeparationWindow::SeparationWindow(const document::Document& document, WindowServices& services,
                                   Accept accept, QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(document),
      services_(services),
      accept_(std::move(accept)) {
  setObjectName(QStringLiteral("SeparationWindow"));
  resize(720, 720);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(newParameters());
  summary_ = NewSummaryLabel(this);
  layout->addWidget(summary_);
  phases_ = NewResultTable({"Phase", "n", "\u03C31 trend", "\u03C31 plunge", "\u03C33 trend",
                            "\u03C33 plunge", "\u03A6", "R\u2032", "Mean \u03B2"},
                           this);
  phases_->setMaximumHeight(150);
  KeepToColumns(phases_);
  layout->addWidget(phases_);
  auto* pictures = new QHBoxLayout;
  picture_ = new ProposalPicture(this);
  histogram_ = new MisfitHistogram(this);
  pictures->addWidget(picture_);
  pictures->addWidget(histogram_, 1);
  layout->addLayout(pictures);
  faultModel_ = new ResultModel(this);
  addFaultColumns();
  faults_ = NewResultView(faultModel_, 0, this);
  layout->addWidget(faults_, 1);
  layout->addWidget(newButtons());
  connect(phases_, &QTableWidget::currentCellChanged, this, [this] { showChosenHistogram(); });
  work_ = new LongWork(this, [this](int done, int) { progress_->setValue(done); });
  showRunning(false);
  listener_ = document_.AddListener([this](const document::Notice& notice) {
    if (notice.has(document::kFileNameChanged)) ShowTitle(this, "Separate Phases", document_);
  });
  ShowTitle(this, "Separate Phases", document_);
}

SeparationWindow::~SeparationWindow() {
  document_.RemoveListener(listener_);
  delete work_;           // stops a search under way and waits for it
  faultModel_->reset(0);  // the table may read its cells while the window closes
}

// The search's parameters with their defaults, Run, Cancel and the progress.
QWidget* SeparationWindow::newParameters() {
  auto* box = new QWidget(this);
  auto* form = new QFormLayout;
  const analysis::SeparationOptions defaults;
  maxPhases_ = NewSpinBox(1, 9, defaults.maxPhases, box);
  cut_ = NewAngleBox(defaults.cut, box);
  width_ = NewAngleBox(defaults.width, box);
  candidates_ = NewSpinBox(1, int(analysis::kMaxCandidates), int(defaults.candidates), box);
  seed_ = NewSpinBox(0, 2147483647, int(defaults.seed), box);
  form->addRow(QStringLiteral("Most &phases:"), maxPhases_);
  form->addRow(QStringLiteral("&Cut (largest \u03B2 of a phase):"), cut_);
  form->addRow(QStringLiteral("&Width w of the score:"), width_);
  form->addRow(QStringLiteral("Ca&ndidate stresses:"), candidates_);
  form->addRow(QStringLiteral("&Seed:"), seed_);
  auto* row = new QHBoxLayout(box);
  row->addLayout(form);
  auto* controls = new QVBoxLayout;
  run_ = new QPushButton(QStringLiteral("&Run"), box);
  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), box);
  progress_ = new QProgressBar(box);
  progress_->setRange(0, 1000);
  progress_->setTextVisible(false);
  for (QWidget* w : {static_cast<QWidget*>(run_), static_cast<QWidget*>(cancelButton_),
                     static_cast<QWidget*>(progress_)})
    controls->addWidget(w);
  controls->addStretch(1);
  row->addLayout(controls, 1);
  connect(run_, &QPushButton::clicked, this, [this] { run(); });
  connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
  return box;
}

QWidget* SeparationWindow::newButtons() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  acceptAll_ = new QPushButton(QStringLiteral("Accept &All"), box);
  acceptChosen_ = new QPushButton(QStringLiteral("Accept P&hase"), box);
  discard_ = new QPushButton(QStringLiteral("&Discard"), box);
  acceptChosen_->setToolTip(QStringLiteral("Accept the phase chosen in the table"));
  row->addWidget(NewHelpButton(this, services_, ManualPageOfCommand("separate")));
  row->addStretch(1);
  for (QPushButton* button : {acceptAll_, acceptChosen_, discard_}) row->addWidget(button);
  connect(acceptAll_, &QPushButton::clicked, this, [this] { acceptAll(); });
  connect(acceptChosen_, &QPushButton::clicked, this, [this] { acceptChosen(); });
  connect(discard_, &QPushButton::clicked, this, [this] { discard(); });
  return box;
}

void SeparationWindow::setAccept(Accept accept) {
  accept_ = std::move(accept);
  showRunning(running());
}

analysis::SeparationOptions SeparationWindow::options() const {
  analysis::SeparationOptions options;
  options.maxPhases = maxPhases_->value();
  options.cut = cut_->value();
  options.width = width_->value();
  options.candidates = candidates_->value();
  options.seed = std::uint64_t(seed_->value());
  return options;
}

void SeparationWindow::setOptions(const analysis::SeparationOptions& options) {
  maxPhases_->setValue(options.maxPhases);
  cut_->setValue(options.cut);
  width_->setValue(options.width);
  candidates_->setValue(int(options.candidates));
  seed_->setValue(int(options.seed));
}

// The search works on its own copy of the data and of the faults in use;
// progress and the result come back to this window's thread.
void SeparationWindow::run() {
  const analysis::Study& study = document_.study();
  auto data = std::make_shared<const FaultSet>(study.data());
  const std::vector<bool>* inUse = study.InUse();
  std::optional<std::vector<bool>> use;
  if (inUse) use = *inUse;
  const analysis::SeparationOptions chosen = options();
  showRunning(true);
  work_->Start(
      [data, use, chosen](const LongWork::Control& control) {
        const analysis::SeparationControl search{
            control.cancel, [&control](double share) { control.report(int(share * 1000), 1000); }};
        analysis::SeparationResult result =
            analysis::SeparatePhases(*data, chosen, use ? &*use : nullptr, search);
        std::vector<ProposalPicture::Phase> picture = PictureOf(*data, result);
        return std::make_pair(std::move(result), std::move(picture));
      },
      [this](std::pair<analysis::SeparationResult, std::vector<ProposalPicture::Phase>> found) {
        finish(std::move(found.first), std::move(found.second));
      });
}

void SeparationWindow::cancel() {
  if (!running()) return;
  work_->Cancel();
  showRunning(false);
  progress_->setValue(0);
  emit finished();
}

bool SeparationWindow::running() const { return work_->running(); }

void SeparationWindow::finish(analysis::SeparationResult result,
                              std::vector<ProposalPicture::Phase> picture) {
  showRunning(false);
  progress_->setValue(result.cancelled ? 0 : progress_->maximum());
  if (!result.cancelled) {
    result_ = std::move(result);
    picture_->setPhases(std::move(picture));
    fill();
  }
  emit finished();
}

void SeparationWindow::showRunning(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{run_, maxPhases_, cut_, width_, candidates_,
                                                    seed_, acceptAll_, acceptChosen_, discard_})
    w->setEnabled(!on);
  cancelButton_->setEnabled(on);
  if (on) progress_->setValue(0);
  if (!on) {
    const bool proposed = !result_.phases.empty();
    acceptAll_->setEnabled(proposed && accept_);
    acceptChosen_->setEnabled(proposed && accept_);
    discard_->setEnabled(proposed);
  }
}

void SeparationWindow::fill() {
  if (!result_.error.empty()) {
    QString text = Text(result_.error) + '.';
    text[0] = text[0].toUpper();
    summary_->setText(text);
  } else {
    int none = 0, both = 0;
    for (const analysis::SeparatedFault& f : result_.faults) {
      none += f.phase == 0;
      both += !f.also.empty();
    }
    summary_->setText(QStringLiteral("%1 phases proposed from %2 faults: %3 in no phase, %4 "
                                     "within the cut of more than one (marked).")
                          .arg(result_.phases.size())
                          .arg(result_.used)
                          .arg(none)
                          .arg(both) +
                      LeftOutText(result_.leftOut));
  }
  fillPhases();
  fillFaults();
  showRunning(false);
}

void SeparationWindow::fillPhases() {
  phases_->clearContents();
  phases_->setRowCount(int(result_.phases.size()));
  const std::vector<analysis::ProposedPhase> proposed = analysis::ProposedPhases(result_);
  for (int row = 0; row < phases_->rowCount(); ++row) {
    const analysis::StressResult& r = result_.phases[std::size_t(row)];
    auto* name = new QTableWidgetItem(Text(proposed[std::size_t(row)].name));
    name->setForeground(ColourOf(proposed[std::size_t(row)].colour));
    phases_->setItem(row, 0, name);
    phases_->setItem(row, 1, new NumberItem(r.used, std::to_string(r.used)));
    SetLineCells(phases_, row, 2, r.axes[0]);
    SetLineCells(phases_, row, 4, r.axes[2]);
    phases_->setItem(row, 6, new NumberItem(r.phi, analysis::FormatValue(r.phi)));
    const double rPrime = analysis::CharacterOf(r).rPrime;
    phases_->setItem(row, 7, new NumberItem(rPrime, analysis::FormatValue(rPrime)));
    phases_->setItem(row, 8, new NumberItem(r.meanBeta, analysis::FormatAngle(r.meanBeta)));
  }
  if (phases_->rowCount() > 0) phases_->setCurrentCell(0, 0);
  showChosenHistogram();
}

// Each fault's beta under its phase's stress.
void SeparationWindow::fillFaults() {
  std::map<int, std::size_t> indexOfLine;
  if (!result_.phases.empty())
    for (std::size_t i = 0; i < result_.phases[0].faults.size(); ++i)
      indexOfLine[result_.phases[0].faults[i].line] = i;
  betas_.clear();
  for (const analysis::SeparatedFault& f : result_.faults)
    betas_.push_back(
        f.phase ? result_.phases[std::size_t(f.phase - 1)].faults[indexOfLine[f.line]].beta : -1);
  faultModel_->reset(int(result_.faults.size()));
}

// Line, phase, the other phases whose cut it is within, and beta.
void SeparationWindow::addFaultColumns() {
  auto fault = [this](int row) -> const analysis::SeparatedFault& {
    return result_.faults[std::size_t(row)];
  };
  faultModel_->addColumn({QStringLiteral("Line"),
                          {},
                          [=](int row) { return QString::number(fault(row).line); },
                          [=](int row) { return double(fault(row).line); }});
  faultModel_->addColumn({QStringLiteral("Phase"),
                          {},
                          [=](int row) {
                            return fault(row).phase ? QString::number(fault(row).phase)
                                                    : QStringLiteral("none");
                          },
                          [=](int row) { return double(fault(row).phase); }});
  faultModel_->addColumn({QStringLiteral("Also within the cut"),
                          {},
                          [=](int row) {
                            QStringList also;
                            for (int p : fault(row).also) also << QString::number(p);
                            return also.join(QStringLiteral(", "));
                          },
                          {}});
  faultModel_->addColumn({QStringLiteral("\u03B2"),
                          {},
                          [=](int row) {
                            return fault(row).phase
                                       ? Text(analysis::FormatAngle(betas_[std::size_t(row)]))
                                       : QString();
                          },
                          [=](int row) { return betas_[std::size_t(row)]; }});
  faultModel_->setRowBackground([=](int row) {
    return fault(row).also.empty() ? QVariant() : QVariant(QBrush(kAlsoBackground));
  });
}

void SeparationWindow::showChosenHistogram() {
  const int row = phases_->currentRow();
  histogram_->setCounts(row >= 0 && std::size_t(row) < result_.phases.size()
                            ? result_.phases[std::size_t(row)].histogram
                            : std::array<int, 18>{});
}

void SeparationWindow::acceptAll() {
  if (accept_ && !result_.phases.empty()) accept_(analysis::ProposedPhases(result_));
}

void SeparationWindow::acceptChosen() {
  const int row = phases_->currentRow();
  const std::vector<analysis::ProposedPhase> proposed = analysis::ProposedPhases(result_);
  if (accept_ && row >= 0 && std::size_t(row) < proposed.size())
    accept_({proposed[std::size_t(row)]});
}

void SeparationWindow::discard() {
  result_ = {};
  picture_->setPhases({});
  summary_->clear();
  fillPhases();
  fillFaults();
  showRunning(false);
}

}  // namespace orniva::ui
