// The import dialog: a table of text (a file's or the clipboard's) read in
// a chosen convention, or a field app's export read with its preset,
// previewed, converted with the problems beside each row, and handed back
// as the text of a data file with what the source recorded of each line.
// The conventions and columns the header's names say are chosen to begin
// with; the source, where the text shows which app wrote it. A field app's
// planes and lines are paired into faults; a pair further apart than the
// misfit limit is listed to keep or drop, and the conversion's report
// (each record left out with its reason, "k of n rows converted") can be
// copied.
#pragma once

#include <set>
#include <string>
#include <vector>

#include <QDialog>
#include <QString>

#include "data/field_presets.h"
#include "data/import_table.h"
#include "ui/shared/window_services.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QFormLayout;
class QGroupBox;
class QVBoxLayout;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace orniva::ui {

class ImportDialog : public QDialog {
  Q_OBJECT

 public:
  // `source` names where the text came from, for the caption; `path` is
  // the file it was read from ("" for the clipboard): a FieldMove project
  // is read from the folder beside it.
  ImportDialog(std::string text, const QString& source, std::string path = {},
               QWidget* parent = nullptr);

  // The rows of a plain table as converted with the dialog's current choices.
  const ImportResult& result() const { return result_; }
  // A field app's source as converted (with the pairs kept); empty for a table.
  const FieldConversion& fieldResult() const { return field_; }
  // The data file's text and its lines' attributes, as the dialog shows them.
  const ImportedData& imported() const { return imported_; }

  QComboBox* sourceChoice = nullptr;  // "": the plain table; else a preset's name
  QComboBox* delimiter = nullptr;
  QCheckBox* header = nullptr;
  QComboBox* plane = nullptr;
  QComboBox* line = nullptr;
  QLineEdit* senseCodes = nullptr;
  QComboBox* missingSense = nullptr;  // "X", "N" ... or "skip", as SenseMap::SetWhenMissing
  QSpinBox* decimals = nullptr;       // -1: as many as read back exactly
  QDoubleSpinBox* misfitLimit = nullptr;
  QDoubleSpinBox* holeAzimuth = nullptr;
  QDoubleSpinBox* holeInclination = nullptr;
  std::vector<QSpinBox*> columns;  // one per field of the conventions, 1-based; 0: none
  QTableWidget* preview = nullptr;
  QTableWidget* converted = nullptr;
  QTableWidget* misfits = nullptr;  // the pairs over the limit, each with Keep to check
  QPlainTextEdit* report = nullptr;
  QPushButton* copyReport = nullptr;
  QLabel* summary = nullptr;
  QDialogButtonBox* buttons = nullptr;

 private:
  QFormLayout* makeReadingChoices();
  void makeSourceChoice();
  void makeConventionChoices();
  void makeSenseChoices();
  void makeFieldChoices();
  void addTables(QVBoxLayout* column);
  QGroupBox* makeMisfitBox();
  void connectChoices();
  void proposeConventions();  // as the header's names say, where they do
  void proposeSource();       // as the text and the file's name say, where they do
  void readTable();           // with the chosen delimiter and header, then shown
  void showTable();           // the first rows in the preview
  void makeColumnChoices();
  void sourceChanged();  // the choices of the source shown, the others hidden
  void convert();
  void convertTable();
  void convertField();
  FieldConversion fieldConversion() const;
  SenseMap chosenSenses(std::string& badPair) const;
  void showFaults();
  void showMisfits();
  void misfitToggled(int row, int column);
  void showReport(const std::vector<std::string>& lines);
  bool fieldSource() const;

  std::string text_, path_;
  ImportTable table_;
  ImportResult result_;
  FieldConversion field_;
  ImportedData imported_;
  std::set<std::string> kept_;  // the pairs over the limit the user keeps, by their records
  QFormLayout* reading_ = nullptr;
  QGroupBox* columnBox_ = nullptr;
  QGroupBox* misfitBox_ = nullptr;
  QGridLayout* columnGrid_ = nullptr;
  std::vector<QWidget*> columnWidgets_;
};

}  // namespace orniva::ui
