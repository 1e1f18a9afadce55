#include "ui/platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include "app/message_table.h"
#include "app/shared_texts.h"
#include "image/hex.h"
#include "image/path.h"

namespace korvana::ui {

QString ToQ(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string FromQ(const QString& text) { return text.toUtf8().toStdString(); }

QStringList QtFiltersOf(std::string_view vbFilter) {
  const QStringList parts = ToQ(vbFilter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return filters;
}

namespace {
Platform g_real;
Platform* g_current = &g_real;

QMessageBox::Icon IconOf(app::MessageIcon icon) {
  switch (icon) {
    case app::MessageIcon::kCritical: return QMessageBox::Critical;
    case app::MessageIcon::kExclamation: return QMessageBox::Warning;
    case app::MessageIcon::kInformation: return QMessageBox::Information;
  }
  return QMessageBox::Information;
}
}  // namespace

Platform& Platform::Current() { return *g_current; }
void Platform::Install(Platform* platform) { g_current = platform != nullptr ? platform : &g_real; }

void Platform::ShowMessage(QWidget* parent, int n) {
  const auto entry = app::MessageFor(n);
  if (!entry) return;
  QMessageBox box(IconOf(entry->icon), ToQ(entry->title), ToQ(entry->text), QMessageBox::Ok, parent);
  box.exec();
}

void Platform::ShowError(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, ToQ("错误"), text, QMessageBox::Ok, parent);
  box.exec();
}

app::Answer Platform::Ask(QWidget* parent, std::string_view text, std::string_view title) {
  // The save question at shutdown informs; the oversize questions warn.
  const QMessageBox::Icon icon =
      text == app::kSaveConfirmText ? QMessageBox::Information : QMessageBox::Warning;
  QMessageBox box(icon, ToQ(title), ToQ(text), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  switch (box.exec()) {
    case QMessageBox::Yes: return app::Answer::kYes;
    case QMessageBox::No: return app::Answer::kNo;
    default: return app::Answer::kCancel;
  }
}

namespace {
// The filter entry filterIndex (from 1), or the first one.
QString FilterEntry(const QStringList& filters, int filterIndex) {
  if (filterIndex >= 1 && filterIndex <= filters.size()) return filters.at(filterIndex - 1);
  return filters.value(0);
}
}  // namespace

QString Platform::OpenFileName(QWidget* parent, const QString& folder, std::string_view vbFilter, int filterIndex) {
  const QStringList filters = QtFiltersOf(vbFilter);
  QString selected = FilterEntry(filters, filterIndex);
  return QFileDialog::getOpenFileName(parent, QString(), folder, filters.join(QStringLiteral(";;")), &selected);
}

QString DefaultSuffixOf(const QString& qtFilter) {
  const qsizetype open = qtFilter.lastIndexOf('(');
  const qsizetype close = qtFilter.lastIndexOf(')');
  if (open < 0 || close < open) return {};
  const QString first = qtFilter.mid(open + 1, close - open - 1).section(' ', 0, 0, QString::SectionSkipEmpty);
  if (!first.startsWith(QStringLiteral("*."))) return {};
  const QString suffix = first.mid(2);
  if (suffix.isEmpty() || suffix.contains('*') || suffix.contains('?') || suffix.contains('[')) return {};
  return suffix;
}

QString Platform::SaveFileName(QWidget* parent, const QString& folder, std::string_view vbFilter, int filterIndex) {
  const QStringList filters = QtFiltersOf(vbFilter);
  QFileDialog dialog(parent, QString(), folder);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  const QString selected = FilterEntry(filters, filterIndex);
  dialog.selectNameFilter(selected);
  // A name typed without a suffix gets the one of the chosen filter ("tone"
  // becomes "tone.s3"); "all files" adds none.
  dialog.setDefaultSuffix(DefaultSuffixOf(selected));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(DefaultSuffixOf(filter)); });
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

QString Platform::BrowseForFolder(QWidget* parent) {
  const QString folder = QFileDialog::getExistingDirectory(parent, ToQ(app::kBrowseFolderTitle));
  if (folder.isEmpty()) return {};
  return ToQ(image::WithTrailingSeparator(FromQ(folder)));
}

namespace {
// The MIME type the desktop's opener looks up for url: the file's type, or
// the scheme's handler for an address.
QString DesktopTypeOf(const QUrl& url) {
  if (url.isLocalFile()) return QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
  return QStringLiteral("x-scheme-handler/") + url.scheme();
}

// Pages and addresses that the desktop's opener hands to the system's
// browser (x-www-browser, $BROWSER) when no program is registered for them.
bool IsWebType(const QString& mimeType) {
  return mimeType == QStringLiteral("text/html") || mimeType == QStringLiteral("x-scheme-handler/http") ||
         mimeType == QStringLiteral("x-scheme-handler/https");
}

bool SystemBrowserExists() {
  return !qEnvironmentVariableIsEmpty("BROWSER") ||
         !QStandardPaths::findExecutable(QStringLiteral("x-www-browser")).isEmpty() ||
         !QStandardPaths::findExecutable(QStringLiteral("www-browser")).isEmpty();
}

// True when the desktop knows no program for the type; false also when it
// cannot be asked (no xdg-mime, no answer in time): then the opener itself
// decides.
bool DesktopHasNoProgramFor(const QString& mimeType) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  QProcess query;
  query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
  constexpr int kQueryMs = 3000;
  if (!query.waitForFinished(kQueryMs) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
    return false;
  }
  if (!query.readAllStandardOutput().trimmed().isEmpty()) return false;
  return !(IsWebType(mimeType) && SystemBrowserExists());
#else
  Q_UNUSED(mimeType);
  return false;
#endif
}
}  // namespace

bool Platform::OpenWithAssociatedApp(const QString& pathOrUrl) {
  const QUrl url = pathOrUrl.contains(QStringLiteral("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
  if (DesktopHasNoProgramFor(DesktopTypeOf(url))) return false;
  return QDesktopServices::openUrl(url);
}

bool LoadQtTranslations(QTranslator& translator) {
  return translator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

namespace {
int g_loopDepth = 0;  // LetEventsRun calls under way (a dialog inside one may nest another)
}  // namespace

void LetEventsRun() {
  ++g_loopDepth;
  QApplication::processEvents();
  --g_loopDepth;
}

bool LongLoopRunning() { return g_loopDepth > 0; }

void RunCommand(QWidget* parent, const std::function<void()>& body, int failureMessage) {
  try {
    body();
  } catch (const image::HexOverflow&) {
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
    if (failureMessage != 0) {
      Platform::Current().ShowMessage(parent, failureMessage);
    } else {
      Platform::Current().ShowError(parent, QStringLiteral("Overflow"));
    }
  }
}

}  // namespace korvana::ui
