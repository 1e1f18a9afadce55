// The main window's side of the address tools: opening Form4 .. Form7 as the
// one tool window, and taking input back when it closes.

#include <QWindow>

#include "ui/form1.h"
#include "ui/form4.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/form7.h"

namespace korvana::ui {

bool Form1::ShowToolWindow(QWidget* window) {
  if (m_toolWindow) {
    delete window;
    m_toolWindow->activateWindow();
    return false;
  }
  m_toolWindow = window;
  window->show();
  // Kept above the main window by the window manager, as a dialog of it.
  if (window->windowHandle() != nullptr && windowHandle() != nullptr) {
    window->windowHandle()->setTransientParent(windowHandle());
  }
  setEnabled(false);
  window->activateWindow();
  return true;
}

void Form1::ToolWindowClosed(const QString& focusList) {
  m_toolWindow = nullptr;
  setEnabled(true);
  activateWindow();
  if (focusList.isEmpty()) return;
  if (auto* list = findChild<QWidget*>(focusList)) list->setFocus();
}

void Form1::OpenAddressChange(const std::string& startColumn) { ShowToolWindow(new Form4(*this, startColumn)); }

void Form1::OpenOffsetChange(const std::string& startColumn, const std::string& sizeColumn) {
  ShowToolWindow(new Form5(*this, startColumn, sizeColumn));
}

void Form1::OpenPictureOffset(const std::string& startColumn, const std::string& dimensionsColumn) {
  ShowToolWindow(new Form6(*this, startColumn, dimensionsColumn));
}

void Form1::OpenAddressCalculator() { ShowToolWindow(new Form7(*this)); }

}  // namespace korvana::ui
