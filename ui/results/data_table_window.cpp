// The data table's window: the filter, the choice of the data analysed,
// the table and the commands on its selected rows.
#include <algorithm>
#include <set>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/results/data_table.h"
#include "ui/main/selection.h"
#include "ui/results/manual_help.h"
#include "ui/shared/result_table.h"
#include "ui/shared/window_services.h"

namespace orniva::ui {

DataTableWindow::DataTableWindow(document::Document& document, Hooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(document),
      hooks_(std::move(hooks)),
      model_(new DataTableModel(document, this)),
      proxy_(new DataTableFilter(model_, this)) {
  setObjectName(QStringLiteral("DataTable"));
  view_ = new QTableView(this);
  view_->setModel(proxy_);
  view_->setSortingEnabled(true);
  view_->sortByColumn(DataTableModel::kLine, Qt::AscendingOrder);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->setContextMenuPolicy(Qt::ActionsContextMenu);
  view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(newToolRow());
  layout->addWidget(view_, 1);
  layout->addWidget(newCommandRow());
  status_ = new QLabel(this);
  layout->addWidget(status_);
  connect(model_, &DataTableModel::refused, status_, &QLabel::setText);
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid() || !hooks_.selectDatum) return;
            status_->clear();
            hooks_.selectDatum(proxy_->mapToSource(current).row() + 1);
          });
  if (hooks_.selection) {
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DataTableWindow::takeSelection);
    connect(hooks_.selection, &DataSelection::changed, this, &DataTableWindow::showSelection);
    connect(proxy_, &QAbstractItemModel::layoutChanged, this, &DataTableWindow::showSelection);
    connect(model_, &QAbstractItemModel::modelReset, this, &DataTableWindow::showSelection);
    showSelection();
  }
  addUndoAndRedo();
  listener_ = document_.AddListener([this](const document::Notice& notice) {
    if (notice.has(document::kFileNameChanged)) showFileName();
  });
  showFileName();
  resize(860, 560);
}

DataTableWindow::~DataTableWindow() { document_.RemoveListener(listener_); }

// The document's Undo and Redo, by their keys, while the table is active.
void DataTableWindow::addUndoAndRedo() {
  auto* undo = new QAction(QStringLiteral("&Undo"), this);
  auto* redo = new QAction(QStringLiteral("&Redo"), this);
  undo->setShortcut(QKeySequence::Undo);
  redo->setShortcut(QKeySequence::Redo);
  connect(undo, &QAction::triggered, this, [this] { document_.Undo(); });
  connect(redo, &QAction::triggered, this, [this] { document_.Redo(); });
  addAction(undo);
  addAction(redo);
}

QWidget* DataTableWindow::newToolRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  filter_ = new QLineEdit(row);
  filter_->setPlaceholderText(QStringLiteral("Filter, e.g.  beta > 30 and phase = A"));
  filter_->setToolTip(
      QStringLiteral("Rows to show: clauses such as beta > 30, dip <= 45, sense = N, use = off "
                     "or phase = A, joined by \"and\" or commas"));
  filter_->setClearButtonEnabled(true);
  connect(filter_, &QLineEdit::textChanged, this, &DataTableWindow::filterChanged);
  auto* label = new QLabel(QStringLiteral("&Show:"), row);
  label->setBuddy(filter_);
  edit_ = new QCheckBox(QStringLiteral("&Edit values"), row);
  edit_->setToolTip(QStringLiteral("Type into the fields, insert, delete and paste rows"));
  connect(edit_, &QCheckBox::toggled, this, [this](bool on) {
    model_->setEditing(on);
    for (QAction* action : actions())
      if (action->property("edits").toBool()) action->setEnabled(on);
  });
  layout->addWidget(label);
  layout->addWidget(filter_, 1);
  layout->addWidget(edit_);
  return row;
}

