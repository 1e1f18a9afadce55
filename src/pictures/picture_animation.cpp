#include "pictures/picture_animation.h"

#include <cstdint>

namespace korvana::pictures {

namespace {
// The frame number is a 16-bit number.
constexpr int kMinFrame = -32768;
constexpr int kMaxFrame = 32767;

constexpr int kBoxWidth = 1950;
constexpr int kBoxHeight = 2430;
constexpr int kBoxPitchX = 2000;
constexpr int kBoxPitchY = 2480;
constexpr int kBoxMarginX = 40;
constexpr int kBoxMarginY = 120;
constexpr int kRowHeight = 2530;
constexpr int kWindowExtraHeight = 420;
constexpr int kWindowExtraWidth = 160;
constexpr int kFullRowWidth = 10150;
}  // namespace

void PictureAnimation::SelectPicture(bool compressed) {
  m_timerEnabled = false;
  m_paused = false;
  m_frameIndex = 0;
  m_stepEnabled = !compressed;
  m_playEnabled = !compressed;
  m_pauseEnabled = false;
  m_stopEnabled = false;
}

std::optional<int> PictureAnimation::Step(int delta) {
  const int next = m_frameIndex + delta;
  if (next < kMinFrame || next > kMaxFrame) return std::nullopt;
  m_frameIndex = next;
  return m_frameIndex;
}

void PictureAnimation::Play() {
  if (m_paused) {
    m_paused = false;  // the timer is still running
  } else {
    m_timerEnabled = true;
  }
  m_pauseEnabled = true;
  m_stopEnabled = true;
  m_playEnabled = false;
}

void PictureAnimation::Pause() {
  if (State() != AnimationState::kPlaying) return;
  m_paused = true;
  m_pauseEnabled = false;
  m_playEnabled = true;
}

void PictureAnimation::Stop() {
  m_timerEnabled = false;
  m_paused = false;
  m_frameIndex = 0;
  EndPlay();
}

void PictureAnimation::EndPlay() {
  m_playEnabled = true;
  m_pauseEnabled = false;
  m_stopEnabled = false;
}

void PictureAnimation::DisablePlayAndSteps() {
  m_playEnabled = false;
  m_stepEnabled = false;
}

std::optional<int> PictureAnimation::Tick(std::int64_t frameCount, bool loop) {
  if (!m_timerEnabled || m_paused) return std::nullopt;
  if (frameCount > m_frameIndex) {
    const int shown = m_frameIndex;
    ++m_frameIndex;
    return shown;
  }
  m_frameIndex = 0;
  if (loop) {
    m_frameIndex = 1;
  } else {
    m_timerEnabled = false;
    EndPlay();
  }
  return 0;
}

AnimationState PictureAnimation::State() const {
  if (!m_timerEnabled) return AnimationState::kStopped;
  return m_paused ? AnimationState::kPaused : AnimationState::kPlaying;
}

PreviewGrid PreviewGridOf(std::int64_t frameCount) {
  const std::int64_t count = frameCount < 0 ? 0 : frameCount;
  const std::int64_t rows = (count + kPreviewColumns - 1) / kPreviewColumns;
  PreviewGrid grid;
  grid.windowHeight = static_cast<int>(rows * kRowHeight + kWindowExtraHeight);
  grid.windowWidth =
      count >= kPreviewColumns ? kFullRowWidth : static_cast<int>(count * kBoxPitchX + kWindowExtraWidth);
  return grid;
}

PreviewBox PreviewBoxOf(std::int64_t i) {
  const std::int64_t k = i - 1;
  return {static_cast<int>((k % kPreviewColumns) * kBoxPitchX + kBoxMarginX),
          static_cast<int>((k / kPreviewColumns) * kBoxPitchY + kBoxMarginY), kBoxWidth, kBoxHeight};
}

}  // namespace korvana::pictures
