#include "ui/shared/result_table.h"

#include <cmath>

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "analysis/report_format.h"

namespace orniva::ui {

NumberItem::NumberItem(double value, const std::string& text)
    : QTableWidgetItem(QString::fromStdString(text)) {
  setData(Qt::UserRole, value);
  setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool NumberItem::operator<(const QTableWidgetItem& other) const {
  return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
}

QString ScopeText(const analysis::Study& study) {
  if (study.scope() == 0) return {};
  const std::string& name = study.curation().phases[std::size_t(study.scope() - 1)].name;
  return QStringLiteral(" %1 only.").arg(PhaseTitle(QString::fromStdString(name)));
}

QString PhaseTitle(const QString& name) {
  return QString::fromStdString(analysis::PhaseTitle(name.toStdString()));
}

void ShowTitle(QWidget* window, const char* caption, const document::Document& document) {
  const QString path = QFile::decodeName(document.fileName().c_str());
  const QString title = QString::fromUtf8(caption);
  window->setWindowTitle(
      path.isEmpty() ? title : title + QStringLiteral("  [ %1 ]").arg(QFileInfo(path).fileName()));
}

namespace {

// Read-only, whole rows selected, no row numbers, columns fitted to the
// contents of the rows in view.
void SetUpResultTable(QTableView* table) {
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setResizeContentsPrecision(0);  // the rows in view
  table->horizontalHeader()->setStretchLastSection(true);
}

}  // namespace

QTableWidget* NewResultTable(const QStringList& headers, QWidget* parent) {
  auto* table = new QTableWidget(0, int(headers.size()), parent);
  table->setHorizontalHeaderLabels(headers);
  SetUpResultTable(table);
  return table;
}

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {}

int ResultModel::addColumn(Column column) {
  columns_.push_back(std::move(column));
  return int(columns_.size()) - 1;
}

void ResultModel::setCheckColumn(int column, std::function<bool(int)> checked,
                                 std::function<void(int, bool)> check) {
  checkColumn_ = column;
  checked_ = std::move(checked);
  check_ = std::move(check);
}

void ResultModel::setRowBackground(std::function<QVariant(int)> background) {
  background_ = std::move(background);
}

void ResultModel::reset(int rows) {
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

void ResultModel::columnsChanged(int first, int last) {
  if (rows_ > 0) emit dataChanged(index(0, first), index(rows_ - 1, last));
}

bool ResultModel::sortsByNumber(int column) const {
  return column == checkColumn_ || bool(columns_[std::size_t(column)].key);
}

double ResultModel::keyOf(int row, int column) const {
  if (column == checkColumn_) return checked_(row) ? Qt::Checked : Qt::Unchecked;
  return columns_[std::size_t(column)].key(row);
}

QString ResultModel::textOf(int row, int column) const {
  if (column == checkColumn_) return {};
  return columns_[std::size_t(column)].text(row);
}

int ResultModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  const int row = index.row(), column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return textOf(row, column);
    case Qt::UserRole:
      return sortsByNumber(column) ? QVariant(keyOf(row, column)) : QVariant(textOf(row, column));
    case Qt::CheckStateRole:
      if (column != checkColumn_) return {};
      return checked_(row) ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
      if (column == checkColumn_ || !sortsByNumber(column)) return {};
      return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      return background_ ? background_(row) : QVariant();
    default:
      return {};
  }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= int(columns_.size())) return {};
  const Column& column = columns_[std::size_t(section)];
  if (role == Qt::DisplayRole) return column.header;
  if (role == Qt::ToolTipRole && !column.tip.isEmpty()) return column.tip;
  return {};
}

Qt::ItemFlags ResultModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (index.column() == checkColumn_) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

bool ResultModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.row() >= rows_ || index.column() != checkColumn_ ||
      role != Qt::CheckStateRole)
    return false;
  check_(index.row(), value.toInt() == Qt::Checked);
  emit dataChanged(index, index, {Qt::CheckStateRole, Qt::UserRole});
  return true;
}

ResultSort::ResultSort(ResultModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model) {
  // Before the base class's own handlers, which sort.
  connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
    shownAt_.clear();
    keysColumn_ = -1;
  });
  connect(model, &QAbstractItemModel::dataChanged, this, [this] { keysColumn_ = -1; });
  setSourceModel(model);
  setSortRole(Qt::UserRole);
}

double ResultSort::keyOf(int row, int column) const {
  if (keysColumn_ != column) {
    keys_.resize(std::size_t(model_->rowCount()));
    for (int r = 0; r < model_->rowCount(); ++r) keys_[std::size_t(r)] = model_->keyOf(r, column);
    keysColumn_ = column;
  }
  return keys_[std::size_t(row)];
}

int ResultSort::sourceRow(int row) const { return mapToSource(index(row, 0)).row(); }

void ResultSort::sort(int column, Qt::SortOrder order) {
  shownAt_.assign(std::size_t(model_->rowCount()), 0);
  for (int row = 0; row < rowCount(); ++row) shownAt_[std::size_t(sourceRow(row))] = row;
  QSortFilterProxyModel::sort(column, order);
}

