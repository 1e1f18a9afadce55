// The main window as a desktop application: "Speichern unter...", the
// recent files of the menu "Lade", a firmware file dropped on the window,
// the title with the file and its modified marker, the window's size,
// place and splitters kept in the settings file, and the status bar's short
// lines after a command.

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <vector>

#include "app/shared_texts.h"
#include "app/status_texts.h"
#include "image/path.h"
#include "ui/main_window.h"
#include "ui/platform.h"

namespace korvana::ui {

namespace {
// Long enough to read a short line, short enough not to hide the panels long.
constexpr int kStatusMessageMs = 6000;
// A recent file's entry is cut in its middle beyond this width.
constexpr int kRecentEntryWidth = 520;

constexpr std::string_view kWindowSection = "Window";
constexpr std::string_view kGeometryKey = "Geometry";
// Each splitter's state is stored under "Splitter " and its object name.
constexpr std::string_view kSplitterKeyPrefix = "Splitter ";

// The one local file of a drop; empty for anything else (text, several
// files, a folder, an address).
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile()) return {};
  const QFileInfo file(url.toLocalFile());
  return file.isFile() ? file.absoluteFilePath() : QString();
}

// A text from outside (a file name) shown in a menu or title: "&" is no
// mnemonic, "[*]" no modified marker.
QString Literal(QString text, bool inTitle) {
  if (inTitle) return text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
}  // namespace

void MainWindow::SetUpDesktop() {
  // Enter in the search field searches, as the button does (which also
  // keeps a disabled button's rule).
  connect(m_searchText, &QLineEdit::returnPressed, m_searchButton, &QPushButton::click);
  setAcceptDrops(true);
  m_recentFiles = app::LoadRecentFiles(*m_settings);
  RefreshRecentFilesMenu();
  connect(m_fileMenu, &QMenu::aboutToShow, this, [this] {
    if (m_recentFiles.DropMissing()) app::SaveRecentFiles(*m_settings, m_recentFiles);
    RefreshRecentFilesMenu();
  });
  // Undo back to the save point takes the marker away again.
  connect(this, &MainWindow::JournalChanged, this, &MainWindow::RefreshTitle);
  RefreshTitle();
  RestoreWindowLayout();
}

// --- "Speichern unter..." ------------------------------------------------------

void MainWindow::OnSaveAsClicked() {
  if (!m_image.FileLoaded() || CommandRunning()) return;
  const QString path =
      Platform::Current().SaveFileName(this, ToQ(image::FolderOf(m_image.FileName())), app::kHandsetFilter);
  if (path.isEmpty()) return;
  const std::string chosen = FromQ(QFileInfo(path).absoluteFilePath());
  Outcome saved;
  {
    BusyCursor busy;
    saved = m_image.SaveAs(chosen);
  }
  if (saved.ok) {
    m_folders.MobileFilePath = image::FolderOf(chosen);
    m_statusPanels[5]->setText(ToQ(image::FileNameOf(chosen)));
    RefreshTitle();
    RememberOpenedFile();
  }
  ShowOutcome(saved);
}

// --- recent files -------------------------------------------------------------

void MainWindow::BuildRecentFilesMenu(QMenu* file) {
  m_recentSeparator = file->addSeparator();
  for (int i = 0; i < app::kRecentFileCount; ++i) {
    QAction* a = file->addAction(QString());
    a->setObjectName(QStringLiteral("menurecent%1").arg(i + 1));
    a->setVisible(false);
    connect(a, &QAction::triggered, this, [this, i] { OnRecentFileClicked(i); });
    m_recentActions[static_cast<std::size_t>(i)] = a;
  }
}

void MainWindow::RefreshRecentFilesMenu() {
  const std::vector<std::string>& paths = m_recentFiles.Paths();
  const QFontMetrics metrics(m_fileMenu->font());
  m_recentSeparator->setVisible(!paths.empty());
  for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
    QAction* a = m_recentActions[i];
    a->setVisible(i < paths.size());
    if (i >= paths.size()) continue;
    const QString path = QDir::toNativeSeparators(ToQ(paths[i]));
    a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
        Literal(metrics.elidedText(path, Qt::ElideMiddle, kRecentEntryWidth), false)));
    a->setToolTip(path);
  }
}

