#include "ui/main/selection.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "plot/mohr_diagram.h"
#include "plot/pick_points.h"
#include "ui/main/picture_view.h"
#include "ui/main/program_icons.h"
#include "ui/shared/window_services.h"

namespace orniva::ui {
namespace {

// How far from a datum's point a click still picks it [plot units].
constexpr double kPickReach = 40;

analysis::NetPoint NetPointAt(QPointF point) { return {point.x(), point.y()}; }

}  // namespace

DataSelection::DataSelection(const document::Document& document, QObject* parent)
    : QObject(parent), document_(document), count_(document.study().data().count()) {
  listener_ = document_.AddListener([this](const document::Notice& notice) {
    // Values edited in place keep every line where it was, and the selection.
    const int count = document_.study().data().count();
    const bool sameLines = !notice.has(document::kDataReplaced) && count == count_;
    count_ = count;
    if (!notice.dataChanged() || sameLines || lines_.empty()) return;
    lines_.clear();
    emit changed();
  });
}

DataSelection::~DataSelection() { document_.RemoveListener(listener_); }

void DataSelection::Change(std::vector<int> picked, SelectionChange how) {
  std::vector<int> next = ChangedSelection(lines_, std::move(picked), how);
  if (next == lines_) return;
  lines_ = std::move(next);
  emit changed();
}

bool NewPhaseOf(document::Document& document, WindowServices& services, QWidget* parent,
                const std::vector<int>& lines) {
  const std::vector<analysis::PhaseInfo>& phases = document.study().curation().phases;
  const QString proposed = QStringLiteral("Phase %1").arg(phases.size() + 1);
  const auto name = services.AskText(parent, QStringLiteral("Phase name:"), proposed);
  if (!name) return false;
  const analysis::PhaseInfo info{name->toStdString(), analysis::NextPhaseColour(phases)};
  document.Do(document::Edit::NewPhase(info, int(phases.size()), lines), "New phase " + info.name);
  return true;
}

SelectionCommands::SelectionCommands(Window window, document::Document& document,
                                     DataSelection& selection, QMenuBar* menuBar, QAction* before,
                                     QToolBar* toolBar)
    : QObject(window.widget),
      window_(std::move(window)),
      document_(document),
      selection_(selection) {
  createMenu(menuBar, before);
  toolBar->addSeparator();
  toolBar->addAction(ActionSelectMode);
  PictureView* view = window_.view;
  connect(ActionSelectMode, &QAction::toggled, view, &PictureView::setSelectMode);
  connect(view, &PictureView::picked, this,
          [this](QPointF point, Qt::KeyboardModifiers keys) { PickAt(point, ChangeFor(keys)); });
  connect(
      view, &PictureView::lassoed, this,
      [this](const QPolygonF& path, Qt::KeyboardModifiers keys) { Lasso(path, ChangeFor(keys)); });
  connect(view, &PictureView::hovered, this,
          [this](QPointF point) { window_.readout->setText(ReadoutAt(point)); });
  connect(view, &PictureView::left, window_.readout, &QLabel::clear);
  connect(&selection_, &DataSelection::changed, this, &SelectionCommands::Redrawn);
  connect(&selection_, &DataSelection::changed, this, &SelectionCommands::ShowCount);
  ShowCount();
}

void SelectionCommands::ShowCount() {
  const std::size_t n = selection_.lines().size();
  window_.count->setText(QStringLiteral("%1 selected").arg(n));
  window_.count->setVisible(n > 0);
}

void SelectionCommands::createMenu(QMenuBar* menuBar, QAction* before) {
  Select1 = new QMenu(QStringLiteral("&Select"), menuBar);
  Select1->setObjectName(QStringLiteral("Select1"));
  menuBar->insertMenu(before, Select1);
  ActionSelectMode = Select1->addAction(QStringLiteral("Select on the &Net"));
  ActionSelectMode->setCheckable(true);
  ActionSelectMode->setIcon(SelectIcon());
  ActionSelectMode->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  ActionSelectMode->setToolTip(
      QStringLiteral("Select on the net: click a datum or draw round data (Shift adds, Ctrl "
                     "takes away)"));
  auto keys = [] { return ChangeFor(QGuiApplication::keyboardModifiers()); };
  Select1->addAction(QStringLiteral("By &Window of Trend and Plunge..."), this,
                     [this, keys] { SelectInWindow(keys()); });
  Select1->addAction(QStringLiteral("By &Cone about a Line..."), this,
                     [this, keys] { SelectInCone(keys()); });
  Select1->addAction(QStringLiteral("&All"), QKeySequence::SelectAll, this, [this] {
    std::vector<int> all;
    for (int line = 1; line <= study().data().count(); ++line) all.push_back(line);
    selection_.Change(std::move(all), SelectionChange::Replace);
  });
  Select1->addAction(QStringLiteral("&None"), this,
                     [this] { selection_.Change({}, SelectionChange::Replace); });
  Select1->addSeparator();
  Select1->addAction(QStringLiteral("Switch Selection O&ff"), this, [this] {
    document_.Do(document::Edit::Switch(selection_.lines(), true), "Selection switched off");
  });
  Select1->addAction(QStringLiteral("Switch Selection &On"), this, [this] {
    document_.Do(document::Edit::Switch(selection_.lines(), false), "Selection switched on");
  });
  Select1->addAction(QStringLiteral("New &Phase of the Selection..."), this, [this] {
    NewPhaseOf(document_, *window_.services, window_.widget, selection_.lines());
  });
  Select1->addAction(QStringLiteral("Co&py Selection"), this, [this] { CopySelection(); });
}

const std::vector<analysis::ProjectedDatum>& SelectionCommands::points() {
  const PlotMode mode = window_.mode();
  const NetGeometry& geometry = window_.geometry();
  const DiagramFigures& figures = window_.figures();
  const PointsKey key{study().data().generation(), figures.revision,  mode, geometry.kind,
                      geometry.hemisphere,         geometry.netRadius};
  if (pointsKey_ != key) {
    points_ = PickPoints(mode, study().data(), geometry, figures);
    pointsKey_ = key;
  }
  return points_;
}

// A ring at each point of a selected datum (both axes where the diagram
// draws two).
void SelectionCommands::Redrawn() {
  std::vector<QPointF> marks;
  const std::vector<int>& lines = selection_.lines();
  if (!lines.empty())
    for (const analysis::ProjectedDatum& datum : points())
      if (std::binary_search(lines.begin(), lines.end(), datum.line))
        marks.emplace_back(datum.point.x, datum.point.y);
  window_.view->setMarks(std::move(marks));
}

void SelectionCommands::PickAt(QPointF point, SelectionChange how) {
  const auto line = analysis::NearestDatum(points(), NetPointAt(point), kPickReach);
  if (line)
    selection_.Change({*line}, how);
  else if (how == SelectionChange::Replace)
    selection_.Change({}, how);
}

void SelectionCommands::Lasso(const QPolygonF& path, SelectionChange how) {
  std::vector<analysis::NetPoint> lasso;
  lasso.reserve(std::size_t(path.size()));
  for (const QPointF& point : path) lasso.push_back(NetPointAt(point));
  selection_.Change(analysis::SelectInLasso(points(), lasso), how);
}

QString SelectionCommands::ReadoutAt(QPointF point) {
  QStringList parts;
  const PlotMode mode = window_.mode();
  if (const auto line = LineUnder(mode, window_.geometry(), NetPointAt(point))) {
    parts << LineAndPlaneReadout(*line);
  } else if (mode == PlotMode::Mohr) {
    const MohrFigure::Point at = PlotToMohr(point.x(), point.y());
    parts << QStringLiteral("\u03c3n %1  |\u03c4| %2")
                 .arg(at.sigmaN, 0, 'f', 2)
                 .arg(at.tau, 0, 'f', 2);
  }
  if (const auto nearest = analysis::NearestDatum(points(), NetPointAt(point),
                                                  std::numeric_limits<double>::infinity()))
    parts << QStringLiteral("Nearest: line %1").arg(*nearest);
  return parts.join(QStringLiteral("   "));
}

// Asks for `label` (starting from `initial`); a text `read` takes is a
// shape whose data `pick` selects among the diagram's directions, any
// other is refused in a message on what `shape` needs.
template <typename Read, typename Pick>
void SelectionCommands::selectByText(const QString& label, const QString& initial,
                                     const std::string& shape, Read read, Pick pick,
                                     SelectionChange how) {
  const auto text = window_.services->AskText(window_.widget, label, initial);
  if (!text) return;
  std::string error;
  const auto written = read(text->toStdString(), error);
  if (!written) {
    window_.services->ShowMessage(window_.widget, shape + " needs " + error + ".");
    return;
  }
  const auto directions = PickDirections(window_.mode(), study().data(), window_.figures());
  selection_.Change(pick(directions, *written), how);
}

void SelectionCommands::SelectInWindow(SelectionChange how) {
  selectByText(QStringLiteral("Window: trend from, trend to, plunge from, plunge to:"),
               QStringLiteral("0,360,0,90"), "The window", analysis::WindowWritten,
               analysis::SelectInWindow, how);
}

void SelectionCommands::SelectInCone(SelectionChange how) {
  selectByText(QStringLiteral("Cone: trend, plunge of its axis, half-angle:"),
               QStringLiteral("0,90,20"), "The cone", analysis::ConeWritten, analysis::SelectInCone,
               how);
}

// The selected data's lines as the file has them, one a line.
void SelectionCommands::CopySelection() const {
  QString text;
  const std::vector<std::string>& lines = study().lines();
  for (int line : selection_.lines())
    if (line >= 1 && std::size_t(line) <= lines.size())
      text += QString::fromStdString(lines[std::size_t(line) - 1]) + QLatin1Char('\n');
  window_.services->CopyText(text);
}

}  // namespace orniva::ui
