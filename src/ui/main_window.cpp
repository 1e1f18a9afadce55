#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/shared_texts.h"
#include "app/shutdown.h"
#include "app/code_page.h"
#include "image/path.h"
#include "ui/platform.h"

namespace korvana::ui {

MainWindow::MainWindow(const std::string& programFolder, QWidget* parent)
    : MainWindow(app::ProgramFolders{programFolder, programFolder, programFolder}, parent) {}

MainWindow::MainWindow(app::ProgramFolders folders, QWidget* parent)
    : QMainWindow(parent),
      m_programFolder(std::move(folders.settings)),
      m_dataFolder(std::move(folders.data)),
      m_toneFolder(std::move(folders.temporary)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(ToQ(app::kWindowCaption));
  BuildMenus();
  BuildToolbar();
  BuildTabs();
  BuildStatusBar();
  StartUp();
  resize(960, 680);
  SetUpDesktop();
}

MainWindow::~MainWindow() {
  // A tool window refers to this window; it does not outlive it.
  delete m_toolWindow.data();
}

void MainWindow::StartUp() {
  m_settings = std::make_unique<app::SettingsFile>(image::JoinPath(m_programFolder, app::kSettingsFileName));
  m_folders = app::LoadRememberedFolders(*m_settings, m_programFolder);
  m_tabs->setTabEnabled(kStringsTab, false);
  m_tabs->setTabEnabled(kPicturesTab, false);
  // "Save" shows the modified state however a command ends, an overflow
  // half-way through a list included.
  m_image.SetModifiedListener([this](bool modified) {
    RefreshSaveButton();
    setWindowModified(modified);
  });
  RefreshSaveButton();
}

void MainWindow::BuildMenus() {
  // The menu bar's letters: L, B, H and o, so that Alt+H stays the help's.
  QMenu* file = menuBar()->addMenu(ToQ("&Lade"));
  file->setObjectName(QStringLiteral("file"));
  m_fileMenu = file;
  m_openAction = file->addAction(ToQ("Fw bin laden"), this, &MainWindow::OnOpenClicked);
  m_openAction->setObjectName(QStringLiteral("menuopen"));
  m_openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  m_saveAsAction = file->addAction(ToQ("Speichern &unter..."), this, &MainWindow::OnSaveAsClicked);
  m_saveAsAction->setObjectName(QStringLiteral("menusaveas"));
  m_saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  m_saveAsAction->setEnabled(false);
  m_calculatorAction = file->addAction(ToQ("Adressrechner "), this, &MainWindow::OpenAddressCalculator);
  m_calculatorAction->setObjectName(QStringLiteral("menuTool"));
  BuildRecentFilesMenu(file);
  file->addSeparator();
  m_exitAction = file->addAction(ToQ("Ende"), this, &QWidget::close);
  m_exitAction->setObjectName(QStringLiteral("menuexit"));
  m_exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  BuildEditMenu();

  QAction* help = menuBar()->addAction(ToQ("&Help"), this, &MainWindow::OnHelpClicked);
  help->setObjectName(QStringLiteral("help"));
  help->setShortcut(QKeySequence(Qt::Key_F1));

  QMenu* homepage = menuBar()->addMenu(ToQ("H&omepage"));
  homepage->setObjectName(QStringLiteral("homepage"));
  homepage->addAction(ToQ("My Homepage "), this, &MainWindow::OnDeveloperPageClicked)
      ->setObjectName(QStringLiteral("myhomepage"));
  homepage
      ->addAction(ToQ(app::kShippedHelpFileName) + ToQ(app::kMakersPageAnchor), this, &MainWindow::OnMakersPageClicked)
      ->setObjectName(QStringLiteral("homepage52"));
}

void MainWindow::BuildToolbar() {
  m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
  m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
  m_toolbar->setMovable(false);
  m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  QStyle* s = style();
  auto add = [&](const char* key, QStyle::StandardPixmap icon, const char* tip) {
    QAction* a = m_toolbar->addAction(s->standardIcon(icon), QString::fromLatin1(key));
    a->setObjectName(QString::fromLatin1(key));
    a->setToolTip(ToQ(tip));
    return a;
  };
  QAction* open = add("Open", QStyle::SP_DialogOpenButton, "打开手机文件");
  connect(open, &QAction::triggered, this, &MainWindow::OnOpenClicked);
  m_saveAction = add("Save", QStyle::SP_DialogSaveButton, "保存文件");
  m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(m_saveAction, &QAction::triggered, this, &MainWindow::SaveImage);
  QAction* tool = add("Tool", QStyle::SP_ComputerIcon, "地址计算器");
  connect(tool, &QAction::triggered, this, &MainWindow::OpenAddressCalculator);
  QAction* exit = add("Exit", QStyle::SP_DialogCloseButton, "退出");
  connect(exit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::BuildStatusBar() {
  struct Panel {
    const char* text;
    const char* tip;
  };
  const std::array<Panel, kStatusPanelCount> panels{{{"Zeit:", "当前时间:"},
                                                     {"", ""},
                                                     {"Version", "当前手机版本:"},
                                                     {"keine-geladen", "没有打开bin或axf文件"},
                                                     {"Datei:", "当前打开的文件:"},
                                                     {"Name:", "没有打开文件"},
                                                     {"", ""}}};
  for (int i = 0; i < kStatusPanelCount; ++i) {
    auto* label = new QLabel(ToQ(panels[static_cast<std::size_t>(i)].text), this);
    label->setObjectName(QStringLiteral("StatusBar1_%1").arg(i + 1));
    label->setToolTip(ToQ(panels[static_cast<std::size_t>(i)].tip));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMargin(2);
    m_statusPanels[static_cast<std::size_t>(i)] = label;
    // Panels 4 and 6 carry the long texts and take the spare width.
    statusBar()->addWidget(label, (i == 3 || i == 5) ? 1 : 0);
  }
  m_clock = new QTimer(this);
  auto tick = [this] { m_statusPanels[1]->setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); };
  connect(m_clock, &QTimer::timeout, this, tick);
  tick();
  m_clock->start(1000);
  ShowBusyPicture(false);
}

void MainWindow::ShowBusyPicture(bool busy) {
  const QIcon icon = style()->standardIcon(busy ? QStyle::SP_BrowserReload : QStyle::SP_DialogApplyButton);
  m_statusPanels[6]->setPixmap(icon.pixmap(16, 16));
  m_statusPanels[6]->setProperty("busy", busy);
}

void MainWindow::BuildTabs() {
  m_tabs = new QTabWidget(this);
  m_tabs->setObjectName(QStringLiteral("SSTab1"));
  const std::array<const char*, 5> captions{"Töne", "Zeichen", "Bilder", "s3Datei", "RM"};
  for (const char* caption : captions) {
    auto* page = new QWidget(m_tabs);
    m_tabs->addTab(page, ToQ(caption));
  }
  BuildTonesTab(m_tabs->widget(kTonesTab));
  BuildStringsTab(m_tabs->widget(kStringsTab));
  BuildPicturesTab(m_tabs->widget(kPicturesTab));
  BuildConverterTab(m_tabs->widget(kConverterTab));
  BuildLinksTab(m_tabs->widget(kLinksTab));
  setCentralWidget(m_tabs);
}

QAction* MainWindow::ToolbarAction(const QString& key) const { return m_toolbar->findChild<QAction*>(key); }

QString MainWindow::StatusPanelText(int panel) const {
  return m_statusPanels[static_cast<std::size_t>(panel - 1)]->text();
}

void MainWindow::RefreshSaveButton() { m_saveAction->setEnabled(m_image.Modified()); }

void MainWindow::ShowOutcome(const Outcome& outcome, QWidget* parent) {
  RefreshSaveButton();
  Platform::Current().ShowMessage(parent != nullptr ? parent : this, outcome.message);
}

void MainWindow::OnOpenClicked() {
  if (!ResolveUnsavedChanges()) return;
  const QString path =
      Platform::Current().OpenFileName(this, StartFolder(m_folders.MobileFilePath), app::kHandsetFilter);
  if (path.isEmpty()) return;
  OpenHandsetFile(path);
}

bool MainWindow::OpenHandsetFile(const QString& path) {
  // A name from the command line is relative to the caller's folder; the
  // window keeps the full path (status bar, remembered folder, save).
  const std::string chosen = FromQ(QFileInfo(path).absoluteFilePath());
  m_folders.MobileFilePath = image::FolderOf(chosen);
  ShowBusyPicture(true);
  Outcome loaded;
  {
    BusyCursor busy;
    loaded = m_image.Load(chosen);
  }
  if (!loaded.ok) {
    // The busy picture stays, as after every failed load.
    ShowOutcome(loaded);
    return false;
  }
  m_statusPanels[5]->setText(ToQ(image::FileNameOf(m_image.FileName())));
  m_statusPanels[3]->setText(ToQ(app::AnsiToUtf8(m_image.VersionText())));
  ShowBusyPicture(false);
  m_tabs->setTabEnabled(kStringsTab, true);
  m_tabs->setTabEnabled(kPicturesTab, true);
  m_saveAsAction->setEnabled(true);
  RefreshSaveButton();
  RefreshTitle();
  RememberOpenedFile();
  return true;
}

void MainWindow::SaveImage() {
  if (!m_image.FileLoaded()) return;
  ShowOutcome(m_image.SaveOverFile(true));
}

void MainWindow::OnHelpClicked() {
  const std::string path = app::HelpFilePath(m_dataFolder);
  if (path.empty()) {
    Platform::Current().ShowMessage(this, msg::kNoHelpFile);
    return;
  }
  OpenWithDesktop(ToQ(path), image::FileNameOf(path));
}

namespace {
QString HelpPageUrl(const std::string& programFolder, std::string_view anchor) {
  QUrl url = QUrl::fromLocalFile(ToQ(image::JoinPath(programFolder, app::kShippedHelpFileName)));
  url.setFragment(ToQ(anchor.substr(1)));
  return url.toString();
}
}  // namespace

void MainWindow::OnDeveloperPageClicked() {
  OpenWithDesktop(HelpPageUrl(m_dataFolder, app::kDeveloperPageAnchor), std::string(app::kShippedHelpFileName));
}

void MainWindow::OnMakersPageClicked() {
  OpenWithDesktop(HelpPageUrl(m_dataFolder, app::kMakersPageAnchor), std::string(app::kShippedHelpFileName));
}

app::QuestionFn MainWindow::AskUser() {
  return [this](std::string_view text, std::string_view title) { return Platform::Current().Ask(this, text, title); };
}

bool MainWindow::ResolveUnsavedChanges() {
  const app::ShutdownResult result = app::ResolveUnsavedChanges(m_image, AskUser());
  if (!result.outcome.ok) ShowOutcome(result.outcome);
  return result.proceed;
}

void MainWindow::OpenFromSecondStart(const QString& path) {
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  raise();
  activateWindow();
  if (path.isEmpty() || !ResolveUnsavedChanges()) return;
  OpenHandsetFile(path);
}

bool MainWindow::ShutDown() {
  const app::ShutdownResult result = app::Shutdown(m_image, *m_settings, m_folders, m_toneFolder, AskUser());
  if (!result.outcome.ok) ShowOutcome(result.outcome);
  return result.proceed;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (m_toolWindow) {
    // The main window takes no input while a tool window is open.
    event->ignore();
    m_toolWindow->activateWindow();
    return;
  }
  // A running conversion is stopped first; the window stays until it has ended.
  if (!m_converterIdle) {
    OnS3ToBinClicked();
    event->ignore();
    return;
  }
  // A compression runs in the replacement editor's events; it ends first.
  if (m_editorWindow && m_editorWindow->Busy()) {
    event->ignore();
    return;
  }
  if (!ShutDown()) {
    event->ignore();
    return;
  }
  // The animation stops, and the editor and the preview close before the
  // main window: left open, they would go on changing an image that no
  // save question covers any more.
  m_animation.StopTimer();
  SyncAnimation();
  if (m_editorWindow) m_editorWindow->close();
  if (m_changesWindow) m_changesWindow->close();
  if (m_previewWindow) {
    disconnect(m_previewWindow, nullptr, this, nullptr);
    m_previewWindow->close();
  }
  SaveWindowLayout();
  event->accept();
}

}  // namespace korvana::ui
