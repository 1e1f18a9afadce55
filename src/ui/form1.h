#pragma once
// The main window: menu bar, tool bar, the five tabs and the status bar. It
// owns the image, the remembered folders and the settings file; each tab's
// controls and handlers live in a form1_<tab>.cpp of their own.

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/remembered_folders.h"
#include "app/settings_file.h"
#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "tones/replacement_list.h"
#include "tones/tone_file_list.h"
#include "tones/tone_list.h"

class QAction;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolBar;
class QTreeView;
class QTreeWidget;

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
  void ShowOutcome(const Outcome& outcome);
  // "Save" is enabled exactly while the image is modified.
  void RefreshSaveButton();

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

  // --- tab "Töne" (form1_tones.cpp, form1_tone_files.cpp) ---------------------
 public:
  // The selected row of the tone list, which the address tools start from.
  [[nodiscard]] std::optional<tones::ToneEntry> SelectedToneEntry() const;

 private:
  void BuildTonesTab(QWidget* page);
  QWidget* BuildToneList(QWidget* parent);
  QWidget* BuildToneFileBrowser(QWidget* parent);
  QWidget* BuildReplacementList(QWidget* parent);
  // What a long loop of the tab disables while it runs.
  [[nodiscard]] std::vector<QWidget*> CommandWidgets();
  void RefreshFile1();
  [[nodiscard]] std::optional<int> SelectedReplacementRow() const;
  void ExportToneRows(bool all);
  // "-> bin!!" for an empty s3Path, else "Export s3" into that file.
  void RunReplacementPatch(const std::string& s3Path);

  void GetTone_Click();
  void SaveToneTable_Click();
  void OpenToneTable_Click();
  void ListView4_DblClick();
  void Text5_LostFocus();
  void ListView4_MouseDown(const QPoint& pos);
  void outputselect_Click();
  void outputall_Click();
  void addaddress_Click();
  void ET1_Change(const QString& folder);
  void ListView1_ColumnClick(int column);
  void ListView1_DblClick();
  void ListView1_MouseDown(const QPoint& pos);
  void addmmf_Click();
  void ListView3_MouseDown(const QPoint& pos);
  void ReplacementCommand(void (tones::ReplacementList::*command)(std::optional<int>));
  void outputs3_Click();
  void outputaxf_Click();

  tones::ToneList m_toneList;
  tones::ToneFileList m_toneFiles;
  tones::ReplacementList m_replacements;
  int NoteRow = -1;  // the row whose note Text5 edits

  QPushButton* GetTone = nullptr;
  QPushButton* SaveToneTable = nullptr;
  QPushButton* OpenToneTable = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QTreeWidget* ListView4 = nullptr;
  ListAdapter* m_toneView = nullptr;
  QLineEdit* Text5 = nullptr;
  QMenu* menufile1 = nullptr;
  QAction* outputselect = nullptr;
  QAction* outputall = nullptr;
  QAction* line65 = nullptr;
  QAction* modifyoffset = nullptr;
  QAction* S_series = nullptr;
  QAction* T_series = nullptr;
  QAction* line1 = nullptr;
  QAction* addaddress = nullptr;

  QTreeView* ET1 = nullptr;
  QFileSystemModel* m_folderModel = nullptr;
  QListWidget* File1 = nullptr;
  QTreeWidget* ListView1 = nullptr;
  ListAdapter* m_toneFileView = nullptr;
  QMenu* menufile2 = nullptr;
  QAction* addmmf = nullptr;

  QTreeWidget* ListView3 = nullptr;
  ListAdapter* m_replacementView = nullptr;
  QMenu* menufile3 = nullptr;
  QAction* moveone = nullptr;
  QAction* moveall = nullptr;
  QAction* movemmf = nullptr;
  QAction* moveallmmf = nullptr;
  QAction* moveaddress = nullptr;
  QAction* movealladdress = nullptr;
  QAction* selectall = nullptr;
  QAction* outputs3 = nullptr;
  QAction* outputaxf = nullptr;
  // --- end of tab "Töne" --------------------------------------------------------

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
};

}  // namespace korvana::ui
