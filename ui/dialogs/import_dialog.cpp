#include "ui/dialogs/import_dialog.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/fault_data.h"
#include "data/import_columns.h"

namespace orniva::ui {

namespace {

constexpr int kPreviewRows = 20;

QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QTableWidget* NewTable(QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->setVisible(false);
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  return table;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text) {
  table->setItem(row, column, new QTableWidgetItem(text));
}

}  // namespace

ImportDialog::ImportDialog(std::string text, const QString& source, QWidget* parent)
    : QDialog(parent), text_(std::move(text)) {
  setObjectName(QStringLiteral("ImportDialog"));
  setWindowTitle(QStringLiteral("Import - ") + source);
  auto* column = new QVBoxLayout(this);
  column->addLayout(makeReadingChoices());

  auto* columnBox = new QGroupBox(QStringLiteral("Columns of the fields"), this);
  columnGrid_ = new QGridLayout(columnBox);
  column->addWidget(columnBox);

  addTables(column);
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Save As..."));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);

  // Detected first, then the user's.
  table_ = ReadTable(text_);
  delimiter->setCurrentIndex(std::max(0, delimiter->findData(int(table_.delimiter))));
  header->setChecked(!table_.header.empty());
  proposeConventions();
  showTable();
  makeColumnChoices();
  convert();
  connectChoices();
  resize(720, 640);
}

// The first rows of the table, the summary and the converted rows.
void ImportDialog::addTables(QVBoxLayout* column) {
  column->addWidget(new QLabel(QStringLiteral("First rows of the table:"), this));
  preview = NewTable(this);
  preview->setObjectName(QStringLiteral("ImportPreview"));
  column->addWidget(preview, 1);
  summary = new QLabel(this);
  column->addWidget(summary);
  converted = NewTable(this);
  converted->setObjectName(QStringLiteral("ImportRows"));
  converted->setColumnCount(3);
  converted->setHorizontalHeaderLabels(
      {QStringLiteral("Line"), QStringLiteral("Data"), QStringLiteral("Problem")});
  converted->setColumnWidth(1, converted->fontMetrics().horizontalAdvance(
                                   QStringLiteral("359.9999 89.9999 359.9999 89.9999 N  ")));
  column->addWidget(converted, 2);
}

// Every choice reads the table or converts it again.
void ImportDialog::connectChoices() {
  auto reread = [this] {
    readTable();
    convert();
  };
  connect(delimiter, &QComboBox::currentIndexChanged, this, reread);
  connect(header, &QCheckBox::toggled, this, reread);
  auto reconvert = [this] {
    makeColumnChoices();
    convert();
  };
  connect(plane, &QComboBox::currentIndexChanged, this, reconvert);
  connect(line, &QComboBox::currentIndexChanged, this, reconvert);
  connect(senseCodes, &QLineEdit::textChanged, this, [this] { convert(); });
  connect(missingSense, &QComboBox::currentIndexChanged, this, [this] { convert(); });
  connect(decimals, &QSpinBox::valueChanged, this, [this] { convert(); });
}

QFormLayout* ImportDialog::makeReadingChoices() {
  auto* reading = new QFormLayout;
  delimiter = new QComboBox(this);
  delimiter->addItem(QStringLiteral("Comma"), int(Delimiter::Comma));
  delimiter->addItem(QStringLiteral("Semicolon"), int(Delimiter::Semicolon));
  delimiter->addItem(QStringLiteral("Tab"), int(Delimiter::Tab));
  delimiter->addItem(QStringLiteral("Blanks"), int(Delimiter::Space));
  header = new QCheckBox(QStringLiteral("First row &names the columns"), this);
  makeConventionChoices();
  makeSenseChoices();
  reading->addRow(QStringLiteral("&Delimiter:"), delimiter);
  reading->addRow(QString(), header);
  reading->addRow(QStringLiteral("&Plane:"), plane);
  reading->addRow(QStringLiteral("&Line:"), line);
  reading->addRow(QStringLiteral("&Sense codes:"), senseCodes);
  reading->addRow(QStringLiteral("Sense when &missing:"), missingSense);
  reading->addRow(QStringLiteral("D&ecimals:"), decimals);
  return reading;
}

void ImportDialog::makeConventionChoices() {
  plane = new QComboBox(this);
  plane->addItem(QStringLiteral("Dip direction, dip"), int(PlaneConvention::DipDirection));
  plane->addItem(QStringLiteral("Strike (right-hand rule), dip"), int(PlaneConvention::StrikeRhr));
  plane->addItem(QStringLiteral("Strike, dip with quadrant (N30E 45NW)"),
                 int(PlaneConvention::StrikeQuadrant));
  line = new QComboBox(this);
  line->addItem(QStringLiteral("Trend, plunge"), int(LineConvention::TrendPlunge));
  line->addItem(QStringLiteral("Pitch from a strike end (10NE)"),
                int(LineConvention::PitchQuadrant));
  line->addItem(QStringLiteral("Rake 0-180 from the right-hand-rule strike"),
                int(LineConvention::Rake));
  line->addItem(QStringLiteral("Rake 0-360, sense from the rake"), int(LineConvention::Rake360));
  line->addItem(QStringLiteral("Rake -180-180 (Aki), sense from the rake"),
                int(LineConvention::RakeAki));
}

// The sense codes beyond the known words, the sense of a row without one,
// and the decimals written.
void ImportDialog::makeSenseChoices() {
  senseCodes = new QLineEdit(this);
  senseCodes->setPlaceholderText(QStringLiteral("more codes, e.g. U=R,1=N"));
  senseCodes->setToolTip(
      QStringLiteral("Known already: N NORMAL -, R REVERSE INVERSE I T THRUST +, D DX DEXTRAL RL, "
                     "S SN SINISTRAL LL, and TL TR NL NR"));
  missingSense = new QComboBox(this);
  const std::pair<const char*, const char*> kMissing[] = {
      {"X (unknown)", "X"},   {"N (normal)", "N"},  {"R (reverse)", "R"},
      {"S (sinistral)", "S"}, {"D (dextral)", "D"}, {"Leave the row out", "skip"}};
  for (const auto& [text, choice] : kMissing)
    missingSense->addItem(QString::fromLatin1(text), QString::fromLatin1(choice));
  decimals = new QSpinBox(this);
  decimals->setRange(-1, 9);
  decimals->setSpecialValueText(QStringLiteral("as computed"));
  decimals->setValue(-1);
}

void ImportDialog::proposeConventions() {
  const ColumnProposal proposal = ProposeColumns(table_);
  if (proposal.plane) plane->setCurrentIndex(plane->findData(int(*proposal.plane)));
  if (proposal.line) line->setCurrentIndex(line->findData(int(*proposal.line)));
}

void ImportDialog::readTable() {
  table_ = ReadTable(text_, Delimiter(delimiter->currentData().toInt()),
                     header->isChecked() ? HeaderChoice::Yes : HeaderChoice::No);
  showTable();
}

void ImportDialog::showTable() {
  std::size_t width = table_.header.size();
  const int shown = int(std::min<std::size_t>(table_.rows.size(), kPreviewRows));
  for (int r = 0; r < shown; ++r)
    width = std::max(width, table_.rows[std::size_t(r)].fields.size());
  preview->clear();
  preview->setColumnCount(int(width) + 1);
  preview->setRowCount(shown);
  QStringList labels{QStringLiteral("Line")};
  for (std::size_t c = 0; c < width; ++c) {
    const QString number = QString::number(c + 1);
    labels << (c < table_.header.size() ? number + QStringLiteral(": ") + Q(table_.header[c])
                                        : number);
  }
  preview->setHorizontalHeaderLabels(labels);
  for (int r = 0; r < shown; ++r) {
    const TableRow& row = table_.rows[std::size_t(r)];
    SetCell(preview, r, 0, QString::number(row.line));
    for (std::size_t c = 0; c < row.fields.size(); ++c)
      SetCell(preview, r, int(c) + 1, Q(row.fields[c]));
  }
}

// One spin box per field: the column the header names, else numbered in
// order. An optional quadrant starts at none when the first row writes it
// with its number ("45NW"); the sense at none when no column names it.
void ImportDialog::makeColumnChoices() {
  for (QWidget* widget : columnWidgets_) delete widget;
  columnWidgets_.clear();
  columns.clear();
  const PlaneConvention planeChoice = PlaneConvention(plane->currentData().toInt());
  const LineConvention lineChoice = LineConvention(line->currentData().toInt());
  const auto fields = FieldsOf(planeChoice, lineChoice);
  const std::vector<int> named = ProposeColumns(table_, planeChoice, lineChoice).columns;
  const std::vector<std::string> first =
      table_.rows.empty() ? std::vector<std::string>{} : table_.rows[0].fields;
  int next = 1;
  for (std::size_t k = 0; k < fields.size(); ++k) {
    const bool quadrant = fields[k].optional && fields[k].role != FieldRole::Sense;
    auto* label = new QLabel(Q(fields[k].name), this);
    auto* box = new QSpinBox(this);
    box->setRange(fields[k].optional ? 0 : 1, 1000);
    if (fields[k].optional)
      box->setSpecialValueText(quadrant ? QStringLiteral("with its number")
                                        : QStringLiteral("none"));
    const std::size_t before = std::size_t(next - 2);  // the field the quadrant follows
    const bool joined = quadrant && before < first.size() &&
                        std::any_of(first[before].begin(), first[before].end(), [](char c) {
                          return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
                        });
    box->setValue(!named.empty() ? named[k] : joined ? 0 : next++);
    connect(box, &QSpinBox::valueChanged, this, [this] { convert(); });
    const int row = int(k / 4), col = int(k % 4) * 2;
    columnGrid_->addWidget(label, row, col);
    columnGrid_->addWidget(box, row, col + 1);
    columnWidgets_.push_back(label);
    columnWidgets_.push_back(box);
    columns.push_back(box);
  }
}

void ImportDialog::convert() {
  ImportSettings settings;
  settings.plane = PlaneConvention(plane->currentData().toInt());
  settings.line = LineConvention(line->currentData().toInt());
  for (QSpinBox* box : columns)
    if (box->value() > 0) settings.columns.push_back(box->value());
  const std::string codes = senseCodes->text().trimmed().toStdString();
  const std::string badPair = AddSenseCodes(codes, settings.senses);
  settings.senses.SetWhenMissing(missingSense->currentData().toString().toStdString());
  settings.decimals = decimals->value();
  result_ = ConvertTable(table_, settings);
  converted->setRowCount(int(result_.rows.size()));
  for (std::size_t r = 0; r < result_.rows.size(); ++r) {
    const ImportedRow& row = result_.rows[r];
    std::string problem = row.error;
    for (const std::string& warning : row.warnings)
      problem += (problem.empty() ? "" : "; ") + warning;
    std::string data = row.dataLine;
    while (!data.empty() && (data.back() == '\n' || data.back() == '\r')) data.pop_back();
    SetCell(converted, int(r), 0, QString::number(row.line));
    SetCell(converted, int(r), 1, Q(data));
    SetCell(converted, int(r), 2, Q(problem));
  }
  QString text = QStringLiteral("%1 %2 converted, %3 not.")
                     .arg(result_.converted)
                     .arg(result_.converted == 1 ? QStringLiteral("row") : QStringLiteral("rows"))
                     .arg(result_.failed);
  if (result_.overflowLine != 0)
    text += QStringLiteral(" Line %1 is beyond the %2 lines a data file may hold.")
                .arg(result_.overflowLine)
                .arg(FaultSet::kMaxCount);
  if (!badPair.empty())
    text += QStringLiteral(" The sense code \"%1\" is not CODE=LETTER.").arg(Q(badPair));
  summary->setText(text);
  buttons->button(QDialogButtonBox::Ok)
      ->setEnabled(result_.converted > 0 && result_.overflowLine == 0 && badPair.empty());
}

}  // namespace orniva::ui
