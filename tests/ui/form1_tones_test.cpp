#include <QAction>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <filesystem>

#include "fake_platform.h"
#include "image/srecord_writer.h"
#include "support/test_support.h"
#include "support/tone_images.h"
#include "ui/form1.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::ReadBytes;
using korvana::test::RealTone;
using korvana::test::TempDir;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

template <typename T>
T* Find(const Form1& form, const char* name) {
  T* w = form.findChild<T*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no %s", name);
  return w;
}

QStringList RowTexts(QTreeWidget* view, int row) {
  QStringList texts;
  for (int c = 0; c < view->columnCount(); ++c) texts << view->topLevelItem(row)->text(c);
  return texts;
}

void SelectRows(QTreeWidget* view, std::initializer_list<int> rows) {
  view->clearSelection();
  for (int r : rows) view->topLevelItem(r)->setSelected(true);
  view->setCurrentItem(view->topLevelItem(*rows.begin()), 0, QItemSelectionModel::NoUpdate);
}

// Opens a view's context menu as a right click does and closes it again.
QMenu* ShowMenu(const Form1& form, const char* view, const char* menu) {
  emit Find<QWidget>(form, view)->customContextMenuRequested(QPoint(2, 2));
  QMenu* m = Find<QMenu>(form, menu);
  m->close();
  return m;
}

bool Enabled(const Form1& form, const char* action) { return Find<QAction>(form, action)->isEnabled(); }

// The messages the user saw: number 0 stands for none.
std::vector<int> Shown(const FakePlatform& platform) {
  std::vector<int> shown;
  for (int n : platform.messages) {
    if (n != 0) shown.push_back(n);
  }
  return shown;
}

// A window with the image of the three real tones loaded and scanned.
struct ScannedForm {
  TempDir dir;
  FakePlatform platform;
  Form1 form{dir.Path("prog")};
  QTreeWidget* tones = nullptr;
  ScannedForm() {
    std::filesystem::create_directories(dir.Path("prog"));
    korvana::test::WriteBytes(dir.Path("fw.bin"), korvana::test::ImageWithRealTones());
    if (!form.OpenHandsetFile(Q(dir.Path("fw.bin")))) qFatal("cannot open the image");
    Find<QPushButton>(form, "GetTone")->click();
    tones = Find<QTreeWidget>(form, "ListView4");
  }
};
}  // namespace

class Form1TonesTest : public QObject {
  Q_OBJECT

