#include "ui/results/stress_window.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/by_phase.h"
#include "analysis/mohr.h"
#include "analysis/report_format.h"
#include "analysis/stress_summary.h"
#include "ui/results/bootstrap_panel.h"
#include "ui/results/manual_help.h"
#include "ui/results/given_stress_panel.h"
#include "ui/results/method_comparison.h"
#include "ui/shared/result_table.h"
#include "ui/results/tendency_columns.h"
#include "ui/shared/window_services.h"

namespace orniva::ui {

namespace {

constexpr int kUseColumn = 0, kLineColumn = 1;
// The tool tips of the stresses on the plane (analysis/mohr.h).
const char* const kMohrTips[] = {
    "\u03C3n: the normal stress on the plane, compression positive, in Angelier's "
    "normalisation (principal values of sum 0 and sum of squares 3/2)",
    "|\u03C4|: the size of the shear stress on the plane",
    "\u03C4s: the shear stress along the slip, negative where the stress drives the "
    "opposite sense",
    "RUP = 100 |\u03BB s \u2212 \u03C4| / \u03BB, \u03BB = \u221A3/2: how far the shear "
    "stress is from the slip s at full size, per cent",
    "ANG: the angle \u03B2 between the slip and the shear stress"};

const QColor kOppositeBackground(255, 220, 220);
// The number a cell without a value sorts by: the empty Mohr cells first.
constexpr double kNoMohr = -1e300, kNoValue = -1;

// What the summary's values mean.
const QString kSummaryTip = QStringLiteral(
    "\u03A6 = (\u03C32 \u2212 \u03C33) / (\u03C31 \u2212 \u03C33), the shape ratio (some "
    "programs call it R)\n"
    "1 \u2212 \u03A6 = (\u03C31 \u2212 \u03C32) / (\u03C31 \u2212 \u03C33): the ratio "
    "orniva-analyse writes as R\n"
    "R\u2032: the stress-regime index, \u03A6, 2 \u2212 \u03A6 or 2 + \u03A6 as \u03C31, "
    "\u03C32 or \u03C33 is the steepest (0 radial extension to 3 radial compression)\n"
    "SHmax, SHmin: the azimuths of the greatest and least horizontal compression\n"
    "WSM: the World Stress Map regime of the axes' plunges: NF normal, NS normal with "
    "strike-slip, SS strike-slip, TS thrust with strike-slip, TF thrust faulting, U unknown\n"
    "\u03B2: the angle between a fault's striation and the shear stress on its plane");

const QString kIterateTip =
    QStringLiteral("Solve again with the shear stresses of the last solution");
const QString kIterateMichaelOnly = QStringLiteral("Iterate applies to Michael's method only");

QString Text(const std::string& text) { return QString::fromStdString(text); }
QString Angle(double degrees) { return Text(analysis::FormatAngle(degrees)); }

}  // namespace

QString StressNote(const analysis::FaultMisfit& fault) {
  if (!fault.used) return QStringLiteral("switched out");
  if (fault.beta > 90) return QStringLiteral("sense opposite to the stress");
  return {};
}

MisfitHistogram::MisfitHistogram(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(100);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void MisfitHistogram::setCounts(const std::array<int, 18>& counts) {
  counts_ = counts;
  update();
}

// Bars over an axis of 0 to 180 degrees, labelled every 30; the highest bar
// fills the height.
void MisfitHistogram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  const QFontMetrics metrics(font());
  const int axisY = height() - metrics.height() - 4, left = 12, right = width() - 16;
  const int top = metrics.height() + 4;
  const int highest = std::max(1, *std::max_element(counts_.begin(), counts_.end()));
  const double binWidth = double(right - left) / 18;
  painter.setPen(palette().text().color());
  painter.drawText(QRect(left, 0, right - left, top), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Faults per 10° of misfit (highest %1)").arg(highest));
  for (int k = 0; k < 18; ++k) {
    const int h = int((axisY - top) * double(counts_[std::size_t(k)]) / highest + 0.5);
    const QRectF bar(left + k * binWidth + 1, axisY - h, binWidth - 2, h);
    painter.fillRect(bar, k >= 9 ? QColor(200, 60, 60) : QColor(70, 110, 180));
  }
  painter.drawLine(left, axisY, right, axisY);
  for (int deg = 0; deg <= 180; deg += 30) {
    const int x = left + int(deg / 10.0 * binWidth + 0.5);
    painter.drawLine(x, axisY, x, axisY + 3);
    painter.drawText(QRect(x - 20, axisY + 3, 40, metrics.height()), Qt::AlignHCenter,
                     QString::number(deg));
  }
}

StressWindow::StressWindow(document::Document& document, WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), services_(services) {
  setObjectName(QStringLiteral("StressWindow"));
  resize(760, 760);
  auto* layout = new QVBoxLayout(this);
  summary_ = NewSummaryLabel(this);
  summary_->setToolTip(kSummaryTip);
  layout->addLayout(newMethodChoice());
  given_ = new GivenStressPanel(document_, this);
  layout->addWidget(given_);
  layout->addWidget(summary_);
  axes_ = NewAxesTable(QStringLiteral("Axis"), this);
  layout->addWidget(axes_);
  histogram_ = new MisfitHistogram(this);
  layout->addWidget(histogram_);
  comparison_ = new MethodComparison(document_, services_, this);
  comparison_->hide();
  layout->addWidget(comparison_);
  confidence_ = new BootstrapPanel(document_, this);
  layout->addWidget(confidence_);
  layout->addLayout(newControls());
  model_ = new ResultModel(this);
  addFaultColumns();
  addMohrColumns();
  tendencyColumn_ = AddTendencyColumns(
      *model_, tendencies_, [this](int row) { return shownResult_.faults[std::size_t(row)].line; });
  addLeaveOneOutColumns();
  model_->setRowBackground([this](int row) {
    return opposite(row) ? QVariant(QBrush(kOppositeBackground)) : QVariant();
  });
  table_ = NewResultView(model_, kLineColumn, this);
  confidence_->showInfluenceWith(
      [this](const analysis::LeaveOneOut& influence) { showLeaveOneOut(influence); });
  layout->addWidget(table_, 1);
  OnLineSelected(table_, kLineColumn, [this](int line) { emit datumSelected(line); });
  listener_ = document_.AddListener([this](const document::Notice& notice) { follow(notice); });
  showChoices();
  fill();
  ShowTitle(this, "Stress Inversion", document_);
}

// The table may read its cells while the window closes, after the rows
// are gone: it has none by then.
StressWindow::~StressWindow() {
  document_.RemoveListener(listener_);
  model_->reset(0);
}

// Iterate, Use All, Run and Copy.
QLayout* StressWindow::newControls() {
  auto* controls = new QHBoxLayout;
  iterate_ = new QCheckBox(QStringLiteral("&Iterate"), this);
  iterate_->setToolTip(kIterateTip);
  controls->addWidget(iterate_);
  auto* all = new QPushButton(QStringLiteral("Use &All"), this);
  controls->addWidget(all);
  controls->addStretch(1);
  auto* compare = new QPushButton(QStringLiteral("Com&pare Methods"), this);
  compare->setCheckable(true);
  compare->setToolTip(QStringLiteral("Show every method's result side by side"));
  controls->addWidget(compare);
  connect(compare, &QPushButton::toggled, comparison_, &QWidget::setVisible);
  auto* runButton = new QPushButton(QStringLiteral("&Run"), this);
  runButton->setToolTip(QStringLiteral("Invert the faults checked under Use"));
  controls->addWidget(runButton);
  controls->addWidget(NewCopyButton(this, [this] { copy(); }));
  controls->addWidget(NewHelpButton(this, services_, ManualPageOfCommand("stress")));
  connect(iterate_, &QCheckBox::toggled, this,
          [this](bool on) { chooseInversion(study().choices().method, on); });
  connect(runButton, &QPushButton::clicked, this, [this] { run(); });
  connect(all, &QPushButton::clicked, this, [this] {
    use_.assign(use_.size(), true);
    model_->columnsChanged(kUseColumn, kUseColumn);
  });
  return controls;
}

// The Method box: Michael's first, then the others in the reports' order.
QLayout* StressWindow::newMethodChoice() {
  auto* row = new QHBoxLayout;
  method_ = new QComboBox(this);
  for (analysis::StressMethod method : analysis::kStressMethods)
    method_->addItem(StressMethodTitle(method));
  method_->setToolTip(QStringLiteral("How the stress tensor is fitted to the faults"));
  auto* label = new QLabel(QStringLiteral("&Method:"), this);
  label->setBuddy(method_);
  row->addWidget(label);
  row->addWidget(method_);
  row->addStretch(1);
  connect(method_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0)
      chooseInversion(analysis::kStressMethods[std::size_t(index)], study().choices().iterate);
  });
  return row;
}

