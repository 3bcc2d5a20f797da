// A value of a control that views and tests watch.
//
// Handlers assign captions, visibility and texts at every tick whether or not they changed; a
// Property stores the value and tells its observers only when the value really changes, so a
// view repaints only then. Reading converts to the value type; comparing with a value works.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace forms {

template <class T>
class Property {
 public:
  Property() = default;
  explicit Property(T initial) : value_(std::move(initial)) {}
  Property(const Property&) = delete;
  Property& operator=(const Property&) = delete;

  Property& operator=(const T& value) {
    if (!(value_ == value)) {
      value_ = value;
      for (const auto& observer : observers_) observer();
    }
    return *this;
  }

  operator const T&() const { return value_; }  // NOLINT(google-explicit-constructor)
  const T& get() const { return value_; }

  // Called after every change of the value; observers cannot be removed (they live as long as
  // the control, like the view that binds them).
  void Observe(std::function<void()> observer) { observers_.push_back(std::move(observer)); }

  friend bool operator==(const Property& p, const T& value) { return p.value_ == value; }

 private:
  T value_{};
  std::vector<std::function<void()>> observers_;
};

}  // namespace forms
