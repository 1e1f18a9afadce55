#pragma once
// The platform layer: message boxes, questions, file and folder dialogs and
// opening files with their application, behind one replaceable object so
// that the QtTest suites answer dialogs without showing them.

#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>

#include "app/question.h"

class QTranslator;
class QWidget;

namespace korvana::ui {

QString ToQ(std::string_view utf8);
std::string FromQ(const QString& text);

// "desc|pattern|desc|pattern" (patterns separated by ';') as Qt's filters,
// one entry each.
QStringList QtFiltersOf(std::string_view vbFilter);

// The suffix a save dialog adds for the Qt filter "desc (*.s3 *.sre)":
// "s3"; empty when the filter's first pattern names no single suffix
// ("*.*", "*").
QString DefaultSuffixOf(const QString& qtFilter);

// Loads Qt's own German texts (buttons, file dialogs) into translator, for
// the German of the captions whatever the user's locale. False when they
// are not installed (Debian: qt6-translations-l10n).
bool LoadQtTranslations(QTranslator& translator);

class Platform {
 public:
  virtual ~Platform() = default;

  // The entry n of the message table as a modal box; nothing for numbers
  // without an entry.
  virtual void ShowMessage(QWidget* parent, int n);
  // A box for a failure that has no entry in the table (an overflow).
  virtual void ShowError(QWidget* parent, const QString& text);
  virtual app::Answer Ask(QWidget* parent, std::string_view text, std::string_view title);

  // Empty when the user cancels. filterIndex (from 1) is the filter entry
  // shown first. A save dialog asks before it replaces an existing file: a
  // slip of the mouse must not put a patch over a firmware; a name typed
  // without a suffix gets the chosen filter's (DefaultSuffixOf).
  virtual QString OpenFileName(QWidget* parent, const QString& folder, std::string_view vbFilter,
                               int filterIndex = 1);
  virtual QString SaveFileName(QWidget* parent, const QString& folder, std::string_view vbFilter,
                               int filterIndex = 1);
  // The chosen folder with exactly one trailing separator; empty on cancel.
  virtual QString BrowseForFolder(QWidget* parent);

  // Opens a file or an address with the application the desktop associates
  // with it; never through a shell command line. False when the desktop has
  // no such application (no program for ".mmf", no browser) or the opening
  // failed. The desktop's opener is started detached and reports success
  // whenever it starts, even with nothing to open the file with, so the
  // desktop's default for the file's type is asked first (xdg-mime).
  virtual bool OpenWithAssociatedApp(const QString& pathOrUrl);

  static Platform& Current();
  // Replaces the platform (tests); nullptr restores the real one.
  static void Install(Platform* platform);
};

// The hourglass pointer for the lifetime of the object.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Runs pending window events: long loops call it when their ProgressThrottle
// is due.
void LetEventsRun();
// True while the events that LetEventsRun runs are being handled: a long
// command is half done, and what arrives from outside must wait.
[[nodiscard]] bool LongLoopRunning();

// The command boundary of a handler: runs body, and turns the overflow of a
// hex value (80000000 or more) into the failure of this command instead of
// letting it end the program. The failure shows failureMessage, the
// command's own message for a row it cannot read; a command without one
// (a hex field typed by the user) shows an "Overflow" box.
void RunCommand(QWidget* parent, const std::function<void()>& body, int failureMessage = 0);

}  // namespace korvana::ui