void StressWindow::chooseInversion(analysis::StressMethod method, bool iterate) {
  analysis::AnalysisChoices choices = study().choices();
  choices.method = method;
  choices.iterate = iterate;
  document_.SetChoices(choices);
}

// The Use check boxes as one step: each datum shown switched off or on.
void StressWindow::run() {
  document::SetOff use;
  for (std::size_t row = 0; row < use_.size(); ++row)
    use.lines.push_back({shownResult_.faults[row].line, !use_[row]});
  document_.Do(document::Edit{std::move(use)}, "Use of the data");
}

bool StressWindow::iterate() const { return iterate_->isChecked(); }
void StressWindow::setIterate(bool on) { iterate_->setChecked(on); }

void StressWindow::setMethod(analysis::StressMethod method) {
  const auto* chosen =
      std::find(analysis::kStressMethods.begin(), analysis::kStressMethods.end(), method);
  method_->setCurrentIndex(int(chosen - analysis::kStressMethods.begin()));
}

// The study's method and iterative option, Iterate only for Michael's method.
void StressWindow::showChoices() {
  const QSignalBlocker quietIterate(iterate_), quietMethod(method_);
  const analysis::AnalysisChoices& choices = study().choices();
  iterate_->setChecked(choices.iterate);
  setMethod(choices.method);
  const bool michael = choices.method == analysis::StressMethod::Michael;
  iterate_->setEnabled(michael);
  iterate_->setToolTip(michael ? kIterateTip : kIterateMichaelOnly);
}

