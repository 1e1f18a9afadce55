// The editor's entry: its command line, one editor per user (a second start
// hands its file to the first), Qt's own German texts, the main window, and
// a firmware file named on the command line opened as the open command would.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "app/program_folder.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/single_instance.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kHandOverTimeoutMs = 3000;

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Without any of these QApplication cannot start: it would abort.
bool DisplayNamed(int argc, char** argv) {
  if (Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
  }
  return false;
}

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  if (!text.endsWith('\n')) std::fputc('\n', stream);
}

// korvana [--help] [--version] [FILE]. The file's absolute path (a relative
// one taken from the caller's folder, which a running editor does not
// share), empty without one; nothing when the program ends here with the
// status in exitStatus.
std::optional<QString> ParseCommandLine(const QCoreApplication& app, int& exitStatus) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("KORVANA: the editor for handset firmware images."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("firmware file to open"),
                               QStringLiteral("[FILE]"));
  const bool parsed = parser.parse(app.arguments());
  if (parsed && (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))) {
    Print(stdout, parser.helpText());
    exitStatus = 0;
    return std::nullopt;
  }
  if (parsed && parser.isSet(version)) {
    Print(stdout, QCoreApplication::applicationName() + ' ' + QCoreApplication::applicationVersion());
    exitStatus = 0;
    return std::nullopt;
  }
  if (!parsed || parser.positionalArguments().size() > 1) {
    Print(stderr, QStringLiteral("korvana: ") +
                      (parsed ? QStringLiteral("only one FILE can be opened") : parser.errorText()));
    Print(stderr, parser.helpText());
    exitStatus = kUsageError;
    return std::nullopt;
  }
  const QStringList files = parser.positionalArguments();
  return files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
}

}  // namespace

int main(int argc, char** argv) {
#ifdef NDEBUG
  // A release build refuses to run under a debugger, silently.
  if (korvana::app::TracerAttached()) return 0;
#endif
  const bool display = DisplayNamed(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("korvana"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KORVANA_VERSION));
  std::unique_ptr<QCoreApplication> application;
  if (display) {
    application = std::make_unique<QApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  int exitStatus = 0;
  const std::optional<QString> file = ParseCommandLine(*application, exitStatus);
  if (!file) return exitStatus;
  if (!display) {
    Print(stderr, QStringLiteral("korvana: no display to show the editor on (neither DISPLAY nor WAYLAND_DISPLAY "
                                 "is set); korvana-cli offers the commands without one"));
    return 1;
  }

  // The lock keeps a second editor off the settings file; a second start
  // hands its file to the editor that holds it.
  QLockFile lock(korvana::ui::InstanceLockPath());
  lock.setStaleLockTime(0);
  if (!lock.tryLock(0)) {
    if (korvana::ui::HandToRunningEditor(korvana::ui::InstanceSocketPath(), *file, kHandOverTimeoutMs)) return 0;
    Print(stderr, QStringLiteral("korvana: another KORVANA runs but does not answer"));
    return 1;
  }

  QTranslator qtTexts;
  if (korvana::ui::LoadQtTranslations(qtTexts)) QCoreApplication::installTranslator(&qtTexts);

  korvana::app::ProgramFolders folders = korvana::app::LocateProgramFolders(korvana::app::ExecutableFolder());
  // An installed program plays its tones from a folder of this run alone,
  // made for the user only and removed at the end.
  std::unique_ptr<QTemporaryDir> toneFolder;
  if (folders.temporary.empty()) {
    toneFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/korvana-XXXXXX"));
    folders.temporary = toneFolder->isValid() ? korvana::ui::FromQ(toneFolder->path()) : folders.settings;
  }

  korvana::ui::MainWindow window(folders);
  korvana::ui::SecondStartServer secondStarts(&window,
                                              [&window](const QString& path) { window.OpenFromSecondStart(path); });
  secondStarts.Listen(korvana::ui::InstanceSocketPath());
  window.show();
  if (!file->isEmpty()) window.OpenHandsetFile(*file);
  return QCoreApplication::exec();
}
