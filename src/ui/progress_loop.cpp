#include "ui/progress_loop.h"

#include <QProgressBar>
#include <QWidget>

#include <algorithm>
#include <limits>

#include "ui/platform.h"

namespace korvana::ui {

namespace {
constexpr int kEventsEveryMs = 40;

int Clamped(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, 1, std::numeric_limits<int>::max()));
}
}  // namespace

ProgressLoop::ProgressLoop(QProgressBar* bar, std::int64_t maximum, const std::vector<QWidget*>& locked)
    : m_bar(bar) {
  for (QWidget* w : locked) {
    if (w != nullptr && w->isEnabled()) {
      w->setEnabled(false);
      m_locked.emplace_back(w);
    }
  }
  m_bar->setRange(1, Clamped(maximum));
  m_bar->setValue(1);
  m_bar->show();
  m_sinceEvents.start();
}

ProgressLoop::~ProgressLoop() {
  if (m_bar) {
    m_bar->setValue(1);
    m_bar->hide();
  }
  for (const auto& w : m_locked) {
    if (w) w->setEnabled(true);
  }
}

ProgressFn ProgressLoop::Callback() {
  return [this](std::int64_t value) {
    if (m_bar) m_bar->setValue(std::min(Clamped(value), m_bar->maximum()));
    if (m_sinceEvents.elapsed() >= kEventsEveryMs) {
      LetEventsRun();
      m_sinceEvents.restart();
    }
    return true;
  };
}

}  // namespace korvana::ui
