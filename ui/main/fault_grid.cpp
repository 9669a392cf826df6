#include "ui/main/fault_grid.h"

#include <algorithm>
#include <set>

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLocale>
#include <QPaintEvent>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

#include "data/colours.h"
#include "data/fault_reader.h"

namespace orniva::ui {
namespace {

constexpr int kRowHeight = 18;
constexpr int kColumnWidths[FaultGridModel::kGridColumns] = {36, 36, 36, 36, 36, 19};
constexpr int kGridWidth = 225;
const char* const kHeaders[FaultGridModel::kGridColumns] = {"",     "F Az", "F Dip",
                                                            "S Az", "S Pl", "Sen"};

QString FieldText(const TFaultData& datum, int col) {
  switch (col) {
    case 1:
      return FormatGridNumber(datum.faz);
    case 2:
      return FormatGridNumber(datum.fpl);
    case 3:
      return FormatGridNumber(datum.saz);
    case 4:
      return FormatGridNumber(datum.spl);
    case 5:
      return QString::fromLocal8Bit(datum.sense);
  }
  return {};
}

// Points `slot` at a painter for the scope and clears it when the scope ends.
class PainterScope {
 public:
  PainterScope(QPainter*& slot, QPainter* painter) : slot_(slot) { slot_ = painter; }
  ~PainterScope() { slot_ = nullptr; }
  PainterScope(const PainterScope&) = delete;
  PainterScope& operator=(const PainterScope&) = delete;

 private:
  QPainter*& slot_;
};

}  // namespace

QString FormatGridNumber(float value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(double(value), 'g', 15);
}

// ---- FaultGridModel --------------------------------------------------------

FaultGridModel::FaultGridModel(const FaultSet& data, QObject* parent)
    : QAbstractTableModel(parent), data_(data) {}

void FaultGridModel::setGridRowCount(int rows) {
  rows = std::max(rows, 1);
  const int oldDataRows = rows_ - 1, newDataRows = rows - 1;
  if (newDataRows > oldDataRows) {
    beginInsertRows(QModelIndex(), oldDataRows, newDataRows - 1);
    rows_ = rows;
    endInsertRows();
  } else if (newDataRows < oldDataRows) {
    beginRemoveRows(QModelIndex(), newDataRows, oldDataRows - 1);
    rows_ = rows;
    endRemoveRows();
  }
}

void FaultGridModel::clearCells() {
  filled_ = 0;
  allCellsChanged();
}

void FaultGridModel::fillCells(int count) {
  filled_ = count;
  allCellsChanged();
}

void FaultGridModel::allCellsChanged() {
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString FaultGridModel::cellText(int col, int row) const {
  if (col < 0 || col >= kGridColumns || row < 0 || row >= rows_) return {};
  if (row == 0) return QString::fromLatin1(kHeaders[col]);
  if (col == 0) return QString::number(row);
  if (row > filled_ || std::size_t(row) >= data_.size()) return {};
  return FieldText(data_[std::size_t(row)], col);
}

QString FaultGridModel::failedCheckText(int col, int row) const {
  static const FaultCheck kChecks[] = {kFazCheck, kFplCheck, kSazCheck, kSplCheck, kSenseCheck};
  if (col < 1 || col > 5 || row < 1 || row > filled_ || std::size_t(row) >= data_.size()) return {};
  const FaultCheck check = kChecks[col - 1];
  if (!(data_[std::size_t(row)].failedChecks & check)) return {};
  return QString::fromStdString(FailedCheckText(check, std::size_t(row)));
}

int FaultGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_ - 1;
}

int FaultGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridColumns - 1;
}

QVariant FaultGridModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  // The tip shows the whole number where the narrow column cuts it off,
  // or, for a field that failed its check, what the log says of it.
  if (role == Qt::ToolTipRole) {
    const QString failure = failedCheckText(index.column() + 1, index.row() + 1);
    if (!failure.isEmpty()) return failure;
  }
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
    return cellText(index.column() + 1, index.row() + 1);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

