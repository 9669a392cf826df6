// The version box: a small modeless window with the program's icon, name,
// version and producer. Created hidden at start-up, then only shown and
// hidden.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFormAbout(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;

  void Button1Click();

 private:
  void createControls();
  void centreOnScreen();
};

// The version box of the running program (set at start-up).
extern TFormAbout* FormAbout;
