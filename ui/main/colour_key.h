// The colour key of the main window: the colour scale of the density,
// right-dihedra or tendency diagram shown, with its values and what was
// counted, in a control of its own beside the picture where the window has
// room for it, or below it. It never draws into the picture; the picture
// makes room for it only when the user asks (View > Colour Key Beside the
// Picture). Its text can be copied from its context menu.
#pragma once

#include <optional>

#include <QStringList>
#include <QWidget>

#include "plot/colour_key.h"

namespace orniva::ui {

class ColourKeyView : public QWidget {
  Q_OBJECT

 public:
  // The room the key takes beside the picture when the picture makes room.
  static constexpr int kRoomWidth = 190;

  // A key in `area` (the picture's parent) beside or below `picture`,
  // placed again whenever either changes its size.
  ColourKeyView(QWidget* area, QWidget* picture);

  // Shows `key` where there is room for it; none hides the control.
  void setKey(std::optional<ColourKey> key);
  const std::optional<ColourKey>& key() const { return key_; }
  // The key as text: the title, a line a colour ("2σ – 4σ" and what it
  // means), the notes.
  QStringList lines() const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Piece;
  std::vector<Piece> layOut(int width) const;
  // To the right of the picture where it fits, else below it, else hidden.
  void place();

  QWidget* picture_;
  std::optional<ColourKey> key_;
};

}  // namespace orniva::ui
