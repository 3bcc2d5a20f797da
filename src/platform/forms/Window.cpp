#include "platform/forms/Window.h"

#include <cmath>

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

namespace {
int Centred(int areaStart, int areaSize, int windowSize) {
  const float offset = static_cast<float>(areaSize) / 2.0F - static_cast<float>(windowSize) / 2.0F;
  return areaStart + static_cast<int>(std::lround(offset));
}
}  // namespace

void CentreOnScreen(Window& window, const Screen& screen) {
  window.Top = Centred(screen.top, screen.height, window.Height);
  window.Left = Centred(screen.left, screen.width, window.Width);
}

}  // namespace forms
