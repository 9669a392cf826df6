// Small pieces several windows build alike: a named menu item, and the
// foot of a dialog whose fields are checked as the user types (the line
// that says what is wrong, over OK and Cancel).
#pragma once

#include <QAction>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>

namespace orniva::ui {

// An item appended to `menu`, its object named `name`.
inline QAction* NewMenuItem(QMenu* menu, const char* name, const QString& text) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

// The problem line and OK and Cancel, at the end of `layout`.
inline void AddCheckedFoot(QDialog* dialog, QBoxLayout* layout, QLabel*& problem,
                           QDialogButtonBox*& buttons) {
  problem = new QLabel(dialog);
  problem->setWordWrap(true);
  problem->setStyleSheet(QStringLiteral("color: #b00000"));
  layout->addWidget(problem);
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
}

}  // namespace orniva::ui
