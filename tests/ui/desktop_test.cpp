// The main window as a desktop application: "Speichern unter...", the
// recent files, a dropped file, the title with its marker, the remembered
// layout, the start folders of the dialogs and the status bar's lines.

#include <QDropEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <cstdlib>
#include <set>

#include "support/tone_images.h"
#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::ReadBytes;
using korvana::test::ReadText;
using korvana::test::WriteBytes;

namespace {
const QString kCaption = QString::fromUtf8("KORVANA V4.0 by Pelzo **GERMAN EDITION**");

void Change(MainWindow& form, std::uint8_t value) {
  QVERIFY(form.Image().CopyIntoImage(std::vector<std::uint8_t>{value}, 1, 1).ok);
}

// Drops the local file at path on the window, as a file manager does.
void Drop(MainWindow& form, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &drop);
  QCoreApplication::processEvents();  // the file opens once the drop has ended
}
}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // The title shows the file and, while the image differs from it, the marker.
  void saveAsContinuesOnTheNewFileAndTheTitleFollowsTheChanges() {
    Editor e(std::vector<std::uint8_t>(16, 0));
    QCOMPARE(e.form.windowTitle(), kCaption + QStringLiteral(" - fw.bin[*]"));
    QVERIFY(!e.form.isWindowModified());
    Change(e.form, 7);
    QVERIFY(e.form.isWindowModified());
    Find<QAction>(&e.form, "menuundo")->trigger();
    QVERIFY(!e.form.isWindowModified());  // back at the save point
    Find<QAction>(&e.form, "menuredo")->trigger();
    QVERIFY(e.form.isWindowModified());

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
    Change(e.form, 9);
    QVERIFY(e.form.isWindowModified());
    e.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&e.form));
    QTest::keyClick(&e.form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadBytes(e.Path("copy.bin"))[1], std::uint8_t{9});
    QCOMPARE(ReadBytes(e.Path("fw.bin")), std::vector<std::uint8_t>(16, 0));
    QVERIFY(!e.form.isWindowModified());
    QCOMPARE(e.form.RecentFileList().Paths().front(), e.Path("copy.bin"));
  }

  void recentFilesOpenFromTheMenuAndLiveInTheirOwnSection() {
    Editor e(std::vector<std::uint8_t>(16, 0));
    WriteBytes(e.Path("two.bin"), std::vector<std::uint8_t>(8, 2));
    QVERIFY(e.form.OpenHandsetFile(Q(e.Path("two.bin"))));
    QAction* first = Find<QAction>(&e.form, "menurecent1");
    QAction* second = Find<QAction>(&e.form, "menurecent2");
    QVERIFY(first->isVisible() && second->isVisible() && !Find<QAction>(&e.form, "menurecent3")->isVisible());
    QVERIFY(first->text().startsWith(QStringLiteral("&1 ")) && first->text().endsWith(QStringLiteral("two.bin")));

    // A changed image asks first; Cancel keeps it.
    Change(e.form, 1);
    e.platform.answers = {app::Answer::kCancel, app::Answer::kNo};
    second->trigger();
    QCOMPARE(e.form.Image().FileName(), e.Path("two.bin"));
    second->trigger();
    QCOMPARE(e.platform.questions, 2);
    QCOMPARE(e.form.Image().FileName(), e.Path("fw.bin"));
    QVERIFY(first->text().endsWith(QStringLiteral("fw.bin")));

    const std::string settings = ReadText(e.Path("prog/korvana.inf"));
    const std::string recent =
        "[Recent Files]\nFile1=" + e.Path("fw.bin") + "\nFile2=" + e.Path("two.bin") + "\nFile3=\n";
    QVERIFY(settings.find(recent) != std::string::npos);
    QVERIFY(settings.find("[File Path]\nmmf File Path=\nMobile File Path=\n") != std::string::npos);
  }

  void aDroppedFileOpensAfterTheSaveQuestion() {
    Editor e(std::vector<std::uint8_t>(16, 0));
    WriteBytes(e.Path("dropped.bin"), std::vector<std::uint8_t>(8, 3));
    Change(e.form, 1);
    e.platform.answers = {app::Answer::kCancel};
    Drop(e.form, Q(e.Path("dropped.bin")));
    QCOMPARE(e.platform.questions, 1);
    QCOMPARE(e.form.Image().FileName(), e.Path("fw.bin"));

    e.form.Image().Undo();
    Drop(e.form, Q(e.Path("dropped.bin")));
    QCOMPARE(e.platform.questions, 1);  // nothing changed: nothing to ask
    QCOMPARE(e.form.Image().FileName(), e.Path("dropped.bin"));

    // A folder is no firmware: the window does not take it.
    QMimeData folder;
    folder.setUrls({QUrl::fromLocalFile(Q(e.Path()))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &folder, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&e.form, &enter);
    QVERIFY(!enter.isAccepted());
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

  void theStatusBarSaysWhatCameOfAScanAPatchAndAMissingProgram() {
    Editor e(korvana::test::ImageWithRealTones());
    Find<QPushButton>(&e.form, "GetTone")->click();
    QCOMPARE(e.form.statusBar()->currentMessage(), QString::fromUtf8("3 Töne gefunden"));

    // The tone table dialog starts in the firmware's folder, not the program's.
    Find<QPushButton>(&e.form, "OpenToneTable")->click();
    QCOMPARE(e.platform.folders.back(), Q(e.Path()));

    Change(e.form, 1);
    e.platform.paths = {Q(e.Path("all.s3"))};
    Find<QAction>(&e.form, "menuallchanges")->trigger();
    QCOMPARE(e.form.statusBar()->currentMessage(), QStringLiteral("all.s3 geschrieben: 3 Zeilen"));

    // The note editor lies exactly over the Note cell; no program plays the tone.
    e.platform.desktopHasPrograms = false;
    auto* list = Find<QTreeWidget>(&e.form, "ListView4");
    SelectRows(list, {1});
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    QCOMPARE(Find<QLineEdit>(&e.form, "Text5")->geometry(),
             list->visualRect(list->model()->index(1, tones::kToneNote)));
    QCOMPARE(e.form.statusBar()->currentMessage(),
             QString::fromUtf8("Kein Programm zum Öffnen von temp.mmf gefunden"));
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

static RegisterSuite<DesktopTest> registerDesktopTest;

}  // namespace korvana::ui::test

#include "desktop_test.moc"