// Shows the inversion again when it has changed, and the tendency when
// its magnitudes have.
void StressWindow::follow(const document::Notice& notice) {
  if (notice.has(document::kChoicesChanged | document::kInversionChanged)) showChoices();
  if (notice.has(document::kInversionChanged)) {
    given_->follow();
    fill();
  } else if (notice.has(document::kChoicesChanged)) {
    tendencies_ = TendenciesByLine(study());
    model_->columnsChanged(tendencyColumn_, tendencyColumn_ + 2);
  }
  if (notice.has(document::kInversionChanged | document::kChoicesChanged)) comparison_->follow();
  if (notice.has(document::kFileNameChanged)) ShowTitle(this, "Stress Inversion", document_);
}

QString StressMethodTitle(analysis::StressMethod method) {
  switch (method) {
    case analysis::StressMethod::Michael:
      return QStringLiteral("Michael (1984)");
    case analysis::StressMethod::Shan:
      return QStringLiteral("Shan et al. (2003)");
    case analysis::StressMethod::Fry:
      return QStringLiteral("Fry (1999)");
    case analysis::StressMethod::YamajiSato:
      return QStringLiteral("Yamaji and Sato (2006)");
    case analysis::StressMethod::Angelier:
      return QStringLiteral("Angelier (1990), S4 minimum");
  }
  return {};
}

