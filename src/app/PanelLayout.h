// Where the controls fall on the two panel pictures: the main window's and the setup window's
// modem tab's.
//
// The places are the design positions (twips, within the window or the tab page) of the
// controls the pictures draw something under; Pixels() turns one into pixels of the picture,
// whose top-left corner lies at the top-left corner of the control showing it (Image1 in both
// windows), rounding as the views do.
#pragma once

#include <QRect>

#include "platform/forms/Controls.h"

namespace app::panel {

inline constexpr int kWidth = 466;
inline constexpr int kHeight = 307;

struct Design {
  forms::Rect background{120, 0, 6990, 4605};  // Image1
  // The keys: each drawn where its pressed picture lies.
  forms::Rect startKey{480, 120, 960, 825};       // imgStart
  forms::Rect stopKey{1560, 120, 945, 825};       // imgStop
  forms::Rect shutKey{2660, 150, 930, 825};       // imgShut
  forms::Rect intranetKey{360, 1320, 1605, 570};  // imgInternet
  forms::Rect submitKey{385, 1920, 1530, 540};    // imgSubmmit
  forms::Rect otherKey{397, 2490, 1545, 540};     // Image2
  forms::Rect aboutKey{360, 3000, 1590, 570};     // imgAbout
  forms::Rect setupKey{360, 3655, 1560, 720};     // imgSetup
  // The lamp strip (Image5) and the lamp frames lying in it (imgRed1, imgred2, imgRed3).
  forms::Rect lampStrip{3720, 360, 3015, 495};
  forms::Rect lamps{3840, 410, 2810, 330};
  // The terminal window: the modem's answers (Label1), the pause countdown (Label2), the ID
  // value (Label10) and the "?" (Label13) stand on it.
  forms::Rect terminalText{2160, 1080, 4215, 2655};
  forms::Rect idValue{5880, 3480, 975, 255};
  forms::Rect helpKey{6480, 1200, 375, 375};
};

inline constexpr Design kDesign{};

// A design place in pixels of the panel picture.
QRect Pixels(const forms::Rect& twips);

}  // namespace app::panel

namespace app::modem_panel {

inline constexpr int kWidth = 488;
inline constexpr int kHeight = 301;

struct Design {
  forms::Rect background{30, 60, 7320, 4515};  // Image1, on the modem tab's page
  forms::Rect icon{6600, 240, 480, 480};       // Image4
  forms::Rect saveKey{5040, 3480, 960, 810};   // imgSave, under the hot area Image2
  forms::Rect backKey{6150, 3450, 990, 855};   // imgBack, under the hot area Image3
  forms::Rect lastEntry{360, 3840, 2295, 255}; // chkASP, the lowest of the entries
};

inline constexpr Design kDesign{};

// A design place in pixels of the modem tab's picture.
QRect Pixels(const forms::Rect& twips);

}  // namespace app::modem_panel
