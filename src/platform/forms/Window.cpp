#include "platform/forms/Window.h"

namespace forms {

void Window::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (OnLoad) OnLoad();
}

void Window::Show() {
  Load();
  if (loaded_) Visible = true;
}

bool Window::Unload(int unloadMode) {
  if (!loaded_) return true;
  int cancel = 0;
  if (OnQueryUnload) OnQueryUnload(cancel, unloadMode);
  if (cancel != 0) return false;
  if (OnUnload) OnUnload(cancel);
  if (cancel != 0) return false;
  loaded_ = false;
  Visible = false;
  modal = false;
  if (AfterUnload) AfterUnload();
  return true;
}

}  // namespace forms
