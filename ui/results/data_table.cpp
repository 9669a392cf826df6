#include "ui/results/data_table.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "analysis/fault_vectors.h"
#include "analysis/report_format.h"
#include "data/fault_reader.h"
#include "data/import_conventions.h"
#include "data/line_edit.h"
#include "ui/shared/window_services.h"

namespace orniva::ui {

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString Axis(const math::TrendPlunge& axis) {
  return Text(analysis::FormatAngle(axis.trend) + "/" + analysis::FormatAngle(axis.plunge));
}

const char* const kHeaders[DataTableModel::kCount] = {"Line",   "Dip dir", "Dip", "Trend",
                                                      "Plunge", "Sense",   "Use", "Phase",
                                                      "Angle",  "\u03B2",  "P",   "T"};

const char* const kTips[DataTableModel::kCount] = {
    "The datum's line in the data file",
    "Dip direction of the fault plane [\u00B0]",
    "Dip of the fault plane [\u00B0]",
    "Trend of the striation [\u00B0]",
    "Plunge of the striation [\u00B0]",
    "Sense of slip: N, R, S or D",
    "In use: unchecked, the datum is left out of every analysis",
    "The phase (group of data) the datum belongs to",
    "Angle of the striation to its fault plane [\u00B0]",
    "Misfit \u03B2 of the striation to the stress inversion [\u00B0]",
    "P axis (trend/plunge)",
    "T axis (trend/plunge)"};

const char* const kAttributeHeaders[DataTableModel::kAttributeColumns] = {"Site", "Time", "Notes",
                                                                          "Position"};

const char* const kAttributeTips[DataTableModel::kAttributeColumns] = {
    "Where the datum was measured: the field app's spot or locality",
    "When it was measured, as the field app wrote it", "The field app's notes on the measurement",
    "Latitude and longitude (WGS 84) [\u00B0] and elevation [m], as the field app wrote them"};

QString Number(double value) { return QString::number(value, 'g', 12); }

// "latitude, longitude, elevation m", of those recorded.
QString Position(const LineAttributes& a) {
  QStringList parts;
  if (a.latitude) parts << Number(*a.latitude);
  if (a.longitude) parts << Number(*a.longitude);
  if (a.elevation) parts << Number(*a.elevation) + QStringLiteral(" m");
  return parts.join(QStringLiteral(", "));
}

// What a cell of `field` accepts, said after a refused value.
QString AcceptedText(DataField field) {
  switch (field) {
    case DataField::Faz:
    case DataField::Saz:
      return QStringLiteral(": accepted are numbers from 0 to 360");
    case DataField::Fpl:
    case DataField::Spl:
      return QStringLiteral(": accepted are numbers from 0 to 90");
    default:
      return QStringLiteral(": accepted are N, R, S and D or a sense word (dextral, thrust ...)");
  }
}

}  // namespace

DataTableModel::DataTableModel(document::Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
  listener_ =
      document_.AddListener([this](const document::Notice& notice) { DocumentChanged(notice); });
  ShowData();
}

DataTableModel::~DataTableModel() { document_.RemoveListener(listener_); }

void DataTableModel::setEditing(bool on) {
  editing_ = on;
  if (rows_ > 0) emit dataChanged(index(0, kFaz), index(rows_ - 1, kSense));
}

// Other data are shown anew; a change of the curation changes the look of
// the rows it names (a row switched off is grey through), or of every row
// when it names none, as a change of the scope does; the inversion changes
// the β column.
void DataTableModel::DocumentChanged(const document::Notice& notice) {
  if (notice.has(document::kLinesEdited) && !notice.has(document::kDataReplaced) &&
      study().data().count() == rows_ && rows_ > 0 && FileHasAttributes() == attributes_) {
    // The same rows, their values edited: the views keep their selection
    // and current cell.
    ComputeRows();
    emit dataChanged(index(0, 0), index(rows_ - 1, columnCount({}) - 1));
    return;
  }
  if (notice.dataChanged() || FileHasAttributes() != attributes_) return ShowData();
  if (notice.has(document::kInversionChanged)) ShowMisfits();
  if (rows_ == 0) return;
  const int last = columnCount() - 1;
  if (notice.has(document::kScopeChanged) ||
      (notice.has(document::kCurationChanged) && !notice.curationLines)) {
    emit dataChanged(index(0, 0), index(rows_ - 1, last));
    return;
  }
  // Only the lines named changed their look, told a run of rows at a time;
  // the inversion, every β. A sorted or filtered view then places those
  // rows again, not all.
  const std::vector<int> lines = notice.curationLines.value_or(std::vector<int>());
  for (std::size_t i = 0, j; i < lines.size(); i = j) {
    for (j = i + 1; j < lines.size() && lines[j] == lines[j - 1] + 1;) ++j;
    if (lines[i] >= 1 && lines[j - 1] <= rows_)
      emit dataChanged(index(lines[i] - 1, 0), index(lines[j - 1] - 1, last));
  }
  if (notice.has(document::kInversionChanged))
    emit dataChanged(index(0, kBeta), index(rows_ - 1, kBeta));
}