namespace {

// Phi, 1 - Phi named by its formula (never "R", which peers use for Phi),
// R' with its regime, SHmax, the mean beta and the faults used.
QString SolvedSummary(const analysis::StressResult& r) {
  const analysis::StressCharacter character = analysis::CharacterOf(r);
  QString text = QStringLiteral("\u03A6 = %1   1 \u2212 \u03A6 = %2   R\u2032 = %3 (%4)   ")
                     .arg(Text(analysis::FormatValue(r.phi)), Text(analysis::FormatValue(r.r)),
                          Text(analysis::FormatValue(character.rPrime)),
                          QString::fromLatin1(character.regime));
  if (character.shMax)
    text += QStringLiteral("SHmax = %1°   SHmin = %2°   ")
                .arg(Text(analysis::FormatAngle(*character.shMax)),
                     Text(analysis::FormatAngle(*character.shMin)));
  text += QStringLiteral("WSM\u00A0%1   ").arg(QString::fromLatin1(character.wsmRegime));
  return text + QStringLiteral("mean \u03B2 = %1°   %2 faults used")
                    .arg(Text(analysis::FormatAngle(r.meanBeta)))
                    .arg(r.used);
}

}  // namespace

QString StressSummary(const analysis::StressResult& r, bool iterate, analysis::StressMethod method,
                      int switchedOff) {
  int switchedOut = switchedOff < 0 ? 0 : switchedOff;
  if (switchedOff < 0)
    for (const analysis::FaultMisfit& f : r.faults) switchedOut += f.used ? 0 : 1;
  QString text;
  if (!r.error.empty()) {
    text = Text(r.error) + '.';
    text[0] = text[0].toUpper();
  } else {
    const bool michael = method == analysis::StressMethod::Michael;
    if (!michael) text = StressMethodTitle(method) + QStringLiteral(":   ");
    text += SolvedSummary(r);
    if (iterate && michael) text += QStringLiteral(" (%1 rounds)").arg(r.rounds);
    text += '.';
  }
  if (switchedOut > 0) text += QStringLiteral(" Switched out: %1.").arg(switchedOut);
  return text + LeftOutText(r.leftOut);
}

void StressWindow::fill() {
  const analysis::StressResult& r = study().StressInView();
  const int switchedOff = analysis::SwitchedOffInScope(study());
  if (study().givenStress())
    summary_->setText(QStringLiteral("Given \u03C31, \u03C33 and \u03A6:   ") +
                      StressSummary(r, false, analysis::StressMethod::Michael, switchedOff));
  else
    summary_->setText(
        StressSummary(r, study().choices().iterate, study().choices().method, switchedOff));
  summary_->setText(summary_->text() + ScopeText(study()));
  FillAxesTable(axes_,
                {"\u03C3"
                 "1",
                 "\u03C3"
                 "2",
                 "\u03C3"
                 "3"},
                r.error.empty() ? &r.axes : nullptr, r.eigenvalues);
  histogram_->setCounts(r.error.empty() ? r.histogram : std::array<int, 18>{});
  fillTable();
}

// The table's rows are the faults of the result in view, each checked
// under Use as the curation has it.
void StressWindow::fillTable() {
  shownResult_ = study().StressInView();
  mohr_ = analysis::MohrOf(study().EveryFault(), shownResult_);
  tendencies_ = TendenciesByLine(study());
  const std::vector<bool>& off = study().curation().off;
  use_.assign(shownResult_.faults.size(), true);
  for (std::size_t row = 0; row < use_.size(); ++row) {
    const auto line = std::size_t(shownResult_.faults[row].line);
    use_[row] = line >= off.size() || !off[line];
  }
  without_.clear();
  model_->reset(int(shownResult_.faults.size()));
  confidence_->tableFilled();
}

// Use, Line, beta and the note.
void StressWindow::addFaultColumns() {
  auto fault = [this](int row) -> const analysis::FaultMisfit& {
    return shownResult_.faults[std::size_t(row)];
  };
  auto solved = [this] { return shownResult_.error.empty(); };
  model_->addColumn({QStringLiteral("Use"), {}, {}, {}});
  model_->setCheckColumn(
      kUseColumn, [this](int row) { return bool(use_[std::size_t(row)]); },
      [this](int row, bool on) { use_[std::size_t(row)] = on; });
  model_->addColumn({QStringLiteral("Line"),
                     {},
                     [fault](int row) { return QString::number(fault(row).line); },
                     [fault](int row) { return double(fault(row).line); }});
  model_->addColumn({QStringLiteral("Misfit \u03B2"),
                     {},
                     [=](int row) { return solved() ? Angle(fault(row).beta) : QString(); },
                     [=](int row) { return solved() ? fault(row).beta : kNoValue; }});
  model_->addColumn({QStringLiteral("Note"),
                     {},
                     [=](int row) { return solved() ? StressNote(fault(row)) : QString(); },
                     {}});
}

