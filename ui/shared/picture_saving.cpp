#include "ui/shared/picture_saving.h"

#include <optional>

#include <QFileInfo>

#include "ui/shared/window_services.h"

namespace orniva::ui {

bool SavePictureAs(
    WindowServices& services, QWidget* parent, PictureDialog dialog,
    const std::function<bool(const std::string& path, render::FigureFormat format)>& write,
    const QString& offered) {
  const bool exporting = dialog == PictureDialog::Export;
  const std::optional<QString> chosen =
      exporting ? services.SavePicture(parent) : services.SaveFigureFile(parent, offered);
  if (!chosen) return false;
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  MakeFolderCurrent(path);
  std::optional<render::FigureFormat> format = render::FigureFormatOf(LocalPath(path));
  if (exporting && PictureExtension(path) != ".emf") format.reset();
  if (!format) {
    services.ShowMessage(parent, kInvalidFormatMessage);
    return false;
  }
  try {
    return write(LocalPath(path), *format);
  } catch (const FileError& error) {
    services.ReportError(parent, error);
    return false;
  }
}

}  // namespace orniva::ui
