#pragma once
// The picture browser's animation: which frame shows, whether the timer
// runs, and which of the play and step buttons are enabled. The window owns
// the timer and the picture box; it forwards its events here and shows the
// frame each event names.
//
//   Stopped (timer off) --Play--> Playing (timer on) --Pause--> Paused
//   Paused --Play--> Playing; Playing/Paused --Stop--> Stopped, frame 0
//   Playing --last frame passed without loop--> Stopped, frame 0 shown
//   any --a click on a list row--> Stopped, frame 0 shown
//
// While paused the timer keeps running and its ticks do nothing, so Play
// resumes with the next frame rather than the first.

#include <cstdint>
#include <optional>

namespace korvana::pictures {

enum class AnimationState { kStopped, kPlaying, kPaused };

class PictureAnimation {
 public:
  // Interval of the timer until the speed slider first moves.
  static constexpr int kInitialIntervalMs = 500;
  static constexpr int kMsPerSliderStep = 100;

  // A click on a list row: stopped at frame 0. The step and play buttons
  // work only for uncompressed pictures.
  void SelectPicture(bool compressed);
  // The next (+1) or previous (-1) frame, without bounds: frames before the
  // first and after the last show whatever bytes lie there. Returns the frame
  // to show; nothing when the frame number would leave 16 bits.
  std::optional<int> Step(int delta);
  void Play();
  void Pause();
  void Stop();
  // Only the timer stops (a long command runs, the program ends); the
  // frame and the play buttons stay as they were.
  void StopTimer() { m_timerEnabled = false; }
  // One timer tick for a picture of frameCount frames: the frame to show, or
  // nothing while paused or stopped. After the last frame the first shows
  // again; then the animation stops, or with loop carries on with frame 1.
  std::optional<int> Tick(std::int64_t frameCount, bool loop);
  // The slider's value, each step being 100 ms.
  void SetSpeed(int sliderValue) { m_intervalMs = sliderValue * kMsPerSliderStep; }
  // A new table: the frame number starts over; nothing else changes.
  void ResetFrame() { m_frameIndex = 0; }
  // After a new table: Play becomes available.
  void EnablePlay() { m_playEnabled = true; }
  // After a table that could not be read: no play, no steps.
  void DisablePlayAndSteps();

  [[nodiscard]] AnimationState State() const;
  [[nodiscard]] int FrameIndex() const { return m_frameIndex; }
  [[nodiscard]] bool TimerEnabled() const { return m_timerEnabled; }
  [[nodiscard]] bool Paused() const { return m_paused; }
  [[nodiscard]] int IntervalMs() const { return m_intervalMs; }
  [[nodiscard]] bool PlayEnabled() const { return m_playEnabled; }
  [[nodiscard]] bool PauseEnabled() const { return m_pauseEnabled; }
  [[nodiscard]] bool StopEnabled() const { return m_stopEnabled; }
  [[nodiscard]] bool StepEnabled() const { return m_stepEnabled; }

 private:
  void EndPlay();

  int m_frameIndex = 0;  // the frame shown last, from 0
  bool m_timerEnabled = false;
  bool m_paused = false;
  int m_intervalMs = kInitialIntervalMs;
  bool m_playEnabled = false;
  bool m_pauseEnabled = false;
  bool m_stopEnabled = false;
  bool m_stepEnabled = false;
};

// The preview window's grid: rows of five boxes of 1950 x 2430 twips, 2000
// twips apart across and 2480 down.
struct PreviewBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
struct PreviewGrid {
  int windowWidth = 0;   // twips
  int windowHeight = 0;  // twips
};
inline constexpr int kPreviewColumns = 5;
[[nodiscard]] PreviewGrid PreviewGridOf(std::int64_t frameCount);
// Box i, counted from 1.
[[nodiscard]] PreviewBox PreviewBoxOf(std::int64_t i);

}  // namespace korvana::pictures
