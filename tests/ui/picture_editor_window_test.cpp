#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "fake_platform.h"
#include "pictures/encoder_test_support.h"
#include "pictures/picture_encoding.h"
#include "support/test_support.h"
#include "ui/main_window.h"
#include "ui/picture_editor_window.h"
#include "ui/picture_preview_window.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::TempDir;
using namespace korvana::pictures::bmptest;
using Bytes = std::vector<std::uint8_t>;

namespace {
constexpr std::uint8_t kFill = 0x5A;

// A firmware of kFill bytes with three pictures:
//   001 Anim: 2 frames of 4 x 3 at depth 16 from 0x20 (24 bytes each);
//   002 Mono: 8 x 8 at depth 1 at 0x100;
//   003 Pack: 4 x 3 compressed at 0x200, 16 bytes.
struct EditorFixture {
  TempDir dir;
  FakePlatform platform;
  MainWindow form{dir.Path()};

  EditorFixture() {
    korvana::test::WriteBytes(dir.Path("fw.bin"), Bytes(0x400, kFill));
    korvana::test::WriteText(dir.Path("table.txt"),
                             "001 Anim\t 0X00000020\t Zahl: 2\t Size: 24\t Dims: 4*3\t Farb: 16\t\r\n"
                             "002 Mono\t 0X00000100\t Zahl: 1\t Size: 8\t Dims: 8*8\t Farb: 1\t\r\n"
                             "003 Pack\t 0X00000200\t Zahl: 1\t Size: 16\t Dims: 4*3\t Farb: 16*\t\r\n");
    form.show();
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin"))));
    form.Tabs()->setCurrentIndex(2);
    platform.paths.push_back(QString::fromStdString(dir.Path("table.txt")));
    form.findChild<QPushButton*>(QStringLiteral("OpenPicTable"))->click();
  }

  QTreeWidget* List() { return form.findChild<QTreeWidget*>(QStringLiteral("ListView5")); }

  // Opens the preview of row and clicks its frame box: the editor.
  PictureEditorWindow* OpenEditor(int row, int frame) {
    QTreeWidgetItem* item = List()->topLevelItem(row);
    const QPoint at = List()->visualItemRect(item).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, at);
    PicturePreviewWindow* preview = form.PreviewWindow();
    if (preview == nullptr) return nullptr;
    QTest::mouseClick(preview->Box(frame), Qt::LeftButton);
    return form.EditorWindow();
  }

  std::string Bmp(const std::string& name, const Bytes& bytes) {
    korvana::test::WriteBytes(dir.Path(name), bytes);
    return dir.Path(name);
  }
  // The editor's "Open" with the dialog answering path.
  static void Open(PictureEditorWindow* editor, FakePlatform& platform, const std::string& path) {
    platform.paths.push_back(QString::fromStdString(path));
    Action(editor, "Open")->trigger();
  }
  static QAction* Action(PictureEditorWindow* editor, const char* key) {
    return editor->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->findChild<QAction*>(QString::fromLatin1(key));
  }
  static QString Text(PictureEditorWindow* editor, const char* label) {
    return editor->findChild<QLabel*>(QString::fromLatin1(label))->text();
  }
  static bool Enabled(PictureEditorWindow* editor, const char* button) {
    return editor->findChild<QPushButton*>(QString::fromLatin1(button))->isEnabled();
  }
  Bytes ImageRange(std::int64_t from, std::int64_t count) {
    const auto bytes = form.Image().Bytes();
    return {bytes.begin() + from, bytes.begin() + from + count};
  }
};
}  // namespace

class PictureEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void aFrameClickOpensTheEditorWithTheBuiltInFrame() {
    EditorFixture f;
    PictureEditorWindow* editor = f.OpenEditor(0, 2);
    QVERIFY(editor != nullptr);
    QVERIFY(!f.form.PreviewWindow()->isEnabled());
    QVERIFY(!f.form.isEnabled());
    QCOMPARE(EditorFixture::Text(editor, "Label1"), QStringLiteral("4x3x16bit"));
    QCOMPARE(EditorFixture::Text(editor, "Label7"), QStringLiteral("24"));
    QCOMPARE(EditorFixture::Text(editor, "Label5"), QStringLiteral("Bild alt"));
    QCOMPARE(EditorFixture::Text(editor, "Label3"), QStringLiteral("H x B x F"));
    QVERIFY(!EditorFixture::Action(editor, "Save")->isEnabled());
    QCOMPARE(EditorFixture::Action(editor, "Open")->toolTip(), QString::fromUtf8("打开图片"));
    QVERIFY(!EditorFixture::Enabled(editor, "VCommand"));
    QCOMPARE(editor->Target().FrameAddress(), 0x20 + 24);

    // Cancelling the dialog says nothing; closing gives the preview back.
    EditorFixture::Action(editor, "Open")->trigger();
    QVERIFY(f.platform.messages.empty());
    editor->close();
    QVERIFY(f.form.PreviewWindow()->isEnabled());
  }

  void savingWritesTheFrameRefreshesThePreviewAndEnablesSave() {
    EditorFixture f;
    PictureEditorWindow* editor = f.OpenEditor(0, 2);
    QVERIFY(editor != nullptr);
    // 3 x 4: refused with 19 until turned.
    const Bytes turned = Bmp24Of(3, 4, [](int x, int y) { return (x + y) % 2 ? kRed : kBlue; });
    EditorFixture::Open(editor, f.platform, f.Bmp("turned.bmp", turned));
    QCOMPARE(EditorFixture::Text(editor, "Label2"), QStringLiteral("3x4x24bit"));
    QCOMPARE(EditorFixture::Text(editor, "Label9"), QStringLiteral("48"));
    QVERIFY(EditorFixture::Action(editor, "Save")->isEnabled());
    for (const char* b : {"VCommand", "HCommand", "A1Command", "A2Command"}) QVERIFY(EditorFixture::Enabled(editor, b));
    QCOMPARE(f.form.Folders().PictureSavePath, f.dir.Path());
    EditorFixture::Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, std::vector<int>{19});
    QVERIFY(!f.form.Image().Modified());

    editor->findChild<QPushButton*>(QStringLiteral("A2Command"))->click();
    QCOMPARE(EditorFixture::Text(editor, "Label2"), QStringLiteral("4x3x24bit"));
    const Bytes expected = pictures::EncodeBmp(editor->Picture().bmp, 16).bytes;
    EditorFixture::Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, (std::vector<int>{19, 20}));
    QCOMPARE(f.ImageRange(0x20 + 24, 24), expected);
    QCOMPARE(f.ImageRange(0x20, 24), Bytes(24, kFill));
    QVERIFY(f.form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
    PicturePreviewWindow* preview = f.form.PreviewWindow();
    QVERIFY(preview->isEnabled());
    const QColor shown = preview->Box(2)->pixmap().toImage().pixelColor(0, 0);
    QVERIFY(shown == QColor(Qt::red) || shown == QColor(Qt::blue));
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.form.EditorWindow() == nullptr);
  }

  void monochromeOnlyFlipsAndTakesOnlyOneBitPictures() {
    EditorFixture f;
    PictureEditorWindow* editor = f.OpenEditor(1, 1);
    QVERIFY(editor != nullptr);
    EditorFixture::Open(editor, f.platform, f.Bmp("rgb.bmp", Bmp24Of(8, 8, Scattered)));
    EditorFixture::Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, std::vector<int>{34});
    // Once a picture was opened, "Save" stays through a cancelled or failed open.
    EditorFixture::Action(editor, "Open")->trigger();
    EditorFixture::Open(editor, f.platform, f.dir.Path("missing.bmp"));
    QCOMPARE(f.platform.messages, (std::vector<int>{34, 37}));
    QVERIFY(EditorFixture::Action(editor, "Save")->isEnabled());
    f.platform.messages.clear();

    EditorFixture::Open(editor, f.platform, f.Bmp("mono.bmp", Bmp1Of(8, 8, true, [](int x, int y) { return x == y; })));
    QVERIFY(EditorFixture::Enabled(editor, "VCommand"));
    QVERIFY(!EditorFixture::Enabled(editor, "HCommand"));
    QVERIFY(!EditorFixture::Enabled(editor, "A1Command"));
    EditorFixture::Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, std::vector<int>{20});
    QCOMPARE(f.ImageRange(0x100, 8), (Bytes{1, 2, 4, 8, 16, 32, 64, 128}));
  }

  void closingTheMainWindowAsksFirstThenClosesEditorAndPreview() {
    EditorFixture f;
    PictureEditorWindow* editor = f.OpenEditor(0, 1);
    QVERIFY(editor != nullptr);
    EditorFixture::Open(editor, f.platform, f.Bmp("new.bmp", Bmp24Of(4, 3, Scattered)));
    EditorFixture::Action(editor, "Save")->trigger();  // the frame goes in, the editor closes
    QCOMPARE(f.platform.messages, std::vector<int>{20});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(f.form.PreviewWindow()->Box(2), Qt::LeftButton);
    QVERIFY(f.form.EditorWindow() != nullptr);

    f.platform.answers = {app::Answer::kCancel, app::Answer::kNo};
    QVERIFY(!f.form.close());
    QCOMPARE(f.platform.questions, 1);
    QVERIFY(f.form.isVisible() && f.form.PreviewWindow()->isVisible() && f.form.EditorWindow()->isVisible());
    QVERIFY(f.form.close());
    QCOMPARE(f.platform.questions, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.form.EditorWindow() == nullptr && f.form.PreviewWindow() == nullptr);
  }

  void aLargerCompressedPictureTurnsRedAndAsksBeforeSavingAndUndoTakesItBack() {
    EditorFixture f;
    PictureEditorWindow* editor = f.OpenEditor(2, 1);
    QVERIFY(editor != nullptr);
    const QLabel* shownFrame = f.form.findChild<QLabel*>(QStringLiteral("Picture2"));
    const QImage builtIn = shownFrame->pixmap().toImage();
    EditorFixture::Open(editor, f.platform, f.Bmp("busy.bmp", Bmp24Of(4, 3, Scattered)));
    QCOMPARE(f.platform.messages, std::vector<int>{41});
    const QLabel* label9 = editor->findChild<QLabel*>(QStringLiteral("Label9"));
    QCOMPARE(label9->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(label9->text().toInt() > 16);
    for (const char* b : {"VCommand", "HCommand", "A1Command", "A2Command"}) {
      QVERIFY(!EditorFixture::Enabled(editor, b));
    }
    QVERIFY(!editor->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
    QVERIFY(EditorFixture::Text(editor, "Label8").isEmpty());

    f.platform.answers.push_back(app::Answer::kNo);
    EditorFixture::Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.questions, 1);
    QVERIFY(!f.form.Image().Modified());
    QVERIFY(f.form.EditorWindow() != nullptr);

    const QString size = label9->text();
    f.platform.answers.push_back(app::Answer::kYes);
    EditorFixture::Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, (std::vector<int>{41, 20}));
    QCOMPARE(f.List()->topLevelItem(2)->text(4), size);
    QCOMPARE(f.ImageRange(0x200, 1), Bytes{9});

    // Undo through the menu takes back the bytes and the row's frame size,
    // and the list and the picture box show it; redo sets both again.
    f.form.PreviewWindow()->close();
    const QImage replaced = shownFrame->pixmap().toImage();
    QVERIFY(replaced != builtIn);
    f.form.findChild<QAction*>(QStringLiteral("menuundo"))->trigger();
    QCOMPARE(f.List()->topLevelItem(2)->text(4), QStringLiteral("16"));
    QCOMPARE(f.ImageRange(0x200, 16), Bytes(16, kFill));
    QVERIFY(shownFrame->pixmap().toImage() == builtIn);
    f.form.findChild<QAction*>(QStringLiteral("menuredo"))->trigger();
    QCOMPARE(f.List()->topLevelItem(2)->text(4), size);
    QVERIFY(shownFrame->pixmap().toImage() == replaced);
  }
};

static RegisterSuite<PictureEditorWindowTest> registerPictureEditorWindowTest;

}  // namespace korvana::ui::test

#include "picture_editor_window_test.moc"
