// Runs every QtTest class of the editor in one offscreen application.

#include "ui_helpers.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int failures = 0;
  for (const auto& make : korvana::ui::test::Registry()) {
    std::unique_ptr<QObject> suite = make();
    failures += QTest::qExec(suite.get(), argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
