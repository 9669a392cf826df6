#include "ui/results/orientation_rows.h"

#include <QColor>

namespace orniva::ui {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

const char* const kTips[OrientationRowsModel::kCount] = {
    "The row's place in the table (the header is not counted)",
    "In use: unchecked, the row is left out of the net and the statistics",
    "plane or line",
    "A plane's dip direction or a line's trend [\u00B0], 0 to 360",
    "Dip or plunge [\u00B0], 0 to 90",
    "The set the row belongs to (a new name makes a new set)",
    "Where it was measured",
    "Longitude (WGS 84) [\u00B0], -180 to 180, with the latitude",
    "Latitude (WGS 84) [\u00B0], -90 to 90, with the longitude",
    "Elevation [m]",
    "The label of the measurement",
    "Its quality",
    "When it was measured",
    "Notes"};

}  // namespace

OrientationRowsModel::OrientationRowsModel(document::OrientationDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document), rows_(document.rowCount()) {
  listener_ =
      document_.AddListener([this](const document::Notice& notice) { DocumentChanged(notice); });
}

OrientationRowsModel::~OrientationRowsModel() { document_.RemoveListener(listener_); }

// The same number of rows: their values or curation changed, and the views
// keep their selection; else the rows are new.
void OrientationRowsModel::DocumentChanged(const document::Notice& notice) {
  if (!notice.has(document::kDataReplaced | document::kLinesEdited | document::kCurationChanged))
    return;
  if (notice.has(document::kDataReplaced) || document_.rowCount() != rows_) {
    beginResetModel();
    rows_ = document_.rowCount();
    endResetModel();
  } else if (rows_ > 0) {
    emit dataChanged(index(0, 0), index(rows_ - 1, kCount - 1));
  }
}

int OrientationRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int OrientationRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kCount;
}

QString OrientationRowsModel::text(int row, int column) const {
  if (column == kRow) return QString::number(row);
  if (column == kUse) return {};
  if (ValueColumn(column) == OrientationColumn::Set) return Text(document_.setName(row));
  return Text(OrientationValueText(document_.records()[std::size_t(row - 1)], ValueColumn(column)));
}

QVariant OrientationRowsModel::sortKey(int row, int column) const {
  const OrientationRecord& r = document_.records()[std::size_t(row - 1)];
  const auto number = [](const std::optional<double>& v) { return v ? *v : -1e300; };
  switch (column) {
    case kRow:
      return row;
    case kUse:
      return document_.inUse(row) ? 1 : 0;
    default:
      break;
  }
  switch (ValueColumn(column)) {
    case OrientationColumn::Azimuth:
      return double(r.azimuth);
    case OrientationColumn::Angle:
      return double(r.angle);
    case OrientationColumn::Lon:
      return number(r.lon);
    case OrientationColumn::Lat:
      return number(r.lat);
    case OrientationColumn::Elevation:
      return number(r.elevation);
    default:
      return text(row, column);
  }
}

QVariant OrientationRowsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  const int row = index.row() + 1, column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return text(row, column);
    case Qt::UserRole:
      return sortKey(row, column);
    case Qt::CheckStateRole:
      if (column != kUse) return {};
      return document_.inUse(row) ? Qt::Checked : Qt::Unchecked;
    case Qt::ForegroundRole:
      return document_.inUse(row) ? QVariant() : QVariant(QColor(Qt::gray));
    case Qt::DecorationRole: {
      const int set = document_.curation().phase[std::size_t(row)];
      if (column != kFirstValue + int(OrientationColumn::Set) || set == 0) return {};
      return QColor(Text(document_.curation().phases[std::size_t(set - 1)].colour));
    }
    default:
      return {};
  }
}

QVariant OrientationRowsModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kCount) return {};
  if (role == Qt::ToolTipRole) return QString::fromUtf8(kTips[section]);
  if (role != Qt::DisplayRole) return {};
  if (section == kRow) return QStringLiteral("Row");
  if (section == kUse) return QStringLiteral("Use");
  QString name = Text(std::string(OrientationColumnName(ValueColumn(section))));
  name[0] = name[0].toUpper();
  return name;
}

Qt::ItemFlags OrientationRowsModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (index.column() == kUse) flags |= Qt::ItemIsUserCheckable;
  if (index.column() >= kFirstValue) flags |= Qt::ItemIsEditable;
  return flags;
}

bool OrientationRowsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.row() >= rows_) return false;
  const int row = index.row() + 1;
  if (index.column() == kUse && role == Qt::CheckStateRole) {
    const bool off = value.toInt() != Qt::Checked;
    document_.Do(document::OrientationEdit::Switch({row}, off),
                 off ? "Row switched off" : "Row switched on");
    return true;
  }
  if (role != Qt::EditRole || index.column() < kFirstValue) return false;
  const std::string refusal =
      document_.EditValue(row, ValueColumn(index.column()), value.toString().toStdString());
  if (refusal.empty()) return true;
  emit refused(Text(refusal));
  return false;
}

OrientationRowsSort::OrientationRowsSort(OrientationRowsModel* model, QObject* parent)
    : QSortFilterProxyModel(parent) {
  setSourceModel(model);
  setSortRole(Qt::UserRole);
}

}  // namespace orniva::ui
