#include "platform/qt/QtWindowView.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <stdexcept>

#include "platform/qt/CheckBoxView.h"
#include "platform/qt/ComboBoxView.h"
#include "platform/qt/CommandButtonView.h"
#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"
#include "platform/qt/FrameView.h"
#include "platform/qt/GridView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/TabView.h"
#include "platform/qt/TextBoxView.h"

namespace qtui {

namespace {
std::unordered_map<const forms::Window*, QtWindowView*>& Registry() {
  static std::unordered_map<const forms::Window*, QtWindowView*> views;
  return views;
}

std::logic_error BindingError(const forms::Control& control, const char* what) {
  return std::logic_error("window binding: " + control.Name() + " " + what);
}
}  // namespace

QtWindowView::QtWindowView(forms::Window& model, ArtworkProvider artwork)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      model_(model),
      artwork_(std::move(artwork)) {
  setObjectName(QString::fromStdString(model.Name()));
  Registry()[&model] = this;
  setWindowTitle(ToQString(model.Caption));
  ApplySize();
  ApplyPlace();
  ApplyPointer();
  Watch(model.Caption, this, [](QtWindowView* view) { view->setWindowTitle(ToQString(view->model_.Caption)); });
  Watch(model.Width, this, [](QtWindowView* view) { view->ApplySize(); });
  Watch(model.Height, this, [](QtWindowView* view) { view->ApplySize(); });
  Watch(model.Left, this, [](QtWindowView* view) { view->ApplyPlace(); });
  Watch(model.Top, this, [](QtWindowView* view) { view->ApplyPlace(); });
  Watch(model.MousePointer, this, [](QtWindowView* view) { view->ApplyPointer(); });
  Watch(model.Visible, this, [](QtWindowView* view) { view->ApplyVisible(); });
  model.AfterUnload = [guard = QPointer<QtWindowView>(this), previous = std::move(model.AfterUnload)] {
    if (guard) guard->OnModelUnloaded();
    if (previous) previous();
  };
  ApplyVisible();
}

QtWindowView::~QtWindowView() {
  auto& registry = Registry();
  auto it = registry.find(&model_);
  if (it != registry.end() && it->second == this) registry.erase(it);
}

QtWindowView* QtWindowView::Find(const forms::Window& model) {
  auto& registry = Registry();
  auto it = registry.find(&model);
  return it == registry.end() ? nullptr : it->second;
}

void QtWindowView::ApplySize() { setFixedSize(ToPixels(model_.Width), ToPixels(model_.Height)); }

void QtWindowView::ApplyPlace() { move(ToPixels(model_.Left), ToPixels(model_.Top)); }

void QtWindowView::ApplyPointer() {
  Qt::CursorShape shape;
  if (CursorFor(model_.MousePointer, shape)) {
    setCursor(shape);
  } else {
    unsetCursor();
  }
}

void QtWindowView::ApplyVisible() {
  if (model_.Visible) {
    show();
  } else {
    hide();
    emit Hidden();
  }
}

void QtWindowView::OnModelUnloaded() {
  if (!closing_) {
    closing_ = true;
    close();
    closing_ = false;
  }
  emit Unloaded();
}

void QtWindowView::closeEvent(QCloseEvent* event) {
  if (closing_ || !model_.Loaded()) {
    event->accept();
    return;
  }
  closing_ = true;
  const bool unloaded = model_.Unload(forms::kUnloadFromControlMenu);
  closing_ = false;
  if (unloaded) {
    event->accept();
  } else {
    event->ignore();
  }
}

void QtWindowView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && helpHook_) {
    event->accept();
    helpHook_();
    return;
  }
  QWidget::keyPressEvent(event);
}

void QtWindowView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Shown by Qt code rather than by the model: the model loads and becomes visible.
  if (!event->spontaneous() && !model_.Visible) model_.Show();
}

void QtWindowView::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // Hidden by Qt code or closed by the window system rather than by the model.
  if (!event->spontaneous() && model_.Visible) model_.Visible = false;
}

template <class ViewType, class ControlType>
ViewType* QtWindowView::Place(ControlType& control, ViewType* view) {
  views_[&control] = view;
  return view;
}

QWidget* QtWindowView::ParentFor(const forms::Control& control) const {
  const forms::Control* container = control.Container();
  if (container == nullptr) return const_cast<QtWindowView*>(this);
  auto it = containers_.find(container);
  if (it == containers_.end()) throw BindingError(control, "stands in a container that was not added before it");
  return it->second;
}

QWidget* QtWindowView::Require(const forms::Control& control) const {
  QWidget* view = ViewOf(control);
  if (view == nullptr) throw BindingError(control, "was not added");
  return view;
}

LabelView* QtWindowView::Add(forms::Label& label) { return Place(label, new LabelView(label, ParentFor(label))); }

FrameView* QtWindowView::Add(forms::Frame& frame) {
  auto* view = Place(frame, new FrameView(frame, ParentFor(frame)));
  containers_[&frame] = view;
  return view;
}

ImageView* QtWindowView::Add(forms::Image& image) {
  return Place(image, new ImageView(image, artwork_, ParentFor(image)));
}

CommandButtonView* QtWindowView::Add(forms::CommandButton& button) {
  return Place(button, new CommandButtonView(button, ParentFor(button)));
}

TextBoxView* QtWindowView::Add(forms::TextBox& textBox) {
  return Place(textBox, new TextBoxView(textBox, ParentFor(textBox)));
}

ComboBoxView* QtWindowView::Add(forms::ComboBox& comboBox) {
  return Place(comboBox, new ComboBoxView(comboBox, ParentFor(comboBox)));
}

CheckBoxView* QtWindowView::Add(forms::CheckBox& checkBox) {
  return Place(checkBox, new CheckBoxView(checkBox, ParentFor(checkBox)));
}

TabView* QtWindowView::Add(forms::TabControl& tabControl) {
  auto* view = Place(tabControl, new TabView(tabControl, ParentFor(tabControl)));
  for (int i = 0; i < tabControl.TabCount(); ++i) containers_[&tabControl.Page(i)] = view->PageWidget(i);
  return view;
}

GridView* QtWindowView::Add(forms::Grid& grid) { return Place(grid, new GridView(grid, ParentFor(grid))); }

QWidget* QtWindowView::ViewOf(const forms::Control& control) const {
  auto it = views_.find(&control);
  return it == views_.end() ? nullptr : it->second;
}

void QtWindowView::StackAbove(const forms::Control& upper, const forms::Control& lower) {
  QWidget* above = Require(upper);
  QWidget* below = Require(lower);
  if (above->parentWidget() != below->parentWidget()) throw BindingError(upper, "does not share a container with the control to lie above");
  below->stackUnder(above);
}

void QtWindowView::SendToBack(const forms::Control& control) { Require(control)->lower(); }

void QtWindowView::BringToFront(const forms::Control& control) { Require(control)->raise(); }

}  // namespace qtui
