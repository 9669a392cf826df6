// The one flow that saves a picture to a file the user chooses, for Export
// Image, Save Figure As and the tilt test's chart: the file asked for, its
// folder made the current one, a name whose extension is not a format
// offered refused with the message below, then the file written, a file
// that cannot be written reported with the system's reason.
#pragma once

#include <functional>
#include <string>

#include <QString>

#include "render/figure_files.h"

class QWidget;

namespace orniva::ui {

class WindowServices;

inline constexpr const char* kInvalidFormatMessage =
    "Invalid graphic format specified.\r\nImage is not saved.";

// Which dialog asks, and so which formats are offered: Export Image's
// (enhanced metafiles only) or the figure's (EMF, SVG, PDF, PNG).
enum class PictureDialog { Export, Figure };

// Asks where to save; `write` writes the file at the chosen path (the file
// system's encoding) in the format of its name, and may stop early (an
// option dialog cancelled, a message shown) by returning false; it throws
// FileError when the file cannot be written. True when a file was written.
// The figure's dialog proposes the name `offered` (none: an empty name).
bool SavePictureAs(
    WindowServices& services, QWidget* parent, PictureDialog dialog,
    const std::function<bool(const std::string& path, render::FigureFormat format)>& write,
    const QString& offered = QString());

}  // namespace orniva::ui
