// The main window's hot spots pressed through the window system at their pixel centres, as the
// operator presses them, with the real window, views and stacking over the whole server.
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "ProgramUnderTest.h"
#include "QtTestRegistry.h"
#include "common/Form1.h"
#include "platform/qt/Screenshot.h"

namespace app_test {

namespace {
constexpr int kQuickMs = 2000;  // bound of the waits for something that follows at once

// The hot spots with the pressed picture each shows (none for Image5).
std::vector<std::pair<forms::Image*, forms::Image*>> HotSpots(pager::Form1& f) {
  return {{&f.Start, &f.imgStart}, {&f.Stop, &f.imgStop},       {&f.Shut, &f.imgShut},
          {&f.Image3, &f.imgInternet}, {&f.Image4, &f.imgSubmmit}, {&f.imgOther, &f.Image2},
          {&f.Image6, &f.imgAbout}, {&f.Image7, &f.imgSetup},    {&f.Image5, nullptr}};
}
}  // namespace

class HotSpotsTest : public QObject {
  Q_OBJECT

 private slots:
  void startAndStopRunTheServerAndKeepTheirLook() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    QVERIFY(!p.Shows(f.imgStart) && !p.Shows(f.imgStop));

    p.Click(f.Start);
    QCOMPARE(p.server->m.strServerState, std::string("RUNNING"));
    QCOMPARE(p.folder.Read("status.dat"), std::string("\"AVAILABLE\"\r\n"));
    QVERIFY(p.Shows(f.imgStart));
    QVERIFY(!p.Shows(f.imgStop));
    // The lamp runs while the server does.
    QVERIFY(QTest::qWaitFor([&] { return p.Shows(f.imgRed1) || p.Shows(f.imgred2); }, kQuickMs));

    p.Click(f.Stop);
    QCOMPARE(p.server->m.strServerState, std::string("STOP"));
    QCOMPARE(p.folder.Read("status.dat"), std::string("\"NOT AVAILABLE\"\r\n"));
    QVERIFY(p.Shows(f.imgStop));
    QVERIFY(!p.Shows(f.imgStart));
    QVERIFY(QTest::qWaitFor([&] { return !p.Shows(f.imgRed1) && !p.Shows(f.imgred2) && !p.Shows(f.imgRed3); }, kQuickMs));
    QVERIFY(p.dialogs.boxes.empty());
  }

  void shutdownIsRefusedWhileRunningAndDeclinedKeepsTheStoppedLook() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    p.Click(f.Start);
    p.Click(f.Shut);
    QCOMPARE(p.dialogs.boxes.size(), std::size_t{1});
    QCOMPARE(p.dialogs.boxes[0].prompt, std::string("Please stop the server first"));
    QCOMPARE(p.dialogs.boxes[0].title, std::string("Corvello '98"));
    QVERIFY(p.Shows(f.imgStart));
    QVERIFY(!p.Shows(f.imgShut));

