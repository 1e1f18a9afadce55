#pragma once
// The frame of a long loop in the editor: a progress bar shown for its
// range, the window's commands disabled so that no command started from
// the events the loop lets run can disturb it, and both undone on every way
// out, an exception included.

#include <QElapsedTimer>
#include <QPointer>

#include <vector>

#include "image/types.h"

class QProgressBar;
class QWidget;

namespace korvana::ui {

class ProgressLoop {
 public:
  // Shows bar for 1 .. maximum and disables locked.
  ProgressLoop(QProgressBar* bar, std::int64_t maximum, const std::vector<QWidget*>& locked);
  ~ProgressLoop();  // the bar back at 1 and hidden, the commands enabled
  ProgressLoop(const ProgressLoop&) = delete;
  ProgressLoop& operator=(const ProgressLoop&) = delete;

  // The callback for the core's loop: moves the bar and lets pending events
  // run, at most every few dozen milliseconds so that a loop of many short
  // steps is not slowed down by repainting. Never asks to stop.
  [[nodiscard]] ProgressFn Callback();

 private:
  QPointer<QProgressBar> m_bar;
  std::vector<QPointer<QWidget>> m_locked;
  QElapsedTimer m_sinceEvents;
};

}  // namespace korvana::ui
