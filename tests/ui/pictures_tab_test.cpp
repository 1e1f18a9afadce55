#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "ui/picture_preview_window.h"
#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

namespace {
// A firmware with three pictures and the table that names them:
//   001 Anim: 7 frames of 2 x 1 at depth 16 from 0x20, frame k red + (k-th
//             level of blue);
//   002 Mono: 8 x 8 at depth 1 at 0x100, a diagonal of black pixels;
//   003 Pack: 3 x 2 compressed at 0x200.
std::vector<std::uint8_t> Firmware() {
  std::vector<std::uint8_t> fw(0x400, 0);
  for (std::size_t k = 0; k < 7; ++k) {
    fw[0x20 + 4 * k + 1] = 0xF8;                                // red
    fw[0x20 + 4 * k + 2] = static_cast<std::uint8_t>(k * 4);  // blue level k*4
  }
  for (int x = 0; x < 8; ++x) fw[static_cast<std::size_t>(0x100 + x)] = static_cast<std::uint8_t>(1 << x);
  const std::vector<std::uint8_t> packed{0x09, 0x02, 0x1F, 0x00, 0x00, 0xF8, 0xC3, 0x01,
                                         0x02, 0xE0, 0x07, 0xE0, 0x07, 0x81, 0x01, 0x00};
  std::copy(packed.begin(), packed.end(), fw.begin() + 0x200);
  return fw;
}

struct PictureFixture : Editor {
  std::string table = Path("table.txt");

  PictureFixture() : Editor(Firmware()) {
    korvana::test::WriteText(table,
                             "001 Anim\t 0X00000020\t Zahl: 7\t Size: 4\t Dims: 2*1\t Farb: 16\t\r\n"
                             "002 Mono\t 0X00000100\t Zahl: 1\t Size: 8\t Dims: 8*8\t Farb: 1\t\r\n"
                             "003 Pack\t 0X00000200\t Zahl: 1\t Size: 16\t Dims: 3*2\t Farb: 16*\t\r\n");
    form.show();
    form.Tabs()->setCurrentIndex(2);
  }

  template <typename T>
  T* Get(const char* name) {
    return Find<T>(&form, name);
  }
  QTreeWidget* List() { return Get<QTreeWidget>("ListView5"); }
  void OpenTable(const std::string& path) {
    platform.paths.push_back(Q(path));
    Get<QPushButton>("OpenPicTable")->click();
  }
  void ClickRow(int row) {
    QTreeWidgetItem* item = List()->topLevelItem(row);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(item).center());
  }
  QImage Shown() { return Get<QLabel>("Picture2")->pixmap().toImage(); }
  QString Text(const char* name) { return Get<QLineEdit>(name)->text(); }
  bool Enabled(const char* name) { return Get<QPushButton>(name)->isEnabled(); }
  void Tick() { QMetaObject::invokeMethod(Get<QTimer>("Timer2"), "timeout"); }
  // The frame numbers Text16 shows after each of n ticks.
  QStringList Ticks(int n) {
    QStringList seen;
    for (int i = 0; i < n; ++i) {
      Tick();
      seen << Text("Text16");
    }
    return seen;
  }
};
}  // namespace

class PicturesTabTest : public QObject {
  Q_OBJECT