void DataTableModel::ShowData() {
  beginResetModel();
  ComputeRows();
  endResetModel();
}

void DataTableModel::ComputeRows() {
  const FaultSet& data = study().data();
  rows_ = data.count();
  attributes_ = FileHasAttributes();
  axes_.assign(data.size(), std::nullopt);
  for (int i = 1; i <= rows_; ++i)
    if (data[std::size_t(i)].failedChecks == 0)
      axes_[std::size_t(i)] = analysis::AxesOf(analysis::VectorsOf(data[std::size_t(i)], i));
  ShowMisfits();
}

void DataTableModel::ShowMisfits() {
  beta_.assign(study().data().size(), kNone);
  const analysis::StressResult& stress = study().Stress();
  if (stress.error.empty())
    for (const analysis::FaultMisfit& f : stress.faults) beta_[std::size_t(f.line)] = f.beta;
}

int DataTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}
int DataTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kCount + (attributes_ ? kAttributeColumns : 0);
}

bool DataTableModel::FileHasAttributes() const {
  const std::vector<LineAttributes>& all = study().curation().attributes;
  return std::any_of(all.begin(), all.end(), [](const LineAttributes& a) { return !a.empty(); });
}

QVariant DataTableModel::attribute(int line, int column) const {
  const std::vector<LineAttributes>& all = study().curation().attributes;
  if (std::size_t(line) >= all.size()) return QString();
  const LineAttributes& a = all[std::size_t(line)];
  switch (column - kCount) {
    case 0:
      return Text(a.site);
    case 1:
      return Text(a.time);
    case 2:
      return Text(a.notes);
    default:
      return Position(a);
  }
}

RowValues DataTableModel::valuesOf(int line) const {
  const TFaultData& d = study().data()[std::size_t(line)];
  auto number = [&d](float value, FaultCheck check) {
    return d.failedChecks & check ? kNone : double(value);
  };
  const analysis::CurationState& curation = study().curation();
  const int phase = curation.phase[std::size_t(line)];
  const auto& axes = axes_[std::size_t(line)];
  return {double(line),
          number(d.faz, kFazCheck),
          number(d.fpl, kFplCheck),
          number(d.saz, kSazCheck),
          number(d.spl, kSplCheck),
          axes ? axes->misfit : kNone,
          beta_[std::size_t(line)],
          d.sense,
          phase > 0 ? curation.phases[std::size_t(phase - 1)].name : std::string(),
          !curation.off[std::size_t(line)]};
}

QVariant DataTableModel::display(int line, int column) const {
  if (column >= kCount) return attribute(line, column);
  const TFaultData& d = study().data()[std::size_t(line)];
  const RowValues v = valuesOf(line);
  const auto& axes = axes_[std::size_t(line)];
  switch (column) {
    case kLine:
      return line;
    case kFaz:
      return Text(ShortestDecimal(d.faz));
    case kFpl:
      return Text(ShortestDecimal(d.fpl));
    case kSaz:
      return Text(ShortestDecimal(d.saz));
    case kSpl:
      return Text(ShortestDecimal(d.spl));
    case kSense:
      return Text(d.sense);
    case kPhase:
      return Text(v.phase);
    case kAngle:
      return axes ? Text(analysis::FormatAngle(v.angle)) : QString();
    case kBeta:
      return std::isnan(v.beta) ? QString() : Text(analysis::FormatAngle(v.beta));
    case kP:
      return axes ? Axis(axes->p) : QString();
    case kT:
      return axes ? Axis(axes->t) : QString();
    default:
      return {};
  }
}

