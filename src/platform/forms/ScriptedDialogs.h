// Dialogs for tests: every box is recorded, answers come from a queue, and virtual time may run
// while a box is open, as it does behind a real modal box.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/Dialogs.h"

namespace forms {

class SimulatedLoop;

class ScriptedDialogs : public Dialogs {
 public:
  struct Box {
    std::string prompt;
    int buttons = 0;
    std::string title;
  };

  // With a loop, a box or dialog may let virtual time pass while it is open.
  explicit ScriptedDialogs(SimulatedLoop* loop = nullptr) : loop_(loop) {}

  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  void ShowOpen(CommonDialog& dialog) override;
  void ShowModal(Window& window) override;
  void ShowHelp(const std::string& helpFile, const Window* /*beside*/) override { helpShown.push_back(helpFile); }
  void QuitHelp(const std::string& helpFile) override { helpQuit.push_back(helpFile); }

  // The answer of the next box, after openMs of virtual time. Without a queued answer a box
  // answers vbOK, or vbNo when it asks Yes/No.
  void QueueAnswer(int answer, std::int64_t openMs = 0);
  // Runs while the next box is open (for example a click that the operator makes meanwhile).
  void QueueWhileOpen(std::function<void()> action);

  // The next open-file dialog returns this path ("" = cancelled). Without one it cancels.
  void QueueFileName(std::string path);
  // What the operator does in the next modal window; the window is unloaded afterwards if the
  // action left it loaded. Without one the window is unloaded at once.
  void QueueModal(std::function<void(Window&)> action);

  const std::vector<Box>& Boxes() const { return boxes_; }
  const Box& LastBox() const { return boxes_.back(); }
  void ClearBoxes() { boxes_.clear(); }

  std::vector<CommonDialog> openDialogs;  // the dialog settings at each ShowOpen
  std::vector<std::string> modalWindows;  // names of windows shown modally
  std::vector<std::string> helpShown;
  std::vector<std::string> helpQuit;

 private:
  struct Answer {
    int answer;
    std::int64_t openMs;
    std::function<void()> whileOpen;
  };
  SimulatedLoop* loop_;
  std::vector<Box> boxes_;
  std::deque<Answer> answers_;
  std::deque<std::string> fileNames_;
  std::deque<std::function<void(Window&)>> modal_;
};

}  // namespace forms
