#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/shared_texts.h"
#include "ui/progress_loop.h"
#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

class PlatformTest : public QObject {
  Q_OBJECT

 private slots:
  // The real save dialog, a name typed without a suffix: the chosen filter's
  // suffix is added, "all files" adds none, and a typed suffix stays.
  void saveDialogsAddTheFiltersSuffix_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("s3") << ToQ(app::kS3Filter) << 1 << "patch" << "patch.s3";
    QTest::newRow("sre typed") << ToQ(app::kS3Filter) << 1 << "patch.sre" << "patch.sre";
    QTest::newRow("tone table") << ToQ(app::kToneTableFilter) << 1 << "toene" << "toene.txt";
    QTest::newRow("mmf") << ToQ(app::kMmfFilter) << 1 << "ton" << "ton.mmf";
    QTest::newRow("all files") << ToQ(app::kS3Filter) << 2 << "raw" << "raw";
  }
  void saveDialogsAddTheFiltersSuffix() {
    QFETCH(QString, filter);
    QFETCH(int, filterIndex);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    korvana::test::TempDir dir;
    // Typed and accepted again on every tick until the dialog is gone: the
    // dialog may still be reading its folder, which resets the name field.
    QTimer driver;
    connect(&driver, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        dialog->selectFile(typed);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      }
    });
    driver.start(10);
    Platform real;
    const QString chosen = real.SaveFileName(nullptr, Q(dir.Path()), FromQ(filter), filterIndex);
    QCOMPARE(chosen, Q(dir.Path()) + '/' + expected);
  }

  // Qt's own buttons speak the captions' German, whatever the locale.
  void qtsOwnTextsAreGerman() {
    QTranslator translator;
    QVERIFY(LoadQtTranslations(translator));
    QCOMPARE(translator.translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    QCOMPARE(translator.translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
  }

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

static RegisterSuite<PlatformTest> registerPlatformTest;

}  // namespace korvana::ui::test

#include "platform_test.moc"
