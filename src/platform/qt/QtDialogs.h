// The dialogs of the running program: Qt message boxes, the open-file dialog, modal windows
// and the help window.
//
// MsgBox: the buttons (style & 7: 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel,
// 4 Yes/No, 5 Retry/Cancel) and icon (16 critical, 32 question, 48 warning, 64 information)
// of the style, the title (the application name when empty), the text as plain text with its
// line breaks. Returns the answer code of the button pressed (vbOK 1, vbCancel 2, vbAbort 3,
// vbRetry 4, vbIgnore 5, vbYes 6, vbNo 7); a box closed without a button (Escape) answers
// its escape button's code, vbCancel or vbNo when it has no other way out. Key presses that
// the keyboard repeats for a held key do not reach an open box: only a key pressed while the
// box is open answers it.
//
// ShowOpen: Qt's own file dialog (the same on every desktop), with the title, the filter
// converted by ToQtNameFilters (file names matched without regard to letter case; the
// file-type box shows each entry's description alone, without its patterns), starting
// at dialog.FileName when it names a file or folder; FileName becomes the chosen path, or ""
// when the operator cancels. A name that does not exist may be chosen.
//
// ShowModal: the window must have a QtWindowView (std::logic_error otherwise). It is shown
// modal to the whole application, loading the model, and the call returns once the model is
// unloaded or hidden; timers run meanwhile. ShowHelp opens the help window (one for the
// program) on a help file (a path with "\" separators is also found when the file exists
// under the same path with "/"), beside the view of the window given (see HelpWindow.h);
// QuitHelp closes it if it is open.
//
// All of them wait in a nested Qt event loop, so timers and other handlers keep running.
#pragma once

#include <memory>

#include "platform/forms/Dialogs.h"

namespace qtui {

class HelpWindow;

class QtDialogs : public forms::Dialogs {
 public:
  QtDialogs();
  ~QtDialogs() override;

  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  void ShowOpen(forms::CommonDialog& dialog) override;
  void ShowModal(forms::Window& window) override;
  void ShowHelp(const std::string& helpFile, const forms::Window* beside) override;
  void QuitHelp(const std::string& helpFile) override;

  // The help window while it is open, else null.
  HelpWindow* OpenHelpWindow() const;

 private:
  std::unique_ptr<HelpWindow> help_;
};

}  // namespace qtui
