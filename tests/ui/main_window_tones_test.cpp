#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include "support/tone_images.h"
#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::ReadBytes;
using korvana::test::RealTone;

namespace {
// A window with the image of the three real tones loaded and scanned.
struct ScannedForm : Editor {
  QTreeWidget* tones = nullptr;
  ScannedForm() : Editor(korvana::test::ImageWithRealTones()) {
    Find<QPushButton>(&form, "GetTone")->click();
    tones = Find<QTreeWidget>(&form, "ListView4");
  }
};
}  // namespace

class MainWindowTonesTest : public QObject {
  Q_OBJECT

 private slots:
  void offsetEntriesOpenTheToolWindowsForTheRowClickedLast() {
    ScannedForm f;
    SelectRows(f.tones, {1, 0});  // rows 0 and 1 selected, row 1 clicked last
    for (const char* entry : {"T_series", "S_series"}) {
      Find<QAction>(&f.form, entry)->trigger();
      QVERIFY(f.form.ToolWindow() != nullptr);
      QCOMPARE(Find<QLineEdit>(f.form.ToolWindow(), "Text1")->text(), QStringLiteral("00003000"));
      QVERIFY(f.CloseToolWindow());
    }
  }

  void scanFillsTheToneListAndTheMenuFollowsTheState() {
    Editor e;
    ShowMenu(&e.form, "ListView4", "menufile1");
    QVERIFY(!Enabled(&e.form, "addaddress") && !Enabled(&e.form, "outputall") && !Enabled(&e.form, "modifyoffset"));
    QVERIFY(Find<QAction>(&e.form, "modifyoffset")->isVisible());
    Find<QPushButton>(&e.form, "GetTone")->click();
    QCOMPARE(Shown(e.platform), std::vector<int>{3});

    ScannedForm s;
    SelectRows(s.tones, {1});
    Find<QPushButton>(&s.form, "GetTone")->click();  // a list filled anew has no selection
    QVERIFY(s.tones->selectedItems().isEmpty());
    QCOMPARE(s.tones->topLevelItemCount(), 3);
    QCOMPARE(RowTexts(s.tones, 2), (QStringList{"003", "0x00005000", "0x0000605B", "4188", ""}));
    QCOMPARE(s.form.statusBar()->currentMessage(), QString::fromUtf8("3 Töne gefunden"));
    QVERIFY(Find<QProgressBar>(&s.form, "ProgressBar1")->isHidden());
    ShowMenu(&s.form, "ListView4", "menufile1");
    QVERIFY(Enabled(&s.form, "addaddress") && Enabled(&s.form, "outputall") && Enabled(&s.form, "modifyoffset"));
  }

  void doubleClickPlaysTheToneAndEditsItsNote() {
    ScannedForm s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    s.form.activateWindow();
    SelectRows(s.tones, {2});
    emit s.tones->itemDoubleClicked(s.tones->topLevelItem(2), 0);
    SelectRows(s.tones, {1});  // a short tone after a long one
    emit s.tones->itemDoubleClicked(s.tones->topLevelItem(1), 0);
    const std::string temp = s.Path("prog/temp.mmf");
    QCOMPARE(ReadBytes(temp), RealTone("b.mmf"));
    QCOMPARE(s.platform.opened.last(), Q(temp));

    auto* note = Find<QLineEdit>(&s.form, "Text5");
    QVERIFY(note->isVisible());
    QCOMPARE(note->geometry(), s.tones->visualRect(s.tones->model()->index(1, tones::kToneNote)));  // over the cell
    note->setText(QString::fromUtf8("Wecker 铃声"));
    QTest::keyClick(note, Qt::Key_Return);
    QVERIFY(note->isHidden());
    QCOMPARE(s.tones->topLevelItem(1)->text(4), QString::fromUtf8("Wecker 铃声"));
    // The window may close while a note is open: the editor must not reach
    // back into a window that is going away.
    s.platform.desktopHasPrograms = false;
    emit s.tones->itemDoubleClicked(s.tones->topLevelItem(1), 0);
    QVERIFY(note->isVisible());
    QCOMPARE(s.form.statusBar()->currentMessage(), QString::fromUtf8("Kein Programm zum Öffnen von temp.mmf gefunden"));
  }

