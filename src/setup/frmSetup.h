// The setup window's controls, as one model: the tab control SSTab1 and, on its three pages,
// the modem settings ("Corvello Modem"), the message log ("Administration") and the own paging
// system ("Own Paging System"). Positions in twips; a control on a tab stands on the tab's page
// (SSTab1.Page(i)) and its position is relative to that page.
//
// The handlers (SetupWindow) fill the controls at each load; RestoreDesign puts every control
// back to the state the window's design gives it, so that each opening starts from the design
// and never shows what an earlier opening left behind.
//
// Artwork names of the pictures: "modem-panel" (Image1, 488 x 301 pixels), "modem-save"
// (imgSave, 64 x 54), "modem-back" (imgBack, 66 x 57), "modem-icon" (Image4, 32 x 32).
// Image2 and Image3 are transparent hot areas over the Save and Back buttons of the panel.
// Stacking on the modem tab, bottom to top: Image1, the labels and entry controls, the hot
// areas Image2 and Image3, then each pressed picture (imgSave, imgBack) over its hot area; a
// pressed picture shows only while its hot area is held or the Save runs.
// SSCommand1 and Data1 are never shown; the grid is read-only.
#pragma once

#include "platform/dao/DBEngine.h"
#include "platform/forms/Controls.h"
#include "platform/forms/TabsAndGrid.h"
#include "platform/forms/Window.h"
#include "setup/DataControl.h"

namespace pager {

class frmSetup : public forms::Window {  // NOLINT(readability-identifier-naming): the window's own name
 public:
  // Tabs, in order.
  static constexpr int kModemTab = 0;
  static constexpr int kAdministrationTab = 1;
  static constexpr int kOwnSystemTab = 2;

  // The engine is the one Data1 reads the message log through; it must outlive the window.
  explicit frmSetup(dao::DBEngine& engine);

  // Every control back to its design state: design texts and values, empty lists, hidden
  // pressed pictures, an empty log grid, the first tab in front.
  void RestoreDesign();

  forms::TabControl SSTab1{"SSTab1", {60, 60, 7380, 4995}, {"Corvello Modem", "Administration", "Own Paging System"}};

  // --- "Corvello Modem" ---
  forms::Image Image1{"Image1", {30, 60, 7320, 4515}};
  forms::Image Image4{"Image4", {6600, 240, 480, 480}};
  forms::Label Label1{"Label1", {360, 360, 1935, 255}};
  forms::ComboBox Combo1{"Combo1", {2400, 300, 2295, 315}};
  forms::Label Label2{"Label2", {360, 750, 1935, 255}};
  forms::ComboBox Combo2{"Combo2", {2400, 690, 2295, 315}};
  forms::Label Label3{"Label3", {360, 1140, 1935, 255}};
  forms::TextBox txtInit{"txtInit", {2400, 1080, 2295, 315}};
  forms::Label Label4{"Label4", {360, 1530, 1935, 255}};
  forms::ComboBox Combo3{"Combo3", {2400, 1470, 2295, 315}};
  forms::Label Label5{"Label5", {360, 1920, 1935, 255}};
  forms::ComboBox Combo4{"Combo4", {2400, 1860, 2295, 315}};
  forms::Label Label6{"Label6", {360, 2310, 1935, 255}};
  forms::TextBox txtTimeOut{"txtTimeOut", {2400, 2250, 735, 315}};
  forms::Label Label7{"Label7", {3240, 2310, 855, 255}};
  forms::Label Label8{"Label8", {360, 2700, 1935, 255}};
  forms::TextBox txtPrefix{"txtPrefix", {2400, 2640, 2295, 315}};
  forms::Label Label9{"Label9", {360, 3090, 1935, 255}};
  forms::TextBox txtSuffix{"txtSuffix", {2400, 3030, 2295, 315}};
  forms::CheckBox chkSecurity{"chkSecurity", {360, 3510, 2295, 255}};
  forms::CheckBox chkASP{"chkASP", {360, 3840, 2295, 255}};
  forms::Image Image2{"Image2", {5040, 3480, 960, 810}};
  forms::Image imgSave{"imgSave", {5040, 3480, 960, 810}};
  forms::Image Image3{"Image3", {6150, 3450, 990, 855}};
  forms::Image imgBack{"imgBack", {6150, 3450, 990, 855}};
  forms::CommandButton SSCommand1{"SSCommand1", {5040, 2880, 1095, 375}};

  // --- "Administration" ---
  forms::Grid DBGrid1{"DBGrid1", {120, 120, 7140, 3735}};
  DataControl Data1;
  forms::CommandButton Command1{"Command1", {4560, 4020, 1215, 375}};
  forms::CommandButton Command2{"Command2", {5880, 4020, 1215, 375}};

  // --- "Own Paging System" ---
  forms::Label Label11{"Label11", {240, 360, 1695, 255}};
  forms::TextBox Text1{"Text1", {2040, 300, 3255, 315}};
  forms::Label Label12{"Label12", {240, 750, 1695, 255}};
  forms::TextBox Text2{"Text2", {2040, 690, 3255, 315}};
  forms::CheckBox Check1{"Check1", {240, 1110, 6855, 435}};
  forms::Label lblFilename{"lblFilename", {240, 1620, 6855, 255}};
  forms::Frame Frame4{"Frame4", {240, 1950, 6855, 1875}};
  forms::Label Label10{"Label10", {120, 270, 6615, 1485}};  // in Frame4
  forms::CommandButton Command3{"Command3", {4080, 4020, 1455, 375}};
  forms::CommandButton Command4{"Command4", {5640, 4020, 1455, 375}};
};

// The captions of the message-log grid's columns, which are also the TranLog fields they show.
const std::vector<std::string>& MessageLogColumns();

}  // namespace pager
