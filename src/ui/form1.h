#pragma once
// The main window: menu bar, tool bar, the five tabs and the status bar. It
// owns the image, the remembered folders and the settings file; each tab's
// controls and handlers live in a form1_<tab>.cpp of their own.

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "app/question.h"
#include "app/remembered_folders.h"
#include "app/settings_file.h"
#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "pictures/picture_animation.h"
#include "pictures/picture_list.h"
#include "pictures/stored_picture_format.h"
#include "strings/string_encoding.h"
#include "strings/string_list.h"
#include "tones/replacement_list.h"
#include "tones/tone_file_list.h"
#include "tones/tone_list.h"
#include "ui/form2.h"
#include "ui/form3.h"

class QAction;
class QCheckBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
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
  // Runs the start-up: settings, remembered folders, disabled tabs. The
  // settings live in folders.settings (the program folder of the window),
  // the help and the palette come from folders.data, and "temp.mmf" is
  // written into folders.temporary, which the caller has made.
  explicit Form1(app::ProgramFolders folders, QWidget* parent = nullptr);
  // All in one folder, as in the build folder.
  explicit Form1(const std::string& programFolder, QWidget* parent = nullptr);
  ~Form1() override;

  // A second start of the program handed over path (empty: nothing to
  // open): the window comes to the front, asks the save question for a
  // modified image, and opens path unless the user cancelled.
  void OpenFromSecondStart(const QString& path);

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
  // The save question before the image is given up; false to keep it.
  bool ResolveUnsavedChanges();
  [[nodiscard]] app::QuestionFn AskUser();

  // --- tab "Bilder" (form1_pictures.cpp, form1_picture_browser.cpp) -------
 public:
  // The selected row of ListView5 (the current one of a multiple selection),
  // for the windows that act on one picture; nothing without a row.
  [[nodiscard]] std::optional<pictures::PictureEntry> SelectedPictureEntry() const;
  // Its index in PictureRows(), -1 for none.
  [[nodiscard]] int SelectedPictureRow() const;
  [[nodiscard]] pictures::PictureList& PictureRows() { return m_pictureList; }
  // Shows PictureRows() anew after a window changed a row.
  void RefreshPictureList();
  // The palette of depth-4 pictures: "16.dat" beside the program.
  [[nodiscard]] pictures::Palette16 PicturePalette() const;
  // The open preview window, if any.
  [[nodiscard]] Form2* PreviewWindow() const { return m_form2; }
  // The open picture replacement editor, if any.
  [[nodiscard]] Form3* EditorWindow() const { return m_form3; }

 private:
  void BuildPicturesTab(QWidget* page);
  QWidget* BuildPictureBrowser(QWidget* page);
  void OpenPicTable_Click();
  void SavePicTable_Click();
  void ListView5_Click();
  void ListView5_DblClick();
  void ListView5_MouseUp(const QPoint& pos);
  void nextpicture_Click() { StepPicture(+1); }
  void PreviousPicture_Click() { StepPicture(-1); }
  void PlayPicture_Click();
  void PausePlay_Click();
  void StopPlay_Click();
  void Timer2_Timer();
  void Slider1_Change(int value);
  void outputpic_Click();
  void outputpicall_Click();
  void outputpics3_Click();
  void Form2_Unload();
  // A click on a frame of Form2 opens the replacement editor for it.
  void Form2_FrameClicked(int selectedFrame);
  void StepPicture(int delta);
  // Decodes frame k of the selected picture into Picture2, with its address
  // in Text15 and its number in Text16.
  void ShowFrame(int frameIndex);
  // Timer2 and the play and step buttons as the animation says.
  void SyncAnimation();
  void ExportPictureRows(const std::vector<int>& rows);
  // Disables the commands of the window while a long loop lets events run.
  void SetCommandsEnabled(bool enabled);

  pictures::PictureList m_pictureList;
  pictures::PictureAnimation m_animation;
  ListAdapter* m_pictureAdapter = nullptr;
  QPointer<Form2> m_form2;
  QPointer<Form3> m_form3;
  QGroupBox* Frame16 = nullptr;
  QTreeWidget* ListView5 = nullptr;
  QPushButton* OpenPicTable = nullptr;
  QPushButton* SavePicTable = nullptr;
  QLineEdit* Text21 = nullptr;
  QCheckBox* Check1 = nullptr;
  QLabel* Picture2 = nullptr;
  QLineEdit* Text15 = nullptr;
  QLineEdit* Text16 = nullptr;
  QPushButton* PreviousPicture = nullptr;
  QPushButton* nextpicture = nullptr;
  QPushButton* PlayPicture = nullptr;
  QPushButton* PausePlay = nullptr;
  QPushButton* StopPlay = nullptr;
  QSlider* Slider1 = nullptr;
  QCheckBox* RepeatPlay = nullptr;
  QTimer* Timer2 = nullptr;
  QProgressBar* ProgressBar2 = nullptr;
  QMenu* menufile5 = nullptr;
  QAction* outputpic = nullptr;
  QAction* outputpicall = nullptr;
  QAction* outputpics3 = nullptr;
  QMenu* modifypicoffset = nullptr;
  QAction* PictureOffset = nullptr;
  // --- end of tab "Bilder" ----------------------------------------------------
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
  std::string m_dataFolder;
  std::string m_toneFolder;  // where "temp.mmf" is played from
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
