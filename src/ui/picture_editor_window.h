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
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  void ShowBuiltInFrame();
  void OnToolbarActionTriggered(const QString& key);
  void OpenUserPicture();
  void OnFlipClicked() { Turn(1); }
  void OnMirrorClicked() { Turn(2); }
  void OnTurnRightClicked() { Turn(3); }
  void OnTurnLeftClicked() { Turn(4); }
  // Decodes the built-in frame into box; returns its dimensions text.
  QString DrawBuiltInFrame(QLabel* box);
  void Turn(int mode);
  // "Save": writes the new picture over the frame, in the frame's stored form.
  void WriteNewPicture();
  // The new picture's box and dimensions text from the new picture.
  void ShowNewPicture();
  // Save and the transform buttons as the loaded picture allows.
  void RefreshButtons();
  // The progress of a compression: status, percentage and progress bar shown
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

  QToolBar* m_toolbar = nullptr;
  QAction* m_openAction = nullptr;
  QAction* m_saveAction = nullptr;
  std::array<QLabel*, 2> m_pictureBoxes{};  // [0] the built-in frame, [1] the new picture
  QLabel* m_builtInDimensions = nullptr;
  QLabel* m_newDimensions = nullptr;
  QLabel* m_builtInSize = nullptr;
  QLabel* m_compressionStatus = nullptr;
  QLabel* m_newSize = nullptr;
  QLabel* m_compressionPercent = nullptr;
  QGroupBox* m_progressFrame = nullptr;
  QProgressBar* m_compressionProgress = nullptr;
  QPushButton* m_flipButton = nullptr;
  QPushButton* m_mirrorButton = nullptr;
  QPushButton* m_turnRightButton = nullptr;
  QPushButton* m_turnLeftButton = nullptr;
};

}  // namespace korvana::ui
