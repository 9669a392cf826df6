// The import dialog: a table of text (a file's or the clipboard's) read in
// a chosen convention, previewed, converted row by row with the problems
// beside each row, and handed back as the text of a data file. The
// conventions and columns the header's names say are chosen to begin with.
#pragma once

#include <string>
#include <vector>

#include <QDialog>
#include <QString>

#include "data/import_table.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QVBoxLayout;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace orniva::ui {

class ImportDialog : public QDialog {
  Q_OBJECT

 public:
  // `source` names where the text came from, for the caption.
  ImportDialog(std::string text, const QString& source, QWidget* parent = nullptr);

  // The rows as converted with the dialog's current choices.
  const ImportResult& result() const { return result_; }

  QComboBox* delimiter = nullptr;
  QCheckBox* header = nullptr;
  QComboBox* plane = nullptr;
  QComboBox* line = nullptr;
  QLineEdit* senseCodes = nullptr;
  QComboBox* missingSense = nullptr;  // "X", "N" ... or "skip", as SenseMap::SetWhenMissing
  QSpinBox* decimals = nullptr;       // -1: as many as read back exactly
  std::vector<QSpinBox*> columns;     // one per field of the conventions, 1-based; 0: none
  QTableWidget* preview = nullptr;
  QTableWidget* converted = nullptr;
  QLabel* summary = nullptr;
  QDialogButtonBox* buttons = nullptr;

 private:
  QFormLayout* makeReadingChoices();
  void makeConventionChoices();
  void makeSenseChoices();
  void addTables(QVBoxLayout* column);
  void connectChoices();
  void proposeConventions();  // as the header's names say, where they do
  void readTable();           // with the chosen delimiter and header, then shown
  void showTable();           // the first rows in the preview
  void makeColumnChoices();
  void convert();

  std::string text_;
  ImportTable table_;
  ImportResult result_;
  QGridLayout* columnGrid_ = nullptr;
  std::vector<QWidget*> columnWidgets_;
};

}  // namespace orniva::ui