 private slots:
  void pictureOffsetOpensTheToolWindowForTheSelectedPicture() {
    PictureFixture f;
    f.OpenTable(f.table);
    f.ClickRow(1);
    f.Get<QAction>("PictureOffset")->trigger();
    QWidget* window = f.form.ToolWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->objectName(), QStringLiteral("Form6"));
    QCOMPARE(Find<QLineEdit>(window, "Text1")->text(), QStringLiteral("00000100"));
    QCOMPARE(Find<QLineEdit>(window, "Text3")->text(), QStringLiteral("8*8"));
    QVERIFY(f.CloseToolWindow());
  }

  void tablesOpenWithTheOffsetSaveAndABadOneEmptiesTheList() {
    PictureFixture f;
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
    QCOMPARE(f.form.PictureRows().RowCount(), 3);
    QCOMPARE(f.form.PictureRows().Rows()[2].depth, std::string("16*"));

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
    PictureFixture f;
    f.OpenTable(f.table);
    f.ClickRow(0);
    QCOMPARE(f.Text("Text15"), QStringLiteral("0x20"));
    QImage shown = f.Shown();
    QCOMPARE(shown.size(), QSize(2, 1));
    QCOMPARE(shown.pixelColor(0, 0), QColor(255, 0, 0));

    f.Get<QPushButton>("nextpicture")->click();
    QCOMPARE(f.Text("Text15"), QStringLiteral("0x24"));
    QCOMPARE(f.Shown().pixelColor(1, 0).blue(), 33);  // blue level 4 of 31
    f.Get<QPushButton>("PreviousPicture")->click();
    f.Get<QPushButton>("PreviousPicture")->click();
    QCOMPARE(f.Text("Text16"), QStringLiteral("0"));
    QCOMPARE(f.Text("Text15"), QStringLiteral("0x1C"));

    f.ClickRow(2);  // compressed: shown, but no steps and no play
    QCOMPARE(f.Shown().pixelColor(1, 1), QColor(0, 255, 0));
    QVERIFY(!f.Enabled("nextpicture") && !f.Enabled("PreviousPicture") && !f.Enabled("PlayPicture"));
  }

  void timerAnimatesOnceOrInALoopAndPauseResumes() {
    PictureFixture f;
    f.OpenTable(f.table);
    f.ClickRow(0);
    f.Get<QSlider>("Slider1")->setValue(2);
    QCOMPARE(f.Get<QTimer>("Timer2")->interval(), 200);
    f.Get<QPushButton>("PlayPicture")->click();
    QVERIFY(f.Get<QTimer>("Timer2")->isActive());
    QVERIFY(f.Enabled("PausePlay") && f.Enabled("StopPlay") && !f.Enabled("PlayPicture"));
    QStringList seen = f.Ticks(3);
    f.Get<QPushButton>("PausePlay")->click();
    f.Tick();  // paused: nothing moves
    QCOMPARE(f.Text("Text16"), QStringLiteral("3"));
    f.Get<QPushButton>("PlayPicture")->click();
    seen << f.Ticks(5);
    QCOMPARE(seen, QStringList({"1", "2", "3", "4", "5", "6", "7", "1"}));
    QVERIFY(!f.Get<QTimer>("Timer2")->isActive());  // ran once and stopped
    QVERIFY(f.Enabled("PlayPicture") && !f.Enabled("StopPlay"));

    f.Get<QCheckBox>("RepeatPlay")->setChecked(true);
    f.Get<QPushButton>("PlayPicture")->click();
    QCOMPARE(f.Ticks(9), QStringList({"1", "2", "3", "4", "5", "6", "7", "1", "2"}));
    f.Get<QPushButton>("StopPlay")->click();
    QVERIFY(!f.Get<QTimer>("Timer2")->isActive());
    QCOMPARE(f.Text("Text16"), QStringLiteral("2"));  // the frame on display stays
  }

  void anUnsupportedDepthShowsItsBoxAndStopsTheAnimation() {
    PictureFixture f;
    korvana::test::WriteText(f.Path("odd.txt"), "001 Odd\t 0X00000020\t Zahl: 3\t Size: 4\t Dims: 2*1\t Farb: 7\t\r\n");
    f.OpenTable(f.Path("odd.txt"));
    f.ClickRow(0);
    QCOMPARE(f.platform.errors, QStringList{QString::fromUtf8("错误的bmp文件格式")});
    f.Get<QPushButton>("PlayPicture")->click();
    f.Tick();
    QCOMPARE(f.platform.errors.size(), 2);
    QVERIFY(!f.Get<QTimer>("Timer2")->isActive());
    QVERIFY(f.Enabled("PlayPicture"));
  }

  void doubleClickOpensThePreviewOfAllFrames() {
    PictureFixture f;
    f.OpenTable(f.table);
    f.ClickRow(0);
    QTreeWidgetItem* item = f.List()->topLevelItem(0);
    QTest::mouseDClick(f.List()->viewport(), Qt::LeftButton, {}, f.List()->visualItemRect(item).center());
    PicturePreviewWindow* preview = f.form.PreviewWindow();
    QVERIFY(preview != nullptr);
    QVERIFY(!f.form.isEnabled());
    QCOMPARE(preview->BoxCount(), 7);
    QCOMPARE(preview->Box(7)->geometry(), QRect(2040 / 15, 2600 / 15, 1950 / 15, 2430 / 15));
    QCOMPARE(preview->Box(3)->pixmap().toImage().pixelColor(1, 0).blue(), 66);  // level 8 of 31

    QTest::mouseClick(preview->Box(4), Qt::LeftButton);
    QCOMPARE(preview->SelectedFrame(), 4);

    preview->close();
    QVERIFY(f.form.isEnabled());
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.form.PreviewWindow() == nullptr);
  }

  void exportWritesBmpFilesThatLoadWithTheirPixels() {
    PictureFixture f;
    f.OpenTable(f.table);
    QAction* exportSelected = f.Get<QAction>("outputpic");
    exportSelected->trigger();  // nothing selected: no dialog, no files, no 18
    QCOMPARE(f.platform.messages, std::vector<int>{11});

    const QString out = Q(f.Path("out/"));
    QDir().mkpath(out);
    f.ClickRow(0);
    f.Get<QPushButton>("PlayPicture")->click();
    f.Tick();
    f.platform.paths.push_back(out);
    exportSelected->trigger();
    QCOMPARE(f.platform.messages, (std::vector<int>{11, 18}));
    // The export stops the timer only: frame and play buttons stay.
    QVERIFY(!f.Get<QTimer>("Timer2")->isActive());
    QVERIFY(!f.Enabled("PlayPicture") && f.Enabled("PausePlay") && f.Enabled("StopPlay"));
    QCOMPARE(korvana::test::FilesIn(f.Path("out")).size(), std::size_t{7});
    QCOMPARE(f.form.Folders().PictureSavePath, FromQ(out));
    QCOMPARE(QImage(out + QStringLiteral("Anim-03.bmp")).pixelColor(1, 0).blue(), 66);  // blue level 8 of 31

    f.platform.paths.push_back(out);
    f.Get<QAction>("outputpicall")->trigger();
    QCOMPARE(korvana::test::FilesIn(f.Path("out")).size(), std::size_t{9});
  }

  void exportS3WritesTheSelectedRowsAndTheMenuFollowsTheList() {
    PictureFixture f;
    ShowMenu(&f.form, "ListView5", "menufile5");
    QVERIFY(!f.Get<QAction>("outputpic")->isEnabled());
    QVERIFY(!f.Get<QMenu>("modifypicoffset")->isEnabled());
    f.OpenTable(f.table);
    ShowMenu(&f.form, "ListView5", "menufile5");
    QVERIFY(f.Get<QAction>("outputpics3")->isEnabled());

    f.List()->topLevelItem(0)->setSelected(true);
    f.List()->topLevelItem(2)->setSelected(true);
    f.platform.paths.push_back(Q(f.Path("p.s3")));
    f.Get<QAction>("outputpics3")->trigger();
    QCOMPARE(f.platform.messages, std::vector<int>{10});
    QCOMPARE(f.platform.filterIndices.back(), 2);
    const std::string text = korvana::test::ReadText(f.Path("p.s3"));
    QVERIFY(text.find("S31500000020") != std::string::npos);  // 7 frames of 4 bytes from 0x20
    QVERIFY(text.find("S31500000200") != std::string::npos);  // 16 compressed bytes at 0x200
    QCOMPARE(f.form.Folders().S3SavePath, f.Path());
  }
};

static RegisterSuite<PicturesTabTest> registerPicturesTabTest;

}  // namespace korvana::ui::test

#include "pictures_tab_test.moc"
