// The window of a window model, and the place where its controls are bound to their views.
//
// The window takes the model's inner size (fixed; the operator cannot resize it), caption,
// place (Left and Top, in twips, of the outer top-left corner) and mouse pointer (11 the
// hourglass over the window, 0 the default), and follows every later change of them. It is
// shown while the model's Visible is true; a window shown or hidden by other means (Qt code,
// the window system closing it) sets Visible accordingly, and showing it loads the model.
//
// The close box asks the model to unload with kUnloadFromControlMenu; when the query-unload
// or unload handler cancels, the window stays open. An unload by any path closes the window
// and emits Unloaded. F1 pressed anywhere in the window runs the help hook.
//
// Controls are bound with Add, one call per control, in the order the window declares them:
// each new view lies above the ones added before. A control standing in a frame or on a tab
// page must be added after its container; its place is then relative to the container.
// StackAbove, SendToBack and BringToFront change the order afterwards (for example a hot spot
// above its pressed picture, the background at the bottom).
//
// The model and its controls must outlive the view. One view per window model: Find returns
// the view last made for a model.
#pragma once

#include <QWidget>
#include <functional>
#include <unordered_map>

#include "platform/forms/Controls.h"
#include "platform/forms/TabsAndGrid.h"
#include "platform/forms/Window.h"
#include "platform/qt/ImageView.h"

namespace qtui {

class LabelView;
class FrameView;
class CommandButtonView;
class TextBoxView;
class ComboBoxView;
class CheckBoxView;
class TabView;
class GridView;

class QtWindowView : public QWidget {
  Q_OBJECT

 public:
  // artwork draws the pictures of the window's images.
  explicit QtWindowView(forms::Window& model, ArtworkProvider artwork = {});
  ~QtWindowView() override;

  forms::Window& Model() const { return model_; }

  LabelView* Add(forms::Label& label);
  FrameView* Add(forms::Frame& frame);
  ImageView* Add(forms::Image& image);
  CommandButtonView* Add(forms::CommandButton& button);
  TextBoxView* Add(forms::TextBox& textBox);
  ComboBoxView* Add(forms::ComboBox& comboBox);
  CheckBoxView* Add(forms::CheckBox& checkBox);
  TabView* Add(forms::TabControl& tabControl);
  GridView* Add(forms::Grid& grid);

  // The view bound to a control; null when the control was not added.
  QWidget* ViewOf(const forms::Control& control) const;

  // Puts upper's view directly above lower's; both must have been added and share a container.
  // Throws std::logic_error otherwise.
  void StackAbove(const forms::Control& upper, const forms::Control& lower);
  void SendToBack(const forms::Control& control);
  void BringToFront(const forms::Control& control);

  // Runs when F1 is pressed in the window.
  void SetHelpHook(std::function<void()> hook) { helpHook_ = std::move(hook); }

  // The view made for a window model, or null.
  static QtWindowView* Find(const forms::Window& model);

 signals:
  // The model was unloaded (the window is closed by then).
  void Unloaded();
  // The model's Visible became false (also on unloading).
  void Hidden();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  template <class ViewType, class ControlType>
  ViewType* Place(ControlType& control, ViewType* view);
  QWidget* ParentFor(const forms::Control& control) const;
  QWidget* Require(const forms::Control& control) const;
  void ApplySize();
  void ApplyPlace();
  void ApplyPointer();
  void ApplyVisible();
  void OnModelUnloaded();

  forms::Window& model_;
  ArtworkProvider artwork_;
  std::function<void()> helpHook_;
  std::unordered_map<const forms::Control*, QWidget*> views_;
  std::unordered_map<const forms::Control*, QWidget*> containers_;
  bool closing_ = false;
};

}  // namespace qtui
