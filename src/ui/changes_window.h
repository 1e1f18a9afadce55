#pragma once
// The window "Änderungen": every change of the image since the load, with
// its label, range, size and whether it is undone. It only shows: it is
// modeless, takes nothing from the main window's input, and is told by its
// owner when the journal changed.

#include <QWidget>

#include "app/change_list.h"
#include "image/handset_image.h"

class QTreeWidget;

namespace korvana::ui {

class ListAdapter;

class ChangesWindow : public QWidget {
  Q_OBJECT
 public:
  // The window is top-level, so that it stays usable while the main window
  // is disabled (a tool window or a long command), and deletes itself when
  // closed or when owner goes away.
  ChangesWindow(const image::HandsetImage& image, QWidget* owner);

  // Reads the journal anew; the newest change comes into view when rows
  // were added.
  void Refresh();
  [[nodiscard]] QTreeWidget* List() const { return m_listView; }

 private:
  const image::HandsetImage& m_image;
  app::ChangeList m_changes;
  QTreeWidget* m_listView = nullptr;
  ListAdapter* m_adapter = nullptr;
};

}  // namespace korvana::ui
