// The pictures drawn in code: every name the windows use, at its design size, not blank, and
// laid out over the main window's design. The pictures are also written to <build>/artwork.
#include <QDir>
#include <QPainter>
#include <QTest>
#include <iterator>
#include <utility>

#include "ImageDifference.h"
#include "QtTestRegistry.h"
#include "app/Artwork.h"
#include "app/PanelLayout.h"
#include "common/Form1.h"
#include "platform/comm/FakeSerial.h"
#include "platform/forms/SimulatedLoop.h"
#include "platform/qt/Screenshot.h"
#include "setup/frmSetup.h"

namespace app_test {


class ArtworkTest : public QObject {
  Q_OBJECT

 private slots:
  void everyPictureHasItsDesignSizeAndADrawing() {
    const std::pair<const char*, QSize> designs[] = {
        {"panel", {466, 307}}, {"start", {64, 55}},   {"stop", {63, 55}},    {"shut", {62, 55}},
        {"internet", {107, 38}}, {"submit", {102, 36}}, {"other", {103, 36}},  {"about", {106, 38}},
        {"setup", {104, 48}},  {"lamp1", {189, 29}},  {"lamp2", {189, 27}},  {"lamp3", {186, 27}},
        {"splash", {404, 167}}, {"modem-panel", {488, 301}}, {"modem-save", {64, 54}}, {"modem-back", {66, 57}},
        {"modem-icon", {32, 32}}};
    const QString folder = QStringLiteral(PAGER_BINARY_DIR "/artwork");
    QDir().mkpath(folder);
    for (const auto& [name, size] : designs) {
      const QPixmap picture = app::Artwork(name);
      QVERIFY2(!picture.isNull(), name);
      QCOMPARE(picture.size(), size);
      QVERIFY2(qtui::HasDrawing(picture.toImage()), name);
      QVERIFY(picture.save(folder + "/" + name + ".png"));
      // Drawn once: the same picture comes back.
      QCOMPARE(app::Artwork(name).cacheKey(), picture.cacheKey());
    }
    QCOMPARE(app::ArtworkNames().size(), std::size(designs));
    QVERIFY(app::Artwork("no such picture").isNull());
  }

  void panelLayoutIsTheMainWindowsDesign() {
    forms::SimulatedLoop loop;
    pager::Form1 form(loop, std::make_shared<comm::FakeSerialBackend>());
    const app::panel::Design& d = app::panel::kDesign;
    QCOMPARE(form.Image1.Position(), d.background);
    QCOMPARE(form.imgStart.Position(), d.startKey);
    QCOMPARE(form.imgStop.Position(), d.stopKey);
    QCOMPARE(form.imgShut.Position(), d.shutKey);
    QCOMPARE(form.imgInternet.Position(), d.intranetKey);
    QCOMPARE(form.imgSubmmit.Position(), d.submitKey);
    QCOMPARE(form.Image2.Position(), d.otherKey);
    QCOMPARE(form.imgAbout.Position(), d.aboutKey);
    QCOMPARE(form.imgSetup.Position(), d.setupKey);
    QCOMPARE(form.Image5.Position(), d.lampStrip);
    QCOMPARE(form.imgRed1.Position(), d.lamps);
    QCOMPARE(form.Label1.Position(), d.terminalText);
    QCOMPARE(form.Label10.Position(), d.idValue);
    QCOMPARE(form.Label13.Position(), d.helpKey);
    QCOMPARE(app::panel::Pixels(d.background), QRect(0, 0, app::panel::kWidth, app::panel::kHeight));
  }

  void modemPanelLayoutIsTheSetupWindowsDesign() {
    dao::DBEngine engine;
    pager::frmSetup form(engine);
    const app::modem_panel::Design& d = app::modem_panel::kDesign;
    QCOMPARE(form.Image1.Position(), d.background);
    QCOMPARE(form.Image4.Position(), d.icon);
    QCOMPARE(form.imgSave.Position(), d.saveKey);
    QCOMPARE(form.Image2.Position(), d.saveKey);
    QCOMPARE(form.imgBack.Position(), d.backKey);
    QCOMPARE(form.Image3.Position(), d.backKey);
    QCOMPARE(form.chkASP.Position(), d.lastEntry);
    QCOMPARE(app::modem_panel::Pixels(d.background), QRect(0, 0, app::modem_panel::kWidth, app::modem_panel::kHeight));
  }

  // Each frame, stretched to its place as the window shows it, differs from the dark row on
  // the panel only around its own lamp: the frames' lamps lie exactly over the panel's.
  void lampFramesLightOneLampOverThePanelsDarkRow() {
    const QRect place = app::panel::Pixels(app::panel::kDesign.lamps);
    const QImage panelRow = app::Artwork("panel").toImage().copy(place);
    const char* frames[] = {"lamp1", "lamp2", "lamp3"};
    for (int lit = 1; lit <= 3; ++lit) {
      QImage shown(place.size(), QImage::Format_ARGB32);
      shown.fill(Qt::transparent);
      {
        QPainter painter(&shown);
        painter.drawImage(QPoint(0, 0), panelRow);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(shown.rect(), app::Artwork(frames[lit - 1]));
      }
      const QRect changed = Difference(shown, panelRow);
      QVERIFY2(!changed.isEmpty(), frames[lit - 1]);
      const int third = place.width() / 3;
      QVERIFY2(changed.left() >= (lit - 1) * third - 1 && changed.right() <= lit * third + 1, frames[lit - 1]);
    }
  }
};

QTUI_TEST_CLASS(ArtworkTest)

}  // namespace app_test

#include "ArtworkTest.moc"