// The stresses on the datum's plane, or empty cells without a stress.
void StressWindow::addMohrColumns() {
  const char* const headers[] = {"\u03C3n (compr. +)", "|\u03C4|", "\u03C4s", "RUP %", "ANG"};
  using Value = double (*)(const analysis::MohrDatum&);
  const Value values[] = {[](const analysis::MohrDatum& d) { return d.sigmaN; },
                          [](const analysis::MohrDatum& d) { return d.tau; },
                          [](const analysis::MohrDatum& d) { return d.tauSlip; },
                          [](const analysis::MohrDatum& d) { return d.rup; },
                          [](const analysis::MohrDatum& d) { return d.ang; }};
  for (int k = 0; k < 5; ++k) {
    const Value value = values[k];
    const bool angle = k == 4;
    model_->addColumn({QString::fromUtf8(headers[k]), QString::fromUtf8(kMohrTips[k]),
                       [this, value, angle](int row) {
                         const analysis::MohrDatum* d = mohrOf(row);
                         if (!d) return QString();
                         return Text(angle ? analysis::FormatAngle(value(*d))
                                           : analysis::FormatValue(value(*d)));
                       },
                       [this, value](int row) {
                         const analysis::MohrDatum* d = mohrOf(row);
                         return d ? value(*d) : kNoMohr;
                       }});
  }
}

// Theta without the datum and its beta under the result without it: no
// cells until computed for the result shown.
void StressWindow::addLeaveOneOutColumns() {
  using Value = std::optional<double> analysis::LeftOut::*;
  const Value values[] = {&analysis::LeftOut::theta, &analysis::LeftOut::beta};
  const char* const headers[] = {"\u0398 without", "\u03B2 without"};
  const char* const tips[] = {
      "The stress distance between the result of all the faults and the result without this one",
      "The misfit of this fault under the result without it"};
  auto valueOf = [this](int row, Value value) -> std::optional<double> {
    const auto line = std::size_t(shownResult_.faults[std::size_t(row)].line);
    if (line >= without_.size() || !without_[line]) return std::nullopt;
    return (*without_[line]).*value;
  };
  for (int k = 0; k < 2; ++k) {
    const Value value = values[k];
    const int column =
        model_->addColumn({QString::fromUtf8(headers[k]), QString::fromUtf8(tips[k]),
                           [=](int row) {
                             const std::optional<double> v =
                                 without_.empty() ? std::nullopt : valueOf(row, value);
                             return v ? Angle(*v) : QString();
                           },
                           [=](int row) {
                             if (without_.empty()) return std::nan("");
                             const std::optional<double> v = valueOf(row, value);
                             return v ? *v : kNoValue;
                           }});
    if (k == 0) leaveOneOutColumn_ = column;
  }
}

void StressWindow::showLeaveOneOut(const analysis::LeaveOneOut& influence) {
  without_.assign(study().data().size(), std::nullopt);
  for (const analysis::LeftOut& d : influence.data)
    if (std::size_t(d.line) < without_.size()) without_[std::size_t(d.line)] = d;
  model_->columnsChanged(leaveOneOutColumn_, leaveOneOutColumn_ + 1);
}

const analysis::MohrDatum* StressWindow::mohrOf(int row) const {
  const bool has = mohr_.error.empty() && std::size_t(row) < mohr_.faults.size();
  return has ? &mohr_.faults[std::size_t(row)] : nullptr;
}

// A fault used whose sense is opposite to the stress's.
bool StressWindow::opposite(int row) const {
  const analysis::FaultMisfit& f = shownResult_.faults[std::size_t(row)];
  return shownResult_.error.empty() && f.used && f.beta > 90;
}

QString StressWindow::tableText() const { return TableText(table_); }

void StressWindow::copy() const {
  if (comparison_->isVisible() && comparison_->isAncestorOf(focusWidget()))
    comparison_->copy();
  else
    services_.CopyText(tableText());
}

}  // namespace orniva::ui
