#pragma once
// The picture replacement editor: the built-in frame and the user's new
// picture side by side, the flips and turns, and the write of the new
// picture over the frame. Opened by a click on a frame of the preview
// window; while it is open the preview window and the main window take no
// input.

#include <QPointer>
#include <QWidget>

#include <array>

#include "pictures/picture_replacement.h"

class QAction;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolBar;

namespace korvana::ui {

class MainWindow;
class PicturePreviewWindow;

class PictureEditorWindow : public QWidget {
  Q_OBJECT
 public:
  // Frame selectedFrame (from 1) of the main window's selected picture. The
  // window is top-level, deletes itself when closed and goes with main.
  PictureEditorWindow(MainWindow& main, PicturePreviewWindow* preview, int selectedFrame);

  [[nodiscard]] const pictures::ReplacementTarget& Target() const { return m_target; }
  [[nodiscard]] const pictures::NewPicture& Picture() const { return m_picture; }
  // True while a compression runs (the window then refuses to close).
  [[nodiscard]] bool Busy() const { return m_busy; }

 signals:
  void Unloaded();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  void Form_Load();
  void Toolbar1_ButtonClick(const QString& key);
  void OpenPic();
  void SavePic();
  void SavePic1();
  void VCommand_Click() { Turn(1); }
  void HCommand_Click() { Turn(2); }
  void A1Command_Click() { Turn(3); }
  void A2Command_Click() { Turn(4); }
  // Decodes the built-in frame into pic; returns the text of Label1.
  QString LoadPic(QLabel* pic);
  void Turn(int mode);
  // The write of SavePic and SavePic1, which differ only in the stored form.
  void Replace();
  // Picture1(1) and Label2 from the new picture.
  void ShowNewPicture();
  // Save and the transform buttons as the loaded picture allows.
  void RefreshButtons();
  // The progress of a compression: Label8, Label10 and ProgressBar1 shown
  // and the commands disabled while progress() runs.
  void BeginCompression();
  void EndCompression();
  [[nodiscard]] ProgressFn CompressionProgress();

  MainWindow& m_main;
  QPointer<PicturePreviewWindow> m_preview;
  pictures::ReplacementTarget m_target;
  pictures::NewPicture m_picture;
  bool m_targetOk = false;
  bool m_busy = false;
  // "Save" stays enabled once a picture was opened, also after a later
  // open was cancelled or failed.
  bool m_everOpened = false;

  QToolBar* Toolbar1 = nullptr;
  QAction* m_openAction = nullptr;
  QAction* m_saveAction = nullptr;
  std::array<QLabel*, 2> Picture1{};
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label10 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QPushButton* VCommand = nullptr;
  QPushButton* HCommand = nullptr;
  QPushButton* A1Command = nullptr;
  QPushButton* A2Command = nullptr;
};

}  // namespace korvana::ui
