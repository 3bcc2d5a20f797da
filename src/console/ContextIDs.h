// Help for the whole program: the help file SERVER1.HLP in the program's folder, the window
// that owns the help calls, and the window that help opens beside (the main window, whose
// keys the help window must leave free).
//
// InitHelp runs once, from the splash window's load; until then HelpFile() is empty and the
// owner handle (Module1::lngHelpHwnd) is 0. ShowHelp serves both the "?" label and the F1 key.
// QuitHelp closes any help window the program opened; with none open it changes nothing.
// None of these checks that the help file exists: the help viewer says so when it opens it.
#pragma once

#include <cstdint>
#include <string>

#include "common/Module1.h"
#include "common/Platform.h"
#include "platform/forms/Window.h"

namespace pager {

class ContextIDs {
 public:
  // `beside` is the window help opens beside; it must outlive this object.
  ContextIDs(Module1& m, Platform& platform, const forms::Window& beside);

  // Keeps hWnd as the owner of help calls and sets the help file path: the program's folder
  // followed by "/SERVER1.HLP", or by "SERVER1.HLP" alone when the folder path (blanks at both
  // ends disregarded) already ends in "/".
  void InitHelp(std::int32_t hWnd);

  // Closes the help window, if the program opened one.
  void QuitHelp();

  // Opens the help file (the "?" label and the F1 key) beside the window given at construction.
  void ShowHelp();

  const std::string& HelpFile() const { return helpFile_; }

 private:
  Module1& m_;
  Platform& platform_;
  const forms::Window& beside_;
  std::string helpFile_;
};

}  // namespace pager
