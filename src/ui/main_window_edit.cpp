// The menu "Bearbeiten": undo and redo of the image's changes, the window
// that lists them, and the one patch of all changes since the load. The
// captions and the enabled state follow the image's journal through
// JournalChanged, never the handlers that changed it.

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

#include "app/shared_texts.h"
#include "app/status_texts.h"
#include "image/image_patch.h"
#include "image/path.h"
#include "ui/changes_window.h"
#include "ui/main_window.h"
#include "ui/platform.h"

namespace korvana::ui {

namespace {
constexpr std::string_view kUndoCaption = "Rückgängig";
constexpr std::string_view kRedoCaption = "Wiederholen";

// "Rückgängig: Ton 003"; the bare caption when there is no step. A label
// comes from the user's tables (a picture's name), so an "&" in it is shown
// rather than taken for a mnemonic.
QString StepCaption(std::string_view caption, const std::string& label) {
  if (label.empty()) return ToQ(caption);
  QString text = ToQ(label);
  text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return ToQ(caption) + QStringLiteral(": ") + text;
}
}  // namespace

void MainWindow::BuildEditMenu() {
  QMenu* edit = menuBar()->addMenu(ToQ("&Bearbeiten"));
  edit->setObjectName(QStringLiteral("edit"));
  auto item = [this, edit](const char* name, void (MainWindow::*handler)()) {
    QAction* a = edit->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this,
            [this, handler] { RunCommand(this, [this, handler] { (this->*handler)(); }); });
    return a;
  };
  m_undoAction = item("menuundo", &MainWindow::OnUndoClicked);
  m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  m_redoAction = item("menuredo", &MainWindow::OnRedoClicked);
  m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  edit->addSeparator();
  item("menuchanges", &MainWindow::OnChangesClicked)->setText(ToQ("Änderungen..."));
  item("menuallchanges", &MainWindow::OnAllChangesClicked)->setText(ToQ("Alle Änderungen als s3..."));

  m_image.SetJournalListener([this] { emit JournalChanged(); });
  connect(this, &MainWindow::JournalChanged, this, &MainWindow::RefreshEditMenu);
  RefreshEditMenu();
}

void MainWindow::RefreshEditMenu() {
  const image::ChangeJournal& journal = m_image.Journal();
  m_undoAction->setText(StepCaption(kUndoCaption, journal.UndoLabel()));
  m_undoAction->setEnabled(journal.CanUndo());
  m_redoAction->setText(StepCaption(kRedoCaption, journal.RedoLabel()));
  m_redoAction->setEnabled(journal.CanRedo());
}

// While a long command runs the menu bar is disabled, and with it the
// shortcuts; a handler reached all the same (a queued trigger) must not
// change the bytes under a loop that reads them.
void MainWindow::OnUndoClicked() {
  if (menuBar()->isEnabled() && m_image.Undo()) ShowUndoneStep();
}

void MainWindow::OnRedoClicked() {
  if (menuBar()->isEnabled() && m_image.Redo()) ShowUndoneStep();
}

void MainWindow::ShowUndoneStep() {
  // An undone picture step may also have taken back its row's frame size.
  RefreshPictureList();
  if (!m_framePicture->pixmap().isNull() && SelectedPictureShape(false)) ShowFrame(m_animation.FrameIndex());
  if (m_previewWindow) {
    for (int i = 1; i <= m_previewWindow->BoxCount(); ++i) m_previewWindow->ReloadFrame(i);
  }
}

void MainWindow::OnChangesClicked() {
  if (!m_changesWindow) {
    m_changesWindow = new ChangesWindow(m_image, this);
    connect(this, &MainWindow::JournalChanged, m_changesWindow, &ChangesWindow::Refresh);
  }
  m_changesWindow->show();
  m_changesWindow->raise();
  m_changesWindow->activateWindow();
}

void MainWindow::OnAllChangesClicked() {
  // Nothing to write: say so before asking for a file name.
  if (m_image.ChangedRanges().empty()) {
    Platform::Current().ShowMessage(this, msg::kNoChanges);
    return;
  }
  const QString path = Platform::Current().SaveFileName(this, StartFolder(m_folders.S3SavePath), app::kS3Filter);
  if (path.isEmpty()) return;
  m_folders.S3SavePath = image::FolderOf(FromQ(path));
  Outcome out;
  {
    BusyCursor busy;
    out = image::WriteAllChangesS3(m_image, FromQ(path));
  }
  ShowStatus(app::PatchStatus(out, 0, app::CountedThing::kTone));
  ShowOutcome(out);
}

}  // namespace korvana::ui
