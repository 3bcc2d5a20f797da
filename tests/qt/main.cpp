// Runs every registered test class, or with a class name as first argument only that class
// (the arguments after it go to Qt Test: qt_tests QtDialogsTest helpShowsTheFileAndQuitClosesIt).
#include <QApplication>
#include <QTest>

#include "QtTestRegistry.h"

namespace qtui::testing {
std::vector<TestFactory>& TestClasses() {
  static std::vector<TestFactory> classes;
  return classes;
}
}  // namespace qtui::testing

namespace {
bool IsClass(const QObject& test, const char* name) {
  const QByteArray full = test.metaObject()->className();
  return full == name || full.endsWith(QByteArray("::") + name);
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Windows come and go in the tests; closing the last one must not end the program.
  QApplication::setQuitOnLastWindowClosed(false);
  int failures = 0;
  bool found = false;
  for (const auto& make : qtui::testing::TestClasses()) {
    std::unique_ptr<QObject> test = make();
    if (argc > 1 && argv[1][0] != '-') {
      if (!IsClass(*test, argv[1])) continue;
      found = true;
      std::vector<char*> rest{argv[0]};
      rest.insert(rest.end(), argv + 2, argv + argc);
      failures += QTest::qExec(test.get(), static_cast<int>(rest.size()), rest.data());
      continue;
    }
    failures += QTest::qExec(test.get(), argc, argv);
  }
  if (argc > 1 && argv[1][0] != '-' && !found) return 2;
  return failures == 0 ? 0 : 1;
}
