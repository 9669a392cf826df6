#include "render/figure_files.h"

#include <cmath>
#include <cstdio>

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/atomic_file.h"
#include "picture/emf.h"
#include "render/replay.h"

namespace orniva::render {

namespace {

constexpr double kMmPerInch = 25.4;
// The PDF's device resolution: fine enough that rounding to its dots does
// not show at any print size.
constexpr int kPdfDpi = 1200;
constexpr int kSvgDpi = 25400;

// What `write` writes to an in-memory device.
template <typename Write>
std::string Written(Write&& write) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
  }
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}

std::string Svg(const Picture& picture, const FigureSize& size) {
  return Written([&](QBuffer& buffer) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // The size in micrometres (25400 per inch): the width exactly as asked
    // to a thousandth of a millimetre. Drawing is in the picture's units.
    svg.setResolution(kSvgDpi);
    svg.setSize(QSize(int(std::lround(size.widthMm * 1000)),
                      int(std::lround(FigureHeightMm(picture, size) * 1000))));
    svg.setViewBox(QRect(0, 0, picture.width(), picture.height()));
    svg.setTitle(QStringLiteral("Orniva figure"));
    QPainter painter(&svg);
    ReplayPicture(picture, painter);
  });
}

std::string Pdf(const Picture& picture, const FigureSize& size) {
  return Written([&](QBuffer& buffer) {
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Orniva"));
    pdf.setResolution(kPdfDpi);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(size.widthMm, FigureHeightMm(picture, size)),
                              QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    QPainter painter(&pdf);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = size.widthMm / kMmPerInch * kPdfDpi / picture.width();
    painter.scale(scale, scale);
    ReplayPicture(picture, painter);
  });
}

std::string Png(const Picture& picture, const FigureSize& size) {
  return Written([&](QBuffer& buffer) { PublicationImage(picture, size).save(&buffer, "PNG"); });
}

}  // namespace

std::optional<FigureFormat> FigureFormatOf(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot))
    return std::nullopt;
  std::string ext(path.substr(dot));
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  if (ext == ".emf") return FigureFormat::Emf;
  if (ext == ".svg") return FigureFormat::Svg;
  if (ext == ".pdf") return FigureFormat::Pdf;
  if (ext == ".png") return FigureFormat::Png;
  return std::nullopt;
}

double FigureHeightMm(const Picture& picture, const FigureSize& size) {
  return size.widthMm * picture.height() / std::max(picture.width(), 1);
}

QSize RasterPixels(const Picture& picture, const FigureSize& size) {
  const double width = std::round(size.widthMm / kMmPerInch * size.dpi);
  const double height = std::round(width * picture.height() / std::max(picture.width(), 1));
  return QSize(int(std::min(width, 1e9)), int(std::min(height, 1e9)));
}

std::optional<std::string> FigureSizeProblem(const Picture& picture, const FigureSize& size,
                                             FigureFormat format) {
  char text[160];
  if (format == FigureFormat::Emf) return std::nullopt;
  if (!(size.widthMm >= FigureSize::kMinWidthMm && size.widthMm <= FigureSize::kMaxWidthMm)) {
    std::snprintf(text, sizeof text, "the width must be %g to %g mm", FigureSize::kMinWidthMm,
                  FigureSize::kMaxWidthMm);
    return text;
  }
  if (format != FigureFormat::Png) return std::nullopt;
  if (size.dpi < FigureSize::kMinDpi || size.dpi > FigureSize::kMaxDpi) {
    std::snprintf(text, sizeof text, "the resolution must be %d to %d dpi", FigureSize::kMinDpi,
                  FigureSize::kMaxDpi);
    return text;
  }
  const QSize pixels = RasterPixels(picture, size);
  if (double(pixels.width()) * pixels.height() > FigureSize::kMaxPixels) {
    std::snprintf(text, sizeof text,
                  "an image of %d x %d pixels is too large (at most %.0f million); lower the width "
                  "or the resolution",
                  pixels.width(), pixels.height(), FigureSize::kMaxPixels / 1e6);
    return text;
  }
  return std::nullopt;
}

QImage FigureImage(const Picture& picture, QSize pixels, bool antialiased) {
  QImage image(pixels, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, antialiased);
  painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
  PaintPicture(picture, painter, image.rect());
  return image;
}

QImage PublicationImage(const Picture& picture, const FigureSize& size) {
  QImage image = FigureImage(picture, RasterPixels(picture, size), true);
  const int dotsPerMetre = int(std::lround(size.dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  return image;
}

std::string EncodeFigure(const Picture& picture, FigureFormat format, const FigureSize& size) {
  switch (format) {
    case FigureFormat::Emf: {
      const std::vector<std::uint8_t> emf = EncodeEmf(picture);
      return std::string(emf.begin(), emf.end());
    }
    case FigureFormat::Svg:
      return Svg(picture, size);
    case FigureFormat::Pdf:
      return Pdf(picture, size);
    case FigureFormat::Png:
      return Png(picture, size);
  }
  return {};
}

void SaveFigure(const Picture& picture, const std::string& path, FigureFormat format,
                const FigureSize& size) {
  if (format == FigureFormat::Emf) {
    SaveEmf(picture, path);
    return;
  }
  WriteFileAtomically(path, EncodeFigure(picture, format, size));
}

}  // namespace orniva::render