// Ascending or descending, a missing number sorts last and rows that tie
// keep their places; the base class reverses the comparison to descend.
bool ResultSort::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const int column = left.column(), l = left.row(), r = right.row();
  const bool ascending = sortOrder() == Qt::AscendingOrder;
  if (model_->sortsByNumber(column)) {
    const double a = keyOf(l, column), b = keyOf(r, column);
    if (std::isnan(a) != std::isnan(b)) return std::isnan(a) != ascending;
    if (a < b || b < a) return a < b;
  } else {
    const int order = model_->textOf(l, column).compare(model_->textOf(r, column));
    if (order != 0) return order < 0;
  }
  const bool kept = shownAt_.size() == std::size_t(model_->rowCount());
  const int placeL = kept ? shownAt_[std::size_t(l)] : l,
            placeR = kept ? shownAt_[std::size_t(r)] : r;
  return ascending ? placeL < placeR : placeL > placeR;
}

QTableView* NewResultView(ResultModel* model, int sortColumn, QWidget* parent) {
  auto* table = new QTableView(parent);
  table->setModel(new ResultSort(model, table));
  SetUpResultTable(table);
  table->setSortingEnabled(true);
  table->sortByColumn(sortColumn, Qt::AscendingOrder);
  return table;
}

void SetLineCells(QTableWidget* table, int row, int column, math::TrendPlunge line) {
  table->setItem(row, column, new NumberItem(line.trend, analysis::FormatTrend(line.trend)));
  table->setItem(row, column + 1, new NumberItem(line.plunge, analysis::FormatAngle(line.plunge)));
}

QLabel* NewSummaryLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QTableWidget* NewAxesTable(const QString& title, QWidget* parent) {
  QTableWidget* table = NewResultTable({title, "Trend", "Plunge", "Eigenvalue"}, parent);
  table->setRowCount(3);
  table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                        3 * table->verticalHeader()->defaultSectionSize() + 4);
  KeepToColumns(table);
  return table;
}

void KeepToColumns(QTableView* table) {
  table->horizontalHeader()->setStretchLastSection(false);
  table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  table->setSizePolicy(QSizePolicy::Maximum, table->sizePolicy().verticalPolicy());
}

void FillAxesTable(QTableWidget* table, const std::array<const char*, 3>& names,
                   const std::array<math::TrendPlunge, 3>* axes,
                   const std::array<double, 3>& eigenvalues) {
  for (int k = 0; k < 3; ++k) {
    const auto i = std::size_t(k);
    table->setItem(k, 0, new QTableWidgetItem(QString::fromUtf8(names[i])));
    if (!axes) {
      for (int c = 1; c < 4; ++c) table->setItem(k, c, new QTableWidgetItem());
      continue;
    }
    SetLineCells(table, k, 1, (*axes)[i]);
    table->setItem(k, 3, new NumberItem(eigenvalues[i], analysis::FormatValue(eigenvalues[i])));
  }
}

QString LeftOutText(const std::vector<int>& lines) {
  if (lines.empty()) return {};
  QStringList numbers;
  for (int line : lines) numbers << QString::number(line);
  return QStringLiteral(" Left out (a check failed): lines ") + numbers.join(QStringLiteral(", ")) +
         '.';
}

QPushButton* NewCopyButton(QWidget* window, const std::function<void()>& copy) {
  auto* button = new QPushButton(QStringLiteral("&Copy"), window);
  button->setToolTip(QStringLiteral("Copy the table (or the selected rows) as tab-separated text"));
  QObject::connect(button, &QPushButton::clicked, window, copy);
  auto* key = new QShortcut(QKeySequence::Copy, window);
  QObject::connect(key, &QShortcut::activated, window, copy);
  return button;
}

void OnLineSelected(QTableView* table, int lineColumn, const std::function<void(int)>& selected) {
  QObject::connect(table->selectionModel(), &QItemSelectionModel::currentChanged, table,
                   [table, lineColumn, selected](const QModelIndex& current) {
                     if (!current.isValid()) return;
                     const QModelIndex line = table->model()->index(current.row(), lineColumn);
                     const QVariant number = line.data(Qt::UserRole);
                     if (number.isValid()) selected(number.toInt());
                   });
}

QString TableText(const QTableView* table) {
  const QAbstractItemModel* model = table->model();
  const int columns = model->columnCount();
  auto rowText = [model, columns](int row) {
    QStringList cells;
    for (int c = 0; c < columns; ++c) {
      const QModelIndex cell = model->index(row, c);
      const QVariant check = cell.data(Qt::CheckStateRole);
      if (check.isValid())
        cells << (check.toInt() == Qt::Checked ? QStringLiteral("yes") : QStringLiteral("no"));
      else
        cells << cell.data(Qt::DisplayRole).toString();
    }
    return cells.join('\t');
  };
  QStringList headers;
  for (int c = 0; c < columns; ++c) headers << model->headerData(c, Qt::Horizontal).toString();
  QStringList lines{headers.join('\t')};
  const bool some = !table->selectionModel()->selectedRows().isEmpty();
  for (int row = 0; row < model->rowCount(); ++row)
    if (!some || table->selectionModel()->isRowSelected(row, QModelIndex())) lines << rowText(row);
  return lines.join('\n') + '\n';
}

}  // namespace orniva::ui
