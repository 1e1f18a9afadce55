#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "fake_platform.h"
#include "support/test_support.h"
#include "ui/form1.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::TempDir;

namespace {
// GBK 设置菜单 at 0x100, the two-byte form of 设置1 at 0x200, Menu at 0x300.
std::vector<std::uint8_t> FirmwareWithStrings() {
  std::vector<std::uint8_t> fw(0x400, 0xFF);
  const std::vector<std::uint8_t> gbk{0xC9, 0xE8, 0xD6, 0xC3, 0xB2, 0xCB, 0xB5, 0xA5, 0x00};
  const std::vector<std::uint8_t> wide{0x8B, 0xBE, 0x7F, 0x6E, 0xA1, 0x31, 0x00};
  std::memcpy(fw.data() + 0x100, gbk.data(), gbk.size());
  std::memcpy(fw.data() + 0x200, wide.data(), wide.size());
  std::memcpy(fw.data() + 0x300, "Menu\0", 5);
  return fw;
}

// The messages that were shown: number 0 shows nothing.
std::vector<int> Shown(const FakePlatform& platform) {
  std::vector<int> shown;
  for (int n : platform.messages) {
    if (n != 0) shown.push_back(n);
  }
  return shown;
}

// The tab "Zeichen" of a window with the firmware above loaded.
struct StringsTab {
  explicit StringsTab(const TempDir& dir) : form(dir.Path()) {
    korvana::test::WriteBytes(dir.Path("fw.bin"), FirmwareWithStrings());
    form.OpenHandsetFile(QString::fromStdString(dir.Path("fw.bin")));
  }
  template <typename W>
  W* Get(const char* name) {
    W* w = form.findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) qFatal("no widget %s", name);
    return w;
  }
  QLineEdit* Field(const char* name) { return Get<QLineEdit>(name); }
  void Search(const QString& text, bool chinese) {
    Field("Text11")->setText(text);
    Get<QRadioButton>(chinese ? "Option1" : "Option2")->setChecked(true);
    Get<QPushButton>("SeachString")->click();
  }
  void Add(const QString& replacement) {
    Field("Text7")->setText(replacement);
    Get<QPushButton>("Add2List")->click();
  }
  // Opens and closes the popup as the right mouse button does.
  void PopUp() {
    emit List()->customContextMenuRequested(QPoint(5, 5));
    Get<QMenu>("menufile4")->close();
  }
  bool Enabled(const char* action) { return Get<QAction>(action)->isEnabled(); }
  QTreeWidget* List() { return Get<QTreeWidget>("ListView2"); }

  Form1 form;
};
}  // namespace

class Form1StringsTest : public QObject {
  Q_OBJECT

 private slots:
  void searchFillsTheFieldsAndLimitsTheReplacement() {
    TempDir dir;
    FakePlatform platform;
    StringsTab tab(dir);
    QCOMPARE(tab.Get<QLabel>("Label11")->text(), QString::fromUtf8("ansonsten könnte es zu falschen Ergebnissen führen."));
    tab.Search(QString::fromUtf8("设置"), false);
    QCOMPARE(tab.Field("Text4")->text() + tab.Field("Text10")->text() + tab.Field("Text9")->text() +
                 tab.Field("Text8")->text(),
             QStringLiteral("1" "00000100" "00000107" "8"));
    QCOMPARE(tab.Field("Text7")->maxLength(), 8);
    // The next click goes on after the shared cursor, whatever the encoding.
    tab.Search(QString::fromUtf8("设置"), true);
    QCOMPARE(tab.Field("Text4")->text() + tab.Field("Text10")->text() + tab.Field("Text9")->text() +
                 tab.Field("Text8")->text(),
             QStringLiteral("2" "00000200" "00000205" "3"));
    QCOMPARE(tab.Field("Text7")->maxLength(), 3);
    QCOMPARE(Shown(platform), std::vector<int>{});
    tab.Search(QString::fromUtf8("设置"), false);
    QCOMPARE(tab.Field("Text10")->text(), QString());
    tab.Search(QString(), false);
    QCOMPARE(Shown(platform), (std::vector<int>{26, 27}));
  }

