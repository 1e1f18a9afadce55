#include <QAction>
#include <QProgressBar>
#include <QToolBar>

#include "picture_fixture.h"
#include "pictures/encoder_test_support.h"
#include "pictures/picture_encoding.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using namespace korvana::pictures::bmptest;
using Bytes = std::vector<std::uint8_t>;

namespace {
QAction* Action(PictureEditorWindow* editor, const char* key) {
  return Find<QToolBar>(editor, "Toolbar1")->findChild<QAction*>(QString::fromLatin1(key));
}
QString Text(PictureEditorWindow* editor, const char* label) { return Find<QLabel>(editor, label)->text(); }
// The four turn buttons' enabled states, as "VHA1A2" with "-" for each one off.
QString Turns(PictureEditorWindow* editor) {
  QString shown;
  for (const char* b : {"VCommand", "HCommand", "A1Command", "A2Command"}) {
    const QString name = QString::fromLatin1(b).left(2).remove(QLatin1Char('C'));
    shown += Find<QPushButton>(editor, b)->isEnabled() ? name : QStringLiteral("-");
  }
  return shown;
}
// The editor's "Open" with the dialog answering a BMP of these bytes.
void Open(PicturesTab& f, PictureEditorWindow* editor, const std::string& name, const Bytes& bmp) {
  korvana::test::WriteBytes(f.Path(name), bmp);
  f.platform.paths.push_back(Q(f.Path(name)));
  Action(editor, "Open")->trigger();
}
}  // namespace

class PictureEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void aFrameClickOpensTheEditorWithTheBuiltInFrame() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(0, 2);
    QVERIFY(editor != nullptr);
    QVERIFY(!f.form.PreviewWindow()->isEnabled() && !f.form.isEnabled());
    QCOMPARE(Text(editor, "Label1"), QStringLiteral("4x3x16bit"));
    QCOMPARE(Text(editor, "Label7"), QStringLiteral("24"));
    QVERIFY(!Action(editor, "Save")->isEnabled());
    QCOMPARE(Turns(editor), QStringLiteral("----"));
    QCOMPARE(editor->Target().FrameAddress(), 0x20 + 24);

    // Cancelling the dialog says nothing; closing gives the preview back.
    Action(editor, "Open")->trigger();
    QVERIFY(f.platform.messages.empty());
    editor->close();
    QVERIFY(f.form.PreviewWindow()->isEnabled());
  }

  void savingWritesTheFrameRefreshesThePreviewAndEnablesSave() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(0, 2);
    QVERIFY(editor != nullptr);
    // 3 x 4: refused with 19 until turned.
    Open(f, editor, "turned.bmp", Bmp24Of(3, 4, [](int x, int y) { return (x + y) % 2 ? kRed : kBlue; }));
    QCOMPARE(Text(editor, "Label2"), QStringLiteral("3x4x24bit"));
    QCOMPARE(Text(editor, "Label9"), QStringLiteral("48"));
    QVERIFY(Action(editor, "Save")->isEnabled());
    QCOMPARE(Turns(editor), QStringLiteral("VHA1A2"));
    QCOMPARE(f.form.Folders().PictureSavePath, f.Path());
    Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, std::vector<int>{19});
    QVERIFY(!f.form.Image().Modified());

    Find<QPushButton>(editor, "A2Command")->click();
    QCOMPARE(Text(editor, "Label2"), QStringLiteral("4x3x24bit"));
    const Bytes expected = pictures::EncodeBmp(editor->Picture().bmp, 16).bytes;
    Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, (std::vector<int>{19, 20}));
    QCOMPARE(f.ImageRange(0x20 + 24, 24), expected);
    QCOMPARE(f.ImageRange(0x20, 24), Bytes(24, kFill));
    QVERIFY(SaveEnabled(f.form));
    QVERIFY(f.form.PreviewWindow()->isEnabled());
    const QColor shown = f.form.PreviewWindow()->Box(2)->pixmap().toImage().pixelColor(0, 0);
    QVERIFY(shown == QColor(Qt::red) || shown == QColor(Qt::blue));
    PicturesTab::Settle();
    QVERIFY(f.form.EditorWindow() == nullptr);
  }

  void monochromeOnlyFlipsAndTakesOnlyOneBitPictures() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(1, 1);
    QVERIFY(editor != nullptr);
    Open(f, editor, "rgb.bmp", Bmp24Of(8, 8, Scattered));
    Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, std::vector<int>{34});
    // Once a picture was opened, "Save" stays through a cancelled or failed open.
    Action(editor, "Open")->trigger();
    f.platform.paths.push_back(Q(f.Path("missing.bmp")));
    Action(editor, "Open")->trigger();
    QCOMPARE(f.platform.messages, (std::vector<int>{34, 37}));
    QVERIFY(Action(editor, "Save")->isEnabled());

    Open(f, editor, "mono.bmp", Bmp1Of(8, 8, true, [](int x, int y) { return x == y; }));
    QCOMPARE(Turns(editor), QStringLiteral("V---"));
    Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages.back(), 20);
    QCOMPARE(f.ImageRange(0x100, 8), (Bytes{1, 2, 4, 8, 16, 32, 64, 128}));
  }

  void closingTheMainWindowAsksFirstThenClosesEditorAndPreview() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(0, 1);
    QVERIFY(editor != nullptr);
    Open(f, editor, "new.bmp", Bmp24Of(4, 3, Scattered));
    Action(editor, "Save")->trigger();  // the frame goes in, the editor closes
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
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(2, 1);
    QVERIFY(editor != nullptr);
    const QLabel* shownFrame = f.Get<QLabel>("Picture2");
    const QImage builtIn = shownFrame->pixmap().toImage();
    Open(f, editor, "busy.bmp", Bmp24Of(4, 3, Scattered));
    QCOMPARE(f.platform.messages, std::vector<int>{41});
    const QLabel* label9 = Find<QLabel>(editor, "Label9");
    QCOMPARE(label9->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(label9->text().toInt() > 16);
    QCOMPARE(Turns(editor), QStringLiteral("----"));
    QVERIFY(!Find<QProgressBar>(editor, "ProgressBar1")->isVisible());

    f.platform.answers = {app::Answer::kNo, app::Answer::kYes};
    Action(editor, "Save")->trigger();
    QVERIFY(!f.form.Image().Modified() && f.form.EditorWindow() != nullptr);
    const QString size = label9->text();
    Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.questions, 2);
    QCOMPARE(f.platform.messages, (std::vector<int>{41, 20}));
    QCOMPARE(f.List()->topLevelItem(2)->text(4), size);
    QCOMPARE(f.ImageRange(0x200, 1), Bytes{9});

    // Undo through the menu takes back the bytes and the row's frame size,
    // and the list and the picture box show it; redo sets both again.
    f.form.PreviewWindow()->close();
    const QImage replaced = shownFrame->pixmap().toImage();
    QVERIFY(replaced != builtIn);
    f.Get<QAction>("menuundo")->trigger();
    QCOMPARE(f.List()->topLevelItem(2)->text(4), QStringLiteral("16"));
    QCOMPARE(f.ImageRange(0x200, 16), Bytes(16, kFill));
    QVERIFY(shownFrame->pixmap().toImage() == builtIn);
    f.Get<QAction>("menuredo")->trigger();
    QCOMPARE(f.List()->topLevelItem(2)->text(4), size);
    QVERIFY(shownFrame->pixmap().toImage() == replaced);
  }
};

static RegisterSuite<PictureEditorWindowTest> registerPictureEditorWindowTest;

}  // namespace korvana::ui::test

#include "picture_editor_window_test.moc"
