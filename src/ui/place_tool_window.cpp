#include "ui/place_tool_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

#include "ui/list_adapter.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/progress_loop.h"

namespace korvana::ui {

namespace {
enum GridColumn { kLabelColumn = 0, kPrefixColumn = 1, kFieldColumn = 2, kSuffixColumn = 3 };
constexpr int kNumberWidthTwips = 900;
constexpr int kPlaceWidthTwips = 2200;

// The list's first two headers, or the fallback while it does not exist.
QStringList HeadersOf(MainWindow& main, const QString& listName, const QStringList& fallback) {
  const auto* list = main.findChild<QTreeWidget*>(listName);
  if (list == nullptr || list->columnCount() < 2) return fallback;
  return {list->headerItem()->text(0), list->headerItem()->text(1)};
}
}  // namespace

PlaceToolWindow::PlaceToolWindow(MainWindow& main, const char* objectName, const char* caption,
                                 const char* focusList, const QStringList& fallbackHeaders)
    : QWidget(nullptr, Qt::Window), m_main(main), m_focusList(QString::fromLatin1(focusList)) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(ToQ(caption));
  setAttribute(Qt::WA_DeleteOnClose);
  m_grid = new QGridLayout;
  m_placeListView = new QTreeWidget(this);
  m_placeListView->setObjectName(QStringLiteral("ListView1"));
  const QStringList headers = HeadersOf(main, m_focusList, fallbackHeaders);
  m_adapter = new ListAdapter(m_placeListView, m_places,
                              {{headers.value(0), kNumberWidthTwips, Qt::AlignLeft},
                               {headers.value(1), kPlaceWidthTwips, Qt::AlignCenter}});
  m_searchButton = new QPushButton(ToQ("Such"), this);
  m_searchButton->setObjectName(QStringLiteral("search"));
  m_modifyButton = new QPushButton(ToQ("Änd."), this);
  m_modifyButton->setObjectName(QStringLiteral("Modify"));
  m_modifyButton->setEnabled(false);
  m_searchProgress = new QProgressBar(this);
  m_searchProgress->setObjectName(QStringLiteral("ProgressBar1"));
  m_searchProgress->setTextVisible(false);
  m_searchProgress->hide();
  connect(m_searchButton, &QPushButton::clicked, this, &PlaceToolWindow::OnSearchClicked);
  connect(m_modifyButton, &QPushButton::clicked, this, [this] { OnModifyClicked(); });
}

PlaceToolWindow::~PlaceToolWindow() = default;

std::string PlaceToolWindow::AddressDigitsOf(const std::string& column) {
  return std::string(tools::AddressDigitsOf(column));
}

QLineEdit* PlaceToolWindow::AddField(const char* name, const char* label, const char* prefix, const char* suffix) {
  const int row = m_grid->rowCount();
  auto* field = new QLineEdit(this);
  field->setObjectName(QString::fromLatin1(name));
  auto* caption = new QLabel(ToQ(label), this);
  caption->setBuddy(field);
  m_grid->addWidget(caption, row, kLabelColumn);
  if (prefix != nullptr) m_grid->addWidget(new QLabel(ToQ(prefix), this), row, kPrefixColumn, Qt::AlignRight);
  m_grid->addWidget(field, row, kFieldColumn);
  if (suffix != nullptr) m_grid->addWidget(new QLabel(ToQ(suffix), this), row, kSuffixColumn);
  return field;
}

void PlaceToolWindow::FinishLayout() {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_searchButton);
  buttons->addWidget(m_modifyButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(m_grid);
  layout->addLayout(buttons);
  layout->addWidget(m_placeListView, 1);
  layout->addWidget(m_searchProgress);
  resize(380, 360);
}

void PlaceToolWindow::SetSearching(bool searching) {
  m_searching = searching;
  for (QWidget* w : findChildren<QWidget*>()) {
    if (w != m_searchProgress &&
        (qobject_cast<QLineEdit*>(w) || qobject_cast<QPushButton*>(w) || w == m_placeListView)) {
      w->setEnabled(!searching);
    }
  }
}

void PlaceToolWindow::OnSearchClicked() {
  RunCommand(this, [this] {
    // Leaves the window usable whatever ends the search, an overflow too.
    struct SearchScope {
      PlaceToolWindow& w;
      ~SearchScope() {
        // Hidden first: a visible bar repaints the window at once on setValue.
        w.m_searchProgress->hide();
        w.m_searchProgress->setValue(w.m_searchProgress->minimum());
        w.SetSearching(false);
        w.m_adapter->Reload();
        w.m_modifyButton->setEnabled(w.m_places.RowCount() >= 1);
      }
    } scope{*this};
    SetSearching(true);
    m_searchProgress->setRange(1, std::max(1, m_main.Image().Size()));
    m_searchProgress->show();
    ProgressThrottle throttle(ProgressThrottle::First::kAtOnce);
    const Outcome searched = RunSearch(m_places, [this, &throttle](std::int64_t value) {
      if (throttle.Due()) {
        m_searchProgress->setValue(static_cast<int>(
            std::clamp<std::int64_t>(value, m_searchProgress->minimum(), m_searchProgress->maximum())));
        LetEventsRun();
      }
      return !m_closeRequested;
    });
    // A search finds or does not; it has no message of its own to show.
    if (searched.message != msg::kNone) m_main.ShowOutcome(searched, this);
  });
  if (m_closeRequested) close();
}

void PlaceToolWindow::closeEvent(QCloseEvent* event) {
  if (m_searching) {
    // The search loop still runs on this window: it stops at its next step
    // and the window closes after it.
    m_closeRequested = true;
    event->ignore();
    return;
  }
  event->accept();
  m_main.ToolWindowClosed(m_focusList);
}

}  // namespace korvana::ui
