#include "ui/progress_loop.h"

#include <QProgressBar>
#include <QWidget>

#include <algorithm>
#include <limits>

#include "ui/platform.h"

namespace korvana::ui {

namespace {
constexpr int kUpdateEveryMs = 40;

int Clamped(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, 1, std::numeric_limits<int>::max()));
}
}  // namespace

ProgressThrottle::ProgressThrottle(First first) {
  if (first == First::kAfterInterval) m_sinceUpdate.start();
}

bool ProgressThrottle::Due() {
  if (m_sinceUpdate.isValid() && m_sinceUpdate.elapsed() < kUpdateEveryMs) return false;
  m_sinceUpdate.start();
  return true;
}

ProgressLoop::ProgressLoop(QProgressBar* bar, std::int64_t maximum, std::vector<QWidget*> locked)
    : m_bar(bar), m_maximum(maximum), m_toLock(std::move(locked)) {}

void ProgressLoop::Begin() {
  if (m_begun) return;
  m_begun = true;
  for (QWidget* w : m_toLock) {
    if (w != nullptr && w->isEnabled()) {
      w->setEnabled(false);
      m_locked.emplace_back(w);
    }
  }
  if (m_bar) {
    m_bar->setRange(1, Clamped(m_maximum));
    m_bar->show();
  }
}

ProgressLoop::~ProgressLoop() {
  if (!m_begun) return;
  if (m_bar) {
    // Hidden first: a visible bar repaints the window at once on setValue.
    m_bar->hide();
    m_bar->setValue(1);
  }
  for (const auto& w : m_locked) {
    if (w) w->setEnabled(true);
  }
}

ProgressFn ProgressLoop::Callback() {
  return [this](std::int64_t value) {
    if (m_throttle.Due()) {
      Begin();
      if (m_bar) m_bar->setValue(std::min(Clamped(value), m_bar->maximum()));
      LetEventsRun();
    }
    return true;
  };
}

}  // namespace korvana::ui