QVariant DataTableModel::sortKey(int line, int column) const {
  const RowValues v = valuesOf(line);
  const auto& axes = axes_[std::size_t(line)];
  const double numbers[] = {v.line, v.faz, v.fpl, v.saz, v.spl};
  if (column <= kSpl) return std::isnan(numbers[column]) ? -1.0 : numbers[column];
  if (column >= kCount) return attribute(line, column);
  switch (column) {
    case kSense:
      return Text(v.sense);
    case kUse:
      return v.use ? 1 : 0;
    case kPhase:
      return Text(v.phase);
    case kAngle:
      return axes ? v.angle : -1.0;
    case kBeta:
      return std::isnan(v.beta) ? -1.0 : v.beta;
    case kP:
      return axes ? axes->p.plunge : -1.0;
    default:
      return axes ? axes->t.plunge : -1.0;
  }
}

QVariant DataTableModel::data(const QModelIndex& index, int role) const {
  const int line = index.row() + 1, column = index.column();
  const analysis::CurationState& curation = study().curation();
  if (!index.isValid() || !shows(line)) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return display(line, column);
    case Qt::UserRole:
      return sortKey(line, column);
    case Qt::CheckStateRole:
      if (column != kUse) return {};
      return curation.off[std::size_t(line)] ? Qt::Unchecked : Qt::Checked;
    case Qt::ForegroundRole:
      return curation.off[std::size_t(line)] ? QVariant(QColor(Qt::gray)) : QVariant();
    case Qt::DecorationRole: {
      const int phase = curation.phase[std::size_t(line)];
      if (column != kPhase || phase == 0) return {};
      return QColor(Text(curation.phases[std::size_t(phase - 1)].colour));
    }
    case Qt::ToolTipRole:
      if (column >= kFaz && column <= kSense &&
          study().data()[std::size_t(line)].failedChecks & CheckOf(DataField(column - kFaz)))
        return Text(FailedCheckText(CheckOf(DataField(column - kFaz)), std::size_t(line)));
      return {};
    default:
      return {};
  }
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const bool attribute = section >= kCount;
  if (role == Qt::DisplayRole)
    return QString::fromUtf8(attribute ? kAttributeHeaders[section - kCount] : kHeaders[section]);
  if (role == Qt::ToolTipRole)
    return QString::fromUtf8(attribute ? kAttributeTips[section - kCount] : kTips[section]);
  return {};
}

Qt::ItemFlags DataTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (index.column() == kUse) flags |= Qt::ItemIsUserCheckable;
  const bool editable = editing_ && !study().lines().empty();
  if (editable && index.column() >= kFaz && index.column() <= kSense) flags |= Qt::ItemIsEditable;
  return flags;
}

bool DataTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.row() >= rows_) return false;
  const int line = index.row() + 1;
  if (index.column() == kUse && role == Qt::CheckStateRole) {
    const bool off = value.toInt() != Qt::Checked;
    document_.Do(document::Edit::Switch({line}, off),
                 off ? "Line switched off" : "Line switched on");
    return true;
  }
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const DataField field = DataField(index.column() - kFaz);
  std::string message;
  const auto text = FieldText(field, value.toString().toStdString(), std::size_t(line), message);
  if (!text) {
    emit refused(Text(message) + AcceptedText(field));
    return false;
  }
  const std::string edited = ReplaceField(study().lines()[std::size_t(line - 1)], field, *text);
  document_.Do(document::Edit::LineText(line, edited), "Edit of line " + std::to_string(line));
  return true;
}

DataTableFilter::DataTableFilter(DataTableModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model) {
  setSourceModel(model);
  setSortRole(Qt::UserRole);
}

void DataTableFilter::setFilter(const RowFilter& filter) {
  filter_ = filter;
  invalidateFilter();
}

bool DataTableFilter::filterAcceptsRow(int row, const QModelIndex&) const {
  return filter_.empty() || !model_->shows(row + 1) || filter_.Accepts(model_->valuesOf(row + 1));
}

}  // namespace orniva::ui
