#include "platform/qt/HelpWindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace qtui {

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Help"));
  // The help window never keeps the program running on its own.
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->setOpenExternalLinks(false);
  resize(560, 480);
}

void HelpWindow::ShowFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    browser_->setPlainText(QStringLiteral("The help file %1 could not be opened.").arg(path));
  } else {
    const QString text = QString::fromUtf8(file.readAll());
    browser_->setSearchPaths({path.section(QLatin1Char('/'), 0, -2)});
    if (text.trimmed().startsWith(QLatin1Char('<'))) {
      browser_->setHtml(text);
    } else {
      browser_->setPlainText(text);
    }
  }
  if (isVisible()) {
    raise();
  } else {
    show();
  }
  activateWindow();
}

}  // namespace qtui
