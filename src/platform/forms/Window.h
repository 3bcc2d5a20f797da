// A window: its caption, place, visibility, mouse pointer and life cycle.
//
// Load runs the window's load handler once; Show loads when needed and makes the window
// visible; Hide keeps it loaded; Unload asks the query-unload handler first (which may cancel)
// and then runs the unload handler. Sizes and places are in twips.
#pragma once

#include <functional>
#include <string>

#include "platform/forms/Property.h"

namespace forms {

// Why a window is asked to unload.
inline constexpr int kUnloadFromControlMenu = 0;  // the close box
inline constexpr int kUnloadFromCode = 1;

class Window {
 public:
  Window(std::string name, int widthTwips, int heightTwips) : name_(std::move(name)) {
    Width = widthTwips;
    Height = heightTwips;
  }
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& Name() const { return name_; }

  Property<std::string> Caption;
  Property<int> Left{0};
  Property<int> Top{0};
  Property<int> Width{0};
  Property<int> Height{0};
  Property<bool> Visible{false};
  Property<int> MousePointer{0};
  // True while shown modally (the window layer then runs a nested loop until it unloads).
  bool modal = false;

  bool Loaded() const { return loaded_; }

  // Runs OnLoad once; later calls do nothing until the window has been unloaded.
  void Load();
  void Show();
  void Hide() { Visible = false; }
  // Asks OnQueryUnload (cancel != 0 keeps the window), then runs OnUnload (which may cancel
  // too). Returns true when the window was unloaded.
  bool Unload(int unloadMode = kUnloadFromCode);

  std::function<void()> OnLoad;
  std::function<void(int& cancel, int unloadMode)> OnQueryUnload;
  std::function<void(int& cancel)> OnUnload;
  // Told when the window has been unloaded (the window layer closes the real window).
  std::function<void()> AfterUnload;

 private:
  std::string name_;
  bool loaded_ = false;
};

// The screen's work area (without panels and task bars), in twips: its top-left corner and
// its size.
struct Screen {
  int left = 0;
  int top = 0;
  int width = 1024 * 15;
  int height = 768 * 15;
};

// Centres the window in the screen's work area: first its top, then its left. The halves are
// taken in single precision, as the window system does; twips are whole, so the place is
// rounded.
void CentreOnScreen(Window& window, const Screen& screen);

}  // namespace forms
