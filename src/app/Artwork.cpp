#include "app/Artwork.h"

#include <QCoreApplication>
#include <functional>
#include <map>
#include <unordered_map>

#include "app/KeyArtwork.h"
#include "app/LampArtwork.h"
#include "app/PanelArtwork.h"
#include "app/PanelLayout.h"
#include "app/SetupArtwork.h"
#include "app/SplashArtwork.h"

namespace app {

namespace {
using Drawing = std::function<QPixmap()>;

Drawing PressedKey(art::Key key, int width, int height) {
  return [=] { return art::PressedKeyPicture(key, width, height); };
}

Drawing LampFrame(int lit, int width, int height) {
  return [=] { return art::LampFramePicture(lit, width, height, panel::Pixels(panel::kDesign.lamps).size()); };
}

const std::map<std::string, Drawing>& Drawings() {
  static const std::map<std::string, Drawing> drawings{
      {"panel", art::PanelPicture},
      {"start", PressedKey(art::Key::kStart, 64, 55)},
      {"stop", PressedKey(art::Key::kStop, 63, 55)},
      {"shut", PressedKey(art::Key::kShutdown, 62, 55)},
      {"internet", PressedKey(art::Key::kIntranet, 107, 38)},
      {"submit", PressedKey(art::Key::kSubmissions, 102, 36)},
      {"other", PressedKey(art::Key::kOtherFile, 103, 36)},
      {"about", PressedKey(art::Key::kAbout, 106, 38)},
      {"setup", PressedKey(art::Key::kSetup, 104, 48)},
      {"lamp1", LampFrame(1, 189, 29)},
      {"lamp2", LampFrame(2, 189, 27)},
      {"lamp3", LampFrame(3, 186, 27)},
      {"splash", art::SplashPicture},
      {"modem-panel", art::ModemPanelPicture},
      {"modem-save", PressedKey(art::Key::kSave, 64, 54)},
      {"modem-back", PressedKey(art::Key::kBack, 66, 57)},
      {"modem-icon", art::ModemIconPicture},
  };
  return drawings;
}

std::unordered_map<std::string, QPixmap>& Drawn() {
  static std::unordered_map<std::string, QPixmap> drawn;
  return drawn;
}

// Pictures must go before the application object does.
void ForgetDrawn() { Drawn().clear(); }
}  // namespace

QPixmap Artwork(const std::string& picture) {
  auto& drawn = Drawn();
  if (auto it = drawn.find(picture); it != drawn.end()) return it->second;
  const auto& drawings = Drawings();
  auto drawing = drawings.find(picture);
  if (drawing == drawings.end()) return {};
  if (drawn.empty()) qAddPostRoutine(ForgetDrawn);
  return drawn.emplace(picture, drawing->second()).first->second;
}

qtui::ArtworkProvider ArtworkProvider() { return [](const std::string& picture) { return Artwork(picture); }; }

std::vector<std::string> ArtworkNames() {
  std::vector<std::string> names;
  for (const auto& [name, drawing] : Drawings()) names.push_back(name);
  return names;
}

}  // namespace app
