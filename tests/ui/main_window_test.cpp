#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include <cstring>

#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::ReadBytes;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithCaptionDisabledTabsAndSaveOff() {
    Editor e;
    QCOMPARE(e.form.windowTitle(), QString::fromUtf8("KORVANA V4.0 by Pelzo **GERMAN EDITION**"));
    QTabWidget* tabs = e.form.Tabs();
    QCOMPARE(tabs->tabText(0), QString::fromUtf8("Töne"));
    for (int tab : {0, 3, 4}) QVERIFY(tabs->isTabEnabled(tab));
    for (int tab : {1, 2}) QVERIFY(!tabs->isTabEnabled(tab));
    QVERIFY(!e.form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
    QCOMPARE(e.form.StatusPanelText(4), QStringLiteral("keine-geladen"));
    QCOMPARE(Find<QLabel>(&e.form, "StatusBar1_4")->toolTip(), QString::fromUtf8("没有打开bin或axf文件"));
    // The first run creates the settings file.
    QVERIFY(QFile::exists(Q(e.Path("prog/korvana.inf"))));
  }

  void openingAFileShowsItsVersionAndAFailedOpenKeepsTheLoadedOne() {
    std::vector<std::uint8_t> fw(256, 0);
    std::memcpy(fw.data() + 10, "VersionString:   V01.2.34", 25);
    Editor e;
    korvana::test::WriteBytes(e.Path("fw.bin"), fw);
    e.platform.paths.push_back(Q(e.Path("fw.bin")));
    Find<QAction>(&e.form, "menuopen")->trigger();
    QCOMPARE(e.form.StatusPanelText(4), QStringLiteral("V01.2.34"));
    QCOMPARE(e.form.StatusPanelText(6), QStringLiteral("fw.bin"));
    QVERIFY(e.form.Tabs()->isTabEnabled(1) && e.form.Tabs()->isTabEnabled(2));
    QCOMPARE(e.form.Folders().MobileFilePath, e.Path());
    QVERIFY(e.platform.messages.empty());

    korvana::test::WriteBytes(e.Path("empty.bin"), {});
    QVERIFY(!e.form.OpenHandsetFile(Q(e.Path("empty.bin"))));
    QCOMPARE(e.platform.messages, std::vector<int>{1});
    QCOMPARE(e.form.StatusPanelText(6), QStringLiteral("fw.bin"));
    QCOMPARE(e.form.Image().FileName(), e.Path("fw.bin"));

    // A name from the command line is relative to the caller's folder.
    const QString caller = QDir::currentPath();
    QDir::setCurrent(Q(e.Path()));
    const bool opened = e.form.OpenHandsetFile(QStringLiteral("fw.bin"));
    QDir::setCurrent(caller);
    QVERIFY(opened);
    QCOMPARE(e.form.Image().FileName(), e.Path("fw.bin"));
    QCOMPARE(e.form.Folders().MobileFilePath, e.Path());
  }

  void openingAnotherFileAsksAboutAChangeFirst() {
    Editor e(std::vector<std::uint8_t>(64, 0));
    korvana::test::WriteBytes(e.Path("other.bin"), std::vector<std::uint8_t>(32, 1));
    QAction* open = Find<QAction>(&e.form, "menuopen");
    auto modify = [&] { QVERIFY(e.form.Image().CopyIntoImage(std::vector<std::uint8_t>{7}, 5, 1).ok); };
    modify();
    e.platform.answers = {app::Answer::kCancel, app::Answer::kYes};
    e.platform.paths = {Q(e.Path("other.bin"))};
    open->trigger();  // Cancel: no dialog, the changed image stays
    QCOMPARE(e.platform.questions, 1);
    QCOMPARE(e.form.Image().Size(), 64);
    QVERIFY(e.form.Image().Modified());
    open->trigger();  // Yes: saved, then the other file opens
    QCOMPARE(ReadBytes(e.Path("fw.bin"))[5], std::uint8_t{7});
    QCOMPARE(e.form.Image().FileName(), e.Path("other.bin"));

    modify();
    e.platform.answers = {app::Answer::kNo};
    e.platform.paths = {Q(e.Path("fw.bin"))};
    open->trigger();  // No: the change is dropped
    QCOMPARE(e.platform.questions, 3);
    QCOMPARE(ReadBytes(e.Path("other.bin"))[5], std::uint8_t{1});
    QCOMPARE(e.form.Image().FileName(), e.Path("fw.bin"));
    QVERIFY(!e.form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
  }

  void saveFollowsTheModifiedStateAndClosingAsksWhileModified() {
    Editor e(std::vector<std::uint8_t>(64, 0));
    e.form.show();
    QAction* save = e.form.ToolbarAction(QStringLiteral("Save"));
    auto modify = [&](std::uint8_t value) {
      QVERIFY(e.form.Image().CopyIntoImage(std::vector<std::uint8_t>{value}, 5, 1).ok);
      e.form.RefreshSaveButton();
    };
    QVERIFY(!save->isEnabled());
    modify(7);
    QVERIFY(save->isEnabled());
    e.platform.answers.push_back(app::Answer::kCancel);
    QVERIFY(!e.form.close());
    QCOMPARE(e.platform.questions, 1);
    QVERIFY(save->isEnabled());
    save->trigger();
    QVERIFY(!save->isEnabled());
    QCOMPARE(e.platform.messages, std::vector<int>{21});
    QCOMPARE(ReadBytes(e.Path("fw.bin"))[5], std::uint8_t{7});

    modify(8);  // loading again drops the change and leaves Save off
    QVERIFY(e.form.OpenHandsetFile(Q(e.Path("fw.bin"))));
    QVERIFY(!save->isEnabled());
    modify(9);
    e.platform.answers.push_back(app::Answer::kYes);
    QVERIFY(e.form.close());
    QCOMPARE(ReadBytes(e.Path("fw.bin"))[5], std::uint8_t{9});
    QCOMPARE(e.platform.messages, std::vector<int>{21});  // saved without the confirmation
  }

  void helpOpensTheShippedPageOrShowsMessage33() {
    Editor e;
    QAction* help = Find<QAction>(&e.form, "help");
    help->trigger();
    QCOMPARE(e.platform.messages, std::vector<int>{33});
    korvana::test::WriteText(e.Path("prog/KORVANA Help.html"), "<html></html>");
    help->trigger();
    QCOMPARE(e.platform.opened, QStringList{Q(e.Path("prog/KORVANA Help.html"))});
  }

  void filtersConvertToQtForm() {
    QCOMPARE(QtFiltersOf("手机文件(*.bin,*.tfs)|*.bin;*.tfs|所有文件(*.*)|*.*"),
             QString::fromUtf8("手机文件(*.bin,*.tfs) (*.bin *.tfs);;所有文件(*.*) (*.*)").split(QStringLiteral(";;")));
  }
};

static RegisterSuite<MainWindowTest> registerMainWindowTest;

}  // namespace korvana::ui::test

#include "main_window_test.moc"
