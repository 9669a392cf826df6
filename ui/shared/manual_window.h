// The manual shipped with the program, in a help window of its own: its
// pages are compiled in as resources (":/manual/NAME.html") and shown by a
// text browser that follows their links, with Back, Forward and Contents.
// Help > Contents opens the index; a results window opens the page that
// tells of what it shows, through ShowManualPage.
#pragma once

#include <string_view>

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolBar;

namespace orniva::ui {

class WindowServices;

// The resource path of manual page `page` (":/manual/density.html").
QString ManualPagePath(std::string_view page);

// Shows `page` of the manual ("density.html", plot/manual_pages.h), asked
// for by `parent`, through the window's services.
void ShowManualPage(WindowServices& services, QWidget* parent, std::string_view page);

// The help window: one page of the manual at a time, titled by it.
class ManualWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ManualWindow(QWidget* parent = nullptr);

  // Shows `page` (a name of plot/manual_pages.h) and brings the window up.
  void ShowPage(std::string_view page);
  // The URL of the page shown ("qrc:/manual/index.html").
  QUrl source() const;

  QTextBrowser* Browser1 = nullptr;
  QToolBar* ToolBar1 = nullptr;
};

}  // namespace orniva::ui
