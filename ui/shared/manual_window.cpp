#include "ui/shared/manual_window.h"

#include <string>

#include <QAction>
#include <QFile>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "plot/manual_pages.h"
#include "ui/shared/window_services.h"

// The resources of a static library are registered by name, outside any
// namespace; once is enough.
static void RegisterManualResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(manual);
    return true;
  }();
  (void)registered;
}

namespace orniva::ui {

QString ManualPagePath(std::string_view page) {
  RegisterManualResources();
  return QStringLiteral(":/manual/") + QString::fromUtf8(page.data(), qsizetype(page.size()));
}

void ShowManualPage(WindowServices& services, QWidget* parent, std::string_view page) {
  services.ShowManual(parent, QString::fromUtf8(page.data(), qsizetype(page.size())));
}

ManualWindow::ManualWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  RegisterManualResources();
  setObjectName(QStringLiteral("ManualWindow"));
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  ToolBar1 = new QToolBar(this);
  Browser1 = new QTextBrowser(this);
  Browser1->setObjectName(QStringLiteral("Browser1"));
  Browser1->setOpenExternalLinks(true);  // a source's web address, in the desktop's browser
  Browser1->document()->setDocumentMargin(12);
  QAction* back = ToolBar1->addAction(QStringLiteral("&Back"), Browser1, &QTextBrowser::backward);
  QAction* forward =
      ToolBar1->addAction(QStringLiteral("&Forward"), Browser1, &QTextBrowser::forward);
  ToolBar1->addAction(QStringLiteral("&Contents"), this, [this] { ShowPage(kManualIndex); });
  back->setShortcut(QKeySequence::Back);
  forward->setShortcut(QKeySequence::Forward);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(Browser1, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(Browser1, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  connect(Browser1, &QTextBrowser::sourceChanged, this,
          [this] { setWindowTitle(Browser1->documentTitle()); });
  column->addWidget(ToolBar1);
  column->addWidget(Browser1, 1);
  resize(760, 640);
}

void ManualWindow::ShowPage(std::string_view page) {
  Browser1->setSource(QUrl(QStringLiteral("qrc") + ManualPagePath(page)));
  show();
  raise();
  activateWindow();
}

QUrl ManualWindow::source() const { return Browser1->source(); }

}  // namespace orniva::ui
