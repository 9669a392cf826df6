#include "render/replay.h"

#include <algorithm>
#include <optional>
#include <thread>

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>

#include "platform/graphics.h"
#include "platform/threads.h"
#include "render/pixel_stroker.h"

namespace orniva::render {
namespace {

QColor ToQColor(std::int32_t colour) {
  const auto c = TColor(colour);
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// Pen and brush as the recording canvas sets them: a fresh canvas draws with
// a black pen of width 1 and a white brush. Lines end and join round.
struct ReplayState {
  QPen pen{QBrush(Qt::black), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
  QBrush brush{Qt::white};
  QPoint position;
  TColor colour = 0;                        // the pen's
  TColor brushColour = Rgb(255, 255, 255);  // the brush's
  // Strokes lines itself where it draws as the painter would (see there).
  std::optional<PixelStroker> stroker;
};

QFont TextFont(std::int32_t height) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(height, 1));
  return font;
}

void DrawText(const TextItem& text, QPoint anchor, const ReplayState& s, QPainter& painter) {
  const QFont font = TextFont(text.height);
  const QString string = QString::fromUtf8(text.utf8.data(), qsizetype(text.utf8.size()));
  const qreal width = QFontMetricsF(font, painter.device()).horizontalAdvance(string);
  const qreal shift = text.anchor == TextAnchor::Centre  ? width / 2
                      : text.anchor == TextAnchor::Right ? width
                                                         : 0;
  painter.setFont(font);
  painter.setPen(QPen(s.pen.color()));
  painter.drawText(QPointF(anchor.x() - shift, anchor.y()), string);
}

void Replay(const Picture& picture, const DrawRecord& r, ReplayState& s, QPainter& painter) {
  switch (r.op) {
    case DrawOp::PenWidth:
      s.pen.setWidth(r.a);
      break;
    case DrawOp::PenColour:
      s.pen.setColor(ToQColor(r.a));
      s.colour = TColor(r.a);
      break;
    case DrawOp::BrushColour:
      s.brush.setColor(ToQColor(r.a));
      s.brushColour = TColor(r.a);
      break;
    case DrawOp::FillRect:
      painter.fillRect(QRect(r.a, r.b, r.c - r.a, r.d - r.b), s.brush);
      break;
    case DrawOp::Ellipse:
      if (s.stroker) {
        s.stroker->Ellipse(r.a, r.b, r.c, r.d, s.pen.widthF(), s.colour, s.brushColour);
        break;
      }
      painter.setPen(s.pen);
      painter.setBrush(s.brush);
      painter.drawEllipse(QRect(r.a, r.b, r.c - r.a, r.d - r.b));
      break;
    case DrawOp::MoveTo:
      s.position = QPoint(r.a, r.b);
      break;
    case DrawOp::LineTo:
      if (s.stroker) {
        const TPoint line[] = {{s.position.x(), s.position.y()}, {r.a, r.b}};
        s.stroker->Polyline(line, 2, s.pen.widthF(), s.colour);
      } else {
        painter.setPen(s.pen);
        painter.drawLine(s.position, QPoint(r.a, r.b));
      }
      s.position = QPoint(r.a, r.b);
      break;
    case DrawOp::Polyline: {
      const TPoint* points = picture.PolylinePoints(r);
      if (s.stroker) {
        s.stroker->Polyline(points, r.b, s.pen.widthF(), s.colour);
        break;
      }
      painter.setPen(s.pen);
      if (const FinePoint* fine = picture.FinePointsOf(r)) {
        QPolygonF curve(r.b);
        for (int i = 0; i < r.b; ++i)
          curve[i] = QPointF(double(fine[i].x) / kFineUnits, double(fine[i].y) / kFineUnits);
        painter.drawPolyline(curve);
        break;
      }
      QPolygon polygon(r.b);
      for (int i = 0; i < r.b; ++i) polygon[i] = QPoint(points[i].x, points[i].y);
      painter.drawPolyline(polygon);
      break;
    }
    case DrawOp::Polygon: {
      const TPoint* points = picture.PolylinePoints(r);
      QPolygon polygon(r.b);
      for (int i = 0; i < r.b; ++i) polygon[i] = QPoint(points[i].x, points[i].y);
      painter.setPen(s.pen);
      painter.setBrush(s.brush);
      painter.drawPolygon(polygon);
      break;
    }
    case DrawOp::Text:
      if (r.a >= 0 && std::size_t(r.a) < picture.texts().size())
        DrawText(picture.texts()[std::size_t(r.a)], QPoint(r.b, r.c), s, painter);
      break;
  }
}

}  // namespace

void ReplayRecords(const Picture& picture, std::size_t begin, std::size_t end,
                   const std::vector<bool>* skip, QPainter& painter) {
  ReplayState state;
  state.stroker = PixelStroker::For(painter);
  const std::vector<DrawRecord>& records = picture.records();
  for (std::size_t i = begin; i < end && i < records.size(); ++i)
    if (!skip || !(*skip)[i]) Replay(picture, records[i], state, painter);
}

void FitToTarget(const Picture& picture, QPainter& painter, const QRect& target) {
  painter.setClipRect(target);
  painter.translate(target.topLeft());
  painter.scale(double(target.width()) / picture.width(),
                double(target.height()) / picture.height());
}

bool Paintable(const Picture& picture) {
  return !picture.empty() && picture.width() > 0 && picture.height() > 0;
}

void ReplayPicture(const Picture& picture, QPainter& painter) {
  ReplayRecords(picture, 0, picture.records().size(), nullptr, painter);
}

void PaintPicture(const Picture& picture, QPainter& painter, const QRect& target) {
  if (!Paintable(picture)) return;
  painter.save();
  FitToTarget(picture, painter, target);
  ReplayPicture(picture, painter);
  painter.restore();
}

// Each band paints on an image of its own over the whole image's pixels,
// limited to its rows by the system clip (in device pixels): every band
// maps the picture exactly as the whole image does, so that the pixels of
// a line or a shape crossing a seam round alike on both sides of it. A
// band moved to its own origin would round differently.
QImage RasterImage(const Picture& picture, QSize pixels, qreal ratio, const QRect& logical,
                   const std::vector<bool>* skip, int bands) {
  QImage image(pixels, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  if (!Paintable(picture) || image.isNull()) return image;
  bands = std::clamp(bands, 1, std::max(1, pixels.height()));
  auto paint = [&](QImage& target) {
    QPainter painter(&target);
    FitToTarget(picture, painter, logical);
    ReplayRecords(picture, 0, picture.records().size(), skip, painter);
  };
  if (bands == 1) {
    paint(image);
    return image;
  }
  uchar* const bits = image.bits();  // detached here, before any band writes
  const qsizetype bytesPerLine = image.bytesPerLine();
  std::vector<QImage> views(static_cast<std::size_t>(bands));
  std::vector<std::thread> threads;
  threads.reserve(std::size_t(bands));  // no reallocation while threads run
  for (int k = 0; k < bands; ++k) {
    const int top = pixels.height() * k / bands, bottom = pixels.height() * (k + 1) / bands;
    QImage& view = views[std::size_t(k)];
    view = QImage(bits, pixels.width(), pixels.height(), bytesPerLine, QImage::Format_RGB32);
    view.setDevicePixelRatio(ratio);
    view.paintEngine()->setSystemClip(QRegion(0, top, pixels.width(), bottom - top));
    threads.push_back(StartOrRun([&paint, &view] { paint(view); }));
  }
  for (std::thread& thread : threads)
    if (thread.joinable()) thread.join();
  return image;
}

std::vector<bool> RecordsInRepeatedRuns(const Picture& picture) {
  std::vector<bool> inRun;
  if (picture.repeats().empty()) return inRun;
  inRun.assign(picture.records().size(), false);
  for (const RepeatedRun& run : picture.repeats())
    for (std::size_t i = run.begin; i < run.begin + run.length && i < inRun.size(); ++i)
      inRun[i] = true;
  return inRun;
}

}  // namespace orniva::render