    p.Click(f.Stop);
    bool shutShownAtQuestion = false;
    p.dialogs.onBox = [&](const ScriptedBoxes::Box&) { shutShownAtQuestion = p.Shows(f.imgShut); };
    p.dialogs.answers = {forms::vbNo};
    p.Click(f.Shut);
    QCOMPARE(p.dialogs.boxes.size(), std::size_t{2});
    QVERIFY(shutShownAtQuestion);
    QVERIFY(!p.Shows(f.imgShut));
    QVERIFY(p.Shows(f.imgStop));
    QVERIFY(p.windows->MainWindow().isVisible());
    QCOMPARE(p.finishedCalls, 0);
  }

  void confirmedShutdownClosesEveryWindowAndFinishes() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    p.dialogs.answers = {forms::vbYes};
    p.Click(p.server->form1.Shut);
    QCOMPARE(p.finishedCalls, 1);
    QVERIFY(!p.windows->MainWindow().isVisible());
    QVERIFY(!p.server->form1.Loaded());
    QCOMPARE(p.folder.Read("status.dat"), std::string("\"NOT AVAILABLE\"\r\n"));
  }

  // The second press lands on the hot spot although the mode's picture now lies in its place.
  void intranetModeTogglesItsPictureAndInterDat() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    QVERIFY(!p.Shows(f.imgInternet));
    p.Click(f.Image3);
    QVERIFY(p.Shows(f.imgInternet));
    QCOMPARE(p.folder.Read("Inter.dat"), std::string("\"ENABLED\"\r\n"));
    QVERIFY(QTest::qWaitFor([&] { return f.Label11.Caption.get() == "Intranet mode: Enabled"; }, kQuickMs));
    p.Click(f.Image3);
    QVERIFY(!p.Shows(f.imgInternet));
    QCOMPARE(p.folder.Read("Inter.dat"), std::string("\"DISABLED\"\r\n"));
  }

  void choosersShowTheirPictureWhileTheDialogIsOpenAndWriteThePath() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    std::vector<bool> pictureShown;
    p.dialogs.onOpen = [&] { pictureShown.push_back(p.Shows(f.imgSubmmit) || p.Shows(f.Image2)); };

    p.dialogs.chosenFiles = {"/srv/web/_private/FEEDBACK.TXT"};
    p.Click(f.Image4);
    QCOMPARE(p.dialogs.opened.back().DialogTitle, std::string("Where the messages are submitted?"));
    QCOMPARE(p.folder.Read("internet.cfg"), std::string("\"/srv/web/_private/FEEDBACK.TXT\"\r\n"));
    QVERIFY(!p.Shows(f.imgSubmmit));

    p.dialogs.chosenFiles = {"/var/spool/pages.txt"};
    p.Click(f.imgOther);
    QCOMPARE(p.dialogs.opened.back().DialogTitle, std::string("In which file messages are stored?"));
    QCOMPARE(p.folder.Read("own.cfg"), std::string("\"/var/spool/pages.txt\"\r\n"));
    QVERIFY(!p.Shows(f.Image2));

    QCOMPARE(pictureShown, (std::vector<bool>{true, true}));
  }

  void informationAndAboutBoxes() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    std::vector<bool> aboutShown;
    p.dialogs.onBox = [&](const ScriptedBoxes::Box&) { aboutShown.push_back(p.Shows(f.imgAbout)); };
    p.Click(f.Image5);
    p.Click(f.Image6);
    QCOMPARE(p.dialogs.boxes.size(), std::size_t{2});
    QCOMPARE(p.dialogs.boxes[0].title, std::string("Information"));
    QCOMPARE(p.dialogs.boxes[0].buttons, forms::vbInformation);
    QCOMPARE(p.dialogs.boxes[1].buttons, forms::vbInformation);
    QCOMPARE(aboutShown, (std::vector<bool>{false, true}));
    QVERIFY(!p.Shows(f.imgAbout));
  }

  void rightAndMiddlePressesDoNothing() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    p.dialogs.chosenFiles = {"/tmp/FEEDBACK.TXT", "/tmp/FEEDBACK.TXT"};
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
      for (const auto& [spot, picture] : HotSpots(f)) {
        p.Click(*spot, button);
        if (picture != nullptr) QVERIFY2(!p.Shows(*picture), spot->Name().c_str());
      }
    }
    QVERIFY(p.dialogs.boxes.empty());
    QVERIFY(p.dialogs.opened.empty());
    QCOMPARE(p.server->m.strServerState, std::string("STOP"));
    for (const char* file : {"status.dat", "Inter.dat", "internet.cfg", "own.cfg"}) QVERIFY2(!p.folder.Exists(file), file);
    QCOMPARE(p.server->form1.MousePointer.get(), forms::kDefaultPointer);
  }

  // Whatever pictures show, the pixel at each hot spot's centre belongs to the hot spot.
  void hotSpotsLieAboveEveryPicture() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    for (forms::Image* picture : {&f.imgStart, &f.imgStop, &f.imgShut, &f.imgInternet, &f.imgSubmmit, &f.Image2,
                                  &f.imgAbout, &f.imgSetup, &f.imgRed1, &f.imgred2, &f.imgRed3}) {
      picture->Visible = true;
    }
    for (const auto& [spot, picture] : HotSpots(f)) {
      QCOMPARE(p.windows->MainWindow().childAt(ProgramUnderTest::CentreOf(*spot)), p.ViewOf(*spot));
    }
    // And the panel lies beneath everything.
    QCOMPARE(p.windows->MainWindow().childAt(2 + 8, 2), p.ViewOf(f.Image1));
  }

  // The setup window opens modally with the Setup key shown pressed and the hourglass over the
  // main window; a real click on its Back area shows the pressed look over the area, closes the
  // window, and the main window's look returns.
  void setupHotSpotOpensTheSetupWindowUntilBackIsClicked() {
    ProgramUnderTest p;
    QVERIFY(p.ShowMainWindow());
    pager::Form1& f = p.server->form1;
    qtui::QtWindowView& setupView = p.windows->SetupWindow();
    bool exposed = false;
    bool pressedLookWhileOpen = false;
    bool backLookOnTop = false;
    QImage rendered;
    // The window opens inside the press's handler; act once it shows.
    QTimer whenOpen;
    whenOpen.setInterval(10);
    QObject::connect(&whenOpen, &QTimer::timeout, [&] {
      if (!setupView.isVisible()) return;
      whenOpen.stop();
      exposed = QTest::qWaitForWindowExposed(&setupView);
      pressedLookWhileOpen = p.Shows(f.imgSetup) && f.MousePointer.get() == forms::kHourglassPointer;
      rendered = qtui::RenderWidget(setupView);
      QWidget* back = setupView.ViewOf(p.setup->form.Image3);
      const QPoint at = back->mapTo(&setupView, back->rect().center());
      QTest::mousePress(setupView.windowHandle(), Qt::LeftButton, {}, at);
      // The pressed look lies over the Back area; the release still reaches the area.
      backLookOnTop = setupView.childAt(at) == setupView.ViewOf(p.setup->form.imgBack);
      QTest::mouseRelease(setupView.windowHandle(), Qt::LeftButton, {}, at);
    });
    whenOpen.start();
    // Should the click miss, the window is closed anyway and the test fails instead of hanging.
    QTimer::singleShot(10000, [&] { p.setup->form.Unload(); });
    p.Click(f.Image7);
    QVERIFY(exposed);
    QVERIFY(pressedLookWhileOpen);
    QVERIFY(backLookOnTop);
    QVERIFY(!p.setup->form.Loaded());
    QVERIFY(!setupView.isVisible());
    QVERIFY(!p.Shows(f.imgSetup));
    QCOMPARE(f.MousePointer.get(), forms::kDefaultPointer);
    QVERIFY(qtui::HasDrawing(rendered));
    QVERIFY(rendered.save(QStringLiteral(PAGER_BINARY_DIR "/setup.png")));
  }
};

QTUI_TEST_CLASS(HotSpotsTest)

}  // namespace app_test

#include "HotSpotsTest.moc"
