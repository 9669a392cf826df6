#include "ui/results/tilt_test_window.h"

#include <memory>
#include <optional>
#include <utility>

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "plot/tilt_test_chart.h"
#include "render/figure_files.h"
#include "ui/shared/fitted_picture.h"
#include "ui/results/manual_help.h"
#include "ui/shared/long_work.h"
#include "ui/shared/picture_saving.h"

namespace orniva::ui {

namespace {

const char* const kHeaders[] = {"Fraction",       "Mean \u03B2",    "Steepest plunge",
                                "\u03C31 trend",  "\u03C31 plunge", "\u03C33 trend",
                                "\u03C33 plunge", "\u03A6"};
// The printed width of the chart's files.
constexpr render::FigureSize kChartSize{160, 300};

QPushButton* NewButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  return button;
}

QString AttitudeText(const analysis::Bedding& bedding) {
  return QStringLiteral("%1/%2").arg(bedding.dipDirection).arg(bedding.dip);
}

// The table of the steps, in the columns of the command line's report.
QTableWidget* NewStepTable(QWidget* parent) {
  auto* table = new QTableWidget(0, int(std::size(kHeaders)), parent);
  QStringList headers;
  for (const char* header : kHeaders) headers << QString::fromUtf8(header);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  return table;
}

}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(420, 282);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::setPicture(Picture picture) {
  picture_ = std::move(picture);
  update();
}

void ChartView::paintEvent(QPaintEvent*) { PaintFitted(this, picture_); }

TiltTestWindow::TiltTestWindow(const document::Document& document, analysis::Bedding bedding,
                               WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), bedding_(bedding), services_(services) {
  setObjectName(QStringLiteral("TiltTestWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title());
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel(this);
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(summary_);
  chart_ = new ChartView(this);
  layout->addWidget(chart_, 3);
  table_ = NewStepTable(this);
  layout->addWidget(table_, 2);
  auto* buttons = new QHBoxLayout;
  progress_ = new QProgressBar(this);
  progress_->setRange(0, analysis::kTiltSteps);
  cancelButton_ = NewButton(QStringLiteral("Cancel"), this);
  copy_ = NewButton(QStringLiteral("&Copy"), this);
  save_ = NewButton(QStringLiteral("&Save Chart As..."), this);
  connect(cancelButton_, &QPushButton::clicked, this, &TiltTestWindow::cancel);
  connect(copy_, &QPushButton::clicked, this, &TiltTestWindow::copy);
  connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
          &TiltTestWindow::copy);
  connect(save_, &QPushButton::clicked, this, &TiltTestWindow::saveChartAs);
  QPushButton* help = NewHelpButton(this, services_, ManualPageOfCommand("tilt-test"));
  for (QWidget* w : std::initializer_list<QWidget*>{progress_, cancelButton_, copy_, save_, help})
    buttons->addWidget(w);
  layout->addLayout(buttons);
  work_ = new LongWork(this, [this](int done, int) { progress_->setValue(done); });
  listener_ = document_.AddListener([this](const document::Notice& notice) {
    if (notice.has(document::kFileNameChanged)) setWindowTitle(title());
  });
  resize(820, 860);
}

TiltTestWindow::~TiltTestWindow() {
  document_.RemoveListener(listener_);
  delete work_;  // stops a test under way and waits for it
}

QString TiltTestWindow::title() const {
  const QString name = QFileInfo(QFile::decodeName(document_.fileName().c_str())).fileName();
  return QStringLiteral("Tilt test, bedding %1 - %2").arg(AttitudeText(bedding_), name);
}

void TiltTestWindow::run() {
  const analysis::Study& study = document_.study();
  auto data = std::make_shared<const FaultSet>(study.data());
  std::optional<std::vector<bool>> use;
  if (study.InUse()) use = *study.InUse();
  const analysis::StressMethod method = study.choices().method;
  const bool iterate = study.choices().iterate;
  showRunning(true);
  work_->Start(
      [data, use, method, iterate, bedding = bedding_](const LongWork::Control& control) {
        return analysis::TiltTest(*data, bedding, method, iterate, use ? &*use : nullptr,
                                  [&control](int done) {
                                    control.report(done, analysis::kTiltSteps);
                                    return !control.cancelled();
                                  });
      },
      [this](std::vector<analysis::TiltStep> steps) {
        const bool cancelled = steps.empty();
        finish(std::move(steps), cancelled);
      });
}

void TiltTestWindow::cancel() {
  if (!running()) return;
  work_->Cancel();
  finish({}, true);
}

bool TiltTestWindow::running() const { return work_->running(); }

void TiltTestWindow::finish(std::vector<analysis::TiltStep> steps, bool cancelled) {
  showRunning(false);
  if (!cancelled) steps_ = std::move(steps);
  if (!steps_.empty()) fill();
  if (cancelled) {
    progress_->setValue(0);
    if (steps_.empty()) summary_->setText(QStringLiteral("The tilt test was cancelled."));
  }
  emit finished();
}

void TiltTestWindow::showRunning(bool on) {
  cancelButton_->setEnabled(on);
  copy_->setEnabled(!on && !steps_.empty());
  save_->setEnabled(!on && !steps_.empty());
  if (on) {
    progress_->setValue(0);
    summary_->setText(QStringLiteral("Back-tilting and inverting..."));
  }
}

void TiltTestWindow::fill() {
  const analysis::CsvReport report = analysis::TiltTestCsv(steps_);
  const bool refused = !report.error.empty();
  summary_->setText(refused ? QString::fromStdString(report.error)
                            : QStringLiteral("Bedding %1 (dip direction/dip), %2 faults in use. "
                                             "Faulting under a stress with one vertical axis "
                                             "before the tilt shows as a steepest axis nearest "
                                             "vertical at fraction 1.")
                                  .arg(AttitudeText(bedding_))
                                  .arg(steps_.front().stress.used));
  chart_->setPicture(refused ? Picture() : DrawTiltTestChart(steps_, title().toStdString()));
  const QStringList rows = QString::fromStdString(report.text).split('\n', Qt::SkipEmptyParts);
  table_->setRowCount(refused ? 0 : int(rows.size()) - 1);
  for (int row = 1; row < rows.size(); ++row) {
    const QStringList cells = rows[row].split(',');
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row - 1, column, item);
    }
  }
  table_->resizeColumnsToContents();
  copy_->setEnabled(!refused);
  save_->setEnabled(!refused);
}

QString TiltTestWindow::tableText() const {
  return QString::fromStdString(analysis::TiltTestCsv(steps_).text).replace(',', '\t');
}

void TiltTestWindow::copy() const {
  if (!steps_.empty()) services_.CopyText(tableText());
}

void TiltTestWindow::saveChartAs() {
  SavePictureAs(services_, this, PictureDialog::Figure,
                [this](const std::string& path, render::FigureFormat format) {
                  render::SaveFigure(chart(), path, format, kChartSize);
                  return true;
                });
}

}  // namespace orniva::ui
