// The window of a rotated or back-tilted data set: a new data set beside
// the one loaded, never written over it. It lists the data in use (line,
// plane and striation, sense) with the loaded file's line numbers, copies
// them as tab-separated text, saves them as a new data file (each line of
// the loaded file with its datum's new values, everything else on the
// line kept) and offers the saved file to the main window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QString>
#include <QWidget>

#include "data/fault_data.h"
#include "ui/shared/window_services.h"

class QLayout;
class QPushButton;
class QTableView;

namespace orniva::ui {

// The rows of a data set, one per datum listed: line, dip direction, dip,
// trend, plunge and sense, the angles with two decimals.
class DataRowsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  DataRowsModel(const FaultSet& data, std::vector<int> lines, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  // The header and every row, tab-separated, LF after each.
  QString text() const;

 private:
  QString cell(int row, int column) const;

  const FaultSet& data_;
  std::vector<int> lines_;
};

class RotatedDataWindow : public QWidget {
  Q_OBJECT

 public:
  // Where the data came from: the loaded file, its lines and the data in
  // use (none: every datum that passed its checks).
  struct Source {
    QString path;
    std::vector<std::string> lines;
    std::optional<std::vector<bool>> use;
  };
  // `open` loads a saved file in the main window (none: not offered).
  // `nameEnding` follows the loaded file's name in the name offered.
  RotatedDataWindow(FaultSet rotated, Source source, const QString& description,
                    const QString& nameEnding, WindowServices& services,
                    std::function<void(const QString&)> open, QWidget* parent = nullptr);

  // Asks where to save and saves there; false when nothing was saved.
  bool saveAs();
  // Writes the data file at `path`; refuses the loaded file itself.
  bool saveTo(const QString& path);
  void copy() const;
  // Hands the file saved last to the main window.
  void openSaved();

  const FaultSet& data() const { return data_; }
  QTableView* table() const { return table_; }
  DataRowsModel* model() const { return model_; }
  QString savedPath() const { return saved_; }

 private:
  QLayout* newButtons();

  FaultSet data_;
  Source source_;
  QString nameEnding_;
  WindowServices& services_;
  std::function<void(const QString&)> open_;
  QString saved_;
  DataRowsModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QPushButton* openButton_ = nullptr;
};

}  // namespace orniva::ui
