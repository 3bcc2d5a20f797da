// The program's windows as a whole: the splash hand-over, help from "?" and F1, captions
// reaching their widgets, and the rendered windows (written to <build>/main.png and
// <build>/splash.png).
#include <QCheckBox>
#include <QLabel>
#include <functional>
#include <initializer_list>
#include <QTest>
#include <QTextBrowser>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "ImageDifference.h"
#include "ProgramUnderTest.h"
#include "QtTestRegistry.h"
#include "platform/qt/Conversions.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/Screenshot.h"

namespace app_test {

namespace {
constexpr int kHandOverBoundMs = 6000;  // the splash hands over after two seconds
constexpr int kQuickMs = 2000;

// Starts the program as main() does and waits for the splash to hand over.
bool Boot(ProgramUnderTest& p) {
  p.server->Start();
  if (!QTest::qWaitForWindowExposed(&p.windows->SplashWindow())) return false;
  return QTest::qWaitFor([&] { return p.windows->MainWindow().isVisible(); }, kHandOverBoundMs);
}

QString HelpText(ProgramUnderTest& p) {
  qtui::HelpWindow* help = p.dialogs.OpenHelpWindow();
  return help == nullptr ? QString() : help->Browser()->toPlainText();
}

// The screen with the windows drawn at their places, the last one on top.
bool ScreenShot(const QString& path, std::initializer_list<QWidget*> windows) {
  QImage screen(QGuiApplication::primaryScreen()->geometry().size(), QImage::Format_RGB32);
  screen.fill(Qt::darkGray);
  QPainter painter(&screen);
  for (QWidget* window : windows) painter.drawImage(window->geometry().topLeft(), qtui::RenderWidget(*window));
  painter.end();
  return screen.save(path);
}

QString LabelText(ProgramUnderTest& p, const forms::Control& label) {
  return static_cast<QLabel*>(p.ViewOf(label))->text();
}
}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void splashOpensFirstWithoutFrameAndHandsOverToTheMainWindow() {
    ProgramUnderTest p;
    p.server->Start();
    qtui::QtWindowView& splash = p.windows->SplashWindow();
    QVERIFY(splash.isVisible());
    QVERIFY(!p.windows->MainWindow().isVisible());
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.size(), QSize(447, 279));
    QVERIFY(QTest::qWaitFor([&] { return p.windows->MainWindow().isVisible(); }, kHandOverBoundMs));
    QVERIFY(!splash.isVisible());
    QCOMPARE(p.windows->MainWindow().windowTitle(), QStringLiteral("Corvello '98 Enterprise Edition"));
    QCOMPARE(p.windows->MainWindow().size(), QSize(479, 454));
  }

  void helpLabelAndF1InEveryWindowOpenTheHelpFile() {
    ProgramUnderTest p;
    QVERIFY(Boot(p));
    pager::Form1& f = p.server->form1;
    p.Click(f.Label13);
    QVERIFY(HelpText(p).contains(QStringLiteral("comN")));
    p.dialogs.QuitHelp("");
    QVERIFY(HelpText(p).isEmpty());

    for (qtui::QtWindowView* window : {&p.windows->MainWindow(), &p.windows->SplashWindow(), &p.windows->SetupWindow()}) {
      QTest::keyClick(window, Qt::Key_F1);
      QVERIFY2(HelpText(p).contains(QStringLiteral("Scheadule")), qPrintable(window->objectName()));
      p.dialogs.QuitHelp("");
    }
  }

  // Help opens on the main window, wherever it stands: centred on it when the screen has no
  // room beside it (the offscreen screen has none). Escape closes it, also when F1 opened it
  // from the modal setup window. The main window with help over it is written to
  // <build>/help.png.
  void helpOpensOnTheMainWindowAndEscapeClosesIt() {
    ProgramUnderTest p;
    QVERIFY(Boot(p));
    pager::Form1& f = p.server->form1;
    f.Left = f.Left + 900;
    f.Top = f.Top + 600;
    qtui::QtWindowView& main = p.windows->MainWindow();
    p.Click(f.Label13);
    qtui::HelpWindow* help = p.dialogs.OpenHelpWindow();
    QVERIFY(help != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(help));
    const QPoint offCentre = help->frameGeometry().center() - main.frameGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    QVERIFY(ScreenShot(QStringLiteral(PAGER_BINARY_DIR "/help.png"), {&main, help}));
    QTest::keyClick(help->Browser(), Qt::Key_Escape);
    QVERIFY(p.dialogs.OpenHelpWindow() == nullptr);

    bool closedFromSetup = false;
    QTimer::singleShot(0, [&] {
      QTest::keyClick(&p.windows->SetupWindow(), Qt::Key_F1);
      qtui::HelpWindow* fromSetup = p.dialogs.OpenHelpWindow();
      if (fromSetup != nullptr && QTest::qWaitForWindowActive(fromSetup)) {
        QTest::keyClick(fromSetup->Browser(), Qt::Key_Escape);
        closedFromSetup = p.dialogs.OpenHelpWindow() == nullptr;
      }
      p.setup->form.Unload();
    });
    f.Command3.Click();
    QVERIFY(closedFromSetup);
  }

  void captionChangesReachTheirWidgets() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    QCOMPARE(LabelText(p, f.lblStatus), QStringLiteral("Corvello '98 Server is ready !!"));
    f.Label1.Caption = "OK\r\nCONNECT 9600";
    QCOMPARE(LabelText(p, f.Label1), QStringLiteral("OK\nCONNECT 9600"));
    // The status display's timers write their labels from the main window's load on.
    QVERIFY(QTest::qWaitFor([&] { return LabelText(p, f.Label10) == QStringLiteral("ID value:  0"); }, kQuickMs));
    QVERIFY(QTest::qWaitFor([&] { return LabelText(p, f.Label14) == QStringLiteral("Other File: Disabled"); }, kQuickMs));
  }

  // Every caption of every window shows whole: taking its last letter away changes the picture.
  void noCaptionIsCutOff() {
    ProgramUnderTest p;
    QVERIFY(Boot(p));
    p.setup->form.Load();
    for (QWidget* window : {&p.windows->MainWindow(), &p.windows->SplashWindow(), &p.windows->SetupWindow()}) {
      const auto check = [](QWidget* widget, const QString& caption, const std::function<void(const QString&)>& show) {
        const QString shown = caption.trimmed();
        if (shown.isEmpty()) return true;
        const QImage whole = qtui::RenderWidget(*widget);
        show(shown.chopped(1));
        const QImage cut = qtui::RenderWidget(*widget);
        show(caption);
        return !Difference(whole, cut).isEmpty();
      };
      for (QLabel* label : window->findChildren<QLabel*>()) {
        QVERIFY2(check(label, label->text(), [label](const QString& text) { label->setText(text); }),
                 qPrintable(label->objectName()));
      }
      for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
        QVERIFY2(check(box, box->text(), [box](const QString& text) { box->setText(text); }), qPrintable(box->objectName()));
      }
    }
    p.setup->form.Unload();
  }

  void windowsRenderTheirArtwork() {
    ProgramUnderTest p;
    QVERIFY(Boot(p));
    pager::Form1& f = p.server->form1;
    qtui::QtWindowView& main = p.windows->MainWindow();
    const QImage stopped = qtui::RenderWidget(main);
    QVERIFY(qtui::HasDrawing(stopped));
    QVERIFY(stopped.save(QStringLiteral(PAGER_BINARY_DIR "/main.png")));

    // Each picture changes the window at its own place only.
    for (forms::Image* picture : {&f.imgStart, &f.imgStop, &f.imgShut, &f.imgInternet, &f.imgSubmmit, &f.Image2,
                                  &f.imgAbout, &f.imgSetup, &f.imgRed1, &f.imgred2, &f.imgRed3}) {
      picture->Visible = true;
      const QRect changed = Difference(stopped, qtui::RenderWidget(main));
      picture->Visible = false;
      QVERIFY2(!changed.isEmpty(), picture->Name().c_str());
      QVERIFY2(qtui::ToPixels(picture->Position()).contains(changed), picture->Name().c_str());
    }
    // The running look, for the eye.
    f.imgStart.Visible = true;
    f.imgInternet.Visible = true;
    f.imgred2.Visible = true;
    QVERIFY(qtui::RenderWidget(main).save(QStringLiteral(PAGER_BINARY_DIR "/main-running.png")));

    qtui::QtWindowView& splash = p.windows->SplashWindow();
    const QImage splashImage = qtui::RenderWidget(splash);
    QVERIFY(qtui::HasDrawing(splashImage));
    QVERIFY(splashImage.save(QStringLiteral(PAGER_BINARY_DIR "/splash.png")));

    // The setup window, each tab in front.
    pager::frmSetup& setup = p.setup->form;
    setup.Load();
    qtui::QtWindowView& setupView = p.windows->SetupWindow();
    for (int tab : {pager::frmSetup::kModemTab, pager::frmSetup::kAdministrationTab, pager::frmSetup::kOwnSystemTab}) {
      setup.SSTab1.Tab = tab;
      const QImage tabImage = qtui::RenderWidget(setupView);
      QVERIFY(qtui::HasDrawing(tabImage));
      QVERIFY(tabImage.save(QStringLiteral(PAGER_BINARY_DIR "/setup-tab%1.png").arg(tab)));
    }
    setup.Unload();
  }
};

QTUI_TEST_CLASS(WindowsTest)

}  // namespace app_test

#include "WindowsTest.moc"
