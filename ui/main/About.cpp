#include "ui/main/About.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "orniva_version.h"
#include "ui/main/program_icons.h"

TFormAbout* FormAbout = nullptr;

namespace {
const char* const kMemoLines =
    "Orniva\nVersion " ORNIVA_VERSION "\nOrniva developers\nOrniva Structural Geology Software";
}

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormAbout"));
  setWindowTitle(QStringLiteral("Version Information"));
  setWindowIcon(orniva::ui::ProgramIcon());
  setModal(false);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);
  setFont(font);
  setFixedSize(282, 141);
  createControls();
  centreOnScreen();
}

void TFormAbout::createControls() {
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(8, 8, 32, 32);
  Image1->setPixmap(orniva::ui::ProgramIcon().pixmap(32, 32));

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(48, 8, 225, 97);
  Memo1->setPlainText(QString::fromLatin1(kMemoLines));
  Memo1->setReadOnly(true);
  Memo1->setEnabled(false);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(200, 112, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TFormAbout::Button1Click);
}

void TFormAbout::centreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TFormAbout::Button1Click() { hide(); }
