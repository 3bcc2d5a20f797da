// A window model's view: its own state, the close box, the help key, and the binding of its
// controls with their stacking. Presses go through the window system to whatever widget lies
// under the pointer, as a real click does.
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <stdexcept>

#include "QtTestRegistry.h"
#include "platform/qt/FrameView.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/QtWindowView.h"
#include "platform/qt/TabView.h"
#include "platform/qt/TextBoxView.h"

namespace qtui {

namespace {
struct Press {
  int button;
  int shift;
  float x;
  float y;
};

// Presses and releases a button at a point of the window, through the window system.
void ClickWindowAt(QtWindowView& view, Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(view.windowHandle(), button, modifiers, at);
}

void ShowAndWait(forms::Window& window, QtWindowView& view) {
  window.Show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
}
}  // namespace

class QtWindowViewTest : public QObject {
  Q_OBJECT

 private slots:
  void windowTakesSizeCaptionPlaceAndVisibilityFromTheModel() {
    forms::Window window("Form1", 7185, 6810);
    window.Caption = "Corvello '98 Enterprise Edition";
    window.Left = 1500;
    window.Top = 3000;
    QtWindowView view(window);
    QCOMPARE(view.size(), QSize(479, 454));
    QCOMPARE(view.minimumSize(), view.maximumSize());
    QCOMPARE(view.windowTitle(), QStringLiteral("Corvello '98 Enterprise Edition"));
    QCOMPARE(view.pos(), QPoint(100, 200));
    QVERIFY(!view.isVisible());
    int loads = 0;
    window.OnLoad = [&] { ++loads; };
    window.Show();
    QVERIFY(view.isVisible());
    QCOMPARE(loads, 1);
    window.Hide();
    QVERIFY(!view.isVisible());
    QVERIFY(window.Loaded());
    // Shown by Qt code: the model is visible too.
    view.show();
    QVERIFY(window.Visible.get());
    view.hide();
    QVERIFY(!window.Visible.get());
    QCOMPARE(QtWindowView::Find(window), &view);
  }

  void closeBoxRefusedByTheQueryUnloadKeepsTheWindow() {
    forms::Window window("Form1", 3000, 3000);
    bool refuse = true;
    std::vector<int> modes;
    int unloads = 0;
    window.OnQueryUnload = [&](int& cancel, int mode) {
      modes.push_back(mode);
      if (refuse) cancel = 1;
    };
    window.OnUnload = [&](int&) { ++unloads; };
    QtWindowView view(window);
    int unloadedSignals = 0;
    connect(&view, &QtWindowView::Unloaded, this, [&] { ++unloadedSignals; });
    window.Show();
    QVERIFY(!view.close());
    QVERIFY(view.isVisible());
    QVERIFY(window.Loaded());
    QCOMPARE(unloads, 0);
    refuse = false;
    QVERIFY(view.close());
    QVERIFY(!view.isVisible());
    QVERIFY(!window.Loaded());
    QCOMPARE(unloads, 1);
    QCOMPARE(unloadedSignals, 1);
    QCOMPARE(modes, (std::vector<int>{forms::kUnloadFromControlMenu, forms::kUnloadFromControlMenu}));
  }

  void unloadingTheModelClosesTheWindow() {
    forms::Window window("frmSetup", 3000, 3000);
    QtWindowView view(window);
    int unloadedSignals = 0;
    connect(&view, &QtWindowView::Unloaded, this, [&] { ++unloadedSignals; });
    bool afterUnloadOfOthers = false;
    window.AfterUnload = [&, previous = window.AfterUnload] {
      if (previous) previous();
      afterUnloadOfOthers = true;
    };
    window.Show();
    QVERIFY(window.Unload());
    QVERIFY(!view.isVisible());
    QCOMPARE(unloadedSignals, 1);
    QVERIFY(afterUnloadOfOthers);
  }

  void mousePointerHourglassAndBack() {
    forms::Window window("Form1", 3000, 3000);
    QtWindowView view(window);
    window.MousePointer = forms::kHourglassPointer;
    QCOMPARE(view.cursor().shape(), Qt::WaitCursor);
    window.MousePointer = forms::kDefaultPointer;
    QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
  }

  void f1AnywhereInTheWindowRunsTheHelpHook() {
    forms::Window window("Form1", 3000, 3000);
    forms::TextBox box("txtInit", {0, 0, 1500, 300});
    QtWindowView view(window);
    auto* boxView = view.Add(box);
    int helps = 0;
    view.SetHelpHook([&] { ++helps; });
    window.Show();
    QTest::keyClick(boxView, Qt::Key_F1);
    QTest::keyClick(&view, Qt::Key_F1);
    QTest::keyClick(boxView, Qt::Key_A);
    QCOMPARE(helps, 2);
    QCOMPARE(box.Text.get(), std::string("a"));
  }

