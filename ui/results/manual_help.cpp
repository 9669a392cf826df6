#include "ui/results/manual_help.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

namespace orniva::ui {

namespace {

// The window's property that names its page.
constexpr const char* kPageProperty = "manualPage";

}  // namespace

QPushButton* NewHelpButton(QWidget* window, WindowServices& services, std::string_view page) {
  SetManualPage(window, page);
  auto* button = new QPushButton(QStringLiteral("&Help"), window);
  button->setObjectName(QStringLiteral("HelpButton"));
  button->setToolTip(QStringLiteral("The manual's page of this window (F1)"));
  const auto show = [window, &services] { ShowManualPage(services, window, ManualPageOf(window)); };
  QObject::connect(button, &QPushButton::clicked, window, show);
  auto* f1 = new QShortcut(QKeySequence::HelpContents, window);
  f1->setContext(Qt::WindowShortcut);
  QObject::connect(f1, &QShortcut::activated, window, show);
  return button;
}

void SetManualPage(QWidget* window, std::string_view page) {
  window->setProperty(kPageProperty, QString::fromUtf8(page.data(), qsizetype(page.size())));
}

std::string ManualPageOf(const QWidget* window) {
  return window->property(kPageProperty).toString().toStdString();
}

}  // namespace orniva::ui
