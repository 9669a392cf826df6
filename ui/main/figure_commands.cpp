#include "ui/main/figure_commands.h"

#include <optional>
#include <utility>

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "plot/diagram.h"
#include "render/figure_files.h"
#include "ui/shared/picture_saving.h"
#include "ui/shared/widget_parts.h"

namespace orniva::ui {

FigureCommands::FigureCommands(Window window, QMenu* file, QMenu* edit)
    : QObject(window.widget), window_(std::move(window)) {
  ActionSaveFigure = NewMenuItem(file, "ActionSaveFigure", QStringLiteral("Save &Figure As..."));
  ActionPrint = NewMenuItem(file, "ActionPrint", QStringLiteral("&Print..."));
  ActionPrint->setShortcut(QKeySequence::Print);
  ActionCopyFigure = NewMenuItem(edit, "ActionCopyFigure", QStringLiteral("&Copy Figure"));
  connect(ActionSaveFigure, &QAction::triggered, this, &FigureCommands::SaveFigureAs);
  connect(ActionPrint, &QAction::triggered, this, &FigureCommands::PrintFigure);
  connect(ActionCopyFigure, &QAction::triggered, this, &FigureCommands::CopyFigure);
}

void FigureCommands::SaveFigureAs() {
  WindowServices& services = *window_.services;
  SavePictureAs(
      services, window_.widget, PictureDialog::Figure,
      [&](const std::string& path, render::FigureFormat format) {
        const std::optional<FigureOptions> options = services.ChooseFigureOptions(
            window_.widget, options_, format == render::FigureFormat::Png,
            QFileInfo(window_.fileName()).fileName());
        if (!options) return false;
        options_ = *options;
        const Picture figure = window_.figure(options_);
        if (const auto problem = render::FigureSizeProblem(figure, options_.size, format)) {
          services.ShowMessage(window_.widget, "The figure is not saved: " + *problem + ".");
          return false;
        }
        render::SaveFigure(figure, path, format, options_.size);
        return true;
      },
      QString::fromStdString(ProposedFigureName(window_.fileName().toStdString(), window_.mode())));
}

void FigureCommands::CopyFigure() {
  const Picture figure = window_.figure(options_);
  const auto problem = render::FigureSizeProblem(figure, options_.size, render::FigureFormat::Png);
  if (problem) {
    window_.services->ShowMessage(window_.widget, "The figure is not copied: " + *problem + ".");
    return;
  }
  window_.services->CopyData(FigureMimeData(figure, options_.size));
}

void FigureCommands::PrintFigure() {
  window_.services->PrintFigure(window_.widget, window_.figure(options_), options_.size.widthMm);
}

}  // namespace orniva::ui
