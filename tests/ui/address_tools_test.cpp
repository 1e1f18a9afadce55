
#include "ui_helpers.h"

namespace korvana::ui::test {

namespace {
// A firmware holding the tone address 00123456 at 0x1000 and 0x2000, and the record of a 128*160 picture at 00A1B2C4
// at 0x5000.
std::vector<std::uint8_t> Firmware() {
  std::vector<std::uint8_t> fw(0x6000, 0xFF);
  for (std::size_t at : {0x1000u, 0x2000u}) {
    fw[at] = 0x56, fw[at + 1] = 0x34, fw[at + 2] = 0x12, fw[at + 3] = 0x00;
  }
  const std::uint8_t record[] = {0x80, 0x00, 0xA0, 0x00, 0xC4, 0xB2, 0xA1, 0x00};
  std::copy(std::begin(record), std::end(record), fw.begin() + 0x5000);
  return fw;
}

QString Text(QWidget* window, const char* name) { return Find<QLineEdit>(window, name)->text(); }
bool ModifyEnabled(QWidget* window) { return Find<QPushButton>(window, "Modify")->isEnabled(); }
void SetText(QWidget* window, const char* name, const QString& text) { Find<QLineEdit>(window, name)->setText(text); }
void Click(QWidget* window, const char* name) { Find<QPushButton>(window, name)->click(); }
void Tick(QWidget* window, int row) {
  Find<QTreeWidget>(window, "ListView1")->topLevelItem(row)->setCheckState(0, Qt::Checked);
}

// Runs command, answering the real save dialog it opens with path (an existing file) and Yes to whatever question
// comes: true when the dialog asked before replacing the file.
bool AskedBeforeReplacing(const QString& path, const std::function<void()>& command) {
  bool asked = false;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* top = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(top)) {
      asked = true;
      box->button(QMessageBox::Yes)->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(top)) {
      // Typed into the name field (selectFile leaves a field that has the focus alone) and accepted on every tick
      // until the dialog is gone: while it still reads its folder it resets the name. Queued, so that the question
      // it may ask finds this driver free to answer.
      if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(path);
      QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    }
  });
  driver.start(10);
  command();
  return asked;
}

QStringList Rows(QWidget* window) {
  auto* list = Find<QTreeWidget>(window, "ListView1");
  QStringList rows;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    rows << RowTexts(list, i).mid(0, 2).join(' ') + (list->topLevelItem(i)->checkState(0) == Qt::Checked ? " [x]" : "");
  }
  return rows;
}
}  // namespace

class AddressToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void addressChangeWritesTheFirstTickedPlaceAndGivesInputBack() {
    Editor e(Firmware());
    e.form.show();
    e.form.Tabs()->setCurrentIndex(0);
    QTreeWidget* tones = Find<QTreeWidget>(&e.form, "ListView4");
    e.form.OpenAddressChange("0x00123456");
    QWidget* w = e.form.ToolWindow();
    QCOMPARE(w->objectName() + ' ' + Text(w, "Text1"), QStringLiteral("Form4 00123456"));
    QVERIFY(!e.form.isEnabled() && w->isEnabled() && !ModifyEnabled(w));
    Click(w, "search");
    QCOMPARE(Rows(w), (QStringList{"01 0x00001000", "02 0x00002000"}));
    QVERIFY(ModifyEnabled(w) && Find<QProgressBar>(w, "ProgressBar1")->isHidden());
    SetText(w, "Text2", "1A2B");
    Click(w, "Modify");  // nothing ticked
    QVERIFY(e.platform.messages == std::vector<int>{11} && !e.form.Image().Modified());
    Tick(w, 1);
    Tick(w, 0);
    Click(w, "Modify");
    QCOMPARE(e.platform.messages, (std::vector<int>{11, 13}));
    QVERIFY(e.form.Image().Bytes()[0x1001] == 0x1A && SaveEnabled(e.form));  // the first ticked place, 0x1000
    // The window stays open for another search: only 0x2000 is left.
    Click(w, "search");
    QCOMPARE(Rows(w), QStringList{"01 0x00002000 [x]"});
    QVERIFY(e.CloseToolWindow());
    QTRY_COMPARE(QApplication::focusWidget(), tones);
  }

  void offsetChangeWritesTheEntryPatchWithoutTouchingTheImage() {
    Editor e(Firmware());
    e.form.OpenOffsetChange("", "");
    QWidget* w = e.form.ToolWindow();
    Click(w, "search");  // no address: nothing to find, nothing to change
    QVERIFY(Rows(w).isEmpty() && !ModifyEnabled(w));
    // One tool window at a time, and none lets the main window close.
    e.form.OpenAddressCalculator();
    QVERIFY(e.form.ToolWindow() == w && !e.form.close());
    QVERIFY(e.CloseToolWindow());
    e.form.OpenOffsetChange("0x00123456", "4096");
    w = e.form.ToolWindow();
    QCOMPARE(Text(w, "Text3"), QStringLiteral("4096"));
    Click(w, "search");
    Click(w, "Modify");
    QCOMPARE(e.platform.messages, (std::vector<int>{39, 40}));  // no new address, no size
    SetText(w, "Text2", "00A00000");
    SetText(w, "Text4", "1000");
    Click(w, "Modify");  // nothing ticked
    QCOMPARE(e.platform.messages.back(), 11);
    Tick(w, 1);
    e.platform.paths.push_back({});  // cancelled: no file, no message
    Click(w, "Modify");
    QCOMPARE(e.platform.messages.size(), std::size_t{3});
    std::filesystem::create_directory(e.Path("out"));
    korvana::test::WriteText(e.Path("out/tone.s3"), "old");
    e.platform.realSaveDialogs = true;
    QVERIFY(AskedBeforeReplacing(Q(e.Path("out/tone.s3")), [&] { Click(w, "Modify"); }));
    e.platform.realSaveDialogs = false;
    QCOMPARE(e.platform.messages.back(), 10);
    QCOMPARE(korvana::test::ReadText(e.Path("out/tone.s3")),
             std::string("S00600004844521B\r\nS30D000020000000A000E803000047\r\nS705A002000058\r\n"));
    QVERIFY(e.form.Folders().S3SavePath == e.Path("out") && !e.form.Image().Modified());
  }

  void pictureOffsetFindsTheRecordAndPatchesItsAddressField() {
    Editor e(Firmware());
    e.form.OpenPictureOffset("0X00A1B2C4", "128*160");
    QWidget* w = e.form.ToolWindow();
    QCOMPARE(Text(w, "Text1"), QStringLiteral("00A1B2C4"));
    Click(w, "search");
    QCOMPARE(Rows(w), QStringList{"01 0x00005000 [x]"});
    SetText(w, "Text2", "00A20000");
    korvana::test::WriteBytes(e.Path("pic.s3"), {1});
    e.platform.realSaveDialogs = true;
    QVERIFY(AskedBeforeReplacing(Q(e.Path("pic.s3")), [&] { Click(w, "Modify"); }));
    e.platform.realSaveDialogs = false;
    QCOMPARE(e.platform.messages, std::vector<int>{10});
    QCOMPARE(korvana::test::ReadText(e.Path("pic.s3")),
             std::string("S00600004844521B\r\nS309000050040000A20000\r\nS705A002000058\r\n"));
  }

  // The sums are the core's; here the buttons and fields.
  void calculatorAdvancesByTheSizeAndTakesAFilesSize() {
    Editor e;
    e.Trigger("menuTool");
    QWidget* w = e.form.ToolWindow();
    QCOMPARE(w->objectName(), QStringLiteral("Form7"));
    SetText(w, "Text1", "1A2B00");
    SetText(w, "Text2", "5186");
    Click(w, "Command1");
    Click(w, "Command1");  // from the field's new start
    QCOMPARE(Text(w, "Text1"), QStringLiteral("001A5384"));
    SetText(w, "Text1", "7FFFFFFF");
    Click(w, "Command1");
    QVERIFY(Text(w, "Text1") == QStringLiteral("7FFFFFFF") && e.platform.messages == std::vector<int>{30});
    korvana::test::WriteBytes(e.Path("tone.mmf"), std::vector<std::uint8_t>(70000, 0));
    e.platform.paths.push_back(Q(e.Path("tone.mmf")));
    Click(w, "Command2");
    QCOMPARE(Text(w, "Text2"), QStringLiteral("70000"));
  }

  void closingDuringASearchStopsItFirst() {
    Editor e(std::vector<std::uint8_t>(4096, 0));
    e.form.OpenAddressChange("00000000");
    QPointer<QWidget> w = e.form.ToolWindow();
    QTimer::singleShot(0, w, [w] { w->close(); });
    Click(w, "search");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull() && e.form.isEnabled() && e.form.Image().SearchStart() == 0);
  }
};

static RegisterSuite<AddressToolsTest> registerAddressToolsTest;

}  // namespace korvana::ui::test

#include "address_tools_test.moc"
