// The main window's side of the address tools: opening one of the four as the
// one tool window, and taking input back when it closes.

#include <QWindow>

#include "ui/address_calculator_window.h"
#include "ui/address_change_window.h"
#include "ui/main_window.h"
#include "ui/offset_change_window.h"
#include "ui/picture_offset_window.h"

namespace korvana::ui {

bool MainWindow::ShowToolWindow(QWidget* window) {
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

void MainWindow::ToolWindowClosed(const QString& focusList) {
  m_toolWindow = nullptr;
  setEnabled(true);
  activateWindow();
  if (focusList.isEmpty()) return;
  if (auto* list = findChild<QWidget*>(focusList)) list->setFocus();
}

void MainWindow::OpenAddressChange(const std::string& startColumn) {
  ShowToolWindow(new AddressChangeWindow(*this, startColumn));
}

void MainWindow::OpenOffsetChange(const std::string& startColumn, const std::string& sizeColumn) {
  ShowToolWindow(new OffsetChangeWindow(*this, startColumn, sizeColumn));
}

void MainWindow::OpenPictureOffset(const std::string& startColumn, const std::string& dimensionsColumn) {
  ShowToolWindow(new PictureOffsetWindow(*this, startColumn, dimensionsColumn));
}

void MainWindow::OpenAddressCalculator() { ShowToolWindow(new AddressCalculatorWindow(*this)); }

}  // namespace korvana::ui
