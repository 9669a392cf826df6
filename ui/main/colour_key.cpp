#include "ui/main/colour_key.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>

namespace orniva::ui {

namespace {

constexpr int kMargin = 6;
constexpr int kGap = 4;           // between the picture and the key, and between its parts
constexpr int kSwatchWidth = 28;  // a colour's sample
constexpr int kLeastWidth = 120;  // narrower, the key is not shown
constexpr int kMostWidth = 320;

QString RowText(const ColourKeyRow& row) {
  QString text = QString::fromStdString(row.values);
  if (!row.meaning.empty()) text += QStringLiteral(", ") + QString::fromStdString(row.meaning);
  return text;
}

}  // namespace

// A wrapped text of the key where it is drawn, after its colour's sample
// when it has one.
struct ColourKeyView::Piece {
  QRect text;
  QString words;
  std::optional<QColor> swatch;
};

ColourKeyView::ColourKeyView(QWidget* area, QWidget* picture) : QWidget(area), picture_(picture) {
  setObjectName(QStringLiteral("ColourKey"));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  auto* copy = new QAction(QStringLiteral("&Copy Key"), this);
  connect(copy, &QAction::triggered, this,
          [this] { QGuiApplication::clipboard()->setText(lines().join('\n') + '\n'); });
  addAction(copy);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  area->installEventFilter(this);
  picture->installEventFilter(this);
  hide();
}

void ColourKeyView::setKey(std::optional<ColourKey> key) {
  key_ = std::move(key);
  place();
  update();
}

QStringList ColourKeyView::lines() const {
  QStringList lines;
  if (!key_) return lines;
  if (!key_->title.empty()) lines << QString::fromStdString(key_->title);
  for (const ColourKeyRow& row : key_->rows) lines << RowText(row);
  for (const std::string& note : key_->notes) lines << QString::fromStdString(note);
  return lines;
}

std::vector<ColourKeyView::Piece> ColourKeyView::layOut(int width) const {
  std::vector<Piece> pieces;
  if (!key_) return pieces;
  const QFontMetrics metrics = fontMetrics();
  int y = kMargin;
  auto add = [&](const QString& words, int left, std::optional<QColor> swatch) {
    const int room = std::max(1, width - kMargin - left);
    QRect box = metrics.boundingRect(QRect(left, y, room, 10000), Qt::TextWordWrap, words);
    box.setWidth(room);
    pieces.push_back({box, words, swatch});
    y = box.bottom() + 1 + kGap / 2;
  };
  if (!key_->title.empty()) add(QString::fromStdString(key_->title), kMargin, std::nullopt);
  y += kGap;
  for (const ColourKeyRow& row : key_->rows)
    add(RowText(row), kMargin + kSwatchWidth + kGap,
        QColor(RedOf(row.colour), GreenOf(row.colour), BlueOf(row.colour)));
  y += kGap;
  for (const std::string& note : key_->notes)
    add(QString::fromStdString(note), kMargin, std::nullopt);
  return pieces;
}

int ColourKeyView::heightForWidth(int width) const {
  const std::vector<Piece> pieces = layOut(width);
  return pieces.empty() ? 0 : pieces.back().text.bottom() + 1 + kMargin;
}

void ColourKeyView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  for (const Piece& piece : layOut(width())) {
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(piece.text, Qt::TextWordWrap, piece.words);
    if (!piece.swatch) continue;
    const int high = fontMetrics().height() - 2;
    painter.setPen(Qt::black);
    painter.setBrush(*piece.swatch);
    painter.drawRect(kMargin, piece.text.top() + 1, kSwatchWidth, high - 1);
  }
}

bool ColourKeyView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) place();
  return QWidget::eventFilter(watched, event);
}

void ColourKeyView::place() {
  const QWidget* area = parentWidget();
  const QRect picture = picture_->geometry();
  const int right = area->width() - picture.right() - 1 - 2 * kGap;
  if (key_ && right >= kLeastWidth) {
    const int width = std::min(right, kMostWidth), height = heightForWidth(width);
    if (height <= area->height()) {
      setGeometry(picture.right() + 1 + kGap, 0, width, height);
      return show();
    }
  }
  const int width = std::min(area->width(), 2 * kMostWidth);
  const int height = heightForWidth(width);
  if (key_ && width >= kLeastWidth && height <= area->height() - picture.bottom() - 1 - kGap) {
    setGeometry(0, picture.bottom() + 1 + kGap, width, height);
    return show();
  }
  hide();
}

}  // namespace orniva::ui
