#include "ui/list_adapter.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

#include "ui/platform.h"

namespace korvana::ui {

namespace {
constexpr int kRowRole = Qt::UserRole + 1;

// A row of the view. Its texts and tick are stored in the item as usual;
// the model row it shows and the alignment of its cells are answered from
// values it shares with the adapter, so that filling a list of thousands
// of rows does not store a number and an alignment per cell.
class RowItem : public QTreeWidgetItem {
 public:
  RowItem(int row, std::shared_ptr<const std::vector<int>> alignments)
      : QTreeWidgetItem(UserType), m_row(row), m_alignments(std::move(alignments)) {}

  QVariant data(int column, int role) const override {
    if (role == kRowRole && column == 0) return m_row;
    if (role == Qt::TextAlignmentRole && column >= 0 && column < static_cast<int>(m_alignments->size())) {
      return (*m_alignments)[static_cast<std::size_t>(column)];
    }
    return QTreeWidgetItem::data(column, role);
  }

 private:
  int m_row;
  std::shared_ptr<const std::vector<int>> m_alignments;
};
}  // namespace

ListAdapter::ListAdapter(QTreeWidget* view, app::TextList& model, const std::vector<ListColumn>& columns)
    : QObject(view), m_view(view), m_model(model), m_columns(columns) {
  m_view->setRootIsDecorated(false);
  m_view->setUniformRowHeights(true);
  m_view->setAllColumnsShowFocus(true);
  m_view->setColumnCount(static_cast<int>(m_columns.size()));
  auto alignments = std::make_shared<std::vector<int>>();
  for (const auto& c : m_columns) alignments->push_back(static_cast<int>(c.alignment | Qt::AlignVCenter));
  m_alignments = std::move(alignments);
  QStringList captions;
  for (const auto& c : m_columns) captions << c.caption;
  m_view->setHeaderLabels(captions);
  for (int i = 0; i < static_cast<int>(m_columns.size()); ++i) {
    m_view->setColumnWidth(i, Pixels(m_columns[static_cast<std::size_t>(i)].widthTwips));
    m_view->headerItem()->setTextAlignment(i, m_columns[static_cast<std::size_t>(i)].alignment | Qt::AlignVCenter);
  }
  m_view->header()->setSectionsClickable(true);
  m_view->header()->setStretchLastSection(true);
  connect(m_view->header(), &QHeaderView::sectionClicked, this, &ListAdapter::HeaderClicked);
  connect(m_view, &QTreeWidget::itemChanged, this, &ListAdapter::OnItemChanged);
}

void ListAdapter::Refresh() { Show(SelectedRows(), CurrentRow()); }

void ListAdapter::Reload() { Show({}, -1); }

void ListAdapter::Reordered(const app::RowOrder& order) {
  const std::vector<int> wasSelected = SelectedRows();
  const int wasCurrent = CurrentRow();
  std::vector<int> selected;
  int current = -1;
  for (int now = 0; now < static_cast<int>(order.size()); ++now) {
    const int before = order[static_cast<std::size_t>(now)];
    if (std::binary_search(wasSelected.begin(), wasSelected.end(), before)) selected.push_back(now);
    if (before == wasCurrent) current = now;
  }
  Show(selected, current);
}

void ListAdapter::Show(const std::vector<int>& selected, int current) {
  m_refreshing = true;
  m_view->clear();
  QList<QTreeWidgetItem*> items;
  const int rows = m_model.RowCount();
  items.reserve(rows);
  for (int r = 0; r < rows; ++r) {
    auto* item = new RowItem(r, m_alignments);
    const auto texts = m_model.RowTexts(r);
    for (int c = 0; c < static_cast<int>(texts.size()) && c < static_cast<int>(m_columns.size()); ++c) {
      item->setText(c, ToQ(texts[static_cast<std::size_t>(c)]));
    }
    if (m_model.HasTicks()) {
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(0, m_model.Ticked(r) ? Qt::Checked : Qt::Unchecked);
    }
    items << item;
  }
  m_view->addTopLevelItems(items);
  for (int r : selected) {
    if (r >= 0 && r < rows) items[r]->setSelected(true);
  }
  if (current >= 0 && current < rows) m_view->setCurrentItem(items[current], 0, QItemSelectionModel::NoUpdate);
  m_refreshing = false;
}

std::vector<int> ListAdapter::SelectedRows() const {
  std::vector<int> rows;
  for (QTreeWidgetItem* item : m_view->selectedItems()) rows.push_back(item->data(0, kRowRole).toInt());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int ListAdapter::CurrentRow() const {
  QTreeWidgetItem* item = m_view->currentItem();
  return item != nullptr ? item->data(0, kRowRole).toInt() : -1;
}

int ListAdapter::ActiveRow() const {
  const int current = CurrentRow();
  const std::vector<int> selected = SelectedRows();
  if (current >= 0 && std::binary_search(selected.begin(), selected.end(), current)) return current;
  return selected.empty() ? -1 : selected.front();
}

void ListAdapter::SelectRow(int row) {
  for (int i = 0; i < m_view->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = m_view->topLevelItem(i);
    if (item->data(0, kRowRole).toInt() == row) {
      m_view->setCurrentItem(item);
      return;
    }
  }
}

void ListAdapter::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (m_refreshing || column != 0 || !m_model.HasTicks()) return;
  const int row = item->data(0, kRowRole).toInt();
  const bool wanted = item->checkState(0) == Qt::Checked;
  if (wanted == m_model.Ticked(row)) return;
  m_model.SetTicked(row, wanted);
  m_refreshing = true;
  item->setCheckState(0, m_model.Ticked(row) ? Qt::Checked : Qt::Unchecked);
  m_refreshing = false;
  emit TickChanged(row);
}

}  // namespace korvana::ui
