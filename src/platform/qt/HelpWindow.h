// The help window: a top-level window titled "Help" that shows a help file. A file whose text
// begins with "<" is shown as HTML, any other as plain text; a file that cannot be read shows
// a line saying so. Escape closes it.
//
// Each time it opens (not when it is brought to the front while open) it takes its place
// beside the window given to ShowFile: to its right, else to its left, when the screen's
// available area has room there; otherwise centred on it. It never reaches past the available
// area. Without such a window it is centred on the screen. On a display without a window
// manager (a kiosk, a virtual display) no window can be moved or closed by its frame, and
// Escape is the way to close it. Asked for while a modal window is open, it belongs to that
// window, which therefore does not block it.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace qtui {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow();

  // Loads the file, opens the window beside `beside` (may be null or hidden: centred on the
  // screen) unless it is open already, and brings it to the front.
  void ShowFile(const QString& path, const QWidget* beside = nullptr);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

// The top-left corner of a window of `size` placed beside `anchor` (both outer frames), within
// `available`: right of the anchor, else left of it, at the anchor's top; when neither side
// has room, centred on the anchor. Pushed back into `available` where it would reach past it.
QPoint PlaceBeside(const QRect& anchor, const QSize& size, const QRect& available);

}  // namespace qtui
