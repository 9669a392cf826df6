// The figure's options (layout, title, printed width, a raster's
// resolution), the small dialog that asks for them, and the figure's ways
// out of the window that are not files: the clipboard and the printer.
#pragma once

#include <QDialog>
#include <QString>

#include "picture/picture.h"
#include "render/figure_files.h"

class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QMimeData;
class QPrinter;
class QSpinBox;

namespace orniva::ui {

// Remembered by the window for the rest of the run.
struct FigureOptions {
  bool layout = true;
  QString title;  // empty: the data file's name
  render::FigureSize size;
};

// The file filters of Save Figure As, and the extension each adds to a
// name typed without a known one.
inline constexpr const char* kFigureFilters =
    "SVG images (*.svg);;PDF documents (*.pdf);;PNG images (*.png);;Enhanced metafiles (*.emf)";
// The name as the user typed it, with the filter's extension added unless
// it already ends in one of the figure formats'.
QString WithFigureSuffix(const QString& path, const QString& selectedFilter);

class FigureOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // `raster`: the resolution applies (PNG). `defaultTitle` shows where the
  // title is left empty.
  FigureOptionsDialog(const FigureOptions& options, bool raster, const QString& defaultTitle,
                      QWidget* parent = nullptr);
  FigureOptions options() const;

  QCheckBox* layout = nullptr;
  QLineEdit* title = nullptr;
  QDoubleSpinBox* width = nullptr;
  QSpinBox* dpi = nullptr;
};

// The figure for the clipboard: as PNG (an image) and as SVG.
QMimeData* FigureMimeData(const Picture& figure, const render::FigureSize& size);

// Paints the figure on the printer's page, `widthMm` wide (narrower when
// the page is), centred on the page and smoothed.
void PaintOnPage(const Picture& figure, double widthMm, QPrinter& printer);

}  // namespace orniva::ui
