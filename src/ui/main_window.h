#pragma once
// The main window: menu bar, tool bar, the five tabs and the status bar. It
// owns the image, the remembered folders and the settings file; each tab's
// controls and handlers live in a main_window_<tab>.cpp of their own.

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "app/question.h"
#include "app/recent_files.h"
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
#include "ui/changes_window.h"
#include "ui/picture_editor_window.h"
#include "ui/picture_preview_window.h"

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
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

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Runs the start-up: settings, remembered folders, disabled tabs. The
  // settings live in folders.settings (the program folder of the window),
  // the help and the palette come from folders.data, and "temp.mmf" is
  // written into folders.temporary, which the caller has made.
  explicit MainWindow(app::ProgramFolders folders, QWidget* parent = nullptr);
  // All in one folder, as in the build folder.
  explicit MainWindow(const std::string& programFolder, QWidget* parent = nullptr);
  ~MainWindow() override;

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
  [[nodiscard]] QTabWidget* Tabs() const { return m_tabs; }
  [[nodiscard]] QAction* ToolbarAction(const QString& key) const;
  [[nodiscard]] QString StatusPanelText(int panel) const;

  // Shows an outcome's message (success or failure) and refreshes "Save".
  // A tool window passes itself as parent: the main window is disabled
  // while it is open, and so would be a box that belongs to it.
  void ShowOutcome(const Outcome& outcome, QWidget* parent = nullptr);
  // "Save" is enabled exactly while the image is modified.
  void RefreshSaveButton();

  // --- Address tools (the four tool windows) ----------------------------------
  // Each opens its tool window modeless; the main window takes no input until
  // it closes. The texts are the columns of the list's selected row as the
  // list shows them, empty when no row is selected.
  void OpenAddressChange(const std::string& startColumn);                                    // "Txxx"
  void OpenOffsetChange(const std::string& startColumn, const std::string& sizeColumn);      // "S108\208\308\V20x"
  void OpenPictureOffset(const std::string& startColumn, const std::string& dimensionsColumn);  // "S108\208\308"
  void OpenAddressCalculator();                                                              // "Adressrechner ", "Tool"
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
  void OnOpenClicked();
  void OnHelpClicked();
  void OnDeveloperPageClicked();
  void OnMakersPageClicked();
  // Asks about a modified image, writes the settings; false to keep running.
  bool ShutDown();
  // The save question before the image is given up; false to keep it.
  bool ResolveUnsavedChanges();
  [[nodiscard]] app::QuestionFn AskUser();

  // --- the window on the desktop: keys, "Speichern unter...", recent files,
  // drop, title, layout, status lines (main_window_desktop.cpp) -------------
 public:
  // The recent files of the menu "Lade", most recent first.
  [[nodiscard]] const app::RecentFiles& RecentFileList() const { return m_recentFiles; }
  // Where a file dialog that remembers folder starts (app::DialogStartFolder).
  [[nodiscard]] QString StartFolder(const std::string& remembered) const;
  // A line in the status bar for a few seconds, over the panels; nothing
  // for an empty text.
  void ShowStatus(const std::string& text);
  // Opens pathOrUrl with the desktop's program for it; when there is none,
  // the status bar says so and names name. False in that case.
  bool OpenWithDesktop(const QString& pathOrUrl, const std::string& name);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Keys, the menu's recent files, drops, the title and the remembered
  // layout; after the start-up has read the settings.
  void SetUpDesktop();
  void BuildRecentFilesMenu(QMenu* file);
  void RefreshRecentFilesMenu();
  void RememberOpenedFile();
  void OnSaveAsClicked();
  void OnRecentFileClicked(int index);
  // A file to open that comes from outside the open dialog (a drop, the
  // recent files): the save question first, nothing while a command runs.
  void OpenFromOutside(const QString& path);
  [[nodiscard]] bool CommandRunning() const;
  void RefreshTitle();
  void RestoreWindowLayout();
  void SaveWindowLayout();
  app::RecentFiles m_recentFiles;
  QMenu* m_fileMenu = nullptr;
  QAction* m_saveAsAction = nullptr;
  QAction* m_recentSeparator = nullptr;
  std::array<QAction*, app::kRecentFileCount> m_recentActions{};

  // --- menu "Bearbeiten": undo, redo, the changes (main_window_edit.cpp) ------
 public:
  // The open window "Änderungen", if any.
  [[nodiscard]] ChangesWindow* ChangeListWindow() const { return m_changesWindow; }
 signals:
  // The image's journal changed: a step recorded, undone or redone, a load,
  // a save. The image has one journal listener; this fans it out.
  void JournalChanged();

 private:
  void BuildEditMenu();
  void RefreshEditMenu();
  void OnUndoClicked();
  void OnRedoClicked();
  void OnChangesClicked();
  void OnAllChangesClicked();
  // Shows the image as an undo or redo left it: picture list, frame, preview.
  void ShowUndoneStep();
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  QPointer<ChangesWindow> m_changesWindow;

  // --- tab "Bilder" (main_window_pictures.cpp, main_window_picture_browser.cpp)
 public:
  // The selected row of the picture list (the current one of a multiple
  // selection), for the windows that act on one picture; nothing without a
  // row.
  [[nodiscard]] std::optional<pictures::PictureEntry> SelectedPictureEntry() const;
  // Its shape as the row reads; nothing without a row or when the row does
  // not read, whose message is shown when showFailure is set.
  [[nodiscard]] std::optional<pictures::PictureShape> SelectedPictureShape(bool showFailure);
  // Its index in PictureRows(), -1 for none.
  [[nodiscard]] int SelectedPictureRow() const;
  [[nodiscard]] pictures::PictureList& PictureRows() { return m_pictureList; }
  // Shows PictureRows() anew after a window changed a row.
  void RefreshPictureList();
  // The palette of depth-4 pictures: "16.dat" beside the program.
  [[nodiscard]] pictures::Palette16 PicturePalette() const;
  // The open preview window, if any.
  [[nodiscard]] PicturePreviewWindow* PreviewWindow() const { return m_previewWindow; }
  // The open picture replacement editor, if any.
  [[nodiscard]] PictureEditorWindow* EditorWindow() const { return m_editorWindow; }

 private:
  void BuildPicturesTab(QWidget* page);
  QWidget* BuildPictureBrowser(QWidget* page);
  void OnOpenPictureTableClicked();
  void OnSavePictureTableClicked();
  void OnPictureListClicked();
  void OnPictureListDoubleClicked();
  void OnPictureListContextMenu(const QPoint& pos);
  void OnNextFrameClicked() { StepPicture(+1); }
  void OnPreviousFrameClicked() { StepPicture(-1); }
  void OnPlayClicked();
  void OnPauseClicked();
  void OnStopClicked();
  void OnAnimationTimer();
  void OnSpeedChanged(int value);
  void OnExportPictureClicked();
  void OnExportAllPicturesClicked();
  void OnPicturePatchClicked();
  void OnPreviewWindowClosed();
  // A click on a frame of the preview window opens the replacement editor for it.
  void OnPreviewFrameClicked(int selectedFrame);
  void StepPicture(int delta);
  // Decodes frame k of the selected picture into the picture box, with its
  // address and its number in the two fields below it.
  void ShowFrame(int frameIndex);
  // The animation timer and the play and step buttons as the animation says.
  void SyncAnimation();
  void ExportPictureRows(const std::vector<int>& rows);
  // Disables the commands of the window while a long loop lets events run.
  void SetCommandsEnabled(bool enabled);

  pictures::PictureList m_pictureList;
  pictures::PictureAnimation m_animation;
  ListAdapter* m_pictureAdapter = nullptr;
  QPointer<PicturePreviewWindow> m_previewWindow;
  QPointer<PictureEditorWindow> m_editorWindow;
  QGroupBox* m_pictureListFrame = nullptr;
  QTreeWidget* m_pictureListView = nullptr;
  QPushButton* m_openPictureTableButton = nullptr;
  QPushButton* m_savePictureTableButton = nullptr;
  QLineEdit* m_addressOffset = nullptr;
  QCheckBox* m_computeFrameSize = nullptr;
  QLabel* m_framePicture = nullptr;
  QLineEdit* m_frameAddress = nullptr;
  QLineEdit* m_frameNumber = nullptr;
  QPushButton* m_previousFrameButton = nullptr;
  QPushButton* m_nextFrameButton = nullptr;
  QPushButton* m_playButton = nullptr;
  QPushButton* m_pauseButton = nullptr;
  QPushButton* m_stopButton = nullptr;
  QSlider* m_speedSlider = nullptr;
  QCheckBox* m_loopCheck = nullptr;
  QTimer* m_animationTimer = nullptr;
  QProgressBar* m_exportProgress = nullptr;
  QMenu* m_pictureMenu = nullptr;
  QAction* m_exportPictureAction = nullptr;
  QAction* m_exportAllPicturesAction = nullptr;
  QAction* m_picturePatchAction = nullptr;
  QMenu* m_pictureOffsetMenu = nullptr;
  QAction* m_pictureOffsetAction = nullptr;
  // --- end of tab "Bilder" ----------------------------------------------------
  // --- tab "Töne" (main_window_tones.cpp, main_window_tone_files.cpp) ---------
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
  void RefreshMmfFileList();
  [[nodiscard]] std::optional<int> SelectedReplacementRow() const;
  void ExportToneRows(bool all);
  // "-> bin!!" for an empty s3Path, else "Export s3" into that file.
  void RunReplacementPatch(const std::string& s3Path);

  void OnScanClicked();
  void OnSaveToneTableClicked();
  void OnOpenToneTableClicked();
  void OnToneListDoubleClicked();
  void OnNoteEditorLeft();
  void OnToneListContextMenu(const QPoint& pos);
  void OnExportToneClicked();
  void OnExportAllTonesClicked();
  void OnAddTonesClicked();
  void OnFolderChanged(const QString& folder);
  // Shows the remembered folder in the folder tree: selected, its parents
  // expanded, scrolled into view.
  void OpenFolderTreeAtRememberedFolder();
  void OnToneFileHeaderClicked(int column);
  void OnToneFileDoubleClicked();
  void OnToneFileListContextMenu(const QPoint& pos);
  void OnAddToneFilesClicked();
  void OnReplacementListContextMenu(const QPoint& pos);
  void ReplacementCommand(void (tones::ReplacementList::*command)(std::optional<int>));
  void OnTonePatchClicked();
  void OnWriteTonesIntoImageClicked();

  tones::ToneList m_toneList;
  tones::ToneFileList m_toneFiles;
  tones::ReplacementList m_replacements;
  int m_noteRow = -1;  // the row whose note the note editor edits

  QPushButton* m_scanButton = nullptr;
  QPushButton* m_saveToneTableButton = nullptr;
  QPushButton* m_openToneTableButton = nullptr;
  QProgressBar* m_toneProgress = nullptr;
  QTreeWidget* m_toneListView = nullptr;
  ListAdapter* m_toneAdapter = nullptr;
  QLineEdit* m_noteEditor = nullptr;
  QMenu* m_toneMenu = nullptr;
  QAction* m_exportToneAction = nullptr;
  QAction* m_exportAllTonesAction = nullptr;
  QAction* m_toneMenuSeparator = nullptr;
  QAction* m_offsetMenuAction = nullptr;
  QAction* m_offsetChangeAction = nullptr;
  QAction* m_addressChangeAction = nullptr;
  QAction* m_offsetMenuSeparator = nullptr;
  QAction* m_addTonesAction = nullptr;

  QTreeView* m_folderTree = nullptr;
  QFileSystemModel* m_folderModel = nullptr;
  QListWidget* m_mmfFileList = nullptr;
  QTreeWidget* m_toneFileListView = nullptr;
  ListAdapter* m_toneFileAdapter = nullptr;
  QMenu* m_toneFileMenu = nullptr;
  QAction* m_addToneFilesAction = nullptr;

  QTreeWidget* m_replacementListView = nullptr;
  ListAdapter* m_replacementAdapter = nullptr;
  QMenu* m_replacementMenu = nullptr;
  QAction* m_removeRowAction = nullptr;
  QAction* m_removeAllAction = nullptr;
  QAction* m_removeFileAction = nullptr;
  QAction* m_removeAllFilesAction = nullptr;
  QAction* m_removeToneAction = nullptr;
  QAction* m_removeAllTonesAction = nullptr;
  QAction* m_tickAllAction = nullptr;
  QAction* m_tonePatchAction = nullptr;
  QAction* m_writeTonesAction = nullptr;
  // --- end of tab "Töne" --------------------------------------------------------
  // Tab "s3Datei": the bin/S-record converter (main_window_converter.cpp).
  void BuildConverterTab(QWidget* page);
  QGroupBox* BuildBinToS3Frame(QWidget* page);
  QGroupBox* BuildS3ToBinFrame(QWidget* page);
  void OnOpenBinFileClicked();
  void OnOpenS3FileClicked();
  void OnBinToS3Clicked();
  void OnS3ToBinClicked();
  void OnAllAddressesClicked();
  void OnPartAddressesClicked();
  void OnFillDataClicked();
  void OnImageLayoutClicked();
  void OnPackedLayoutClicked();
  void SetAddressInputsEnabled(bool enabled);
  // Keeps every other command away while an S-record file converts; only
  // the "s3->bin" button (the stop) stays live.
  void SetConverterRunning(bool running);
  bool m_converterIdle = true;  // false while S-record -> bin runs; true again asks it to stop
  QGroupBox* m_binToS3Frame = nullptr;
  QLineEdit* m_binPath = nullptr;
  QPushButton* m_openBinFileButton = nullptr;
  QPushButton* m_binToS3Button = nullptr;
  QRadioButton* m_allAddressesOption = nullptr;
  QRadioButton* m_partAddressesOption = nullptr;
  QRadioButton* m_fillDataOption = nullptr;
  QLineEdit* m_binStartAddress = nullptr;
  QLineEdit* m_binStopAddress = nullptr;
  QLineEdit* m_binFillByte = nullptr;
  std::array<QLabel*, 3> m_addressLabels{};
  QLineEdit* m_s3Path = nullptr;
  QPushButton* m_openS3FileButton = nullptr;
  QPushButton* m_s3ToBinButton = nullptr;
  QGroupBox* m_binRangeFrame = nullptr;
  QRadioButton* m_imageLayoutOption = nullptr;
  QRadioButton* m_packedLayoutOption = nullptr;
  QWidget* m_fillRow = nullptr;
  QLabel* m_s3FillByteLabel = nullptr;
  QLineEdit* m_s3FillByte = nullptr;
  QLineEdit* m_conversionAddress = nullptr;
  QProgressBar* m_conversionProgress = nullptr;

  std::string m_programFolder;
  std::string m_dataFolder;
  std::string m_toneFolder;  // where "temp.mmf" is played from
  std::unique_ptr<app::SettingsFile> m_settings;
  app::RememberedFolders m_folders;
  image::HandsetImage m_image;

  QTabWidget* m_tabs = nullptr;
  QToolBar* m_toolbar = nullptr;
  std::array<QLabel*, kStatusPanelCount> m_statusPanels{};
  QTimer* m_clock = nullptr;
  QAction* m_openAction = nullptr;
  QAction* m_calculatorAction = nullptr;
  QAction* m_exitAction = nullptr;
  QAction* m_saveAction = nullptr;

  // --- Address tools ---------------------------------------------------------
  // Shows window as the one tool window (false, and window deleted, when one
  // is open already).
  bool ShowToolWindow(QWidget* window);
  QPointer<QWidget> m_toolWindow;
  // --- tab "Zeichen": string search, replacement list, string patches
  // (main_window_strings.cpp)
  void BuildStringsTab(QWidget* page);
  void OnSearchClicked();
  void OnAddReplacementClicked();
  void OnStringListContextMenu(const QPoint& pos);
  void OnRemoveStringClicked();
  void OnRemoveAllStringsClicked();
  void OnStringPatchClicked();
  void OnWriteStringsIntoImageClicked();
  void RefreshStringList();
  [[nodiscard]] strings::StringEncoding ReplacementEncoding() const;

  strings::StringList m_stringList;
  ListAdapter* m_stringAdapter = nullptr;
  QLineEdit* m_searchText = nullptr;
  QRadioButton* m_chineseSearch = nullptr;
  QRadioButton* m_englishSearch = nullptr;
  QRadioButton* m_chineseReplacement = nullptr;
  QRadioButton* m_englishReplacement = nullptr;
  QCheckBox* m_searchFromBeginning = nullptr;
  QPushButton* m_searchButton = nullptr;
  QLineEdit* m_replacementText = nullptr;
  QPushButton* m_addReplacementButton = nullptr;
  QLineEdit* m_hitCounter = nullptr;
  QLineEdit* m_hitStart = nullptr;
  QLineEdit* m_hitStop = nullptr;
  QLineEdit* m_hitLength = nullptr;
  QTreeWidget* m_stringListView = nullptr;
  QMenu* m_stringMenu = nullptr;
  QAction* m_removeStringAction = nullptr;
  QAction* m_removeAllStringsAction = nullptr;
  QAction* m_stringPatchAction = nullptr;
  QAction* m_writeStringsAction = nullptr;
};

}  // namespace korvana::ui
