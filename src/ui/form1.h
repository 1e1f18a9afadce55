#pragma once
// The main window: menu bar, tool bar, the five tabs and the status bar. It
// owns the image, the remembered folders and the settings file; each tab's
// controls and handlers live in a form1_<tab>.cpp of their own.

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>

#include "app/remembered_folders.h"
#include "app/settings_file.h"
#include "image/handset_image.h"
#include "image/outcome.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolBar;

namespace korvana::ui {

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

  // Tab "s3Datei": the bin/S-record converter (form1_converter.cpp).
  void BuildConverterTab(QWidget* page);
  QGroupBox* BuildBinToS3Frame(QWidget* page);
  QGroupBox* BuildS3ToBinFrame(QWidget* page);
  void OpenBinFile_Click();
  void OpenS3File_Click();
  void ComBinToS3_Click();
  void ComS3ToBin_Click();
  void AllAddressOption_Click();
  void PartAddressOption_Click();
  void FillDataOption_Click();
  void AllAdd_Click();
  void PartAdd_Click();
  void SetAddressInputsEnabled(bool enabled);
  // Keeps every other command away while an S-record file converts; only
  // ComS3ToBin (the stop) stays live.
  void SetConverterRunning(bool running);
  bool ConverterIdle = true;  // false while S-record -> bin runs; true again asks it to stop
  QGroupBox* m_binToS3Frame = nullptr;
  QLineEdit* Text19 = nullptr;
  QPushButton* OpenBinFile = nullptr;
  QPushButton* ComBinToS3 = nullptr;
  QRadioButton* AllAddressOption = nullptr;
  QRadioButton* PartAddressOption = nullptr;
  QRadioButton* FillDataOption = nullptr;
  QLineEdit* Text18 = nullptr;
  QLineEdit* Text17 = nullptr;
  QLineEdit* Text20 = nullptr;
  std::array<QLabel*, 3> m_addressLabels{};
  QLineEdit* Text1 = nullptr;
  QPushButton* OpenS3File = nullptr;
  QPushButton* ComS3ToBin = nullptr;
  QGroupBox* m_binRangeFrame = nullptr;
  QRadioButton* AllAdd = nullptr;
  QRadioButton* PartAdd = nullptr;
  QWidget* m_fillRow = nullptr;
  QLabel* m_text3Label = nullptr;
  QLineEdit* Text3 = nullptr;
  QLineEdit* Text2 = nullptr;
  QProgressBar* ProgressBar3 = nullptr;

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
