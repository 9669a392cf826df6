#include "ui/dialogs/import_dialog.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "data/import_columns.h"
#include "data/import_conventions.h"

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

// The sources, each a preset's name ("" for a plain table) and its title.
const std::pair<const char*, const char*> kSources[] = {
    {"", "Table in a chosen convention"},
    {"strabo-json", "StraboSpot project (JSON)"},
    {"strabo-tsv", "StraboSpot / Stereonet Mobile export (tab-separated)"},
    {"tectostress", "TectoStress table"},
    {"fieldmove", "FieldMove project (CSV folder)"},
    {"core", "Oriented drill core (alpha, beta, gamma)"}};

// The source the text shows: JSON is a StraboSpot project, a header with
// "Trd/Strk" its tab-separated export, a FieldMove project's files by their
// names; "" for none of them.
std::string ProposedSource(const std::string& text, const std::string& path) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first != std::string::npos && (text[first] == '{' || text[first] == '['))
    return "strabo-json";
  if (text.substr(0, text.find('\n')).find("Trd/Strk") != std::string::npos) return "strabo-tsv";
  const std::string name = FileNameOf(path);
  if (name == "plane.csv" || name == "line.csv" || name == "localities.csv") return "fieldmove";
  return {};
}

QDoubleSpinBox* NewAngle(QWidget* parent, double low, double high, double value) {
  auto* box = new QDoubleSpinBox(parent);
  box->setRange(low, high);
  box->setDecimals(1);
  box->setSuffix(QStringLiteral("\u00B0"));
  box->setValue(value);
  return box;
}

QString ShownLine(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return Q(line);
}

}  // namespace

ImportDialog::ImportDialog(std::string text, const QString& source, std::string path,
                           QWidget* parent)
    : QDialog(parent), text_(std::move(text)), path_(std::move(path)) {
  setObjectName(QStringLiteral("ImportDialog"));
  setWindowTitle(QStringLiteral("Import - ") + source);
  auto* column = new QVBoxLayout(this);
  column->addLayout(makeReadingChoices());

  columnBox_ = new QGroupBox(QStringLiteral("Columns of the fields"), this);
  columnGrid_ = new QGridLayout(columnBox_);
  column->addWidget(columnBox_);

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
  proposeSource();
  showTable();
  makeColumnChoices();
  sourceChanged();
  connectChoices();
  resize(760, 720);
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
  column->addWidget(misfitBox_ = makeMisfitBox(), 1);
  auto* reportRow = new QHBoxLayout;
  report = new QPlainTextEdit(this);
  report->setObjectName(QStringLiteral("ImportReport"));
  report->setReadOnly(true);
  report->setLineWrapMode(QPlainTextEdit::NoWrap);
  report->setMaximumHeight(report->fontMetrics().height() * 6);
  copyReport = new QPushButton(QStringLiteral("&Copy Report"), this);
  connect(copyReport, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(report->toPlainText()); });
  reportRow->addWidget(report, 1);
  reportRow->addWidget(copyReport, 0, Qt::AlignTop);
  column->addLayout(reportRow);
}

// The pairs whose striation lies further from its plane than the limit:
// each is left out unless its Keep is checked.
QGroupBox* ImportDialog::makeMisfitBox() {
  auto* box = new QGroupBox(QStringLiteral("Pairs over the misfit limit"), this);
  auto* layout = new QVBoxLayout(box);
  misfits = NewTable(box);
  misfits->setObjectName(QStringLiteral("ImportMisfits"));
  misfits->setColumnCount(4);
  misfits->setHorizontalHeaderLabels({QStringLiteral("Keep"), QStringLiteral("Records"),
                                      QStringLiteral("Angle"), QStringLiteral("Data")});
  connect(misfits, &QTableWidget::cellChanged, this, &ImportDialog::misfitToggled);
  layout->addWidget(misfits);
  return box;
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
  connect(sourceChoice, &QComboBox::currentIndexChanged, this, [this] { sourceChanged(); });
  for (QDoubleSpinBox* box : {misfitLimit, holeAzimuth, holeInclination})
    connect(box, &QDoubleSpinBox::valueChanged, this, [this] { convert(); });
}

QFormLayout* ImportDialog::makeReadingChoices() {
  auto* reading = reading_ = new QFormLayout;
  makeSourceChoice();
  reading->addRow(QStringLiteral("S&ource:"), sourceChoice);
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
  makeFieldChoices();
  reading->addRow(QStringLiteral("Misfit limi&t:"), misfitLimit);
  reading->addRow(QStringLiteral("Hole &azimuth:"), holeAzimuth);
  reading->addRow(QStringLiteral("Hole i&nclination:"), holeInclination);
  return reading;
}

