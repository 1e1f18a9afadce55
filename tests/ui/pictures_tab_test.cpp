#include "picture_fixture.h"
#include "pictures/picture_encoding.h"
#include "pictures/encoder_test_support.h"

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

class PicturesTabTest : public QObject {
  Q_OBJECT

 private slots:
  void tablesOpenWithTheOffsetSaveAndABadOneEmptiesTheList() {
    PicturesTab f;
    f.Click("SavePicTable");
    QCOMPARE(f.platform.messages, std::vector<int>{4});
    f.Get<QLineEdit>("Text21")->setText(QStringLiteral("-10"));
    f.OpenTable(f.table);
    QCOMPARE(RowTexts(f.List(), 0).at(2), QStringLiteral("0X00000010"));
    QVERIFY(f.form.Folders().TableSavePath == f.Path() && f.Enabled("PlayPicture"));
    f.platform.paths.push_back(Q(f.Path("saved.txt")));
    f.Click("SavePicTable");
    QCOMPARE(f.platform.messages, (std::vector<int>{4, 16}));
    f.Get<QLineEdit>("Text21")->setText(QString());
    f.OpenTable(f.Path("saved.txt"));
    QCOMPARE(f.form.PictureRows().Rows()[0].start, std::string("0X00000010"));
    QCOMPARE(f.platform.filterIndices, (std::vector<int>{2, 2, 2}));  // "所有文件(*.*)" first
    f.ClickRow(1);
    f.OpenTable(f.table);  // a list filled anew has no selection
    QVERIFY(f.List()->selectedItems().isEmpty());

    korvana::test::WriteText(f.Path("bad.txt"), "001 Short\r\n");
    f.OpenTable(f.Path("bad.txt"));
    QCOMPARE(f.platform.messages, (std::vector<int>{4, 16, 38}));
    QVERIFY(f.List()->topLevelItemCount() == 0 && !f.Enabled("PlayPicture") && !f.Enabled("nextpicture"));
  }

  // The frame sequence is the core's; here the timer and the buttons.
  void playRunsTheTimerPauseHoldsAndStopKeepsTheFrame() {
    PicturesTab f;
    f.OpenTable(f.table);
    f.ClickRow(0);
    auto* timer = f.Get<QTimer>("Timer2");
    f.Get<QSlider>("Slider1")->setValue(2);
    QCOMPARE(timer->interval(), 200);
    f.Click("PlayPicture");
    QVERIFY(timer->isActive() && f.Enabled("PausePlay") && f.Enabled("StopPlay") && !f.Enabled("PlayPicture"));
    f.Tick();
    f.Tick();
    f.Click("PausePlay");
    f.Tick();  // paused: nothing moves
    QCOMPARE(f.Text("Text16"), QStringLiteral("2"));
    f.Click("PlayPicture");
    for (int i = 0; i < 6; ++i) f.Tick();
    QVERIFY(f.Text("Text16") == QStringLiteral("1") && !timer->isActive());  // ran once and stopped
    QVERIFY(f.Enabled("PlayPicture") && !f.Enabled("StopPlay"));
    f.Get<QCheckBox>("RepeatPlay")->setChecked(true);
    f.Click("PlayPicture");
    for (int i = 0; i < 9; ++i) f.Tick();
    f.Click("StopPlay");  // repeating, it still ran
    QVERIFY(f.Text("Text16") == QStringLiteral("2") && !timer->isActive());  // the frame on display stays
  }

