#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QSlider>

#include "picture_fixture.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

class PicturesTabTest : public QObject {
  Q_OBJECT

 private slots:
  void tablesOpenWithTheOffsetSaveAndABadOneEmptiesTheList() {
    PicturesTab f;
    f.Get<QPushButton>("SavePicTable")->click();
    QCOMPARE(f.platform.messages, std::vector<int>{4});
    f.Get<QLineEdit>("Text21")->setText(QStringLiteral("-10"));
    f.OpenTable(f.table);
    QCOMPARE(f.List()->topLevelItemCount(), 3);
    QCOMPARE(f.List()->topLevelItem(0)->text(2), QStringLiteral("0X00000010"));
    QCOMPARE(f.form.Folders().TableSavePath, f.Path());
    QVERIFY(f.Enabled("PlayPicture"));

    f.platform.paths.push_back(Q(f.Path("saved.txt")));
    f.Get<QPushButton>("SavePicTable")->click();
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
    QCOMPARE(f.List()->topLevelItemCount(), 0);
    QVERIFY(!f.Enabled("PlayPicture") && !f.Enabled("nextpicture"));
  }

  void aClickShowsFrameOneAndStepsHaveNoBounds() {
    PicturesTab f;
    f.OpenTable(f.table);
    f.ClickRow(0);
    QCOMPARE(f.Text("Text15"), QStringLiteral("0x20"));
    QCOMPARE(f.Get<QLabel>("Picture2")->pixmap().size(), QSize(4, 3));
    f.Get<QPushButton>("nextpicture")->click();
    QCOMPARE(f.Text("Text15"), QStringLiteral("0x38"));
    f.Get<QPushButton>("PreviousPicture")->click();
    f.Get<QPushButton>("PreviousPicture")->click();
    QCOMPARE(f.Text("Text16"), QStringLiteral("0"));
    QCOMPARE(f.Text("Text15"), QStringLiteral("0x8"));

    f.ClickRow(2);  // compressed: shown, but no steps and no play
    QCOMPARE(f.Get<QLabel>("Picture2")->pixmap().size(), QSize(4, 3));
    QVERIFY(!f.Enabled("nextpicture") && !f.Enabled("PreviousPicture") && !f.Enabled("PlayPicture"));
  }

  // The frame sequence is the core's; here the timer and the buttons.
  void playRunsTheTimerPauseHoldsAndStopKeepsTheFrame() {
    PicturesTab f;
    f.OpenTable(f.table);
    f.ClickRow(0);
    auto* timer = f.Get<QTimer>("Timer2");
    f.Get<QSlider>("Slider1")->setValue(2);
    QCOMPARE(timer->interval(), 200);
    f.Get<QPushButton>("PlayPicture")->click();
    QVERIFY(timer->isActive() && f.Enabled("PausePlay") && f.Enabled("StopPlay") && !f.Enabled("PlayPicture"));
    f.Tick();
    f.Tick();
    f.Get<QPushButton>("PausePlay")->click();
    f.Tick();  // paused: nothing moves
    QCOMPARE(f.Text("Text16"), QStringLiteral("2"));
    f.Get<QPushButton>("PlayPicture")->click();
    for (int i = 0; i < 6; ++i) f.Tick();
    QCOMPARE(f.Text("Text16"), QStringLiteral("1"));
    QVERIFY(!timer->isActive());  // ran once and stopped
    QVERIFY(f.Enabled("PlayPicture") && !f.Enabled("StopPlay"));

    f.Get<QCheckBox>("RepeatPlay")->setChecked(true);
    f.Get<QPushButton>("PlayPicture")->click();
    for (int i = 0; i < 9; ++i) f.Tick();
    QVERIFY(timer->isActive());
    f.Get<QPushButton>("StopPlay")->click();
    QVERIFY(!timer->isActive());
    QCOMPARE(f.Text("Text16"), QStringLiteral("2"));  // the frame on display stays
  }