void ImportDialog::makeSourceChoice() {
  sourceChoice = new QComboBox(this);
  sourceChoice->setObjectName(QStringLiteral("ImportSource"));
  for (const auto& [name, title] : kSources)
    sourceChoice->addItem(QString::fromUtf8(title), QString::fromLatin1(name));
  sourceChoice->setToolTip(
      QStringLiteral("A field app's export is read with the app's columns, conventions and "
                     "words; its planes and lines are paired into faults"));
}

// The pairing's limit and the cored hole, as the presets start them.
void ImportDialog::makeFieldChoices() {
  const FieldSettings start;
  misfitLimit = NewAngle(this, 0, 90, start.misfitLimit);
  misfitLimit->setToolTip(
      QStringLiteral("A striation further from its plane is listed to keep or drop"));
  holeAzimuth = NewAngle(this, -360, 360, start.holeAzimuth);
  holeInclination = NewAngle(this, -90, 90, start.holeInclination);
  holeInclination->setToolTip(QStringLiteral("Below the horizontal; 90: a vertical hole"));
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

void ImportDialog::proposeSource() {
  const int index = sourceChoice->findData(Q(ProposedSource(text_, path_)));
  sourceChoice->setCurrentIndex(std::max(0, index));
}

bool ImportDialog::fieldSource() const { return !sourceChoice->currentData().toString().isEmpty(); }

// A plain table's choices for a table, a field app's for its export.
void ImportDialog::sourceChanged() {
  const bool field = fieldSource();
  const bool core = sourceChoice->currentData().toString() == QLatin1String("core");
  for (QWidget* tableOnly : std::initializer_list<QWidget*>{delimiter, header, plane, line})
    reading_->setRowVisible(tableOnly, !field);
  reading_->setRowVisible(misfitLimit, field);
  reading_->setRowVisible(holeAzimuth, core);
  reading_->setRowVisible(holeInclination, core);
  columnBox_->setVisible(!field);
  preview->setVisible(sourceChoice->currentData().toString() != QLatin1String("strabo-json"));
  converted->setHorizontalHeaderLabels(
      {QStringLiteral("Line"), QStringLiteral("Data"),
       field ? QStringLiteral("Records") : QStringLiteral("Problem")});
  convert();
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
  if (fieldSource())
    convertField();
  else
    convertTable();
}

// The sense codes typed and the sense of a row without one; `badPair` the
// typed code that is no CODE=LETTER, if any.
SenseMap ImportDialog::chosenSenses(std::string& badPair) const {
  SenseMap senses = SenseMap::Default();
  badPair = AddSenseCodes(senseCodes->text().trimmed().toStdString(), senses);
  senses.SetWhenMissing(missingSense->currentData().toString().toStdString());
  return senses;
}

void ImportDialog::convertTable() {
  ImportSettings settings;
  settings.plane = PlaneConvention(plane->currentData().toInt());
  settings.line = LineConvention(line->currentData().toInt());
  for (QSpinBox* box : columns)
    if (box->value() > 0) settings.columns.push_back(box->value());
  std::string badPair;
  settings.senses = chosenSenses(badPair);
  settings.decimals = decimals->value();
  result_ = ConvertTable(table_, settings);
  field_ = {};
  std::vector<std::string> lines;
  converted->setRowCount(int(result_.rows.size()));
  for (std::size_t r = 0; r < result_.rows.size(); ++r) {
    const ImportedRow& row = result_.rows[r];
    std::string problem = row.error;
    for (const std::string& warning : row.warnings)
      problem += (problem.empty() ? "" : "; ") + warning;
    if (!problem.empty()) lines.push_back("line " + std::to_string(row.line) + ": " + problem);
    SetCell(converted, int(r), 0, QString::number(row.line));
    SetCell(converted, int(r), 1, ShownLine(row.dataLine));
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
  misfitBox_->setVisible(false);
  lines.push_back(std::to_string(result_.converted) + " of " + std::to_string(result_.rows.size()) +
                  " rows converted");
  showReport(lines);
  imported_ = {result_.data, {}};
  buttons->button(QDialogButtonBox::Ok)
      ->setEnabled(result_.converted > 0 && result_.overflowLine == 0 && badPair.empty());
}

// The source converted with the preset and the dialog's choices: a
// FieldMove project from its folder, any other from the text shown.
FieldConversion ImportDialog::fieldConversion() const {
  FieldSettings settings = *FieldPreset(sourceChoice->currentData().toString().toStdString());
  std::string badPair;
  settings.senses = chosenSenses(badPair);
  settings.misfitLimit = misfitLimit->value();
  settings.holeAzimuth = holeAzimuth->value();
  settings.holeInclination = holeInclination->value();
  FieldConversion conversion;
  if (settings.format == FieldFormat::FieldMoveFolder) {
    if (!path_.empty()) return ConvertFieldSource(path_, settings);
    conversion.error =
        "a FieldMove project is read from its folder: import one of its files with File > Import";
    return conversion;
  }
  std::vector<FieldRecord> records = FieldRecordsOfText(text_, settings, conversion.error);
  if (!conversion.error.empty()) return conversion;
  return ConvertRecords(std::move(records), settings.senses, settings.misfitLimit, false);
}

void ImportDialog::convertField() {
  field_ = fieldConversion();
  result_ = {};
  for (FieldFault& fault : field_.faults)
    if (fault.overLimit) fault.keep = kept_.count(fault.where) > 0;
  showFaults();
  showMisfits();
}

// The faults with their data lines (those left out without a line), the
// summary, the report and the data handed back.
void ImportDialog::showFaults() {
  converted->setRowCount(int(field_.faults.size()));
  int line = 0;
  for (std::size_t k = 0; k < field_.faults.size(); ++k) {
    const FieldFault& fault = field_.faults[k];
    SetCell(converted, int(k), 0, fault.keep ? QString::number(++line) : QString());
    SetCell(converted, int(k), 1, ShownLine(DataLine(fault.row, decimals->value())));
    SetCell(converted, int(k), 2, Q(fault.where));
  }
  const ConversionReport counts = Summarise(field_);
  const bool fits = counts.faults <= std::size_t(FaultSet::kMaxCount);
  if (!field_.error.empty())
    summary->setText(Q(field_.error));
  else
    summary->setText(
        QStringLiteral("%1 of %2 records converted into %3 faults.%4")
            .arg(counts.converted)
            .arg(counts.records)
            .arg(counts.faults)
            .arg(fits ? QString()
                      : QStringLiteral(" A data file holds at most %1.").arg(FaultSet::kMaxCount)));
  std::vector<std::string> lines = field_.error.empty() ? ReportLines(field_, misfitLimit->value())
                                                        : std::vector<std::string>{field_.error};
  showReport(lines);
  imported_ = {DataText(field_, decimals->value()), AttributesOf(field_)};
  buttons->button(QDialogButtonBox::Ok)->setEnabled(counts.faults > 0 && fits);
}

void ImportDialog::showMisfits() {
  const QSignalBlocker quiet(misfits);
  misfits->setRowCount(0);
  for (const FieldFault& fault : field_.faults) {
    if (!fault.overLimit) continue;
    const int row = misfits->rowCount();
    misfits->insertRow(row);
    auto* keep = new QTableWidgetItem;
    keep->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    keep->setCheckState(fault.keep ? Qt::Checked : Qt::Unchecked);
    keep->setData(Qt::UserRole, Q(fault.where));
    misfits->setItem(row, 0, keep);
    SetCell(misfits, row, 1, Q(fault.where));
    SetCell(misfits, row, 2, QString::number(fault.misfit, 'f', 1) + QStringLiteral("\u00B0"));
    SetCell(misfits, row, 3, ShownLine(DataLine(fault.row, decimals->value())));
  }
  misfitBox_->setVisible(misfits->rowCount() > 0);
}

// A pair kept or dropped: the data, the lines and the report follow.
void ImportDialog::misfitToggled(int row, int column) {
  const QTableWidgetItem* keep = misfits->item(row, 0);
  if (column != 0 || !keep) return;
  const std::string where = keep->data(Qt::UserRole).toString().toStdString();
  const bool on = keep->checkState() == Qt::Checked;
  if (on)
    kept_.insert(where);
  else
    kept_.erase(where);
  for (FieldFault& fault : field_.faults)
    if (fault.overLimit && fault.where == where) fault.keep = on;
  showFaults();
}

void ImportDialog::showReport(const std::vector<std::string>& lines) {
  QString text;
  for (const std::string& line : lines) text += Q(line) + QLatin1Char('\n');
  report->setPlainText(text);
}

}  // namespace orniva::ui