  void exportWritesBmpFilesAndKeepsTheAnimationsButtons() {
    PicturesTab f;
    f.OpenTable(f.table);
    f.Trigger("outputpic");  // nothing selected: no dialog, no files, no 18
    QCOMPARE(f.platform.messages, std::vector<int>{11});
    const QString out = Q(f.Path("out/"));
    QDir().mkpath(out);
    f.ClickRow(0);
    f.Click("PlayPicture");
    f.Tick();
    f.Tick();
    f.platform.paths = {out, out};
    f.Trigger("outputpic");
    QCOMPARE(f.platform.messages, (std::vector<int>{11, 18}));
    // The export stops the timer only: frame and play buttons stay.
    QVERIFY(!f.Get<QTimer>("Timer2")->isActive() && f.Text("Text16") == QStringLiteral("2"));
    QVERIFY(!f.Enabled("PlayPicture") && f.Enabled("PausePlay") && f.Enabled("StopPlay"));
    QVERIFY(korvana::test::FilesIn(f.Path("out")).size() == 7 && f.form.Folders().PictureSavePath == FromQ(out));
    f.Trigger("outputpicall");
    QCOMPARE(korvana::test::FilesIn(f.Path("out")).size(), std::size_t{9});
  }

  void exportS3WritesTheSelectedRowsAndTheMenuFollowsTheList() {
    PicturesTab f;
    ShowMenu(&f.form, "ListView5", "menufile5");
    QVERIFY(!f.Get<QAction>("outputpic")->isEnabled() && !f.Get<QMenu>("modifypicoffset")->isEnabled());
    f.OpenTable(f.table);
    ShowMenu(&f.form, "ListView5", "menufile5");
    QVERIFY(f.Get<QAction>("outputpics3")->isEnabled());

    SelectRows(f.List(), {0, 2});
    f.platform.paths.push_back(Q(f.Path("p.s3")));
    f.Trigger("outputpics3");
    QVERIFY(f.platform.messages == std::vector<int>{10} && f.platform.filterIndices.back() == 2);
    const std::string text = korvana::test::ReadText(f.Path("p.s3"));
    QVERIFY(text.find("S31500000020") != std::string::npos);  // the 7 frames from 0x20
    QVERIFY(text.find("S31500000200") != std::string::npos);  // the compressed bytes at 0x200
    QCOMPARE(f.form.Folders().S3SavePath, f.Path());

    // The offset window opens for the row clicked.
    f.ClickRow(1);
    f.Trigger("PictureOffset");
    QWidget* window = f.form.ToolWindow();
    QCOMPARE(window->objectName(), QStringLiteral("Form6"));
    QCOMPARE(Find<QLineEdit>(window, "Text1")->text(), QStringLiteral("00000100"));
    QCOMPARE(Find<QLineEdit>(window, "Text3")->text(), QStringLiteral("8*8"));
    QVERIFY(f.CloseToolWindow());
  }

  void aFrameClickOpensTheEditorWithTheBuiltInFrame() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(0, 2);
    QVERIFY(!f.form.PreviewWindow()->isEnabled() && !f.form.isEnabled());
    QCOMPARE(f.form.PreviewWindow()->BoxCount(), 7);
    QCOMPARE(Text(editor, "Label1") + ' ' + Text(editor, "Label7") + ' ' + Turns(editor), QStringLiteral("4x3x16bit 24 ----"));
    QVERIFY(!Action(editor, "Save")->isEnabled());
    QCOMPARE(editor->Target().FrameAddress(), 0x20 + 24);

