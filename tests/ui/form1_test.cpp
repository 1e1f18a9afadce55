#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include <cstring>

#include "fake_platform.h"
#include "support/test_support.h"
#include "ui/form1.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::TempDir;

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void startsWithCaptionDisabledTabsAndSaveOff() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    QCOMPARE(form.windowTitle(), QString::fromUtf8("KORVANA V4.0 by Pelzo **GERMAN EDITION**"));
    QTabWidget* tabs = form.Tabs();
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->tabText(0), QString::fromUtf8("Töne"));
    QCOMPARE(tabs->tabText(3), QString::fromUtf8("s3Datei"));
    QVERIFY(tabs->isTabEnabled(0));
    QVERIFY(!tabs->isTabEnabled(1));
    QVERIFY(!tabs->isTabEnabled(2));
    QVERIFY(tabs->isTabEnabled(3));
    QVERIFY(tabs->isTabEnabled(4));
    for (const char* key : {"Open", "Save", "Tool", "Exit"}) QVERIFY(form.ToolbarAction(QString::fromLatin1(key)));
    QVERIFY(!form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
    QCOMPARE(form.StatusPanelText(4), QStringLiteral("keine-geladen"));
    auto* panel4 = form.findChild<QLabel*>(QStringLiteral("StatusBar1_4"));
    QCOMPARE(panel4->toolTip(), QString::fromUtf8("没有打开bin或axf文件"));
    // The first run creates the settings file.
    QVERIFY(QFile::exists(QString::fromStdString(dir.Path("korvana.inf"))));
  }

  void openingAFileShowsItsVersionAndEnablesTheTabs() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    std::vector<std::uint8_t> fw(256, 0);
    std::memcpy(fw.data() + 10, "VersionString:   V01.2.34", 25);
    korvana::test::WriteBytes(dir.Path("fw.bin"), fw);
    platform.paths.push_back(QString::fromStdString(dir.Path("fw.bin")));
    form.findChild<QAction*>(QStringLiteral("menuopen"))->trigger();
    QCOMPARE(form.StatusPanelText(4), QStringLiteral("V01.2.34"));
    QCOMPARE(form.StatusPanelText(6), QStringLiteral("fw.bin"));
    QVERIFY(form.Tabs()->isTabEnabled(1));
    QVERIFY(form.Tabs()->isTabEnabled(2));
    QCOMPARE(form.Folders().MobileFilePath, dir.Path());
    QVERIFY(platform.messages.empty());

    // An empty file: message 1, and the window stays on the loaded file.
    korvana::test::WriteBytes(dir.Path("empty.bin"), {});
    QVERIFY(!form.OpenHandsetFile(QString::fromStdString(dir.Path("empty.bin"))));
    QCOMPARE(platform.messages, std::vector<int>{1});
    QCOMPARE(form.StatusPanelText(6), QStringLiteral("fw.bin"));
    QCOMPARE(form.Image().FileName(), dir.Path("fw.bin"));
  }

  void saveIsEnabledExactlyWhileTheImageIsModified() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    korvana::test::WriteBytes(dir.Path("fw.bin"), std::vector<std::uint8_t>(64, 0));
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin"))));
    QAction* save = form.ToolbarAction(QStringLiteral("Save"));
    QVERIFY(!save->isEnabled());
    QVERIFY(form.Image().CopyIntoImage(std::vector<std::uint8_t>{7}, 5, 1).ok);
    form.RefreshSaveButton();
    QVERIFY(save->isEnabled());
    save->trigger();
    QVERIFY(!save->isEnabled());
    QCOMPARE(platform.messages, std::vector<int>{21});
    QCOMPARE(korvana::test::ReadBytes(dir.Path("fw.bin"))[5], std::uint8_t{7});
    // Loading again leaves Save off.
    QVERIFY(form.Image().CopyIntoImage(std::vector<std::uint8_t>{8}, 5, 1).ok);
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin"))));
    QVERIFY(!save->isEnabled());
  }

  void closingAsksOnlyForAModifiedImageAndCancelKeepsItOpen() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    form.show();
    korvana::test::WriteBytes(dir.Path("fw.bin"), std::vector<std::uint8_t>(64, 0));
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin"))));
    QVERIFY(form.Image().CopyIntoImage(std::vector<std::uint8_t>{7}, 5, 1).ok);
    form.RefreshSaveButton();

    platform.answers.push_back(app::Answer::kCancel);
    QVERIFY(!form.close());
    QCOMPARE(platform.questions, 1);
    QVERIFY(form.ToolbarAction(QStringLiteral("Save"))->isEnabled());

    platform.answers.push_back(app::Answer::kYes);
    QVERIFY(form.close());
    QCOMPARE(korvana::test::ReadBytes(dir.Path("fw.bin"))[5], std::uint8_t{7});
    QVERIFY(platform.messages.empty());  // saved without the confirmation
  }

  void helpOpensTheShippedPageOrShowsMessage33() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    QAction* help = form.findChild<QAction*>(QStringLiteral("help"));
    help->trigger();
    QCOMPARE(platform.messages, std::vector<int>{33});
    korvana::test::WriteText(dir.Path("KORVANA Help.html"), "<html></html>");
    help->trigger();
    QCOMPARE(platform.opened, QStringList{QString::fromStdString(dir.Path("KORVANA Help.html"))});
    form.findChild<QAction*>(QStringLiteral("myhomepage"))->trigger();
    QVERIFY(platform.opened.last().startsWith(QStringLiteral("file://")));
    QVERIFY(platform.opened.last().endsWith(QStringLiteral("#developer")));
  }

  void filtersConvertToQtForm() {
    QCOMPARE(QtFilterOf("手机文件(*.bin,*.tfs)|*.bin;*.tfs|所有文件(*.*)|*.*"),
             QString::fromUtf8("手机文件(*.bin,*.tfs) (*.bin *.tfs);;所有文件(*.*) (*.*)"));
    QCOMPARE(QtFilterOf("bmp--(*.bmp)|*.bmp"), QStringLiteral("bmp--(*.bmp) (*.bmp)"));
  }
};

static RegisterSuite<Form1Test> registerForm1Test;

}  // namespace korvana::ui::test

#include "form1_test.moc"
