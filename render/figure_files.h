// The figure as a file or a raster: SVG, PDF, PNG and EMF, each the same
// recorded picture replayed onto another device, texts drawn as text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QImage>

#include "picture/picture.h"

namespace orniva::render {

enum class FigureFormat { Emf, Svg, Pdf, Png };

// The format of a file name's extension (.emf, .svg, .pdf, .png, any case).
std::optional<FigureFormat> FigureFormatOf(std::string_view path);

// The printed size of a figure: its width, and a raster's resolution.
struct FigureSize {
  static constexpr double kMinWidthMm = 10, kMaxWidthMm = 1000;
  static constexpr int kMinDpi = 72, kMaxDpi = 2400;
  // The largest raster drawn, in pixels (a 4-byte image of 200 MB).
  static constexpr double kMaxPixels = 50e6;

  double widthMm = 80;
  int dpi = 300;
};

// The figure's height in millimetres at the size's width.
double FigureHeightMm(const Picture& picture, const FigureSize& size);

// The pixel size of the figure's raster at `size`.
QSize RasterPixels(const Picture& picture, const FigureSize& size);

// Why the figure cannot be drawn at `size`: a width or resolution out of
// range, or a raster above kMaxPixels. Nothing when it can.
std::optional<std::string> FigureSizeProblem(const Picture& picture, const FigureSize& size,
                                             FigureFormat format);

// The picture replayed onto a white image of `pixels`, smoothed or not.
QImage FigureImage(const Picture& picture, QSize pixels, bool antialiased);

// The raster for publication: RasterPixels, antialiased, carrying its
// resolution.
QImage PublicationImage(const Picture& picture, const FigureSize& size);

// The whole file in `format`. The EMF is the metafile export's, whatever
// the size; SVG and PDF are `size.widthMm` wide.
std::string EncodeFigure(const Picture& picture, FigureFormat format, const FigureSize& size);

// Writes EncodeFigure to `path` without ever leaving it half written.
// Throws FileError when it cannot be written; check FigureSizeProblem first.
void SaveFigure(const Picture& picture, const std::string& path, FigureFormat format,
                const FigureSize& size);

}  // namespace orniva::render
