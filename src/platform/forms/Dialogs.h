// Message boxes, the open-file dialog, modal windows and help.
//
// Each of these waits for the operator inside the handler that called it; the window system
// goes on running timers meanwhile (a real modal box runs a nested event loop).
#pragma once

#include <string>

#include "platform/forms/Property.h"

namespace forms {

class Window;

// Message box styles, added together: buttons + icon.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbInformation = 64;

// Message box answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// The open-file dialog's settings, kept between calls like the control that holds them.
struct CommonDialog {
  std::string DialogTitle;
  // Pairs of a description and a pattern, each followed by "|": "All files (*.*) |*.*|".
  std::string Filter;
  // The full path chosen; "" after the operator cancelled.
  std::string FileName;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Shows a modal message box and returns the answer (vbOK, vbYes, vbNo).
  virtual int MsgBox(const std::string& prompt, int buttons, const std::string& title) = 0;

  // Shows an open-file dialog starting at dialog.FileName; sets FileName to the chosen path, or
  // to "" when the operator cancels.
  virtual void ShowOpen(CommonDialog& dialog) = 0;

  // Loads and shows the window modally; returns once it has been unloaded.
  virtual void ShowModal(Window& window) = 0;

  // Opens the help file (the F1 key) beside the window `beside` (null: none in particular);
  // closes any help window the program opened.
  virtual void ShowHelp(const std::string& helpFile, const Window* beside) = 0;
  virtual void QuitHelp(const std::string& helpFile) = 0;
};

}  // namespace forms