 private slots:
  void offsetEntriesOpenTheToolWindowsForTheSelectedTone() {
    ScannedForm f;
    SelectRows(f.tones, {1});
    Find<QAction>(f.form, "T_series")->trigger();
    QWidget* window = f.form.ToolWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->objectName(), QStringLiteral("Form4"));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("00003000"));
    QVERIFY(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    Find<QAction>(f.form, "S_series")->trigger();
    window = f.form.ToolWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->objectName(), QStringLiteral("Form5"));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("00003000"));
    QVERIFY(window->close());
  }

  void scanFillsTheToneListAndTheMenuFollowsTheState() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    QTreeWidget* list = Find<QTreeWidget>(form, "ListView4");
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Nr:"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Startadr."));
    QCOMPARE(list->headerItem()->text(3), QStringLiteral("Byte"));
    QCOMPARE(list->columnWidth(1), 1941 / 15);
    ShowMenu(form, "ListView4", "menufile1");
    QVERIFY(!Enabled(form, "addaddress") && !Enabled(form, "outputselect") && !Enabled(form, "outputall"));
    QVERIFY(Find<QAction>(form, "modifyoffset")->isVisible());
    QVERIFY(!Enabled(form, "modifyoffset"));
    QVERIFY(Find<QAction>(form, "line1")->isVisible());
    QCOMPARE(Find<QAction>(form, "S_series")->text(), QStringLiteral("S108\\208\\308\\V20x"));
    QCOMPARE(Find<QAction>(form, "T_series")->text(), QStringLiteral("Txxx"));

    Find<QPushButton>(form, "GetTone")->click();
    QCOMPARE(Shown(platform), std::vector<int>{3});
    // The folder tree opens at the remembered folder (the program folder on a first run).
    auto* tree = Find<QTreeView>(form, "ET1");
    QTRY_COMPARE(qobject_cast<QFileSystemModel*>(tree->model())->filePath(tree->currentIndex()), Q(dir.Path()));

    korvana::test::WriteBytes(dir.Path("fw.bin"), korvana::test::ImageWithRealTones());
    QVERIFY(form.OpenHandsetFile(Q(dir.Path("fw.bin"))));
    Find<QPushButton>(form, "GetTone")->click();
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(RowTexts(list, 2), (QStringList{"003", "0x00005000", "0x0000605B", "4188", ""}));
    QVERIFY(Find<QProgressBar>(form, "ProgressBar1")->isHidden());
    QVERIFY(Find<QWidget>(form, "SSTab1")->isEnabled());
    ShowMenu(form, "ListView4", "menufile1");
    QVERIFY(Enabled(form, "addaddress") && Enabled(form, "outputall") && Enabled(form, "modifyoffset"));

    QVERIFY(!form.SelectedToneEntry());
    SelectRows(list, {1});
    QCOMPARE(form.SelectedToneEntry()->start, std::string("0x00003000"));
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
    const std::string temp = s.dir.Path("prog/temp.mmf");
    QCOMPARE(ReadBytes(temp), RealTone("b.mmf"));
    QCOMPARE(s.platform.opened.last(), Q(temp));

    auto* note = Find<QLineEdit>(s.form, "Text5");
    QVERIFY(note->isVisible());
    note->setText(QString::fromUtf8("Wecker 铃声"));
    QTest::keyClick(note, Qt::Key_Return);
    QVERIFY(note->isHidden());
    QCOMPARE(s.tones->topLevelItem(1)->text(4), QString::fromUtf8("Wecker 铃声"));
    // The window may close while a note is open: the editor must not reach
    // back into a window that is going away.
    emit s.tones->itemDoubleClicked(s.tones->topLevelItem(1), 0);
    QVERIFY(note->isVisible());
  }

  void toneTableSavesAndLoadsWithoutAnImage() {
    ScannedForm s;
    s.platform.paths.push_back(Q(s.dir.Path("t.txt")));
    Find<QPushButton>(s.form, "SaveToneTable")->click();
    QCOMPARE(Shown(s.platform), std::vector<int>{6});
    QCOMPARE(s.form.Folders().TableSavePath, s.dir.Path());

    FakePlatform platform;
    Form1 other(s.dir.Path("prog"));
    Find<QPushButton>(other, "SaveToneTable")->click();
    QCOMPARE(Shown(platform), std::vector<int>{4});
    platform.paths.push_back(Q(s.dir.Path("t.txt")));
    Find<QPushButton>(other, "OpenToneTable")->click();
    QCOMPARE(Find<QTreeWidget>(other, "ListView4")->topLevelItemCount(), 3);
    ShowMenu(other, "ListView4", "menufile1");
    QVERIFY(Enabled(other, "addaddress"));
    QVERIFY(!Enabled(other, "outputselect"));
    QVERIFY(!Find<QAction>(other, "modifyoffset")->isVisible());
    QVERIFY(!Find<QAction>(other, "line1")->isVisible());
  }

  void exportWritesTheSelectedTonesOrAsksForASelection() {
    ScannedForm s;
    Find<QAction>(s.form, "outputall")->trigger();
    QCOMPARE(Shown(s.platform), std::vector<int>{8});
    SelectRows(s.tones, {0, 2});
    s.platform.paths.push_back(Q(s.dir.Path("out/x.mmf")));
    std::filesystem::create_directories(s.dir.Path("out"));
    Find<QAction>(s.form, "outputselect")->trigger();
    QCOMPARE(Shown(s.platform), (std::vector<int>{8, 9}));
    QVERIFY(s.platform.lastOverwritePrompt);
    QCOMPARE(korvana::test::FilesIn(s.dir.Path("out")), (std::vector<std::string>{"x-001.mmf", "x-003.mmf"}));
    QCOMPARE(ReadBytes(s.dir.Path("out/x-003.mmf")), RealTone("c.mmf"));
    QCOMPARE(s.form.Folders().RingSavePath, s.dir.Path("out"));
  }

  void browsedFilesPairWithTonesAndPatchFromWhereTheyWereAdded() {
    ScannedForm s;
    const std::string mine = s.dir.Path("mine");
    std::filesystem::create_directories(mine);
    for (const char* name : {"a.mmf", "c.mmf"}) korvana::test::WriteBytes(mine + "/" + name, RealTone(name));
    korvana::test::WriteBytes(mine + "/readme.txt", {1});

    auto* tree = Find<QTreeView>(s.form, "ET1");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    tree->setCurrentIndex(model->index(Q(mine)));
    QCOMPARE(s.form.Folders().mmfFilePath, mine);
    auto* files = Find<QTreeWidget>(s.form, "ListView1");
    QCOMPARE(files->topLevelItemCount(), 2);
    QCOMPARE(RowTexts(files, 0), (QStringList{"a.mmf", "002140"}));
    QCOMPARE(Find<QListWidget>(s.form, "File1")->count(), 2);
    ShowMenu(s.form, "ListView1", "menufile2");
    QVERIFY(!Enabled(s.form, "addmmf"));

    // a.mmf with tone 003 (c's place, 4188 bytes), c.mmf with tone 002 (1116 bytes).
    SelectRows(files, {0, 1});
    ShowMenu(s.form, "ListView1", "menufile2");
    QVERIFY(Enabled(s.form, "addmmf"));
    Find<QAction>(s.form, "addmmf")->trigger();
    SelectRows(s.tones, {2});
    Find<QAction>(s.form, "addaddress")->trigger();
    SelectRows(s.tones, {1});
    Find<QAction>(s.form, "addaddress")->trigger();
    auto* pairs = Find<QTreeWidget>(s.form, "ListView3");
    QCOMPARE(pairs->topLevelItemCount(), 2);
    QCOMPARE(RowTexts(pairs, 0),
             (QStringList{"001", QString::fromUtf8("c.mmf 004188 字节"), "002 0x00003000 - 0x0000345B 1116 "}));
    QCOMPARE(RowTexts(pairs, 1).at(1), QString::fromUtf8("a.mmf 002140 字节"));
    ShowMenu(s.form, "ListView3", "menufile3");
    QVERIFY(!Enabled(s.form, "outputs3") && !Enabled(s.form, "outputaxf"));

    pairs->topLevelItem(1)->setCheckState(0, Qt::Checked);
    // The user browses on, to a folder holding another a.mmf.
    const std::string elsewhere = s.dir.Path("elsewhere");
    std::filesystem::create_directories(elsewhere);
    korvana::test::WriteBytes(elsewhere + "/a.mmf", std::vector<std::uint8_t>(100, 0x55));
    tree->setCurrentIndex(model->index(Q(elsewhere)));
    QCOMPARE(files->topLevelItemCount(), 1);
    SelectRows(files, {0});
    emit files->itemDoubleClicked(files->topLevelItem(0), 0);
    QCOMPARE(s.platform.opened.last(), Q(elsewhere + "/a.mmf"));

    SelectRows(pairs, {1});
    ShowMenu(s.form, "ListView3", "menufile3");
    QVERIFY(Enabled(s.form, "outputs3") && Enabled(s.form, "movemmf") && Enabled(s.form, "moveaddress"));
    s.platform.paths.push_back(Q(s.dir.Path("p.s3")));
    Find<QAction>(s.form, "outputs3")->trigger();
    QCOMPARE(Shown(s.platform).back(), 10);
    auto padded = RealTone("a.mmf");
    padded.resize(4188, 0);
    image::S3Writer golden;
    QVERIFY(image::WriteS3Range(golden, padded, 0x5000, 0x605B, s.dir.Path("g.s3"), true, true).ok);
    QCOMPARE(korvana::test::ReadText(s.dir.Path("p.s3")), korvana::test::ReadText(s.dir.Path("g.s3")));
    QCOMPARE(s.form.Folders().S3SavePath, s.dir.Path());

    QVERIFY(!s.form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
    Find<QAction>(s.form, "outputaxf")->trigger();
    QCOMPARE(Shown(s.platform).back(), 13);
    QVERIFY(s.form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
    const auto bytes = s.form.Image().Bytes().subspan(0x5000, 4188);
    QVERIFY(std::equal(bytes.begin(), bytes.end(), padded.begin()));

    // The oversize pair asks; No ends the patch without a file.
    pairs->topLevelItem(0)->setCheckState(0, Qt::Checked);
    s.platform.answers.push_back(app::Answer::kNo);
    s.platform.paths.push_back(Q(s.dir.Path("q.s3")));
    const auto shown = Shown(s.platform).size();
    Find<QAction>(s.form, "outputs3")->trigger();
    QCOMPARE(s.platform.questions, 1);
    QCOMPARE(Shown(s.platform).size(), shown);
    QVERIFY(!std::filesystem::exists(s.dir.Path("q.s3")));

    SelectRows(pairs, {0});
    Find<QAction>(s.form, "movemmf")->trigger();  // keeps the tone, drops the file
    QCOMPARE(RowTexts(pairs, 0).at(1), QString());
    QCOMPARE(pairs->topLevelItem(0)->checkState(0), Qt::Unchecked);
    Find<QAction>(s.form, "moveall")->trigger();
    QCOMPARE(pairs->topLevelItemCount(), 0);
  }
};

static RegisterSuite<Form1TonesTest> registerForm1TonesTest;

}  // namespace korvana::ui::test

#include "form1_tones_test.moc"