  void pressOnAnImageReachesItsHandlersWithButtonShiftAndTwips() {
    forms::Window window("Form1", 4500, 3000);
    forms::Image hotSpot("Start", {480, 120, 975, 855});
    std::vector<Press> downs;
    std::vector<Press> ups;
    hotSpot.MouseDown = [&](int button, int shift, float x, float y) { downs.push_back({button, shift, x, y}); };
    hotSpot.MouseUp = [&](int button, int shift, float x, float y) { ups.push_back({button, shift, x, y}); };
    QtWindowView view(window);
    ImageView* image = view.Add(hotSpot);
    ShowAndWait(window, view);
    const QPoint centre = image->geometry().center();
    const QPoint local = image->rect().center();
    ClickWindowAt(view, Qt::LeftButton, centre);
    ClickWindowAt(view, Qt::RightButton, centre, Qt::ShiftModifier);
    ClickWindowAt(view, Qt::MiddleButton, centre);
    QCOMPARE(downs.size(), 3u);
    QCOMPARE(downs[0].button, 1);
    QCOMPARE(downs[0].shift, 0);
    QCOMPARE(downs[0].x, float(local.x() * 15));
    QCOMPARE(downs[0].y, float(local.y() * 15));
    QCOMPARE(downs[1].button, 2);
    QCOMPARE(downs[1].shift, 1);
    QCOMPARE(downs[2].button, 4);
    QCOMPARE(ups.size(), 3u);
    QCOMPARE(ups[0].button, 1);
  }

  void hotSpotRaisedAboveItsShownPictureTakesThePress() {
    forms::Window window("Form1", 4500, 3000);
    forms::Image background("Image1", {0, 0, 4500, 3000});
    forms::Image hotSpot("Image3", {360, 1320, 1575, 495});
    forms::Image pressed("imgInternet", {360, 1320, 1605, 570});
    pressed.picture = "internet";
    int presses = 0;
    hotSpot.MouseDown = [&](int, int, float, float) { ++presses; };
    QtWindowView view(window, [](const std::string&) {
      QPixmap pixmap(120, 40);
      pixmap.fill(Qt::darkGreen);
      return pixmap;
    });
    // Declared as the window declares them: the pressed picture after the hot spot.
    view.Add(hotSpot);
    view.Add(pressed);
    view.Add(background);
    ShowAndWait(window, view);
    const QPoint onHotSpot = view.ViewOf(hotSpot)->geometry().center();
    ClickWindowAt(view, Qt::LeftButton, onHotSpot);
    QCOMPARE(presses, 0);  // the background lies on top of everything so far
    view.SendToBack(background);
    ClickWindowAt(view, Qt::LeftButton, onHotSpot);
    QCOMPARE(presses, 0);  // the shown picture covers the hot spot
    view.StackAbove(hotSpot, pressed);
    ClickWindowAt(view, Qt::LeftButton, onHotSpot);
    QCOMPARE(presses, 1);
    pressed.Visible = false;
    ClickWindowAt(view, Qt::LeftButton, onHotSpot);
    QCOMPARE(presses, 2);
  }

  void controlsInAFrameOrOnATabStandRelativeToIt() {
    forms::Window window("frmSetup", 9000, 6000);
    forms::Frame frame("Frame1", {1500, 1500, 3000, 1500});
    forms::Label inFrame("Label4", {150, 300, 1500, 255});
    inFrame.SetContainer(&frame);
    forms::TabControl tabs("SSTab1", {0, 3000, 9000, 3000}, {"Corvello Modem", "Administration"});
    forms::TextBox onTab("Text1", {300, 150, 1500, 300});
    onTab.SetContainer(&tabs.Page(1));
    QtWindowView view(window);
    FrameView* frameView = view.Add(frame);
    QWidget* label = view.Add(inFrame);
    TabView* tabView = view.Add(tabs);
    QWidget* text = view.Add(onTab);
    QCOMPARE(label->parentWidget(), frameView);
    QCOMPARE(label->pos(), QPoint(10, 20));
    QCOMPARE(text->parentWidget(), tabView->PageWidget(1));
    QCOMPARE(text->pos(), QPoint(20, 10));
    forms::Label orphan("Label9", {0, 0, 100, 100});
    forms::Frame notAdded("Frame2", {0, 0, 100, 100});
    orphan.SetContainer(&notAdded);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, view.Add(orphan));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, view.StackAbove(inFrame, tabs));
  }
};

QTUI_TEST_CLASS(QtWindowViewTest)

}  // namespace qtui

#include "QtWindowViewTest.moc"
