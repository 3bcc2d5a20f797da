// The pictures drawn in code: every name the windows use, at its design size, not blank, and
// drawn so that the windows' pictures and controls fall on their places. The pictures are also
// written to <build>/artwork.
#include <QDir>
#include <QPainter>
#include <QTest>
#include <iterator>
#include <utility>

#include "ImageDifference.h"
#include "QtTestRegistry.h"
#include "app/Artwork.h"
#include "app/KeyArtwork.h"
#include "app/PanelLayout.h"
#include "common/Form1.h"
#include "platform/comm/FakeSerial.h"
#include "platform/forms/SimulatedLoop.h"
#include "platform/qt/Conversions.h"
#include "platform/qt/Screenshot.h"
#include "setup/frmSetup.h"

namespace app_test {

namespace {
// A control's place in pixels of the picture that `background` shows.
QRect PlaceOn(const forms::Image& background, const forms::Image& control) {
  const QRect picture = qtui::ToPixels(background.Position());
  return qtui::ToPixels(control.Position()).translated(-picture.topLeft());
}

// True when `key`, drawn raised at `place`, is what the picture already shows there: drawn
// again, only the edge of its shadow darkens (a key one pixel off changes a fifth of its place).
bool KeyLiesAt(const QPixmap& picture, app::art::Key key, const QRect& place) {
  const QImage shown = picture.toImage();
  QImage drawn = shown;
  {
    QPainter painter(&drawn);
    app::art::DrawKey(painter, key, QRectF(place), false);
  }
  return DifferingPixels(shown, drawn) * 20 < place.width() * place.height();
}
}  // namespace

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

  // The panels draw each key raised where the window shows its pressed picture, so that the
  // picture covers exactly its key: the key drawn again at the picture's place adds nothing.
  void eachKeyIsDrawnUnderItsPressedPicture() {
    forms::SimulatedLoop loop;
    pager::Form1 main(loop, std::make_shared<comm::FakeSerialBackend>());
    using app::art::Key;
    const std::pair<const forms::Image*, Key> mainKeys[] = {
        {&main.imgStart, Key::kStart},       {&main.imgStop, Key::kStop},         {&main.imgShut, Key::kShutdown},
        {&main.imgInternet, Key::kIntranet}, {&main.imgSubmmit, Key::kSubmissions}, {&main.Image2, Key::kOtherFile},
        {&main.imgAbout, Key::kAbout},       {&main.imgSetup, Key::kSetup}};
    for (const auto& [pressed, key] : mainKeys) {
      QVERIFY2(KeyLiesAt(app::Artwork("panel"), key, PlaceOn(main.Image1, *pressed)), pressed->Name().c_str());
    }
    dao::DBEngine engine;
    pager::frmSetup setup(engine);
    QVERIFY(KeyLiesAt(app::Artwork("modem-panel"), Key::kSave, PlaceOn(setup.Image1, setup.imgSave)));
    QVERIFY(KeyLiesAt(app::Artwork("modem-panel"), Key::kBack, PlaceOn(setup.Image1, setup.imgBack)));
  }

  // The modem tab's icon stands on the panel picture: nothing the picture draws lies under it.
  void theModemPanelLeavesTheIconsPlaceBlank() {
    dao::DBEngine engine;
    pager::frmSetup setup(engine);
    const QImage under = app::Artwork("modem-panel").toImage().copy(PlaceOn(setup.Image1, setup.Image4));
    for (int y = 0; y < under.height(); ++y) {
      for (int x = 0; x < under.width(); ++x) {
        const QRgb pixel = under.pixel(x, y);
        QVERIFY2(qMin(qRed(pixel), qMin(qGreen(pixel), qBlue(pixel))) > 0xc0,
                 qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
      }
    }
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
