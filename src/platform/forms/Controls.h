// Models of the controls on the windows.
//
// A control model holds what the handlers read and write (caption, visibility, text, value,
// enabled) and tells observers when it changes; it draws nothing. A view in the window layer
// binds to it. Positions are in twips (15 twips = 1 pixel), as the window designs give them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Property.h"

namespace forms {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Font {
  std::string name = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// Mouse buttons as handlers receive them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// Mouse pointers of a window.
inline constexpr int kDefaultPointer = 0;
inline constexpr int kHourglassPointer = 11;

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

class Control {
 public:
  Control(std::string name, Rect position) : name_(std::move(name)), position_(position) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  const Rect& Position() const { return position_; }
  // The control's place is fixed by the design; a label sized to its text may grow.
  void SetPosition(const Rect& position) { position_ = position; }

  // The frame the control stands in (its position is then relative to the frame), or none.
  const Control* Container() const { return container_; }
  void SetContainer(const Control* container) { container_ = container; }

  Property<bool> Visible{true};
  Property<bool> Enabled{true};
  Property<std::string> ToolTipText;

 private:
  std::string name_;
  Rect position_;
  const Control* container_ = nullptr;
};

class Label : public Control {
 public:
  using Control::Control;
  Property<std::string> Caption;
  Font font;
  enum class Align { kLeft, kCenter, kRight } alignment = Align::kLeft;
  bool autoSize = false;
  bool transparent = true;
  int mousePointer = kDefaultPointer;  // the pointer shown over the label (14 = arrow with a question mark)
  std::function<void()> Click;
};

class Frame : public Control {
 public:
  using Control::Control;
  Property<std::string> Caption;
};

// A picture or a transparent hot spot. Picture names an artwork drawn by the window layer;
// an empty name is a hot spot without a picture of its own.
class Image : public Control {
 public:
  using Control::Control;
  std::string picture;
  bool stretch = false;
  MouseHandler MouseDown;
  MouseHandler MouseUp;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  Property<std::string> Caption;
  std::function<void()> Click;
};

class TextBox : public Control {
 public:
  using Control::Control;
  Property<std::string> Text;
  // Asks the window to move the input focus here; FocusRequests counts the requests so that a
  // test can see them without a real window.
  void SetFocus() {
    ++focusRequests;
    if (onFocus) onFocus();
  }
  int focusRequests = 0;
  std::function<void()> onFocus;
};

class ComboBox : public Control {
 public:
  using Control::Control;
  Property<std::string> Text;
  // The drop-down list. Filling it leaves Text as it is.
  void AddItem(const std::string& item) {
    items_.push_back(item);
    ++listVersion;
    if (onListChanged) onListChanged();
  }
  void Clear() {
    items_.clear();
    ++listVersion;
    if (onListChanged) onListChanged();
  }
  const std::vector<std::string>& List() const { return items_; }
  int ListCount() const { return static_cast<int>(items_.size()); }
  int listVersion = 0;
  std::function<void()> onListChanged;

 private:
  std::vector<std::string> items_;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  Property<std::string> Caption;
  Property<int> Value{0};  // 0 unchecked, 1 checked, 2 partly checked (grayed)
};

}  // namespace forms
