#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include <cstring>

#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

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

// The tab "Zeichen" of a window with the firmware above loaded.
struct StringsTab : Editor {
  StringsTab() : Editor(FirmwareWithStrings()) {}
  QLineEdit* Field(const char* name) { return Find<QLineEdit>(&form, name); }
  // Counter, start, stop and length as the fields show them after a search.
  QString Search(const QString& text, bool chinese) {
    Field("Text11")->setText(text);
    Find<QRadioButton>(&form, chinese ? "Option1" : "Option2")->setChecked(true);
    Find<QPushButton>(&form, "SeachString")->click();
    return Field("Text4")->text() + ' ' + Field("Text10")->text() + ' ' + Field("Text9")->text() + ' ' +
           Field("Text8")->text();
  }
  void Add(const QString& replacement) {
    Field("Text7")->setText(replacement);
    Find<QPushButton>(&form, "Add2List")->click();
  }
  void PopUp() { ShowMenu(&form, "ListView2", "menufile4"); }
  void Trigger(const char* action) { Find<QAction>(&form, action)->trigger(); }
  QTreeWidget* List() { return Find<QTreeWidget>(&form, "ListView2"); }
};
}  // namespace

class MainWindowStringsTest : public QObject {
  Q_OBJECT

 private slots:
  void searchFillsTheFieldsAndLimitsTheReplacement() {
    StringsTab tab;
    QCOMPARE(tab.Search(QString::fromUtf8("设置"), false), QStringLiteral("1 00000100 00000107 8"));
    QCOMPARE(tab.Field("Text7")->maxLength(), 8);
    // The next click goes on after the shared cursor, whatever the encoding.
    QCOMPARE(tab.Search(QString::fromUtf8("设置"), true), QStringLiteral("2 00000200 00000205 3"));
    QCOMPARE(tab.Field("Text7")->maxLength(), 3);
    QCOMPARE(Shown(tab.platform), std::vector<int>{});
    QCOMPARE(tab.form.statusBar()->currentMessage(), QStringLiteral("Treffer 2 bei 0x00000200"));
    // Enter in the search field searches as the button does.
    Find<QRadioButton>(&tab.form, "Option2")->setChecked(true);
    QTest::keyClick(tab.Field("Text11"), Qt::Key_Return);
    QCOMPARE(tab.Field("Text10")->text(), QString());
    tab.Search(QString(), false);
    QCOMPARE(Shown(tab.platform), (std::vector<int>{26, 27}));
  }

  void addsRowsAndExportsTheTickedOnes() {
    StringsTab tab;
    tab.Add(QStringLiteral("x"));  // nothing found yet
    QCOMPARE(Shown(tab.platform), std::vector<int>{25});
    tab.Search(QString::fromUtf8("设置"), false);
    tab.Add(QString::fromUtf8("关于"));
    tab.Search(QStringLiteral("Menu"), false);
    tab.Add(QStringLiteral("Hi"));
    QTreeWidget* list = tab.List();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(3), QString::fromUtf8("关于      "));
    QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("Hi  "));

    tab.PopUp();
    QVERIFY(Enabled(&tab.form, "Removeall") && !Enabled(&tab.form, "outputStrS3"));
    list->topLevelItem(0)->setCheckState(0, Qt::Checked);
    list->topLevelItem(1)->setCheckState(0, Qt::Checked);
    tab.PopUp();
    QVERIFY(Enabled(&tab.form, "outputStrS3") && Enabled(&tab.form, "outputStraxf"));

    // "Export s3": one file for both rows; the dialog asks before overwriting.
    std::filesystem::create_directories(tab.Path("out"));
    tab.platform.paths.push_back(Q(tab.Path("out/strings.s3")));
    tab.Trigger("outputStrS3");
    QCOMPARE(Shown(tab.platform).back(), 10);
    QCOMPARE(tab.form.Folders().S3SavePath, tab.Path("out"));
    QVERIFY(korvana::test::ReadText(tab.Path("out/strings.s3")).find("S30D00000100") != std::string::npos);
    QVERIFY(!SaveEnabled(tab.form));

    // "bin Exp." in the two-byte encoding chosen now; each row cut to its range.
    Find<QRadioButton>(&tab.form, "Option3")->setChecked(true);
    tab.Trigger("outputStraxf");
    QCOMPARE(Shown(tab.platform).back(), 13);
    QVERIFY(SaveEnabled(tab.form));
    QCOMPARE(tab.form.Image().Bytes()[0x100], std::uint8_t{0x51});  // 关 is U+5173

    list->topLevelItem(1)->setSelected(true);
    tab.Trigger("Removeone");
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("00000100"));
    tab.Trigger("Removeall");
    QCOMPARE(list->topLevelItemCount(), 0);
  }

  // A row whose address no image has fails each command with its own message.
  void aFailedExportShowsItsMessageAndWritesNothing() {
    StringsTab tab;
    tab.Search(QStringLiteral("Menu"), false);
    tab.Field("Text10")->setText(QStringLiteral("80000300"));
    tab.Add(QStringLiteral("Hi"));
    tab.List()->topLevelItem(0)->setCheckState(0, Qt::Checked);
    tab.platform.paths.push_back(Q(tab.Path("bad.s3")));
    tab.Trigger("outputStrS3");
    tab.Trigger("outputStraxf");
    QCOMPARE(Shown(tab.platform), (std::vector<int>{17, 2}));
    QVERIFY(tab.platform.errors.isEmpty());
    QVERIFY(!QFile::exists(Q(tab.Path("bad.s3"))));
    QVERIFY(!SaveEnabled(tab.form));
  }
};

static RegisterSuite<MainWindowStringsTest> registerMainWindowStringsTest;

}  // namespace korvana::ui::test

#include "main_window_strings_test.moc"
