// The panel's settings hot spots: the Intranet mode toggle and the two file choosers.
//
//  - Image3_MouseDown flips imgInternet (its visibility is the Intranet mode) and saves the new
//    mode in Inter.dat as one quoted item, "ENABLED" or "DISABLED".
//  - Image4_MouseDown (the submissions file, internet.cfg) and imgOther_MouseDown (the Other
//    File, own.cfg) show their pressed picture, pump twice, set the shared CommonDialog1's
//    title and filter (nothing else: it starts at the last name chosen with either chooser),
//    show it, save the chosen full path as one quoted item when the name is not empty, and
//    hide the picture again in every case. A path holding a double quote or a line end cannot
//    be read back from its item: it is refused with a critical box, "The path of the
//    submissions file (Other File) cannot hold a double quote (") or a line end.", titled
//    "Error", and nothing is written.
// Each acts on the left button only (Button exactly 1).
//
// Saving: each file is written aside and renamed over the old one, so a failed write leaves the
// old setting whole. A failure does not leave the handler: it is shown in a critical box,
// "Error: " number " - " description, titled "Error"; the toggle keeps the mode it switched to
// for this run.
#pragma once

#include <string>

#include "common/Form1.h"
#include "common/Platform.h"

namespace pager {

class SettingsChoosers {
 public:
  SettingsChoosers(Form1& form, Platform& platform);

  void Image3_MouseDown(int Button, int Shift, float X, float Y);    // Intranet mode toggle
  void Image4_MouseDown(int Button, int Shift, float X, float Y);    // submissions file
  void imgOther_MouseDown(int Button, int Shift, float X, float Y);  // Other File

 private:
  struct Chooser {
    forms::Image& pressed;
    const char* title;
    const char* filter;
    const char* settingsFile;
    const char* fileName;  // the chosen file, as the refusal box names it
  };
  void Choose(const Chooser& chooser);
  // Writes one quoted item into the settings file; reports a failure in the error box and
  // returns false.
  bool SaveSetting(const std::string& name, const std::string& text);

  Form1& form_;
  Platform& platform_;
};

}  // namespace pager
