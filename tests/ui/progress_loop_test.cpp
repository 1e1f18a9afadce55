#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/progress_loop.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

class ProgressLoopTest : public QObject {
  Q_OBJECT

 private slots:
  // The commands are locked only once the loop lets events run, and then
  // whenever it does: a click taken from those events must find them off.
  void commandsAreOffWheneverTheLoopLetsEventsRun() {
    QWidget window;
    auto* bar = new QProgressBar(&window);
    auto* command = new QPushButton(&window);
    bar->hide();
    window.show();
    int eventRuns = 0;
    bool lockedEveryRun = true;
    {
      ProgressLoop loop(bar, 1000, {command});
      const ProgressFn progress = loop.Callback();
      QVERIFY(progress(1));  // before the first interval: nothing shown, nothing locked
      QVERIFY(command->isEnabled() && bar->isHidden());
      for (int run = 1; run <= 2; ++run) {
        QTimer::singleShot(0, &window, [&] {
          ++eventRuns;
          lockedEveryRun = lockedEveryRun && !command->isEnabled() && bar->isVisible();
        });
        QElapsedTimer spent;
        spent.start();
        while (eventRuns < run && spent.elapsed() < 5000) QVERIFY(progress(run));
        QCOMPARE(eventRuns, run);
      }
      QVERIFY(lockedEveryRun);
    }
    QVERIFY(command->isEnabled() && bar->isHidden());
  }
};

static RegisterSuite<ProgressLoopTest> registerProgressLoopTest;

}  // namespace korvana::ui::test

#include "progress_loop_test.moc"
