// The main window: its start, opening and saving the firmware, the save
// question on every way to another file, "Speichern unter...", the title
// with its marker, the remembered layout, the status bar and the shortcuts.

#include <QDir>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include <cstdlib>
#include <cstring>
#include <set>

#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::ReadBytes;
using korvana::test::WriteBytes;

const QString kCaption = QString::fromUtf8("KORVANA V4.0 by Pelzo **GERMAN EDITION**");

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithCaptionDisabledTabsAndSaveOff() {
    Editor e;
    QCOMPARE(e.form.windowTitle(), kCaption);
    for (int tab : {0, 3, 4}) QVERIFY(e.form.Tabs()->isTabEnabled(tab));
    for (int tab : {1, 2}) QVERIFY(!e.form.Tabs()->isTabEnabled(tab));
    QVERIFY(!SaveEnabled(e.form));
    QCOMPARE(e.form.StatusPanelText(4), QStringLiteral("keine-geladen"));
    QVERIFY(QFile::exists(Q(e.Path("prog/korvana.inf"))));  // the first run creates the settings file
  }

  void openingAFileShowsItsVersionAndAFailedOpenKeepsTheLoadedOne() {
    std::vector<std::uint8_t> fw(256, 0);
    std::memcpy(fw.data() + 10, "VersionString:   V01.2.34", 25);
    Editor e;
    WriteBytes(e.Path("fw.bin"), fw);
    e.platform.paths.push_back(Q(e.Path("fw.bin")));
    Find<QAction>(&e.form, "menuopen")->trigger();
    QCOMPARE(e.form.StatusPanelText(4), QStringLiteral("V01.2.34"));
    QCOMPARE(e.form.StatusPanelText(6), QStringLiteral("fw.bin"));
    QVERIFY(e.form.Tabs()->isTabEnabled(1) && e.form.Tabs()->isTabEnabled(2));
    QCOMPARE(e.form.Folders().MobileFilePath, e.Path());
    QVERIFY(e.platform.messages.empty());

    WriteBytes(e.Path("empty.bin"), {});
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

  // Every way to another file asks about a change first: Cancel keeps the
  // changed image without a dialog, Yes saves it, No drops it.
  void anotherFileAsksAboutAChangeFirst_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("answer");
    QTest::newRow("Open, Yes") << "open" << int(app::Answer::kYes);
    QTest::newRow("Open, No") << "open" << int(app::Answer::kNo);
    QTest::newRow("recent file") << "recent" << int(app::Answer::kNo);
    QTest::newRow("dropped file") << "drop" << int(app::Answer::kNo);
    QTest::newRow("second start") << "second" << int(app::Answer::kYes);
  }
  void anotherFileAsksAboutAChangeFirst() {
    QFETCH(QString, way);
    QFETCH(int, answer);
    Editor e(std::vector<std::uint8_t>(64, 0));
    const QString other = Q(e.Path("other.bin"));
    WriteBytes(e.Path("other.bin"), std::vector<std::uint8_t>(32, 1));
    QVERIFY(e.form.OpenHandsetFile(other) && e.form.OpenHandsetFile(Q(e.Path("fw.bin"))));
    QVERIFY(Find<QAction>(&e.form, "menurecent2")->text().endsWith(QStringLiteral("other.bin")));
    auto openOther = [&] {
      if (way == "open") {
        e.platform.paths = {other};
        Find<QAction>(&e.form, "menuopen")->trigger();
      } else if (way == "recent") {
        Find<QAction>(&e.form, "menurecent2")->trigger();
      } else if (way == "drop") {
        QVERIFY(Drop(e.form, other));
      } else {
        e.form.OpenFromSecondStart(other);
      }
    };
    Modify(e.form, 7);
    e.platform.answers = {app::Answer::kCancel, app::Answer(answer)};
    openOther();
    QCOMPARE(e.platform.questions, 1);
    QVERIFY(e.platform.filterIndices.empty());
    QCOMPARE(e.form.Image().FileName(), e.Path("fw.bin"));
    QVERIFY(e.form.Image().Modified() && SaveEnabled(e.form));
    openOther();
    QCOMPARE(e.platform.questions, 2);
    QCOMPARE(e.form.Image().FileName(), e.Path("other.bin"));
    QCOMPARE(ReadBytes(e.Path("fw.bin"))[1], std::uint8_t(answer == int(app::Answer::kYes) ? 7 : 0));
    QVERIFY(!SaveEnabled(e.form));
    // Nothing changed: nothing to ask; a second start without a file only raises the window.
    e.form.OpenFromSecondStart(QString());
    openOther();
    QCOMPARE(e.platform.questions, 2);
    QVERIFY(!Drop(e.form, Q(e.Path()))); // a folder is no firmware
  }

  void saveFollowsTheModifiedStateAndClosingAsksWhileModified() {
    Editor e(std::vector<std::uint8_t>(64, 0));
    e.form.show();
    Modify(e.form, 7);
    QVERIFY(SaveEnabled(e.form));
    e.platform.answers.push_back(app::Answer::kCancel);
    QVERIFY(!e.form.close());
    QVERIFY(SaveEnabled(e.form));
    e.form.ToolbarAction(QStringLiteral("Save"))->trigger();
    QVERIFY(!SaveEnabled(e.form));
    QCOMPARE(e.platform.messages, std::vector<int>{21});
    QCOMPARE(ReadBytes(e.Path("fw.bin"))[1], std::uint8_t{7});

    Modify(e.form, 8);  // loading again drops the change and leaves Save off
    QVERIFY(e.form.OpenHandsetFile(Q(e.Path("fw.bin"))));
    QVERIFY(!SaveEnabled(e.form));
    Modify(e.form, 9);
    e.platform.answers.push_back(app::Answer::kYes);
    QVERIFY(e.form.close());
    QCOMPARE(e.platform.questions, 2);
    QCOMPARE(ReadBytes(e.Path("fw.bin"))[1], std::uint8_t{9});
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

  // The title shows the file and, while the image differs from it, the marker.
  void saveAsContinuesOnTheNewFileAndTheTitleFollowsTheChanges() {
    Editor e(std::vector<std::uint8_t>(16, 0));
    QCOMPARE(e.form.windowTitle(), kCaption + QStringLiteral(" - fw.bin[*]"));
    QVERIFY(!e.form.isWindowModified());
    Modify(e.form, 7);
    QVERIFY(e.form.isWindowModified());
    Find<QAction>(&e.form, "menuundo")->trigger();
    QVERIFY(!e.form.isWindowModified());  // back at the save point
    Find<QAction>(&e.form, "menuredo")->trigger();

    e.platform.paths = {Q(e.Path("copy.bin"))};
    Find<QAction>(&e.form, "menusaveas")->trigger();
    QCOMPARE(Shown(e.platform), std::vector<int>{msg::kFileSaved});
    QCOMPARE(e.platform.folders.back(), Q(e.Path()));  // the firmware's folder
    QCOMPARE(e.form.Image().FileName(), e.Path("copy.bin"));
    QCOMPARE(e.form.windowTitle(), kCaption + QStringLiteral(" - copy.bin[*]"));
    QVERIFY(!e.form.isWindowModified());
    QCOMPARE(e.form.StatusPanelText(6), QStringLiteral("copy.bin"));
    QCOMPARE(ReadBytes(e.Path("copy.bin"))[1], std::uint8_t{7});

    // "Save" (Ctrl+S) now writes the new file; the old one stays as it was.
    Modify(e.form, 9);
    QVERIFY(e.form.isWindowModified());
    e.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&e.form));
    QTest::keyClick(&e.form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadBytes(e.Path("copy.bin"))[1], std::uint8_t{9});
    QCOMPARE(ReadBytes(e.Path("fw.bin")), std::vector<std::uint8_t>(16, 0));
    QVERIFY(!e.form.isWindowModified());
    QCOMPARE(e.form.RecentFileList().Paths().front(), e.Path("copy.bin"));
  }

  // Size, place and splitters come back from the settings file; the folder
  // tree opens expanded at the remembered folder.
  void theLayoutAndTheFolderTreeComeBackOnTheNextStart() {
    Editor e;
    std::filesystem::create_directories(e.Path("tones/deep/er"));
    e.form.show();
    e.form.setGeometry(60, 50, 820, 610);
    auto* splitter = Find<QSplitter>(&e.form, "TonesSplitter");
    splitter->setSizes({100, 200, 150});
    const QList<int> sizes = splitter->sizes();
    e.form.Folders().mmfFilePath = e.Path("tones/deep/er");
    QVERIFY(e.form.close());

    MainWindow again(e.Path("prog"));
    again.show();
    QCOMPARE(again.geometry(), QRect(60, 50, 820, 610));
    const QList<int> restored = Find<QSplitter>(&again, "TonesSplitter")->sizes();
    QCOMPARE(restored.size(), sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) QVERIFY(std::abs(restored[i] - sizes[i]) <= 2);  // the layout rounds
    auto* tree = Find<QTreeView>(&again, "ET1");
    QTRY_COMPARE(tree->currentIndex().data(Qt::DisplayRole).toString(), QStringLiteral("er"));
    QVERIFY(tree->isExpanded(tree->currentIndex().parent()));
    QVERIFY(tree->isExpanded(tree->currentIndex().parent().parent()));
    QTRY_VERIFY(tree->viewport()->rect().intersects(tree->visualRect(tree->currentIndex())));
    again.close();
  }

  // A key that two actions share fires neither.
  void everyShortcutBelongsToOneAction() {
    Editor e;
    std::set<QString> seen;
    for (const QAction* a : e.form.findChildren<QAction*>()) {
      for (const QKeySequence& key : a->shortcuts()) {
        QVERIFY2(seen.insert(key.toString()).second, qPrintable(key.toString()));
      }
    }
    for (const char* key : {"Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+Q", "F1", "Ctrl+Z"}) {
      QVERIFY2(seen.count(QString::fromLatin1(key)) == 1, key);
    }
  }
};

static RegisterSuite<MainWindowTest> registerMainWindowTest;

}  // namespace korvana::ui::test

#include "main_window_test.moc"
