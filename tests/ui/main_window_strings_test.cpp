
#include <cstring>

#include "image/image_patch.h"
#include "ui/changes_window.h"
#include "ui_helpers.h"

namespace korvana::ui::test {

namespace {
// GBK 设置菜单 at 0x100, the two-byte form of 设置1 at 0x200, Menu at 0x300, Home at 0x340.
std::vector<std::uint8_t> FirmwareWithStrings() {
  std::vector<std::uint8_t> fw(0x400, 0xFF);
  const std::vector<std::uint8_t> gbk{0xC9, 0xE8, 0xD6, 0xC3, 0xB2, 0xCB, 0xB5, 0xA5, 0x00};
  const std::vector<std::uint8_t> wide{0x8B, 0xBE, 0x7F, 0x6E, 0xA1, 0x31, 0x00};
  std::memcpy(fw.data() + 0x100, gbk.data(), gbk.size());
  std::memcpy(fw.data() + 0x200, wide.data(), wide.size());
  std::memcpy(fw.data() + 0x300, "Menu\0", 5);
  std::memcpy(fw.data() + 0x340, "Home\0", 5);
  return fw;
}

// The tab "Zeichen" of a window with the firmware above loaded.
struct StringsTab : Editor {
  StringsTab() : Editor(FirmwareWithStrings()) {}
  QLineEdit* Field(const char* name) { return Find<QLineEdit>(&form, name); }
  // Counter, start, stop, length and the replacement's limit as the fields show them after a search.
  QString Search(const QString& text, bool chinese) {
    Field("Text11")->setText(text);
    Find<QRadioButton>(&form, chinese ? "Option1" : "Option2")->setChecked(true);
    Find<QPushButton>(&form, "SeachString")->click();
    return Field("Text4")->text() + ' ' + Field("Text10")->text() + ' ' + Field("Text9")->text() + ' ' +
           Field("Text8")->text() + ' ' + QString::number(Field("Text7")->maxLength());
  }
  void Add(const QString& replacement) {
    Field("Text7")->setText(replacement);
    Find<QPushButton>(&form, "Add2List")->click();
  }
  void PopUp() { ShowMenu(&form, "ListView2", "menufile4"); }
  QTreeWidget* List() { return Find<QTreeWidget>(&form, "ListView2"); }
};
// The window shown, with the replacements of the tab becoming steps of the edit menu.
struct EditMenu : StringsTab {
  EditMenu() {
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) qFatal("the window does not show");
    form.activateWindow();
    Find<QCheckBox>(&form, "SearchBegin")->setChecked(true);
  }
  // "bin Exp." of one replacement: one step, labelled by the string's address.
  void ReplaceString(const char* found, const char* replacement) {
    Trigger("Removeall");
    Search(QString::fromLatin1(found), false);
    Add(QString::fromLatin1(replacement));
    List()->topLevelItem(0)->setCheckState(0, Qt::Checked);
    Trigger("outputStraxf");
  }
  QAction* Action(const char* name) { return Find<QAction>(&form, name); }
  // The menu's two steps as shown: caption, and "-" when disabled.
  QString Steps() {
    auto shown = [](QAction* a) { return a->isEnabled() ? a->text() : QStringLiteral("-"); };
    return shown(Action("menuundo")) + " | " + shown(Action("menuredo"));
  }
  bool SaveEnabled() { return form.ToolbarAction(QStringLiteral("Save"))->isEnabled(); }
  char At(int address) { return static_cast<char>(form.Image().Bytes()[static_cast<std::size_t>(address)]); }
  void Keys(QKeyCombination keys) { QTest::keyClick(&form, keys.key(), keys.keyboardModifiers()); }
};

const QString kUndoMenu = QString::fromUtf8("Rückgängig: String 0x00000300");
const QString kRedoMenu = QString::fromUtf8("Wiederholen: String 0x00000300");
}  // namespace

class MainWindowStringsTest : public QObject {
  Q_OBJECT

 private slots:
  void searchFillsTheFieldsAndLimitsTheReplacement() {
    StringsTab tab;
    QCOMPARE(tab.Search(QString::fromUtf8("设置"), false), QStringLiteral("1 00000100 00000107 8 8"));
    // The next click goes on after the shared cursor, whatever the encoding.
    QCOMPARE(tab.Search(QString::fromUtf8("设置"), true), QStringLiteral("2 00000200 00000205 3 3"));
    QVERIFY(Shown(tab.platform).empty());
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
    QCOMPARE(list->topLevelItem(0)->text(3) + '|' + list->topLevelItem(1)->text(3), QString::fromUtf8("关于      |Hi  "));
    tab.PopUp();
    QVERIFY(Enabled(&tab.form, "Removeall") && !Enabled(&tab.form, "outputStrS3"));
    for (int r : {0, 1}) list->topLevelItem(r)->setCheckState(0, Qt::Checked);
    tab.PopUp();
    QVERIFY(Enabled(&tab.form, "outputStrS3") && Enabled(&tab.form, "outputStraxf"));

    // "Export s3": one file for both rows; the dialog asks before overwriting.
    std::filesystem::create_directories(tab.Path("out"));
    tab.platform.paths.push_back(Q(tab.Path("out/strings.s3")));
    tab.Trigger("outputStrS3");
    QVERIFY(Shown(tab.platform).back() == 10 && tab.form.Folders().S3SavePath == tab.Path("out"));
    QVERIFY(korvana::test::ReadText(tab.Path("out/strings.s3")).find("S30D00000100") != std::string::npos);
    QVERIFY(!SaveEnabled(tab.form));
    // "bin Exp." in the two-byte encoding chosen now; each row cut to its range.
    Find<QRadioButton>(&tab.form, "Option3")->setChecked(true);
    tab.Trigger("outputStraxf");
    QVERIFY(Shown(tab.platform).back() == 13 && SaveEnabled(tab.form));
    QCOMPARE(tab.form.Image().Bytes()[0x100], std::uint8_t{0x51});  // 关 is U+5173
    list->topLevelItem(1)->setSelected(true);
    tab.Trigger("Removeone");
    QVERIFY(list->topLevelItemCount() == 1 && list->topLevelItem(0)->text(1) == QStringLiteral("00000100"));
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
    QVERIFY(tab.platform.errors.isEmpty() && !QFile::exists(Q(tab.Path("bad.s3"))) && !SaveEnabled(tab.form));
  }

