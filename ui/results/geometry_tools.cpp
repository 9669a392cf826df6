#include "ui/results/geometry_tools.h"

#include <optional>
#include <utility>

#include <QAction>
#include <QFile>
#include <QMenu>

#include "analysis/rotation.h"
#include "ui/results/rotated_data_window.h"
#include "ui/results/set_bedding.h"
#include "ui/results/tilt_test_window.h"
#include "ui/shared/widget_parts.h"

namespace orniva::ui {

namespace {

template <typename ResultWindow>
ResultWindow* Present(ResultWindow* window) {
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace

GeometryTools::GeometryTools(Window window, const document::Document& document, QMenu* menu)
    : QObject(window.widget), window_(std::move(window)), document_(document) {
  ActionRotate = NewMenuItem(menu, "ActionRotate", QStringLiteral("R&otate Data..."));
  ActionBackTilt = NewMenuItem(menu, "ActionBackTilt", QStringLiteral("&Back-tilt Data..."));
  ActionTiltTest = NewMenuItem(menu, "ActionTiltTest", QStringLiteral("&Tilt Test..."));
  connect(ActionRotate, &QAction::triggered, this, &GeometryTools::RotateData);
  connect(ActionBackTilt, &QAction::triggered, this, &GeometryTools::BackTiltData);
  connect(ActionTiltTest, &QAction::triggered, this, &GeometryTools::TiltTest);
  ActionBackTiltBySet = NewMenuItem(menu, "ActionBackTiltBySet",
                                    QStringLiteral("Ba&ck-tilt by an Orientation Set..."));
  ActionTiltTestBySet = NewMenuItem(menu, "ActionTiltTestBySet",
                                    QStringLiteral("T&ilt Test by an Orientation Set..."));
  connect(ActionBackTiltBySet, &QAction::triggered, this, &GeometryTools::BackTiltBySet);
  connect(ActionTiltTestBySet, &QAction::triggered, this, &GeometryTools::TiltTestBySet);
}

void GeometryTools::BackTiltBySet() {
  const std::optional<SetBedding> set = AskSetBedding(*window_.services, window_.widget);
  if (!set) return;
  RotationChoice choice;
  choice.bedding = set->bedding;
  choice.rotation = analysis::BackTiltRotation(set->bedding, 1);
  choice.description = QStringLiteral("back-tilted by ") + set->description;
  choice.nameEnding = QStringLiteral("-back-tilted");
  ShowRotated(choice);
}

void GeometryTools::TiltTestBySet() {
  if (const std::optional<SetBedding> set = AskSetBedding(*window_.services, window_.widget))
    ShowTiltTest(set->bedding);
}

void GeometryTools::RotateData() { ask(RotationKind::AboutAxis); }
void GeometryTools::BackTiltData() { ask(RotationKind::BackTilt); }
void GeometryTools::TiltTest() { ask(RotationKind::Bedding); }

void GeometryTools::ask(RotationKind kind) {
  auto* dialog = new RotationDialog(kind, window_.widget);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog, kind] {
    const std::optional<RotationChoice> choice = dialog->choice();
    if (!choice) return;
    if (kind == RotationKind::Bedding)
      ShowTiltTest(choice->bedding);
    else
      ShowRotated(*choice);
  });
  dialog->open();
}

RotatedDataWindow* GeometryTools::ShowRotated(const RotationChoice& choice) {
  const analysis::Study& study = document_.study();
  const std::vector<bool>* use = study.InUse();
  RotatedDataWindow::Source source{QFile::decodeName(document_.fileName().c_str()), study.lines(),
                                   use ? std::optional<std::vector<bool>>(*use) : std::nullopt};
  return Present(new RotatedDataWindow(analysis::RotateData(study.data(), choice.rotation),
                                       std::move(source), choice.description, choice.nameEnding,
                                       *window_.services, window_.open, window_.widget));
}

TiltTestWindow* GeometryTools::ShowTiltTest(const analysis::Bedding& bedding) {
  auto* window = new TiltTestWindow(document_, bedding, *window_.services, window_.widget);
  window->run();
  return Present(window);
}

}  // namespace orniva::ui