  void toneTableSavesAndLoadsWithoutAnImage() {
    ScannedForm s;
    Find<QPushButton>(&s.form, "OpenToneTable")->click();  // cancelled
    QCOMPARE(s.platform.folders.back(), Q(s.Path()));  // the firmware's folder, not the program's
    s.platform.paths.push_back(Q(s.Path("t.txt")));
    Find<QPushButton>(&s.form, "SaveToneTable")->click();
    QCOMPARE(Shown(s.platform), std::vector<int>{6});
    QCOMPARE(s.form.Folders().TableSavePath, s.Path());

    Editor other;
    Find<QPushButton>(&other.form, "SaveToneTable")->click();
    QCOMPARE(Shown(other.platform), std::vector<int>{4});
    other.platform.paths.push_back(Q(s.Path("t.txt")));
    Find<QPushButton>(&other.form, "OpenToneTable")->click();
    QCOMPARE(Find<QTreeWidget>(&other.form, "ListView4")->topLevelItemCount(), 3);
    ShowMenu(&other.form, "ListView4", "menufile1");
    QVERIFY(Enabled(&other.form, "addaddress") && !Enabled(&other.form, "outputselect"));
    QVERIFY(!Find<QAction>(&other.form, "modifyoffset")->isVisible());
  }

  void exportWritesTheSelectedTonesOrAsksForASelection() {
    ScannedForm s;
    Find<QAction>(&s.form, "outputall")->trigger();
    QCOMPARE(Shown(s.platform), std::vector<int>{8});
    SelectRows(s.tones, {0, 2});
    std::filesystem::create_directories(s.Path("out"));
    s.platform.paths.push_back(Q(s.Path("out/x.mmf")));
    Find<QAction>(&s.form, "outputselect")->trigger();
    QCOMPARE(Shown(s.platform), (std::vector<int>{8, 9}));
    QCOMPARE(korvana::test::FilesIn(s.Path("out")), (std::vector<std::string>{"x-001.mmf", "x-003.mmf"}));
    QCOMPARE(ReadBytes(s.Path("out/x-003.mmf")), RealTone("c.mmf"));
    QCOMPARE(s.form.Folders().RingSavePath, s.Path("out"));
  }

  void browsedFilesPairWithTonesAndPatchFromWhereTheyWereAdded() {
    ScannedForm s;
    const std::string mine = s.Path("mine");
    std::filesystem::create_directories(mine);
    for (const char* name : {"a.mmf", "c.mmf"}) korvana::test::WriteBytes(mine + "/" + name, RealTone(name));
    korvana::test::WriteBytes(mine + "/readme.txt", {1});

    auto* tree = Find<QTreeView>(&s.form, "ET1");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    tree->setCurrentIndex(model->index(Q(mine)));
    QCOMPARE(s.form.Folders().mmfFilePath, mine);
    auto* files = Find<QTreeWidget>(&s.form, "ListView1");
    QCOMPARE(files->topLevelItemCount(), 2);
    QCOMPARE(RowTexts(files, 0), (QStringList{"a.mmf", "002140"}));
    QCOMPARE(Find<QListWidget>(&s.form, "File1")->count(), 2);
    // A sort by name (descending first) keeps a.mmf selected where it moves.
    SelectRows(files, {0});
    emit files->header()->sectionClicked(0);
    QCOMPARE(RowTexts(files, 1).at(0), QStringLiteral("a.mmf"));
    QCOMPARE(files->selectedItems().size(), 1);
    QCOMPARE(files->selectedItems().at(0)->text(0), QStringLiteral("a.mmf"));
    emit files->header()->sectionClicked(0);  // and ascending again

    // a.mmf with tone 003 (c's place, 4188 bytes), c.mmf with tone 002 (1116 bytes).
    SelectRows(files, {0, 1});
    ShowMenu(&s.form, "ListView1", "menufile2");
    Find<QAction>(&s.form, "addmmf")->trigger();
    SelectRows(s.tones, {2});
    Find<QAction>(&s.form, "addaddress")->trigger();
    SelectRows(s.tones, {1});
    Find<QAction>(&s.form, "addaddress")->trigger();
    auto* pairs = Find<QTreeWidget>(&s.form, "ListView3");
    QCOMPARE(RowTexts(pairs, 0),
             (QStringList{"001", QString::fromUtf8("c.mmf 004188 字节"), "002 0x00003000 - 0x0000345B 1116 "}));
    QCOMPARE(RowTexts(pairs, 1).at(1), QString::fromUtf8("a.mmf 002140 字节"));
    ShowMenu(&s.form, "ListView3", "menufile3");
    QVERIFY(!Enabled(&s.form, "outputs3") && !Enabled(&s.form, "outputaxf"));

    pairs->topLevelItem(1)->setCheckState(0, Qt::Checked);
    // The user browses on, to a folder holding another a.mmf.
    const std::string elsewhere = s.Path("elsewhere");
    std::filesystem::create_directories(elsewhere);
    korvana::test::WriteBytes(elsewhere + "/a.mmf", std::vector<std::uint8_t>(100, 0x55));
    tree->setCurrentIndex(model->index(Q(elsewhere)));
    SelectRows(files, {0});
    emit files->itemDoubleClicked(files->topLevelItem(0), 0);
    QCOMPARE(s.platform.opened.last(), Q(elsewhere + "/a.mmf"));

    SelectRows(pairs, {1});
    ShowMenu(&s.form, "ListView3", "menufile3");
    QVERIFY(Enabled(&s.form, "outputs3") && Enabled(&s.form, "movemmf") && Enabled(&s.form, "moveaddress"));
    s.platform.paths.push_back(Q(s.Path("p.s3")));
    Find<QAction>(&s.form, "outputs3")->trigger();
    QCOMPARE(Shown(s.platform).back(), 10);
    QCOMPARE(korvana::test::ReadText(s.Path("p.s3")).substr(18, 12), std::string("S31500005000"));  // tone 003

    QVERIFY(!SaveEnabled(s.form));
    Find<QAction>(&s.form, "outputaxf")->trigger();
    QCOMPARE(Shown(s.platform).back(), 13);
    QVERIFY(SaveEnabled(s.form));
    // The a.mmf added from "mine", not the one browsed to since.
    const auto tone = RealTone("a.mmf");
    const auto bytes = s.form.Image().Bytes().subspan(0x5000, tone.size());
    QVERIFY(std::equal(bytes.begin(), bytes.end(), tone.begin()));

    // The oversize pair asks; No ends the patch without a file.
    pairs->topLevelItem(0)->setCheckState(0, Qt::Checked);
    s.platform.answers.push_back(app::Answer::kNo);
    s.platform.paths.push_back(Q(s.Path("q.s3")));
    const auto shown = Shown(s.platform).size();
    Find<QAction>(&s.form, "outputs3")->trigger();
    QCOMPARE(s.platform.questions, 1);
    QCOMPARE(Shown(s.platform).size(), shown);
    QVERIFY(!std::filesystem::exists(s.Path("q.s3")));

    SelectRows(pairs, {0});
    Find<QAction>(&s.form, "movemmf")->trigger();  // keeps the tone, drops the file
    QCOMPARE(RowTexts(pairs, 0).at(1), QString());
    QCOMPARE(pairs->topLevelItem(0)->checkState(0), Qt::Unchecked);
  }

