// Labels, frames, images and command buttons bound to their models.
#include <QPainter>
#include <QTest>

#include "QtTestRegistry.h"
#include "platform/qt/CommandButtonView.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/Screenshot.h"

namespace qtui {

namespace {
QPixmap Filled(QSize size, QColor colour) {
  QPixmap pixmap(size);
  pixmap.fill(colour);
  return pixmap;
}
}  // namespace

class ControlViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void labelTakesPlaceFontAndAlignmentFromTheDesign() {
    QWidget host;
    forms::Label label("lblStatus", {120, 6480, 6975, 255});
    label.font = {"Arial", 9.75, true};
    label.alignment = forms::Label::Align::kCenter;
    LabelView view(label, &host);
    QCOMPARE(view.geometry(), QRect(8, 432, 465, 17));
    QCOMPARE(view.font().family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(view.font().pointSizeF(), 9.75);
    QVERIFY(view.font().bold());
    QVERIFY(view.alignment() & Qt::AlignHCenter);
    QVERIFY(!view.autoFillBackground());
    forms::Label plain("Label1", {0, 0, 1500, 300});
    LabelView plainView(plain, &host);
    QCOMPARE(plainView.font().family(), QStringLiteral("Liberation Sans"));
    QVERIFY(!plainView.font().bold());
  }

  void labelCaptionChangesReachTheWidget() {
    QWidget host;
    forms::Label label("Label1", {0, 0, 3000, 1500});
    label.Caption = "Welcome";
    LabelView view(label, &host);
    QCOMPARE(view.text(), QStringLiteral("Welcome"));
    label.Caption = "OK\r\nCONNECT 2400";
    QCOMPARE(view.text(), QStringLiteral("OK\nCONNECT 2400"));
  }

  void autoSizedLabelFollowsItsTextAndTellsTheModel() {
    QWidget host;
    forms::Label label("Label2", {2280, 3480, 45, 195});
    label.autoSize = true;
    LabelView view(label, &host);
    const int emptyWidth = view.width();
    label.Caption = "Pausing: 8 seconds";
    QVERIFY(view.width() > emptyWidth + 40);
    QCOMPARE(view.pos(), QPoint(152, 232));
    QCOMPARE(label.Position().width, view.width() * 15);
    QCOMPARE(label.Position().left, 2280);
  }

  void labelClickAndHelpPointer() {
    QWidget host;
    host.resize(200, 200);
    forms::Label label("Label13", {1500, 1500, 375, 375});
    label.Caption = "?";
    label.mousePointer = 99;
    int clicks = 0;
    label.Click = [&] { ++clicks; };
    LabelView view(label, &host);
    QCOMPARE(view.cursor().shape(), Qt::WhatsThisCursor);
    QTest::mouseClick(&view, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    QTest::mouseClick(&view, Qt::RightButton);
    QCOMPARE(clicks, 1);
  }

  void imageVisibilityFollowsTheModel() {
    QWidget host;
    forms::Image image("imgStart", {480, 120, 960, 825});
    image.Visible = false;
    ImageView view(image, {}, &host);
    host.show();
    QVERIFY(!view.isVisible());
    image.Visible = true;
    QVERIFY(view.isVisible());
    image.Visible = false;
    QVERIFY(!view.isVisible());
  }

  void imageDrawsItsArtworkStretchedOrAtItsOwnSize() {
    std::vector<std::string> asked;
    ArtworkProvider artwork = [&](const std::string& name) {
      asked.push_back(name);
      return Filled({10, 10}, Qt::red);
    };
    QWidget host;
    host.resize(200, 100);
    forms::Image stretched("imgRed1", {0, 0, 900, 900});
    stretched.picture = "lamp1";
    stretched.stretch = true;
    forms::Image natural("imgStart", {900, 0, 900, 900});
    natural.picture = "start";
    forms::Image hotSpot("Start", {1800, 0, 900, 900});
    ImageView stretchedView(stretched, artwork, &host);
    ImageView naturalView(natural, artwork, &host);
    ImageView hotSpotView(hotSpot, artwork, &host);
    QCOMPARE(asked, (std::vector<std::string>{"lamp1", "start"}));
    const QImage shot = RenderWidget(host);
    QCOMPARE(shot.pixelColor(50, 50), QColor(Qt::red));   // the stretched picture fills its place
    QCOMPARE(shot.pixelColor(65, 5), QColor(Qt::red));    // the picture at its own size ...
    QVERIFY(shot.pixelColor(110, 50) != QColor(Qt::red));  // ... and beyond it the host shows
    QVERIFY(shot.pixelColor(150, 50) != QColor(Qt::red));  // a hot spot draws nothing
  }

  void hiddenButtonStaysHiddenAndAShownOneClicks() {
    QWidget host;
    forms::CommandButton hidden("Command1", {2880, 2040, 1095, 375});
    hidden.Caption = "&Start";
    hidden.Visible = false;
    int hiddenClicks = 0;
    hidden.Click = [&] { ++hiddenClicks; };
    forms::CommandButton shown("Command2", {0, 0, 1095, 375});
    shown.Caption = "&Save";
    int shownClicks = 0;
    shown.Click = [&] { ++shownClicks; };
    CommandButtonView hiddenView(hidden, &host);
    CommandButtonView shownView(shown, &host);
    host.show();
    QVERIFY(!hiddenView.isVisible());
    QCOMPARE(hiddenView.text(), QStringLiteral("&Start"));
    QTest::mouseClick(&shownView, Qt::LeftButton);
    QCOMPARE(shownClicks, 1);
    QCOMPARE(hiddenClicks, 0);
    shown.Enabled = false;
    QTest::mouseClick(&shownView, Qt::LeftButton);
    QCOMPARE(shownClicks, 1);
  }

  void aViewGoneBeforeItsModelIsForgotten() {
    QWidget host;
    forms::Label label("Label7", {0, 0, 1500, 255});
    { LabelView view(label, &host); }
    label.Caption = "12:00:00";  // must not reach the destroyed view
    label.Visible = false;
    QCOMPARE(label.Caption.get(), std::string("12:00:00"));
  }
};

QTUI_TEST_CLASS(ControlViewsTest)

}  // namespace qtui

#include "ControlViewsTest.moc"