QVariant FaultGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const bool horizontal = orientation == Qt::Horizontal;
  if (section < 0 || section >= (horizontal ? columnCount() : rowCount())) return {};
  if (role == Qt::DisplayRole)
    return horizontal ? cellText(section + 1, 0) : cellText(0, section + 1);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags FaultGridModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// ---- FaultGridView ---------------------------------------------------------

FaultGridView::FaultGridView(const FaultSet& data, QWidget* parent)
    : QTableView(parent), model_(new FaultGridModel(data, this)) {
  setModel(model_);
  setItemDelegate(new CellDrawDelegate(this));
  setUpLook();
  setCurrentCell(1, 1);
}

void FaultGridView::setUpLook() {
  setFixedWidth(kGridWidth);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(NoSelection);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setCornerButtonEnabled(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setAttribute(Qt::WA_Hover, false);
  // Scrolling to the current cell is done on each move (currentChanged),
  // never later: a delayed scroll after a click would repaint the cell.
  setAutoScroll(false);
  QHeaderView* top = horizontalHeader();
  QHeaderView* left = verticalHeader();
  for (QHeaderView* header : {top, left}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setTextElideMode(Qt::ElideNone);
    header->setMinimumSectionSize(1);
  }
  for (int c = 1; c < FaultGridModel::kGridColumns; ++c) setColumnWidth(c - 1, kColumnWidths[c]);
  top->setFixedHeight(kRowHeight);
  left->setDefaultSectionSize(kRowHeight);
  left->setFixedWidth(kColumnWidths[0]);
}

void FaultGridView::setWide(bool wide) {
  // The cell's text starts 2 pixels in; as much again at its right.
  const int number = fontMetrics().horizontalAdvance(QStringLiteral("-888.888888888888")) + 4;
  const int width = wide ? std::max(kColumnWidths[1], number) : kColumnWidths[1];
  for (int c = 1; c <= 4; ++c) setColumnWidth(c - 1, width);
  extraWidth_ = 4 * (width - kColumnWidths[1]);
  setFixedWidth(kGridWidth + extraWidth_);
}

void FaultGridView::setRowCount(int rows) {
  const int keptRow = std::max(row(), 1);
  model_->setGridRowCount(rows);
  setCurrentCell(keptColumn_, std::min(keptRow, model_->gridRowCount() - 1));
}

int FaultGridView::col() const {
  return currentIndex().isValid() ? currentIndex().column() + 1 : 0;
}

int FaultGridView::row() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void FaultGridView::setCurrentCell(int col, int row) {
  const QModelIndex index = model_->index(row - 1, col - 1);
  if (index.isValid() && index != currentIndex()) setCurrentIndex(index);
}

bool FaultGridView::isActiveControl() const {
  return hasFocus() || (window() && window()->focusWidget() == this);
}

void FaultGridView::cellPainted(QPainter* painter, const QRect& rect, const QModelIndex& index) {
  if (!drawCell_) return;
  CellState state = 0;
  if (index == currentIndex()) state = gdSelected | (isFocusedCell(index) ? gdFocused : 0u);
  PainterScope scope(canvas_, painter);
  drawCell_(index.column() + 1, index.row() + 1, rect, state);
}

// The row numbers are the vertical header, a widget of its own. In the
// grid's painting order the row-number cells of the rows being repainted
// come first, so they are handed to the cell-draw handler before the data
// cells of this paint.
void FaultGridView::paintEvent(QPaintEvent* event) {
  paintRowNumbers(event->region());
  QTableView::paintEvent(event);
}

void FaultGridView::paintRowNumbers(const QRegion& region) {
  if (!drawCell_ || model_->rowCount() == 0) return;
  std::set<int> rows;
  for (const QRect& area : region) {
    const int first = rowAt(area.top());
    if (first < 0) continue;
    int last = rowAt(area.bottom());
    if (last < 0) last = model_->rowCount() - 1;
    for (int r = first; r <= last; ++r) rows.insert(r);
  }
  const int width = verticalHeader()->width();
  for (int r : rows)
    drawCell_(0, r + 1, QRect(-width, rowViewportPosition(r), width, rowHeight(r)), gdFixed);
}

// The current cell shows its focus frame while the grid is the window's
// focus control, active window or not; so focus and activation repaint no
// cell (a repaint would take back the aqua of the focused cell). Hovering
// paints nothing either.
bool FaultGridView::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      updateFrame();
      return QAbstractScrollArea::viewportEvent(event);
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
      return false;
    default:
      return QTableView::viewportEvent(event);
  }
}