void MainWindow::RememberOpenedFile() {
  m_recentFiles.Add(m_image.FileName());
  // Written at once: the list is worth keeping even if the program does
  // not end normally.
  app::SaveRecentFiles(*m_settings, m_recentFiles);
  RefreshRecentFilesMenu();
}

void MainWindow::OnRecentFileClicked(int index) {
  const std::vector<std::string>& paths = m_recentFiles.Paths();
  if (index < 0 || static_cast<std::size_t>(index) >= paths.size()) return;
  OpenFromOutside(ToQ(paths[static_cast<std::size_t>(index)]));
}

// --- drop ---------------------------------------------------------------------

bool MainWindow::CommandRunning() const {
  return LongLoopRunning() || !menuBar()->isEnabled() || !m_converterIdle || m_toolWindow;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!CommandRunning() && !DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  if (path.isEmpty() || CommandRunning()) return;
  event->acceptProposedAction();
  // The save question and the load come after the drop has ended: a box
  // inside the drop would keep the other program's drag waiting.
  QTimer::singleShot(0, this, [this, path] { OpenFromOutside(path); });
}

void MainWindow::OpenFromOutside(const QString& path) {
  if (CommandRunning() || !ResolveUnsavedChanges()) return;
  OpenHandsetFile(path);
}

// --- title --------------------------------------------------------------------

void MainWindow::RefreshTitle() {
  const QString caption = ToQ(app::kWindowCaption);
  if (!m_image.FileLoaded()) {
    setWindowTitle(caption);
    return;
  }
  setWindowFilePath(ToQ(m_image.FileName()));
  setWindowTitle(caption + QStringLiteral(" - ") + Literal(ToQ(image::FileNameOf(m_image.FileName())), true) +
                 QStringLiteral("[*]"));
  setWindowModified(m_image.Modified());
}

// --- layout -------------------------------------------------------------------

namespace {
std::string SplitterKey(const QSplitter* splitter) {
  return std::string(kSplitterKeyPrefix) + FromQ(splitter->objectName());
}

std::vector<QSplitter*> NamedSplitters(const QWidget* window) {
  std::vector<QSplitter*> named;
  for (QSplitter* s : window->findChildren<QSplitter*>()) {
    if (!s->objectName().isEmpty()) named.push_back(s);
  }
  return named;
}
}  // namespace

void MainWindow::RestoreWindowLayout() {
  const std::string geometry = m_settings->PeekSetting(kWindowSection, kGeometryKey);
  if (!geometry.empty()) restoreGeometry(QByteArray::fromHex(QByteArray::fromStdString(geometry)));
  for (QSplitter* splitter : NamedSplitters(this)) {
    const std::string state = m_settings->PeekSetting(kWindowSection, SplitterKey(splitter));
    if (!state.empty()) splitter->restoreState(QByteArray::fromHex(QByteArray::fromStdString(state)));
  }
}

void MainWindow::SaveWindowLayout() {
  // Hex text: the settings file is a text file that people read and edit.
  std::vector<std::string> keys{std::string(kGeometryKey)};
  std::vector<std::string> values{saveGeometry().toHex().toStdString()};
  for (QSplitter* splitter : NamedSplitters(this)) {
    keys.push_back(SplitterKey(splitter));
    values.push_back(splitter->saveState().toHex().toStdString());
  }
  std::vector<app::SettingsFile::KeyValue> pairs;
  for (std::size_t i = 0; i < keys.size(); ++i) pairs.emplace_back(keys[i], values[i]);
  m_settings->WriteSettings(kWindowSection, pairs);
}

// --- status lines and the desktop's programs --------------------------------------

void MainWindow::ShowStatus(const std::string& text) {
  if (!text.empty()) statusBar()->showMessage(ToQ(text), kStatusMessageMs);
}

bool MainWindow::OpenWithDesktop(const QString& pathOrUrl, const std::string& name) {
  if (Platform::Current().OpenWithAssociatedApp(pathOrUrl)) return true;
  ShowStatus(app::NoProgramStatus(name));
  return false;
}

QString MainWindow::StartFolder(const std::string& remembered) const {
  const std::string firmware = m_image.FileLoaded() ? m_image.FileName() : std::string();
  return ToQ(app::DialogStartFolder(remembered, m_programFolder, firmware, FromQ(QDir::homePath())));
}

}  // namespace korvana::ui
