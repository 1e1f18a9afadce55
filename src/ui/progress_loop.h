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

// Paces the window work of a long loop: Due() is true once every few dozen
// milliseconds, the first time either at once or only after that pause. A
// step's progress between two due calls is not shown: a bar repaint or a
// pass through the events costs far more than most steps of the core, and a
// loop of many short steps would otherwise spend most of its time in the
// window.
class ProgressThrottle {
 public:
  enum class First {
    kAtOnce,        // a stop click waiting since the start is seen at the first step
    kAfterInterval  // a loop shorter than the interval repaints nothing on its way
  };
  explicit ProgressThrottle(First first);
  [[nodiscard]] bool Due();

 private:
  QElapsedTimer m_sinceUpdate;
};

class ProgressLoop {
 public:
  // The bar runs over 1 .. maximum; locked are the commands to disable.
  // Neither is touched before the loop first lets events run: a loop that
  // ends before that shows no bar and repaints nothing on its way, since
  // no command can start without events.
  ProgressLoop(QProgressBar* bar, std::int64_t maximum, std::vector<QWidget*> locked);
  ~ProgressLoop();  // the bar back at 1 and hidden, the commands enabled
  ProgressLoop(const ProgressLoop&) = delete;
  ProgressLoop& operator=(const ProgressLoop&) = delete;

  // The callback for the core's loop: moves the bar and lets pending events
  // run when its throttle is due, the first time after the interval. Never
  // asks to stop.
  [[nodiscard]] ProgressFn Callback();

 private:
  // Shows the bar and disables the commands, once.
  void Begin();

  QPointer<QProgressBar> m_bar;
  std::int64_t m_maximum;
  std::vector<QWidget*> m_toLock;
  bool m_begun = false;
  std::vector<QPointer<QWidget>> m_locked;
  ProgressThrottle m_throttle{ProgressThrottle::First::kAfterInterval};
};

}  // namespace korvana::ui
