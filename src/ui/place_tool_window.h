#pragma once
// What the address change, offset change and picture offset windows share:
// the old and new address fields, the search with its progress bar, the
// place list with its tick boxes, and the modify button that each window
// fills in its own way.
// The windows are top-level windows of their own: the main window is disabled
// while one is open, and a child window would be disabled with it.

#include <QStringList>
#include <QWidget>

#include <string>

#include "image/outcome.h"
#include "image/types.h"
#include "tools/place_list.h"

class QGridLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace korvana::ui {

class MainWindow;
class ListAdapter;

// The main window's lists that the tool windows start from, and the headers
// those lists carry (the place list copies the first two).
inline constexpr const char* kToneListName = "ListView4";
inline constexpr const char* kPictureListName = "ListView5";
[[nodiscard]] inline QStringList ToneListHeaders() { return {QStringLiteral("Nr:"), QStringLiteral("Startadr.")}; }
[[nodiscard]] inline QStringList PictureListHeaders() { return {QStringLiteral("Nr: "), QStringLiteral("Bildname")}; }

class PlaceToolWindow : public QWidget {
  Q_OBJECT
 public:
  ~PlaceToolWindow() override;

  [[nodiscard]] const tools::PlaceList& Places() const { return m_places; }
  [[nodiscard]] bool Searching() const { return m_searching; }

  // The address text a window starts with: the last eight characters of the
  // list's address column ("0x0000ABCD" gives "0000ABCD").
  [[nodiscard]] static std::string AddressDigitsOf(const std::string& column);

 protected:
  // focusList names the main window's list that gets the focus back when
  // the window closes; its first two column headers head the place list (the
  // fallback headers stand in while the main window has no such list).
  PlaceToolWindow(MainWindow& main, const char* objectName, const char* caption, const char* focusList,
                  const QStringList& fallbackHeaders);

  // The field rows: a label, an optional "0x" before the field, an optional
  // text after it.
  QLineEdit* AddField(const char* name, const char* label, const char* prefix, const char* suffix);
  // Lays out the buttons and the list below the fields; call once, last.
  void FinishLayout();

  // The window's search over the image into places.
  virtual Outcome RunSearch(tools::PlaceList& places, const ProgressFn& progress) = 0;
  virtual void OnModifyClicked() = 0;

  void closeEvent(QCloseEvent* event) override;

  MainWindow& m_main;
  tools::PlaceList m_places;
  QLineEdit* m_oldAddress = nullptr;
  QLineEdit* m_newAddress = nullptr;
  QPushButton* m_searchButton = nullptr;
  QTreeWidget* m_placeListView = nullptr;
  QPushButton* m_modifyButton = nullptr;
  QProgressBar* m_searchProgress = nullptr;

 private:
  void OnSearchClicked();
  // Commands and fields stay disabled while the search lets events run.
  void SetSearching(bool searching);

  QString m_focusList;
  QGridLayout* m_grid = nullptr;
  ListAdapter* m_adapter = nullptr;
  bool m_searching = false;
  bool m_closeRequested = false;
};

}  // namespace korvana::ui
