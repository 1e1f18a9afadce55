#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "fake_platform.h"
#include "support/test_support.h"
#include "ui/form1.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::TempDir;

namespace {
// A firmware holding the tone address 00123456 at 0x1000 and 0x2000, and the
// record of a 128*160 picture at 00A1B2C4 at 0x5000.
std::vector<std::uint8_t> Firmware() {
  std::vector<std::uint8_t> fw(0x6000, 0xFF);
  for (std::size_t at : {0x1000u, 0x2000u}) {
    fw[at] = 0x56, fw[at + 1] = 0x34, fw[at + 2] = 0x12, fw[at + 3] = 0x00;
  }
  const std::uint8_t record[] = {0x80, 0x00, 0xA0, 0x00, 0xC4, 0xB2, 0xA1, 0x00};
  std::copy(std::begin(record), std::end(record), fw.begin() + 0x5000);
  return fw;
}

// The list of the main window that a tool window starts from.
QTreeWidget* MainList(Form1& form, int tab, const char* name) {
  form.Tabs()->setCurrentIndex(tab);
  auto* list = form.findChild<QTreeWidget*>(QString::fromLatin1(name));
  if (list == nullptr) qFatal("no list %s", name);
  return list;
}

template <typename T>
T* Child(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("no child %s", name);
  return child;
}

QString Text(QWidget* window, const char* name) { return Child<QLineEdit>(window, name)->text(); }
void SetText(QWidget* window, const char* name, const QString& text) { Child<QLineEdit>(window, name)->setText(text); }
void Click(QWidget* window, const char* name) { Child<QPushButton>(window, name)->click(); }

void Tick(QWidget* window, int row) {
  Child<QTreeWidget>(window, "ListView1")->topLevelItem(row)->setCheckState(0, Qt::Checked);
}

QStringList Rows(QWidget* window) {
  auto* list = Child<QTreeWidget>(window, "ListView1");
  QStringList rows;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list->topLevelItem(i);
    rows << item->text(0) + ' ' + item->text(1) + (item->checkState(0) == Qt::Checked ? " [x]" : "");
  }
  return rows;
}

void CloseToolWindow(Form1& form) {
  QWidget* window = form.ToolWindow();
  QVERIFY(window != nullptr);
  QVERIFY(window->close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(form.ToolWindow() == nullptr);
  QVERIFY(form.isEnabled());
}
}  // namespace

class AddressToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void addressChangeWritesTheFirstTickedPlaceAndGivesInputBack() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    form.show();
    QTreeWidget* tones = MainList(form, 0, "ListView4");
    korvana::test::WriteBytes(dir.Path("fw.bin"), Firmware());
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin"))));

    form.OpenAddressChange("0x00123456");
    QWidget* w = form.ToolWindow();
    QVERIFY(w != nullptr);
    QCOMPARE(w->objectName(), QStringLiteral("Form4"));
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Adressänderung  "));
    QVERIFY(!form.isEnabled());
    QVERIFY(w->isEnabled());
    QCOMPARE(Text(w, "Text1"), QStringLiteral("00123456"));
    auto* header = Child<QTreeWidget>(w, "ListView1")->headerItem();
    QCOMPARE(header->text(0), QStringLiteral("Nr:"));
    QCOMPARE(header->text(1), QStringLiteral("Startadr."));
    QVERIFY(!Child<QPushButton>(w, "Modify")->isEnabled());

    Click(w, "search");
    QCOMPARE(Rows(w), (QStringList{"01 0x00001000", "02 0x00002000"}));
    QVERIFY(Child<QPushButton>(w, "Modify")->isEnabled());
    QVERIFY(Child<QProgressBar>(w, "ProgressBar1")->isHidden());

    SetText(w, "Text2", "1A2B");
    Click(w, "Modify");  // nothing ticked
    QCOMPARE(platform.messages, std::vector<int>{11});
    QVERIFY(!form.Image().Modified());
    Tick(w, 1);
    Tick(w, 0);
    Click(w, "Modify");
    QCOMPARE(platform.messages, (std::vector<int>{11, 13}));
    const auto bytes = form.Image().Bytes();
    QCOMPARE(std::vector<std::uint8_t>(bytes.begin() + 0x1000, bytes.begin() + 0x1004),
             (std::vector<std::uint8_t>{0x2B, 0x1A, 0x00, 0x00}));
    QCOMPARE(bytes[0x2000], std::uint8_t{0x56});
    QVERIFY(form.ToolbarAction(QStringLiteral("Save"))->isEnabled());

    SetText(w, "Text2", "");
    Click(w, "Modify");
    QCOMPARE(platform.messages.back(), 39);

    // The window stays open for another search: only 0x2000 is left.
    Click(w, "search");
    QCOMPARE(Rows(w), QStringList{"01 0x00002000 [x]"});

    CloseToolWindow(form);
    QTRY_COMPARE(QApplication::focusWidget(), tones);
  }

  void toolWindowsOpenEmptyWithoutASelectedRow() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    korvana::test::WriteBytes(dir.Path("fw.bin"), Firmware());
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin"))));
    form.OpenOffsetChange("", "");
    QWidget* w = form.ToolWindow();
    QCOMPARE(Text(w, "Text1"), QString());
    QCOMPARE(Text(w, "Text3"), QString());
    Click(w, "search");
    QVERIFY(Rows(w).isEmpty());
    QVERIFY(!Child<QPushButton>(w, "Modify")->isEnabled());
    // While one tool window is open no second one opens.
    form.OpenAddressCalculator();
    QCOMPARE(form.ToolWindow(), w);
    // Nor does the main window close.
    QVERIFY(!form.close());
    CloseToolWindow(form);

    form.OpenPictureOffset("", "");
    w = form.ToolWindow();
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) QCOMPARE(Text(w, name), QString());
    // Without the picture list the headers are those the list will carry.
    QCOMPARE(Child<QTreeWidget>(w, "ListView1")->headerItem()->text(1), QStringLiteral("Bildname"));
    CloseToolWindow(form);
    QVERIFY(platform.messages.empty());
  }

  void offsetChangeWritesTheEntryPatchWithoutTouchingTheImage() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    korvana::test::WriteBytes(dir.Path("fw.bin"), Firmware());
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin"))));
    form.OpenOffsetChange("0x00123456", "4096");
    QWidget* w = form.ToolWindow();
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Offset ändern"));
    QCOMPARE(Text(w, "Text3"), QStringLiteral("4096"));

    Click(w, "search");
    QCOMPARE(Rows(w), (QStringList{"01 0x00001000", "02 0x00002000"}));
    Click(w, "Modify");
    QCOMPARE(platform.messages, (std::vector<int>{39, 40}));
    SetText(w, "Text2", "00A00000");
    Click(w, "Modify");
    QCOMPARE(platform.messages, (std::vector<int>{39, 40, 40}));
    SetText(w, "Text4", "1000");
    Click(w, "Modify");  // nothing ticked
    QCOMPARE(platform.messages.back(), 11);
    QVERIFY(platform.paths.empty());

    Tick(w, 1);
    platform.paths.push_back({});  // cancelled: no file, no message
    Click(w, "Modify");
    QCOMPARE(platform.messages.size(), std::size_t{4});
    const std::string out = dir.Path("out/tone.s3");
    std::filesystem::create_directory(dir.Path("out"));
    platform.paths.push_back(QString::fromStdString(out));
    Click(w, "Modify");
    QCOMPARE(platform.messages.back(), 10);
    QCOMPARE(korvana::test::ReadText(out),
             std::string("S00600004844521B\r\nS30D000020000000A000E803000047\r\nS705A002000058\r\n"));
    QCOMPARE(form.Folders().S3SavePath, dir.Path("out"));
    QVERIFY(!form.Image().Modified());
    QVERIFY(!form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
    CloseToolWindow(form);
  }

  void pictureOffsetFindsTheRecordAndPatchesItsAddressField() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    korvana::test::WriteBytes(dir.Path("fw.bin"), Firmware());
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin"))));
    MainList(form, 2, "ListView5");
    form.OpenPictureOffset("0X00A1B2C4", "128*160");
    QWidget* w = form.ToolWindow();
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Bild-Offset     "));
    QCOMPARE(Text(w, "Text1"), QStringLiteral("00A1B2C4"));
    QCOMPARE(Text(w, "Text4"), QStringLiteral("128*160"));
    QCOMPARE(Child<QTreeWidget>(w, "ListView1")->headerItem()->text(0), QStringLiteral("Nr: "));
    Click(w, "search");
    QCOMPARE(Rows(w), QStringList{"01 0x00005000 [x]"});

    Click(w, "Modify");
    QCOMPARE(platform.messages, std::vector<int>{39});
    SetText(w, "Text2", "00A20000");
    SetText(w, "Text4", "");
    Click(w, "Modify");  // ends without a message or a dialog
    QCOMPARE(platform.messages, std::vector<int>{39});
    SetText(w, "Text4", "128*160");
    platform.paths.push_back(QString::fromStdString(dir.Path("pic.s3")));
    Click(w, "Modify");
    QCOMPARE(platform.messages, (std::vector<int>{39, 10}));
    QCOMPARE(korvana::test::ReadText(dir.Path("pic.s3")),
             std::string("S00600004844521B\r\nS309000050040000A20000\r\nS705A002000058\r\n"));

    // Dimensions the record cannot hold find nothing, silently.
    SetText(w, "Text3", "128x160");
    Click(w, "search");
    QVERIFY(Rows(w).isEmpty());
    QVERIFY(!Child<QPushButton>(w, "Modify")->isEnabled());
    QCOMPARE(platform.messages.size(), std::size_t{2});
    CloseToolWindow(form);
  }

  void calculatorAdvancesByTheSizeAndRefusesAWrappedAddress() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    form.findChild<QAction*>(QStringLiteral("menuTool"))->trigger();
    QWidget* w = form.ToolWindow();
    QVERIFY(w != nullptr);
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Adressrechner   "));
    QVERIFY(!form.isEnabled());
    SetText(w, "Text1", "1A2B00");
    SetText(w, "Text2", "5186");
    Click(w, "Command1");
    QCOMPARE(Text(w, "Text1"), QStringLiteral("001A3F42"));
    Click(w, "Command1");
    QCOMPARE(Text(w, "Text1"), QStringLiteral("001A5384"));
    QCOMPARE(Text(w, "Text2"), QStringLiteral("5186"));

    SetText(w, "Text1", "7FFFFFFF");
    Click(w, "Command1");
    QCOMPARE(Text(w, "Text1"), QStringLiteral("7FFFFFFF"));
    QCOMPARE(platform.messages, std::vector<int>{30});
    SetText(w, "Text1", "80000000");
    Click(w, "Command1");
    QCOMPARE(platform.errors.size(), 1);

    korvana::test::WriteBytes(dir.Path("tone.mmf"), std::vector<std::uint8_t>(70000, 0));
    platform.paths.push_back(QString::fromStdString(dir.Path("tone.mmf")));
    Click(w, "Command2");
    QCOMPARE(Text(w, "Text2"), QStringLiteral("70000"));
    platform.paths.push_back({});
    Click(w, "Command2");
    platform.paths.push_back(QString::fromStdString(dir.Path("missing.bin")));
    Click(w, "Command2");
    QCOMPARE(Text(w, "Text2"), QStringLiteral("70000"));
    CloseToolWindow(form);

    form.ToolbarAction(QStringLiteral("Tool"))->trigger();
    QCOMPARE(form.ToolWindow()->objectName(), QStringLiteral("Form7"));
    CloseToolWindow(form);
  }

  void closingDuringASearchStopsItFirst() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    korvana::test::WriteBytes(dir.Path("zeros.bin"), std::vector<std::uint8_t>(4096, 0));
    QVERIFY(form.OpenHandsetFile(QString::fromStdString(dir.Path("zeros.bin"))));
    form.OpenAddressChange("00000000");
    QPointer<QWidget> w = form.ToolWindow();
    QTimer::singleShot(0, w, [w] { w->close(); });
    Click(w, "search");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull());
    QVERIFY(form.isEnabled());
    QCOMPARE(form.Image().SearchStart(), 0);
  }
};

static RegisterSuite<AddressToolsTest> registerAddressToolsTest;

}  // namespace korvana::ui::test

#include "address_tools_test.moc"
