// Rendering a bound window offscreen into a PNG file.
#include <QTemporaryDir>
#include <QTest>

#include "QtTestRegistry.h"
#include "platform/qt/QtWindowView.h"
#include "platform/qt/Screenshot.h"

namespace qtui {

class ScreenshotTest : public QObject {
  Q_OBJECT

 private slots:
  void renderedWindowIsNotBlank() {
    forms::Window window("Form1", 3000, 2000);
    forms::Image panel("Image1", {150, 150, 1500, 1500});
    panel.picture = "panel";
    forms::Label status("lblStatus", {1800, 150, 1200, 300});
    status.Caption = "Ready";
    QtWindowView view(window, [](const std::string&) {
      QPixmap pixmap(100, 100);
      pixmap.fill(QColor(30, 60, 120));
      return pixmap;
    });
    view.Add(panel);
    view.Add(status);
    window.Show();
    QTemporaryDir folder;
    const QString path = folder.filePath("Form1.png");
    QVERIFY(SaveScreenshot(view, path));
    const QImage saved(path);
    QCOMPARE(saved.size(), QSize(200, 133));
    QVERIFY(HasDrawing(saved));
    QCOMPARE(saved.pixelColor(50, 50), QColor(30, 60, 120));
    QImage blank(40, 30, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QVERIFY(!HasDrawing(blank));
  }
};

QTUI_TEST_CLASS(ScreenshotTest)

}  // namespace qtui

#include "ScreenshotTest.moc"