// A button and a context-menu item of the table for `run`.
QWidget* DataTableWindow::newCommandRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto add = [&](const QString& text, const QKeySequence& key, bool edits, auto run) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setProperty("edits", edits);
    action->setEnabled(!edits);
    connect(action, &QAction::triggered, this, run);
    view_->addAction(action);
    addAction(action);
    auto* button = new QToolButton(row);
    button->setDefaultAction(action);
    layout->addWidget(button);
  };
  add(QStringLiteral("Switch &Off"), QKeySequence(Qt::CTRL | Qt::Key_Minus), false,
      [this] { switchSelected(true); });
  add(QStringLiteral("Switch O&n"), QKeySequence(Qt::CTRL | Qt::Key_Plus), false,
      [this] { switchSelected(false); });
  auto* phase = new QToolButton(row);
  phase->setText(QStringLiteral("&Phase"));
  phase->setPopupMode(QToolButton::InstantPopup);
  phaseMenu_ = new QMenu(phase);
  phase->setMenu(phaseMenu_);
  connect(phaseMenu_, &QMenu::aboutToShow, this, &DataTableWindow::fillPhaseMenu);
  layout->addWidget(phase);
  add(QStringLiteral("&Copy"), QKeySequence::Copy, false, [this] { copyRows(); });
  layout->addStretch(1);
  add(QStringLiteral("&Insert Row"), QKeySequence(Qt::CTRL | Qt::Key_I), true,
      [this] { insertRow(); });
  // Not Delete or Ctrl+V: those belong to a cell being typed into.
  add(QStringLiteral("&Delete Rows"), QKeySequence(Qt::CTRL | Qt::Key_Delete), true,
      [this] { deleteRows(); });
  add(QStringLiteral("Paste Ro&ws"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), true,
      [this] { pasteRows(); });
  if (hooks_.services) layout->addWidget(NewHelpButton(this, *hooks_.services, kManualCuration));
  return row;
}

// The phases to put the selected rows in, a new one, none, and each
// phase's name, colour and deletion.
void DataTableWindow::fillPhaseMenu() {
  using document::Edit;
  phaseMenu_->clear();
  const std::vector<analysis::PhaseInfo>& phases = document_.study().curation().phases;
  phaseMenu_->addAction(QStringLiteral("&New Phase of the Selected Rows..."), this,
                        [this] { newPhaseOfSelected(); });
  for (std::size_t k = 0; k < phases.size(); ++k)
    phaseMenu_->addAction(QStringLiteral("Put in %1").arg(QString::fromStdString(phases[k].name)),
                          this, [this, k] { putSelectedInPhase(int(k) + 1); });
  phaseMenu_->addAction(QStringLiteral("Take out of Its Phase"), this,
                        [this] { putSelectedInPhase(0); });
  for (std::size_t k = 0; k < phases.size(); ++k) {
    const int phase = int(k) + 1;
    const analysis::PhaseInfo info = phases[k];
    const QString name = QString::fromStdString(info.name);
    QMenu* menu = phaseMenu_->addMenu(PhaseTitle(name));
    menu->addAction(QStringLiteral("&Rename..."), this, [this, phase, info, name] {
      if (const auto text = hooks_.services->AskText(this, QStringLiteral("Phase name:"), name))
        document_.Do(Edit{document::SetPhaseInfo{phase, {text->toStdString(), info.colour}}},
                     "Renaming of phase " + info.name);
    });
    menu->addAction(QStringLiteral("&Colour..."), this, [this, phase, info] {
      if (const auto colour = hooks_.services->AskColour(this, QString::fromStdString(info.colour)))
        document_.Do(Edit{document::SetPhaseInfo{phase, {info.name, colour->toStdString()}}},
                     "New colour of phase " + info.name);
    });
    menu->addAction(QStringLiteral("&Delete"), this, [this, phase, info] {
      document_.Do(Edit{document::RemovePhase{phase}}, "Deletion of phase " + info.name);
    });
  }
}

void DataTableWindow::filterChanged() {
  std::string error;
  const auto filter = RowFilter::Parse(filter_->text().toStdString(), error);
  filter_->setStyleSheet(filter ? QString() : QStringLiteral("color: #b00000"));
  status_->setText(QString::fromStdString(error));
  if (filter) proxy_->setFilter(*filter);
}

std::vector<int> DataTableWindow::selectedLines() const {
  std::set<int> lines;
  for (const QModelIndex& index : view_->selectionModel()->selectedRows())
    lines.insert(proxy_->mapToSource(index).row() + 1);
  return {lines.begin(), lines.end()};
}

void DataTableWindow::showFileName() {
  const QString path = QFile::decodeName(document_.fileName().c_str());
  setWindowTitle(path.isEmpty()
                     ? QStringLiteral("Data Table")
                     : QStringLiteral("Data Table  [ %1 ]").arg(QFileInfo(path).fileName()));
}

void DataTableWindow::switchSelected(bool off) {
  document_.Do(document::Edit::Switch(selectedLines(), off),
               off ? "Lines switched off" : "Lines switched on");
}

void DataTableWindow::putSelectedInPhase(int phase) {
  const std::vector<analysis::PhaseInfo>& phases = document_.study().curation().phases;
  const std::string text = phase > 0 ? "Lines put in phase " + phases[std::size_t(phase - 1)].name
                                     : std::string("Lines taken out of their phase");
  document_.Do(document::Edit::PutInPhase(selectedLines(), phase), text);
}

