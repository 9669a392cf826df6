// The one selection of data, shared by the net, the data table and the
// commands on it; and the helper the main window owns for it: the select
// mode of the picture (a click picks the nearest datum, a drag a lasso;
// Shift adds, Ctrl removes), the Select menu (a window of trend and plunge,
// a cone, all, none; switch off or on, a new phase, copy), the rings that
// mark the selection on the diagram, and the readout of the point under
// the cursor in the status bar.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <QObject>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include "analysis/geometry.h"
#include "document/document.h"
#include "plot/figures.h"
#include "plot/net.h"
#include "plot/plot_mode.h"
#include "ui/shared/net_picking.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace orniva::ui {

class PictureView;
class WindowServices;

// The selected data by line, ascending. Emptied when the data change
// (their lines may mean other data then).
class DataSelection : public QObject {
  Q_OBJECT

 public:
  explicit DataSelection(const document::Document& document, QObject* parent = nullptr);
  ~DataSelection() override;

  const std::vector<int>& lines() const { return lines_; }
  bool empty() const { return lines_.empty(); }
  // `picked` (any order, repeats allowed) replaces, joins or leaves the
  // selection; `changed` when it changed.
  void Change(std::vector<int> picked, SelectionChange how);

 signals:
  void changed();

 private:
  const document::Document& document_;
  std::vector<int> lines_;
  int count_ = 0;  // the data's count when last told
  int listener_ = 0;
};

// A new phase the user names, with `lines` put in it, as one step; false
// when the user cancels.
bool NewPhaseOf(document::Document& document, WindowServices& services, QWidget* parent,
                const std::vector<int>& lines);

class SelectionCommands : public QObject {
  Q_OBJECT

 public:
  struct Window {
    QWidget* widget = nullptr;
    WindowServices* services = nullptr;
    PictureView* view = nullptr;
    QLabel* readout = nullptr;  // the status bar's panel for the point under the cursor
    QLabel* count = nullptr;    // its panel "N selected", hidden while none is
    std::function<PlotMode()> mode;
    std::function<const NetGeometry&()> geometry;
    std::function<const DiagramFigures&()> figures;  // of the diagram drawn
  };

  // The Select menu before `before` in `menuBar`; the select tool at the
  // end of `toolBar`.
  SelectionCommands(Window window, document::Document& document, DataSelection& selection,
                    QMenuBar* menuBar, QAction* before, QToolBar* toolBar);

  // The diagram was drawn again: the rings follow its points.
  void Redrawn();
  void PickAt(QPointF point, SelectionChange how);
  void Lasso(const QPolygonF& path, SelectionChange how);
  // "Line 045/32  Plane 225/58  Nearest: line 17" for the point under the
  // cursor, as far as it applies to the diagram.
  QString ReadoutAt(QPointF point);
  void SelectInWindow(SelectionChange how);
  void SelectInCone(SelectionChange how);
  void CopySelection() const;
  // "N selected" in the status bar, shown only while the selection holds data.
  void ShowCount();

  QMenu* Select1 = nullptr;
  QAction* ActionSelectMode = nullptr;

 private:
  void createMenu(QMenuBar* menuBar, QAction* before);
  template <typename Read, typename Pick>
  void selectByText(const QString& label, const QString& initial, const std::string& shape,
                    Read read, Pick pick, SelectionChange how);
  // The points of the data on the diagram drawn, made again only when it
  // changed.
  const std::vector<analysis::ProjectedDatum>& points();

  const analysis::Study& study() const { return document_.study(); }

  Window window_;
  document::Document& document_;
  DataSelection& selection_;
  std::vector<analysis::ProjectedDatum> points_;
  using PointsKey =
      std::tuple<std::uint64_t, std::uint64_t, PlotMode, NetKind, Hemisphere, std::int16_t>;
  std::optional<PointsKey> pointsKey_;
};

}  // namespace orniva::ui
