#include "app/PanelLayout.h"

#include "platform/qt/Conversions.h"

namespace app::panel {

QRect Pixels(const forms::Rect& twips) {
  return qtui::ToPixels(twips).translated(-qtui::ToPixels(kDesign.background.left), -qtui::ToPixels(kDesign.background.top));
}

}  // namespace app::panel

namespace app::modem_panel {

QRect Pixels(const forms::Rect& twips) {
  return qtui::ToPixels(twips).translated(-qtui::ToPixels(kDesign.background.left), -qtui::ToPixels(kDesign.background.top));
}

}  // namespace app::modem_panel