// One step: the phase made and the selected rows put in it.
void DataTableWindow::newPhaseOfSelected() {
  NewPhaseOf(document_, *hooks_.services, this, selectedLines());
}

// The selection's rows as runs of neighbouring rows in the table's order,
// so that thousands of rows select at once.
void DataTableWindow::showSelection() {
  if (taking_) return;  // the table's own selection
  std::vector<int> rows;
  for (int line : hooks_.selection->lines()) {
    const QModelIndex index = proxy_->mapFromSource(model_->index(line - 1, 0));
    if (index.isValid()) rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  QItemSelection selection;
  const int last = proxy_->columnCount() - 1;
  for (std::size_t k = 0; k < rows.size();) {
    std::size_t end = k + 1;
    while (end < rows.size() && rows[end] == rows[end - 1] + 1) ++end;
    selection.select(proxy_->index(rows[k], 0), proxy_->index(rows[end - 1], last));
    k = end;
  }
  // Quietly, and cleared first: the selection model compares an old
  // selection with the new one range by range, and the view works out the
  // region of each range, which takes long for thousands of ranges. The
  // view is repainted whole instead.
  QItemSelectionModel* model = view_->selectionModel();
  const QSignalBlocker quiet(model);
  model->clearSelection();
  model->select(selection, QItemSelectionModel::Select);
  view_->viewport()->update();
}

// Rows hidden by the filter keep their place in the selection.
void DataTableWindow::takeSelection() {
  std::vector<int> kept;
  for (int line : hooks_.selection->lines())
    if (!proxy_->mapFromSource(model_->index(line - 1, 0)).isValid()) kept.push_back(line);
  std::vector<int> lines = selectedLines();
  lines.insert(lines.end(), kept.begin(), kept.end());
  taking_ = true;
  hooks_.selection->Change(std::move(lines), SelectionChange::Replace);
  taking_ = false;
}

int DataTableWindow::currentLine() const {
  const QModelIndex current = view_->currentIndex();
  return current.isValid() ? proxy_->mapToSource(current).row() + 1
                           : document_.study().data().count() + 1;
}

void DataTableWindow::insertRow() {
  if (!document_.Do(document::Edit::Insert(currentLine(), {std::string()}), "Insertion of a row"))
    status_->setText(QStringLiteral("The data cannot have more than 32760 lines."));
}

void DataTableWindow::deleteRows() {
  const std::vector<int> lines = selectedLines();
  if (!lines.empty())
    document_.Do(document::Edit::Remove(lines),
                 "Deletion of " + std::to_string(lines.size()) + " lines");
}

// The clipboard's lines (tabs as spaces) before the current row, or after
// the last.
void DataTableWindow::pasteRows() {
  std::vector<std::string> texts;
  for (QString line : hooks_.services->ClipboardText().split(QLatin1Char('\n'))) {
    line.replace(QLatin1Char('\t'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
    if (!line.trimmed().isEmpty()) texts.push_back(line.toStdString());
  }
  if (texts.empty()) return;
  const std::string what = "Paste of " + std::to_string(texts.size()) + " rows";
  if (!document_.Do(document::Edit::Insert(currentLine(), texts), what))
    status_->setText(QStringLiteral("The data cannot have more than 32760 lines."));
}

// The selected rows (all shown when none is), tab-separated with a header.
void DataTableWindow::copyRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : view_->selectionModel()->selectedRows())
    rows.push_back(index.row());
  if (rows.empty())
    for (int row = 0; row < proxy_->rowCount(); ++row) rows.push_back(row);
  std::sort(rows.begin(), rows.end());
  QString text;
  const int columns = proxy_->columnCount();  // the attribute columns too, when shown
  for (int column = 0; column < columns; ++column)
    text += proxy_->headerData(column, Qt::Horizontal).toString() +
            (column + 1 < columns ? QStringLiteral("\t") : QStringLiteral("\n"));
  for (int row : rows)
    for (int column = 0; column < columns; ++column) {
      const QModelIndex index = proxy_->index(row, column);
      const QString cell =
          column == DataTableModel::kUse
              ? (index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStringLiteral("yes")
                                                                       : QStringLiteral("no"))
              : index.data().toString();
      text += cell + (column + 1 < columns ? QStringLiteral("\t") : QStringLiteral("\n"));
    }
  hooks_.services->CopyText(text);
}

}  // namespace orniva::ui
