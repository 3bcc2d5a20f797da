// The help window: a top-level window titled "Help" that shows a help file. A file whose text
// begins with "<" is shown as HTML, any other as plain text; a file that cannot be read shows
// a line saying so.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace qtui {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow();

  // Loads the file and brings the window to the front.
  void ShowFile(const QString& path);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace qtui
