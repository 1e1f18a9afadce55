#pragma once
// The one adapter between a core list (app::TextList) and the tree widget
// that shows it: columns, row texts and tick boxes. It holds no data of its
// own; each row item remembers the model row it shows, so selections map
// back to model rows whatever the view does.

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

#include "app/text_list.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace korvana::ui {

// Widths are given in twips, as the window designs give them.
inline constexpr int kTwipsPerPixel = 15;
[[nodiscard]] constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

struct ListColumn {
  QString caption;
  int widthTwips = 1000;
  Qt::Alignment alignment = Qt::AlignLeft;
};

class ListAdapter : public QObject {
  Q_OBJECT
 public:
  ListAdapter(QTreeWidget* view, app::TextList& model, const std::vector<ListColumn>& columns);

  // Shows the model's rows anew after they changed in place, keeping the
  // selection on the same row indices.
  void Refresh();
  // Shows the model's rows after they were reordered (order[newRow] is the
  // row's index before): the selection and the current row follow their items.
  void Reordered(const app::RowOrder& order);
  // Shows a list that was filled anew: nothing is selected.
  void Reload();
  // Model rows of the selected items, ascending.
  [[nodiscard]] std::vector<int> SelectedRows() const;
  // The model row of the current item, -1 for none.
  [[nodiscard]] int CurrentRow() const;
  // The row a command for one row acts on: the current row when it is
  // selected (the row the user clicked last, right clicks included), else
  // the first selected row; -1 without a selection.
  [[nodiscard]] int ActiveRow() const;
  void SelectRow(int row);
  [[nodiscard]] QTreeWidget* View() const { return m_view; }

 signals:
  void HeaderClicked(int column);
  // A tick box was clicked: the model was asked and the box shows its answer.
  void TickChanged(int row);

 private:
  void OnItemChanged(QTreeWidgetItem* item, int column);
  // Fills the view from the model and selects the given rows.
  void Show(const std::vector<int>& selected, int current);

  QTreeWidget* m_view;
  app::TextList& m_model;
  std::vector<ListColumn> m_columns;
  // The columns' alignments, shared by every row item.
  std::shared_ptr<const std::vector<int>> m_alignments;
  bool m_refreshing = false;
};

}  // namespace korvana::ui