  void undoAndRedoFollowTheJournalAndTheSavePoint() {
    EditMenu e;
    QStringList menus;
    for (QAction* a : e.form.menuBar()->actions()) menus << (a->menu() != nullptr ? a->menu()->objectName() : a->objectName());
    QCOMPARE(menus.mid(0, 3), (QStringList{"file", "edit", "help"}));
    QCOMPARE(e.Steps(), QStringLiteral("- | -"));
    e.ReplaceString("Menu", "Hi");
    QVERIFY(e.Steps() == kUndoMenu + " | -" && e.SaveEnabled());
    e.Keys(Qt::CTRL | Qt::Key_Z);  // back to the image as loaded: nothing to save
    QVERIFY(e.At(0x300) == 'M' && e.Steps() == "- | " + kRedoMenu && !e.SaveEnabled());
    e.Keys(Qt::CTRL | Qt::Key_Y);
    QVERIFY(e.At(0x300) == 'H' && e.SaveEnabled());
    e.Keys(Qt::CTRL | Qt::Key_Z);
    e.Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(e.At(0x300), 'H');

    // After a save its state is the one without changes.
    e.form.SaveImage();
    QVERIFY(!e.SaveEnabled());
    e.Trigger("menuundo");
    QVERIFY(e.SaveEnabled());
    e.Trigger("menuredo");
    QVERIFY(!e.SaveEnabled());
    // A long command disables the menu bar, and with it the shortcuts.
    e.form.menuBar()->setEnabled(false);
    e.Keys(Qt::CTRL | Qt::Key_Z);
    e.Trigger("menuundo");
    QCOMPARE(e.At(0x300), 'H');
    e.form.menuBar()->setEnabled(true);
    // A new load starts a new journal.
    QVERIFY(e.form.OpenHandsetFile(Q(e.Path("fw.bin"))));
    QVERIFY(e.Steps() == QStringLiteral("- | -") && e.Action("menuundo")->text() == QString::fromUtf8("Rückgängig"));
  }

  // The rows' texts are the core's; the window shows them and follows each change.
  void theChangesWindowListsAndFollowsEveryChange() {
    EditMenu e;
    e.ReplaceString("Menu", "Hi");
    e.Trigger("menuchanges");
    ChangesWindow* window = e.form.ChangeListWindow();
    QVERIFY(window != nullptr && window->isVisible() && e.form.isEnabled());
    QTreeWidget* list = Find<QTreeWidget>(window, "ChangesList");
    QCOMPARE(RowTexts(list, 0), (QStringList{"001", "String 0x00000300", "0x00000300", "0x00000303", "4", ""}));
    e.ReplaceString("Home", "Go");
    e.Trigger("menuundo");
    QVERIFY(list->topLevelItemCount() == 2 && RowTexts(list, 1).at(5) == QString::fromUtf8("✓"));
    e.Trigger("menuchanges");  // the menu opens the same window
    QCOMPARE(e.form.ChangeListWindow(), window);
    QVERIFY(e.form.OpenHandsetFile(Q(e.Path("fw.bin"))));
    QCOMPARE(list->topLevelItemCount(), 0);
    const QPointer<ChangesWindow> guard(window);
    QVERIFY(e.form.close() && (!guard || !guard->isVisible()));
  }

  void allChangesWriteTheCorePatchOrSayThereAreNone() {
    EditMenu e;
    e.Trigger("menuallchanges");
    QCOMPARE(Shown(e.platform), std::vector<int>{44});
    QVERIFY(e.platform.filterIndices.empty());  // no file was asked for
    e.ReplaceString("Menu", "Hi");
    e.ReplaceString("Home", "Go");
    std::filesystem::create_directories(e.Path("out"));
    e.platform.paths.push_back(Q(e.Path("out/all.s3")));
    e.Trigger("menuallchanges");
    QVERIFY(Shown(e.platform).back() == 10 && e.form.Folders().S3SavePath == e.Path("out"));
    QVERIFY(image::WriteAllChangesS3(e.form.Image(), e.Path("all.s3")).ok);
    QCOMPARE(korvana::test::ReadText(e.Path("out/all.s3")), korvana::test::ReadText(e.Path("all.s3")));

    // Both changes undone: the image is the loaded one again.
    e.Trigger("menuundo");
    e.Trigger("menuundo");
    e.platform.paths.push_back(Q(e.Path("out/none.s3")));
    e.Trigger("menuallchanges");
    QVERIFY(Shown(e.platform).back() == 44 && !std::filesystem::exists(e.Path("out/none.s3")));
  }
};

static RegisterSuite<MainWindowStringsTest> registerMainWindowStringsTest;

}  // namespace korvana::ui::test

#include "main_window_strings_test.moc"
