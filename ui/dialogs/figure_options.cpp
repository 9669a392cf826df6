#include "ui/dialogs/figure_options.h"

#include <algorithm>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QSpinBox>

#include "render/replay.h"
#include "ui/shared/window_services.h"

namespace orniva::ui {

QString WithFigureSuffix(const QString& path, const QString& selectedFilter) {
  if (render::FigureFormatOf(LocalPath(path))) return path;
  const qsizetype star = selectedFilter.indexOf(QStringLiteral("(*."));
  if (star < 0) return path;
  const QString suffix = selectedFilter.mid(star + 3).chopped(1);
  return path + u'.' + suffix;
}

FigureOptionsDialog::FigureOptionsDialog(const FigureOptions& options, bool raster,
                                         const QString& defaultTitle, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Figure"));
  setObjectName(QStringLiteral("FigureOptions"));
  auto* form = new QFormLayout(this);
  layout = new QCheckBox(QStringLiteral("Figure &layout: title, N, net and legend"), this);
  layout->setChecked(options.layout);
  form->addRow(layout);
  title = new QLineEdit(options.title, this);
  title->setPlaceholderText(defaultTitle);
  form->addRow(QStringLiteral("&Title:"), title);
  width = new QDoubleSpinBox(this);
  width->setRange(render::FigureSize::kMinWidthMm, render::FigureSize::kMaxWidthMm);
  width->setDecimals(1);
  width->setSuffix(QStringLiteral(" mm"));
  width->setValue(options.size.widthMm);
  form->addRow(QStringLiteral("&Width:"), width);
  dpi = new QSpinBox(this);
  dpi->setRange(render::FigureSize::kMinDpi, render::FigureSize::kMaxDpi);
  dpi->setSuffix(QStringLiteral(" dpi"));
  dpi->setValue(options.size.dpi);
  dpi->setEnabled(raster);
  form->addRow(QStringLiteral("&Resolution:"), dpi);
  auto enableTitle = [this] { title->setEnabled(layout->isChecked()); };
  connect(layout, &QCheckBox::toggled, this, enableTitle);
  enableTitle();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

FigureOptions FigureOptionsDialog::options() const {
  FigureOptions o;
  o.layout = layout->isChecked();
  o.title = title->text();
  o.size.widthMm = width->value();
  o.size.dpi = dpi->value();
  return o;
}

QMimeData* FigureMimeData(const Picture& figure, const render::FigureSize& size) {
  auto* data = new QMimeData;
  data->setImageData(render::PublicationImage(figure, size));
  const std::string svg = render::EncodeFigure(figure, render::FigureFormat::Svg, size);
  data->setData(QStringLiteral("image/svg+xml"), QByteArray(svg.data(), qsizetype(svg.size())));
  return data;
}

void PaintOnPage(const Picture& figure, double widthMm, QPrinter& printer) {
  if (!render::Paintable(figure)) return;
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double aspect = double(figure.height()) / figure.width();
  double width = widthMm / 25.4 * printer.resolution();
  width = std::min({width, page.width(), page.height() / aspect});
  const double height = width * aspect;
  const QRect target(int((page.width() - width) / 2), int((page.height() - height) / 2), int(width),
                     int(height));
  QPainter painter(&printer);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  render::PaintPicture(figure, painter, target);
}

}  // namespace orniva::ui