  void aRowPastTheAddressRangeFailsTheCommandAndSaveShowsTheRowsBefore() {
    ScannedForm s;
    korvana::test::WriteText(s.Path("t.txt"), " 001 : 0x00001000 - 0x0000100F  Byte: 16 \t\r\n"
                                              " 002 : 0x80000000 - 0x8000000F  Byte: 16 \t\r\n");
    s.platform.paths.push_back(Q(s.Path("t.txt")));
    Find<QPushButton>(&s.form, "OpenToneTable")->click();
    const std::string mine = s.Path("mine");
    std::filesystem::create_directories(mine);
    korvana::test::WriteBytes(mine + "/x.mmf", std::vector<std::uint8_t>(16, 0x42));
    auto* tree = Find<QTreeView>(&s.form, "ET1");
    tree->setCurrentIndex(qobject_cast<QFileSystemModel*>(tree->model())->index(Q(mine)));
    auto* files = Find<QTreeWidget>(&s.form, "ListView1");
    for (int i = 0; i < 2; ++i) {
      SelectRows(files, {0});
      Find<QAction>(&s.form, "addmmf")->trigger();
    }
    SelectRows(s.tones, {0, 1});
    Find<QAction>(&s.form, "addaddress")->trigger();
    auto* pairs = Find<QTreeWidget>(&s.form, "ListView3");
    for (int r : {0, 1}) pairs->topLevelItem(r)->setCheckState(0, Qt::Checked);

    s.platform.paths.push_back(Q(s.Path("p.s3")));
    Find<QAction>(&s.form, "outputs3")->trigger();
    Find<QAction>(&s.form, "outputaxf")->trigger();
    QCOMPARE(Shown(s.platform), (std::vector<int>{2, 2}));
    QVERIFY(s.platform.errors.isEmpty());
    QVERIFY(!QFile::exists(Q(s.Path("p.s3"))));
    QCOMPARE(s.form.Image().Bytes()[0x1000], std::uint8_t{0x42});  // the first row went in
    QVERIFY(SaveEnabled(s.form));
  }
};

static RegisterSuite<MainWindowTonesTest> registerMainWindowTonesTest;

}  // namespace korvana::ui::test

#include "main_window_tones_test.moc"
