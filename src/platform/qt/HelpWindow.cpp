#include "platform/qt/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace qtui {

namespace {
constexpr QSize kDesignSize(560, 480);

// The start of a span of `length` moved back into [first, first + room), the start first.
int Within(int start, int length, int first, int room) {
  return std::max(first, std::min(start, first + room - length));
}
}  // namespace

QPoint PlaceBeside(const QRect& anchor, const QSize& size, const QRect& available) {
  QPoint corner(anchor.left() + (anchor.width() - size.width()) / 2,
                anchor.top() + (anchor.height() - size.height()) / 2);
  if (anchor.right() + size.width() <= available.right()) {
    corner = QPoint(anchor.right() + 1, anchor.top());
  } else if (anchor.left() - size.width() >= available.left()) {
    corner = QPoint(anchor.left() - size.width(), anchor.top());
  }
  return {Within(corner.x(), size.width(), available.left(), available.width()),
          Within(corner.y(), size.height(), available.top(), available.height())};
}

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Help"));
  // The help window never keeps the program running on its own.
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->setOpenExternalLinks(false);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  resize(kDesignSize);
}

void HelpWindow::ShowFile(const QString& path, const QWidget* beside) {
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
  // Asked for from a modal window (F1 in the setup window), it belongs to that window, which
  // would otherwise block it: the operator could neither scroll it nor close it until the
  // modal window closed.
  const QWidget* modal = QApplication::activeModalWidget();
  winId();
  windowHandle()->setTransientParent(modal != nullptr ? modal->windowHandle() : nullptr);
  if (isVisible()) {
    raise();
  } else {
    const bool anchored = beside != nullptr && beside->isVisible();
    const QScreen* screen = anchored ? beside->screen() : QApplication::primaryScreen();
    if (screen != nullptr) {
      const QRect available = screen->availableGeometry();
      resize(kDesignSize.boundedTo(available.size()));
      const QRect anchor = anchored ? beside->frameGeometry() : available;
      move(PlaceBeside(anchor, frameGeometry().size(), available));
    }
    show();
  }
  activateWindow();
}

}  // namespace qtui
