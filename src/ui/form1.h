#pragma once
// The main window: menu bar, tool bar, the five tabs and the status bar. It
// owns the image, the remembered folders and the settings file; each tab's
// controls and handlers live in a form1_<tab>.cpp of their own.

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <string>

#include "app/remembered_folders.h"
#include "app/settings_file.h"
#include "image/handset_image.h"
#include "image/outcome.h"
#include "strings/string_encoding.h"
#include "strings/string_list.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTabWidget;
class QTimer;
class QToolBar;

namespace korvana::ui {

class ListAdapter;

class Form1 : public QMainWindow {
  Q_OBJECT
 public:
  // Runs the start-up: settings, remembered folders, disabled tabs.
  explicit Form1(std::string programFolder, QWidget* parent = nullptr);
  ~Form1() override;

  // The open command after its dialog: loads path and updates the window.
  // False when the load failed (its message has been shown).
  bool OpenHandsetFile(const QString& path);

  // The tool bar's "Save": writes the image over its file.
  void SaveImage();

  [[nodiscard]] image::HandsetImage& Image() { return m_image; }
  [[nodiscard]] app::RememberedFolders& Folders() { return m_folders; }
  [[nodiscard]] const std::string& ProgramFolder() const { return m_programFolder; }
  [[nodiscard]] QTabWidget* Tabs() const { return SSTab1; }
  [[nodiscard]] QAction* ToolbarAction(const QString& key) const;
  [[nodiscard]] QString StatusPanelText(int panel) const;

  // Shows an outcome's message (success or failure) and refreshes "Save".
  // A tool window passes itself as parent: the main window is disabled
  // while it is open, and so would be a box that belongs to it.
  void ShowOutcome(const Outcome& outcome, QWidget* parent = nullptr);
  // "Save" is enabled exactly while the image is modified.
  void RefreshSaveButton();

  // --- Address tools (Form4 .. Form7) -----------------------------------------
  // Each opens its tool window modeless; the main window takes no input until
  // it closes. The texts are the columns of the list's selected row as the
  // list shows them, empty when no row is selected.
  void OpenAddressChange(const std::string& startColumn);                                    // "Txxx"
  void OpenOffsetChange(const std::string& startColumn, const std::string& sizeColumn);      // "S108\208\308\V20x"
  void OpenPictureOffset(const std::string& startColumn, const std::string& dimensionsColumn);  // PictureOffset
  void OpenAddressCalculator();                                                              // menuTool, "Tool"
  // The open tool window, or nullptr.
  [[nodiscard]] QWidget* ToolWindow() const { return m_toolWindow; }
  // Called by a closing tool window: input comes back, and the focus goes to
  // the main window's widget named focusList (if there is one).
  void ToolWindowClosed(const QString& focusList);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  enum Tab { kTonesTab = 0, kStringsTab = 1, kPicturesTab = 2, kConverterTab = 3, kLinksTab = 4 };
  static constexpr int kStatusPanelCount = 7;

  void StartUp();
  void BuildMenus();
  void BuildToolbar();
  void BuildStatusBar();
  void BuildTabs();
  void BuildLinksTab(QWidget* page);
  void ShowBusyPicture(bool busy);

  // Menu and tool-bar commands.
  void menuopen_Click();
  void help_Click();
  void myhomepage_Click();
  void homepage52_Click();
  // Asks about a modified image, writes the settings; false to keep running.
  bool Form_Unload();

  std::string m_programFolder;
  std::unique_ptr<app::SettingsFile> m_settings;
  app::RememberedFolders m_folders;
  image::HandsetImage m_image;

  QTabWidget* SSTab1 = nullptr;
  QToolBar* Toolbar1 = nullptr;
  std::array<QLabel*, kStatusPanelCount> StatusBar1{};
  QTimer* m_clock = nullptr;
  QAction* menuopen = nullptr;
  QAction* menuTool = nullptr;
  QAction* menuexit = nullptr;
  QAction* m_saveAction = nullptr;

  // --- Address tools ---------------------------------------------------------
  // Shows window as the one tool window (false, and window deleted, when one
  // is open already).
  bool ShowToolWindow(QWidget* window);
  QPointer<QWidget> m_toolWindow;
  // --- tab "Zeichen": string search, replacement list, string patches (form1_strings.cpp)
  void BuildStringsTab(QWidget* page);
  void SeachString_Click();
  void Add2List_Click();
  void ListView2_MouseDown(const QPoint& pos);
  void Removeone_Click();
  void Removeall_Click();
  void outputStrS3_Click();
  void outputStraxf_Click();
  void RefreshStringList();
  [[nodiscard]] strings::StringEncoding ReplacementEncoding() const;

  strings::StringList m_stringList;
  ListAdapter* m_stringListAdapter = nullptr;
  QLineEdit* Text11 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option4 = nullptr;
  QCheckBox* SearchBegin = nullptr;
  QPushButton* SeachString = nullptr;
  QLineEdit* Text7 = nullptr;
  QPushButton* Add2List = nullptr;
  QLineEdit* Text4 = nullptr;
  QLineEdit* Text10 = nullptr;
  QLineEdit* Text9 = nullptr;
  QLineEdit* Text8 = nullptr;
  QTreeWidget* ListView2 = nullptr;
  QMenu* menufile4 = nullptr;
  QAction* Removeone = nullptr;
  QAction* Removeall = nullptr;
  QAction* outputStrS3 = nullptr;
  QAction* outputStraxf = nullptr;
};

}  // namespace korvana::ui
