#include "ui/results/rotated_data_window.h"

#include <utility>

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "data/data_file_text.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "ui/results/manual_help.h"

namespace orniva::ui {

namespace {

const char* const kHeaders[] = {"Line", "Dip direction", "Dip", "Trend", "Plunge", "Sense"};

// The lines listed: every datum that passed its checks and is in use.
std::vector<int> ListedLines(const FaultSet& data, const std::optional<std::vector<bool>>& use) {
  std::vector<int> lines;
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i)
    if (data[i].failedChecks == 0 && (!use || (i < use->size() && (*use)[i])))
      lines.push_back(int(i));
  return lines;
}

QPushButton* NewButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

DataRowsModel::DataRowsModel(const FaultSet& data, std::vector<int> lines, QObject* parent)
    : QAbstractTableModel(parent), data_(data), lines_(std::move(lines)) {}

int DataRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(lines_.size());
}

int DataRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(std::size(kHeaders));
}

QString DataRowsModel::cell(int row, int column) const {
  const auto line = lines_[std::size_t(row)];
  const TFaultData& d = data_[std::size_t(line)];
  const float values[] = {d.faz, d.fpl, d.saz, d.spl};
  if (column == 0) return QString::number(line);
  if (column == 5) return QString::fromStdString(d.sense);
  return QString::number(double(values[column - 1]), 'f', 2);
}

QVariant DataRowsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole && index.column() < 5)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  return cell(index.row(), index.column());
}

QVariant DataRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return QString::fromLatin1(kHeaders[section]);
}

QString DataRowsModel::text() const {
  QStringList headers;
  for (const char* header : kHeaders) headers << QString::fromLatin1(header);
  QString text = headers.join('\t') + '\n';
  for (int row = 0; row < rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < columnCount(); ++column) cells << cell(row, column);
    text += cells.join('\t') + '\n';
  }
  return text;
}

RotatedDataWindow::RotatedDataWindow(FaultSet rotated, Source source, const QString& description,
                                     const QString& nameEnding, WindowServices& services,
                                     std::function<void(const QString&)> open, QWidget* parent)
    : QWidget(parent, Qt::Window),
      data_(std::move(rotated)),
      source_(std::move(source)),
      nameEnding_(nameEnding),
      services_(services),
      open_(std::move(open)) {
  setObjectName(QStringLiteral("RotatedDataWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  const QString name = QFileInfo(source_.path).fileName();
  setWindowTitle(QStringLiteral("Data %1 - %2").arg(description, name));
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(QStringLiteral("The data in use of %1, %2: a new data set; the open "
                                         "file is not changed.")
                              .arg(name, description),
                          this);
  note->setWordWrap(true);
  layout->addWidget(note);
  model_ = new DataRowsModel(data_, ListedLines(data_, source_.use), this);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  layout->addWidget(table_);
  layout->addLayout(newButtons());
  resize(560, 520);
}

// Save As, Copy (and Ctrl+C) and Open in Main Window, the last offered only
// with a main window and enabled once the data are saved.
QLayout* RotatedDataWindow::newButtons() {
  auto* buttons = new QHBoxLayout;
  QPushButton* save = NewButton(QStringLiteral("&Save As..."), this);
  QPushButton* copyButton = NewButton(QStringLiteral("&Copy"), this);
  openButton_ = NewButton(QStringLiteral("&Open in Main Window"), this);
  openButton_->setEnabled(false);
  openButton_->setVisible(bool(open_));
  connect(save, &QPushButton::clicked, this, &RotatedDataWindow::saveAs);
  connect(copyButton, &QPushButton::clicked, this, &RotatedDataWindow::copy);
  connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
          &RotatedDataWindow::copy);
  connect(openButton_, &QPushButton::clicked, this, &RotatedDataWindow::openSaved);
  buttons->addWidget(save);
  buttons->addWidget(copyButton);
  buttons->addWidget(openButton_);
  buttons->addStretch();
  buttons->addWidget(NewHelpButton(this, services_, ManualPageOfCommand("back-tilt")));
  return buttons;
}

bool RotatedDataWindow::saveAs() {
  const QFileInfo loaded(source_.path);
  const QString offered = loaded.absolutePath() + QLatin1Char('/') + loaded.completeBaseName() +
                          nameEnding_ + QStringLiteral(".fdt");
  const std::optional<QString> chosen =
      services_.SaveDataFile(this, QStringLiteral("Save Data As"), offered);
  if (!chosen) return false;
  MakeFolderCurrent(*chosen);
  return saveTo(*chosen);
}

bool RotatedDataWindow::saveTo(const QString& path) {
  if (!source_.path.isEmpty() && QFileInfo(path) == QFileInfo(source_.path)) {
    services_.ShowMessage(this,
                          "The turned data are a new data set: they are not saved over "
                          "the open data file.\r\nChoose another name.");
    return false;
  }
  try {
    WriteFileAtomically(LocalPath(path), DataFileText(source_.lines, data_));
  } catch (const FileError& error) {
    services_.ReportError(this, error);
    return false;
  }
  saved_ = QFileInfo(path).absoluteFilePath();
  openButton_->setEnabled(true);
  return true;
}

void RotatedDataWindow::copy() const { services_.CopyText(model_->text()); }

void RotatedDataWindow::openSaved() {
  if (open_ && !saved_.isEmpty()) open_(saved_);
}

}  // namespace orniva::ui