  void anUnsupportedDepthShowsItsBoxAndStopsTheAnimation() {
    PicturesTab f;
    korvana::test::WriteText(f.Path("odd.txt"), "001 Odd\t 0X00000020\t Zahl: 3\t Size: 4\t Dims: 2*1\t Farb: 7\t\r\n");
    f.OpenTable(f.Path("odd.txt"));
    f.ClickRow(0);
    QCOMPARE(f.platform.errors, QStringList{QString::fromUtf8("错误的bmp文件格式")});
    f.Get<QPushButton>("PlayPicture")->click();
    f.Tick();
    QCOMPARE(f.platform.errors.size(), 2);
    QVERIFY(!f.Get<QTimer>("Timer2")->isActive() && f.Enabled("PlayPicture"));
  }

  void doubleClickOpensThePreviewOfAllFrames() {
    PicturesTab f;
    f.OpenTable(f.table);
    f.ClickRow(0);
    QTest::mouseDClick(f.List()->viewport(), Qt::LeftButton, {}, f.RowCentre(0));
    PicturePreviewWindow* preview = f.form.PreviewWindow();
    QVERIFY(preview != nullptr && !f.form.isEnabled());
    QCOMPARE(preview->BoxCount(), 7);
    QTest::mouseClick(preview->Box(4), Qt::LeftButton);
    QCOMPARE(preview->SelectedFrame(), 4);
    preview->close();
    QVERIFY(f.form.isEnabled());
    PicturesTab::Settle();
    QVERIFY(f.form.PreviewWindow() == nullptr);
  }

  void exportWritesBmpFilesAndKeepsTheAnimationsButtons() {
    PicturesTab f;
    f.OpenTable(f.table);
    QAction* exportSelected = f.Get<QAction>("outputpic");
    exportSelected->trigger();  // nothing selected: no dialog, no files, no 18
    QCOMPARE(f.platform.messages, std::vector<int>{11});

    const QString out = Q(f.Path("out/"));
    QDir().mkpath(out);
    f.ClickRow(0);
    f.Get<QPushButton>("PlayPicture")->click();
    f.Tick();
    f.Tick();
    f.platform.paths.push_back(out);
    exportSelected->trigger();
    QCOMPARE(f.platform.messages, (std::vector<int>{11, 18}));
    // The export stops the timer only: frame and play buttons stay.
    QVERIFY(!f.Get<QTimer>("Timer2")->isActive());
    QVERIFY(!f.Enabled("PlayPicture") && f.Enabled("PausePlay") && f.Enabled("StopPlay"));
    QCOMPARE(f.Text("Text16"), QStringLiteral("2"));
    QCOMPARE(korvana::test::FilesIn(f.Path("out")).size(), std::size_t{7});
    QCOMPARE(f.form.Folders().PictureSavePath, FromQ(out));

    f.platform.paths.push_back(out);
    f.Get<QAction>("outputpicall")->trigger();
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
    f.Get<QAction>("outputpics3")->trigger();
    QCOMPARE(f.platform.messages, std::vector<int>{10});
    QCOMPARE(f.platform.filterIndices.back(), 2);
    const std::string text = korvana::test::ReadText(f.Path("p.s3"));
    QVERIFY(text.find("S31500000020") != std::string::npos);  // the 7 frames from 0x20
    QVERIFY(text.find("S31500000200") != std::string::npos);  // the compressed bytes at 0x200
    QCOMPARE(f.form.Folders().S3SavePath, f.Path());

    // The offset window opens for the row clicked.
    f.ClickRow(1);
    f.Get<QAction>("PictureOffset")->trigger();
    QWidget* window = f.form.ToolWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->objectName(), QStringLiteral("Form6"));
    QCOMPARE(Find<QLineEdit>(window, "Text1")->text(), QStringLiteral("00000100"));
    QCOMPARE(Find<QLineEdit>(window, "Text3")->text(), QStringLiteral("8*8"));
    QVERIFY(f.CloseToolWindow());
  }
};

static RegisterSuite<PicturesTabTest> registerPicturesTabTest;

}  // namespace korvana::ui::test

#include "pictures_tab_test.moc"
