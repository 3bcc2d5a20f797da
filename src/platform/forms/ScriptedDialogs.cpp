#include "platform/forms/ScriptedDialogs.h"

#include "platform/forms/SimulatedLoop.h"
#include "platform/forms/Window.h"

namespace forms {

void ScriptedDialogs::QueueAnswer(int answer, std::int64_t openMs) { answers_.push_back({answer, openMs, {}}); }

void ScriptedDialogs::QueueWhileOpen(std::function<void()> action) {
  answers_.push_back({-1, 0, std::move(action)});
}

void ScriptedDialogs::QueueFileName(std::string path) { fileNames_.push_back(std::move(path)); }

void ScriptedDialogs::QueueModal(std::function<void(Window&)> action) { modal_.push_back(std::move(action)); }

int ScriptedDialogs::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  boxes_.push_back({prompt, buttons, title});
  int answer = (buttons & 7) == vbYesNo ? vbNo : vbOK;
  if (!answers_.empty()) {
    Answer next = std::move(answers_.front());
    answers_.pop_front();
    if (next.whileOpen) {
      next.whileOpen();
    } else {
      answer = next.answer;
    }
    if (next.openMs > 0 && loop_ != nullptr) loop_->Advance(next.openMs);
  }
  return answer;
}

void ScriptedDialogs::ShowOpen(CommonDialog& dialog) {
  openDialogs.push_back(dialog);
  if (fileNames_.empty()) {
    dialog.FileName.clear();
    return;
  }
  dialog.FileName = fileNames_.front();
  fileNames_.pop_front();
}

void ScriptedDialogs::ShowModal(Window& window) {
  modalWindows.push_back(window.Name());
  window.modal = true;
  window.Show();
  if (!window.Loaded()) return;
  if (!modal_.empty()) {
    auto action = std::move(modal_.front());
    modal_.pop_front();
    action(window);
  }
  if (window.Loaded()) window.Unload();
}

}  // namespace forms
