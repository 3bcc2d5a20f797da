// What every control view shares: the bond between a model's Property and its widget, and the
// common state (place, visibility, enabled, tool tip).
//
// A view updates its widget only when a Property reports a real change, so handlers that set
// the same caption at every tick cost nothing here. Observers hold the widget weakly: a model
// may outlive its view, and a change after the view is gone is ignored.
#pragma once

#include <QPointer>
#include <QWidget>
#include <utility>

#include "platform/forms/Controls.h"
#include "platform/forms/Property.h"

namespace qtui {

// Runs apply(widget) after every change of property, for as long as the widget lives.
template <class T, class W, class F>
void Watch(forms::Property<T>& property, W* widget, F apply) {
  property.Observe([guard = QPointer<W>(widget), apply = std::move(apply)] {
    if (W* alive = guard.data()) apply(alive);
  });
}

// Gives the widget the control's fixed place (in its parent, from twips), visibility, enabled
// state and tool tip, and keeps the last three in step with the model.
void BindCommon(forms::Control& control, QWidget* widget);

}  // namespace qtui