  void addsRowsAndExportsTheTickedOnes() {
    TempDir dir;
    FakePlatform platform;
    StringsTab tab(dir);
    tab.Add(QStringLiteral("x"));  // nothing found yet
    QCOMPARE(Shown(platform), std::vector<int>{25});
    tab.Search(QString::fromUtf8("设置"), false);
    tab.Add(QString::fromUtf8("关于"));
    tab.Search(QStringLiteral("Menu"), false);
    tab.Add(QStringLiteral("Hi"));
    QTreeWidget* list = tab.List();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(3), QString::fromUtf8("关于      "));
    QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("Hi  "));

    tab.PopUp();
    QVERIFY(tab.Enabled("Removeall") && !tab.Enabled("outputStrS3") && !tab.Enabled("outputStraxf"));
    list->topLevelItem(0)->setCheckState(0, Qt::Checked);
    list->topLevelItem(1)->setCheckState(0, Qt::Checked);
    tab.PopUp();
    QVERIFY(tab.Enabled("outputStrS3") && tab.Enabled("outputStraxf"));

    // "Export s3": one file for both rows; the dialog asks before overwriting.
    std::filesystem::create_directories(dir.Path("out"));
    platform.paths.push_back(QString::fromStdString(dir.Path("out/strings.s3")));
    tab.Get<QAction>("outputStrS3")->trigger();
    QVERIFY(platform.lastOverwritePrompt);
    QCOMPARE(Shown(platform).back(), 10);
    QCOMPARE(tab.form.Folders().S3SavePath, dir.Path("out"));
    const std::string text = korvana::test::ReadText(dir.Path("out/strings.s3"));
    QCOMPARE(std::count(text.begin(), text.end(), '\n'), 4);  // header, two ranges, end line
    QVERIFY(!tab.form.ToolbarAction(QStringLiteral("Save"))->isEnabled());

    // "bin Exp." in the two-byte encoding chosen now; each row cut to its range.
    tab.Get<QRadioButton>("Option3")->setChecked(true);
    tab.Get<QAction>("outputStraxf")->trigger();
    QCOMPARE(Shown(platform).back(), 13);
    QVERIFY(tab.form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
    const auto bytes = tab.form.Image().Bytes();
    QCOMPARE(bytes[0x100], std::uint8_t{0x51});  // 关 is U+5173
    QCOMPARE(bytes[0x108], std::uint8_t{0x00});
    QCOMPARE(bytes[0x301], std::uint8_t{'H'});

    list->topLevelItem(1)->setSelected(true);
    tab.Get<QAction>("Removeone")->trigger();
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("00000100"));
    tab.Get<QAction>("Removeall")->trigger();
    QCOMPARE(list->topLevelItemCount(), 0);
  }

  void aFailedExportShowsItsMessageAndWritesNothing() {
    TempDir dir;
    FakePlatform platform;
    StringsTab tab(dir);
    tab.Search(QString::fromUtf8("设置"), true);
    tab.Add(QStringLiteral("ab"));  // 3 characters: 3 bytes as "Englisch" for 6 places
    tab.List()->topLevelItem(0)->setCheckState(0, Qt::Checked);
    platform.paths.push_back(QString::fromStdString(dir.Path("bad.s3")));
    tab.Get<QAction>("outputStrS3")->trigger();
    tab.Get<QAction>("outputStraxf")->trigger();
    QCOMPARE(Shown(platform), (std::vector<int>{17, 2}));
    QVERIFY(!QFile::exists(QString::fromStdString(dir.Path("bad.s3"))));
    QVERIFY(!tab.form.ToolbarAction(QStringLiteral("Save"))->isEnabled());
  }
};

static RegisterSuite<Form1StringsTest> registerForm1StringsTest;

}  // namespace korvana::ui::test

#include "form1_strings_test.moc"