void FaultGridView::focusInEvent(QFocusEvent*) { updateFrame(); }

void FaultGridView::focusOutEvent(QFocusEvent*) { updateFrame(); }

void FaultGridView::updateFrame() { update(QRegion(rect()) - QRegion(viewport()->geometry())); }

bool FaultGridView::isFocusedCell(const QModelIndex& index) const {
  return index.isValid() && index == currentIndex() && isActiveControl();
}

void FaultGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (current.isValid()) keptColumn_ = current.column() + 1;
  QTableView::currentChanged(current, previous);
  if (current.isValid() && isVisible()) scrollTo(current);
}

// ---- CellDrawDelegate ------------------------------------------------------

// The style lays a cell's text out four times (for the check, icon, text and
// focus rectangles) before it draws it once, which made the grid's first
// paint after a load cost more than the picture. A cell with nothing but its
// text (every cell but the focused one) is drawn here with one layout, as
// the style draws it: in the text colour, one line from the left within the
// focus frame's margin, centred vertically, clipped to the cell.
void CellDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem cell(option);
  initStyleOption(&cell, index);
  cell.state.setFlag(QStyle::State_HasFocus, grid_->isFocusedCell(index));
  const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
  constexpr QStyle::State kDecorated = QStyle::State_HasFocus | QStyle::State_Selected |
                                       QStyle::State_MouseOver | QStyle::State_Editing;
  constexpr QStyleOptionViewItem::ViewItemFeatures kExtras =
      QStyleOptionViewItem::Alternate | QStyleOptionViewItem::HasCheckIndicator |
      QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::WrapText;
  if ((cell.state & kDecorated) || (cell.features & kExtras) ||
      cell.backgroundBrush.style() != Qt::NoBrush || cell.textElideMode != Qt::ElideNone) {
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
  } else if (!cell.text.isEmpty()) {
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
    const QRect text = cell.rect.adjusted(margin, 0, -margin, 0);
    QTextOption layoutOption;
    layoutOption.setWrapMode(QTextOption::ManualWrap);
    layoutOption.setTextDirection(cell.direction);
    layoutOption.setAlignment(QStyle::visualAlignment(cell.direction, cell.displayAlignment));
    QTextLayout layout(cell.text, cell.font);
    layout.setTextOption(layoutOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(text.width());
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    QPalette::ColorGroup group =
        cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
      group = QPalette::Inactive;
    painter->save();
    painter->setClipRect(cell.rect);
    painter->setPen(cell.palette.color(group, QPalette::Text));
    layout.draw(painter, QPointF(text.x(), text.y() + (text.height() - qCeil(line.height())) / 2));
    painter->restore();
  }
  grid_->cellPainted(painter, option.rect, index);
}

void FaultGridView::paintCellAgain(int col, int row, const QRect& rect, TColor fill) {
  if (!canvas_) return;
  canvas_->save();
  canvas_->fillRect(rect, QColor(RedOf(fill), GreenOf(fill), BlueOf(fill)));
  canvas_->setClipRect(rect);
  canvas_->setFont(font());
  canvas_->setPen(palette().color(QPalette::Text));
  canvas_->drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    model_->cellText(col, row));
  canvas_->restore();
}

}  // namespace orniva::ui
