#include "ui/changes_window.h"

#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/list_adapter.h"
#include "ui/platform.h"

namespace korvana::ui {

namespace {
std::vector<ListColumn> ChangeColumns() {
  const std::array<int, app::kChangeColumnCount> widths{700, 3000, 1500, 1500, 900, 1300};
  std::vector<ListColumn> columns;
  for (int i = 0; i < app::kChangeColumnCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const bool right = i == static_cast<int>(app::ChangeColumn::kSize);
    const bool centred = i == static_cast<int>(app::ChangeColumn::kUndone);
    columns.push_back({ToQ(app::kChangeColumnHeaders[k]), widths[k],
                       right ? Qt::AlignRight : (centred ? Qt::AlignHCenter : Qt::AlignLeft)});
  }
  return columns;
}
}  // namespace

ChangesWindow::ChangesWindow(const image::HandsetImage& image, QWidget* owner)
    : QWidget(nullptr, Qt::Window), m_image(image) {
  setObjectName(QStringLiteral("ChangesWindow"));
  setWindowTitle(ToQ("Änderungen"));
  setAttribute(Qt::WA_DeleteOnClose);
  if (owner != nullptr) connect(owner, &QObject::destroyed, this, [this] { delete this; });
  m_listView = new QTreeWidget(this);
  m_listView->setObjectName(QStringLiteral("ChangesList"));
  m_listView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_adapter = new ListAdapter(m_listView, m_changes, ChangeColumns());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_listView);
  resize(660, 320);
  Refresh();
}

void ChangesWindow::Refresh() {
  const int before = m_changes.RowCount();
  m_changes.Reload(m_image.Journal());
  m_adapter->Refresh();
  if (m_changes.RowCount() > before) m_listView->scrollToBottom();
}

}  // namespace korvana::ui
