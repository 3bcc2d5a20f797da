// All window-layer test classes run from one program: each test file registers its class,
// and main runs them one after the other with the same QApplication.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace qtui::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& TestClasses();

template <class T>
bool RegisterTestClass() {
  TestClasses().push_back([] { return std::make_unique<T>(); });
  return true;
}

}  // namespace qtui::testing

#define QTUI_TEST_CLASS(Class) \
  static const bool Class##Registered = ::qtui::testing::RegisterTestClass<Class>();
