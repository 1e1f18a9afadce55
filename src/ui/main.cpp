// The editor's entry: one instance only, the main window, and a firmware file
// named on the command line opened as the open command would.

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include "app/program_folder.h"
#include "ui/main_window.h"
#include "ui/platform.h"

int main(int argc, char** argv) {
#ifdef NDEBUG
  // A release build refuses to run under a debugger, silently.
  if (korvana::app::TracerAttached()) return 0;
#endif
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("korvana"));

  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) runtime = QDir::tempPath();
  QLockFile lock(runtime + QStringLiteral("/korvana.lock"));
  lock.setStaleLockTime(0);
  if (!lock.tryLock(0)) return 0;  // another copy runs: end at once, silently

  const std::string programFolder = korvana::app::ProgramFolder(korvana::app::ExecutableFolder());
  korvana::ui::MainWindow window(programFolder);
  window.show();
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) window.OpenHandsetFile(args.at(1));
  return QApplication::exec();
}