    // Cancelling the dialog says nothing; closing gives the preview back.
    Action(editor, "Open")->trigger();
    QVERIFY(f.platform.messages.empty());
    editor->close();
    QVERIFY(f.form.PreviewWindow()->isEnabled());
    f.form.PreviewWindow()->close();
    QVERIFY(f.form.isEnabled());
    PicturesTab::Settle();
    QVERIFY(f.form.PreviewWindow() == nullptr);
  }

  void savingWritesTheFrameRefreshesThePreviewAndEnablesSave() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(0, 2);
    // 3 x 4: refused with 19 until turned.
    Open(f, editor, "turned.bmp", Bmp24Of(3, 4, [](int x, int y) { return (x + y) % 2 ? kRed : kBlue; }));
    QCOMPARE(Text(editor, "Label2") + ' ' + Text(editor, "Label9") + ' ' + Turns(editor), QStringLiteral("3x4x24bit 48 VHA1A2"));
    QVERIFY(Action(editor, "Save")->isEnabled() && f.form.Folders().PictureSavePath == f.Path());
    Action(editor, "Save")->trigger();
    QVERIFY(f.platform.messages == std::vector<int>{19} && !f.form.Image().Modified());
    Find<QPushButton>(editor, "A2Command")->click();
    QCOMPARE(Text(editor, "Label2"), QStringLiteral("4x3x24bit"));
    const Bytes expected = pictures::EncodeBmp(editor->Picture().bmp, 16).bytes;
    Action(editor, "Save")->trigger();
    QCOMPARE(f.platform.messages, (std::vector<int>{19, 20}));
    QCOMPARE(f.ImageRange(0x20 + 24, 24), expected);
    QCOMPARE(f.ImageRange(0x20, 24), Bytes(24, kFill));
    QVERIFY(SaveEnabled(f.form) && f.form.PreviewWindow()->isEnabled());
    const QColor shown = f.form.PreviewWindow()->Box(2)->pixmap().toImage().pixelColor(0, 0);
    QVERIFY(shown == QColor(Qt::red) || shown == QColor(Qt::blue));
    PicturesTab::Settle();
    QVERIFY(f.form.EditorWindow() == nullptr);
  }

  void monochromeOnlyFlipsAndTakesOnlyOneBitPictures() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(1, 1);
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
    QVERIFY(f.platform.messages.back() == 20 && f.ImageRange(0x100, 8) == (Bytes{1, 2, 4, 8, 16, 32, 64, 128}));
  }

  void closingTheMainWindowAsksFirstThenClosesEditorAndPreview() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(0, 1);
    Open(f, editor, "new.bmp", Bmp24Of(4, 3, Scattered));
    Action(editor, "Save")->trigger();  // the frame goes in, the editor closes
    QCOMPARE(f.platform.messages, std::vector<int>{20});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(f.form.PreviewWindow()->Box(2), Qt::LeftButton);
    QVERIFY(f.form.EditorWindow() != nullptr);

    f.platform.answers = {app::Answer::kCancel, app::Answer::kNo};
    QVERIFY(!f.form.close() && f.platform.questions == 1);
    QVERIFY(f.form.isVisible() && f.form.PreviewWindow()->isVisible() && f.form.EditorWindow()->isVisible());
    QVERIFY(f.form.close() && f.platform.questions == 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.form.EditorWindow() == nullptr && f.form.PreviewWindow() == nullptr);
  }

  void aLargerCompressedPictureTurnsRedAndAsksBeforeSavingAndUndoTakesItBack() {
    PicturesTab f;
    PictureEditorWindow* editor = f.OpenEditor(2, 1);
    const QLabel* shownFrame = f.Get<QLabel>("Picture2");
    const QImage builtIn = shownFrame->pixmap().toImage();
    Open(f, editor, "busy.bmp", Bmp24Of(4, 3, Scattered));
    QCOMPARE(f.platform.messages, std::vector<int>{41});
    const QLabel* label9 = Find<QLabel>(editor, "Label9");
    QCOMPARE(label9->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(label9->text().toInt() > 16 && Turns(editor) == QStringLiteral("----"));
    QVERIFY(!Find<QProgressBar>(editor, "ProgressBar1")->isVisible());

    f.platform.answers = {app::Answer::kNo, app::Answer::kYes};
    Action(editor, "Save")->trigger();
    QVERIFY(!f.form.Image().Modified() && f.form.EditorWindow() != nullptr);
    const QString size = label9->text();
    Action(editor, "Save")->trigger();
    QVERIFY(f.platform.questions == 2 && f.platform.messages == (std::vector<int>{41, 20}));
    QVERIFY(f.List()->topLevelItem(2)->text(4) == size && f.ImageRange(0x200, 1) == Bytes{9});

    // Undo through the menu takes back the bytes and the row's frame size, and the list and the picture box show it;
    // redo sets both again.
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

static RegisterSuite<PicturesTabTest> registerPicturesTabTest;

}  // namespace korvana::ui::test

#include "pictures_tab_test.moc"
