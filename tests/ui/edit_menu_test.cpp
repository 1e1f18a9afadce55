#include <QAction>
#include <QMenu>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <cstring>

#include "image/image_patch.h"
#include "ui/changes_window.h"
#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

namespace {
// "Menu" at 0x300 and "Home" at 0x340 in a firmware of 0xFF bytes.
std::vector<std::uint8_t> FirmwareWithTwoWords() {
  std::vector<std::uint8_t> fw(0x400, 0xFF);
  std::memcpy(fw.data() + 0x300, "Menu\0", 5);
  std::memcpy(fw.data() + 0x340, "Home\0", 5);
  return fw;
}

struct EditMenu : Editor {
  EditMenu() : Editor(FirmwareWithTwoWords()) {
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) qFatal("the window does not show");
    form.activateWindow();
    Find<QCheckBox>(&form, "SearchBegin")->setChecked(true);
  }
  // "bin Exp." of one replacement: one step, labelled by the string's address.
  void ReplaceString(const char* found, const char* replacement) {
    Find<QAction>(&form, "Removeall")->trigger();
    Find<QLineEdit>(&form, "Text11")->setText(QString::fromLatin1(found));
    Find<QPushButton>(&form, "SeachString")->click();
    Find<QLineEdit>(&form, "Text7")->setText(QString::fromLatin1(replacement));
    Find<QPushButton>(&form, "Add2List")->click();
    Find<QTreeWidget>(&form, "ListView2")->topLevelItem(0)->setCheckState(0, Qt::Checked);
    Find<QAction>(&form, "outputStraxf")->trigger();
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

class EditMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void undoAndRedoFollowTheJournalAndTheSavePoint() {
    EditMenu e;
    QStringList menus;
    for (QAction* a : e.form.menuBar()->actions()) menus << (a->menu() != nullptr ? a->menu()->objectName() : a->objectName());
    QCOMPARE(menus.mid(0, 3), (QStringList{"file", "edit", "help"}));
    QCOMPARE(e.Steps(), QStringLiteral("- | -"));

    e.ReplaceString("Menu", "Hi");
    QCOMPARE(e.Steps(), kUndoMenu + " | -");
    QVERIFY(e.SaveEnabled());
    e.Keys(Qt::CTRL | Qt::Key_Z);  // back to the image as loaded: nothing to save
    QCOMPARE(e.At(0x300), 'M');
    QCOMPARE(e.Steps(), "- | " + kRedoMenu);
    QVERIFY(!e.SaveEnabled());
    e.Keys(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(e.At(0x300), 'H');
    QVERIFY(e.SaveEnabled());
    e.Keys(Qt::CTRL | Qt::Key_Z);
    e.Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(e.At(0x300), 'H');

    // After a save its state is the one without changes.
    e.form.SaveImage();
    QVERIFY(!e.SaveEnabled());
    e.Action("menuundo")->trigger();
    QVERIFY(e.SaveEnabled());
    e.Action("menuredo")->trigger();
    QVERIFY(!e.SaveEnabled());

    // A long command disables the menu bar, and with it the shortcuts.
    e.form.menuBar()->setEnabled(false);
    e.Keys(Qt::CTRL | Qt::Key_Z);
    e.Action("menuundo")->trigger();
    QCOMPARE(e.At(0x300), 'H');
    e.form.menuBar()->setEnabled(true);

    // A new load starts a new journal.
    QVERIFY(e.form.OpenHandsetFile(Q(e.Path("fw.bin"))));
    QCOMPARE(e.Steps(), QStringLiteral("- | -"));
    QCOMPARE(e.Action("menuundo")->text(), QString::fromUtf8("Rückgängig"));
  }

  // The rows' texts are the core's; the window shows them and follows each change.
  void theChangesWindowListsAndFollowsEveryChange() {
    EditMenu e;
    e.ReplaceString("Menu", "Hi");
    e.Action("menuchanges")->trigger();
    ChangesWindow* window = e.form.ChangeListWindow();
    QVERIFY(window != nullptr && window->isVisible() && e.form.isEnabled());
    QTreeWidget* list = Find<QTreeWidget>(window, "ChangesList");
    QCOMPARE(RowTexts(list, 0), (QStringList{"001", "String 0x00000300", "0x00000300", "0x00000303", "4", ""}));
    e.ReplaceString("Home", "Go");
    e.Action("menuundo")->trigger();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(RowTexts(list, 1).at(5), QString::fromUtf8("✓"));
    e.Action("menuchanges")->trigger();  // the menu opens the same window
    QCOMPARE(e.form.ChangeListWindow(), window);

    QVERIFY(e.form.OpenHandsetFile(Q(e.Path("fw.bin"))));
    QCOMPARE(list->topLevelItemCount(), 0);
    const QPointer<ChangesWindow> guard(window);
    QVERIFY(e.form.close());
    QVERIFY(!guard || !guard->isVisible());
  }

  void allChangesWriteTheCorePatchOrSayThereAreNone() {
    EditMenu e;
    e.Action("menuallchanges")->trigger();
    QCOMPARE(Shown(e.platform), std::vector<int>{44});
    QVERIFY(e.platform.filterIndices.empty());  // no file was asked for

    e.ReplaceString("Menu", "Hi");
    e.ReplaceString("Home", "Go");
    std::filesystem::create_directories(e.Path("out"));
    e.platform.paths.push_back(Q(e.Path("out/all.s3")));
    e.Action("menuallchanges")->trigger();
    QCOMPARE(Shown(e.platform).back(), 10);
    QCOMPARE(e.form.Folders().S3SavePath, e.Path("out"));
    QVERIFY(image::WriteAllChangesS3(e.form.Image(), e.Path("all.s3")).ok);
    QCOMPARE(korvana::test::ReadText(e.Path("out/all.s3")), korvana::test::ReadText(e.Path("all.s3")));

    // Both changes undone: the image is the loaded one again.
    e.Action("menuundo")->trigger();
    e.Action("menuundo")->trigger();
    e.platform.paths.push_back(Q(e.Path("out/none.s3")));
    e.Action("menuallchanges")->trigger();
    QCOMPARE(Shown(e.platform).back(), 44);
    QVERIFY(!std::filesystem::exists(e.Path("out/none.s3")));
  }
};

static RegisterSuite<EditMenuTest> registerEditMenuTest;

}  // namespace korvana::ui::test

#include "edit_menu_test.moc"
