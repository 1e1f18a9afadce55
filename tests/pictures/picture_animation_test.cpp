#include <gtest/gtest.h>

#include "pictures/picture_animation.h"

namespace korvana::pictures {
namespace {

// The frame numbers (from 1, as Text16 shows them) of n ticks.
std::vector<int> Ticks(PictureAnimation& a, int n, std::int64_t count, bool loop) {
  std::vector<int> shown;
  for (int i = 0; i < n; ++i) {
    if (auto f = a.Tick(count, loop)) shown.push_back(*f + 1);
  }
  return shown;
}

// Play, Pause and Stop as the buttons show them enabled.
std::string Buttons(const PictureAnimation& a) {
  return std::string(a.PlayEnabled() ? "P" : "-") + (a.PauseEnabled() ? "P" : "-") + (a.StopEnabled() ? "S" : "-");
}

PictureAnimation Playing() {
  PictureAnimation a;
  a.SelectPicture(false);
  a.Play();
  return a;
}

TEST(PictureAnimation, OneFrameOnceOrAnyFramesInALoop) {
  PictureAnimation one = Playing();
  EXPECT_EQ(Buttons(one), "-PS");
  EXPECT_EQ(Ticks(one, 5, 1, false), (std::vector<int>{1, 1}));  // one frame played once shows it twice
  EXPECT_EQ(one.State(), AnimationState::kStopped);
  EXPECT_EQ(one.FrameIndex(), 0);
  EXPECT_EQ(Buttons(one), "P--");

  PictureAnimation once = Playing();
  EXPECT_EQ(Ticks(once, 10, 3, false), (std::vector<int>{1, 2, 3, 1}));
  PictureAnimation loop = Playing();
  EXPECT_EQ(Ticks(loop, 9, 3, true), (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(loop.State(), AnimationState::kPlaying);
}

TEST(PictureAnimation, PauseThenPlayResumesAtTheNextFrameAndStopResets) {
  PictureAnimation a = Playing();
  EXPECT_EQ(Ticks(a, 2, 5, false), (std::vector<int>{1, 2}));
  a.Pause();
  EXPECT_EQ(a.State(), AnimationState::kPaused);
  EXPECT_TRUE(a.TimerEnabled());  // ticks keep coming and do nothing
  EXPECT_EQ(Buttons(a), "P-S");
  EXPECT_TRUE(Ticks(a, 3, 5, false).empty());
  a.Play();
  EXPECT_EQ(Buttons(a), "-PS");
  EXPECT_EQ(Ticks(a, 1, 5, false), (std::vector<int>{3}));

  a.Pause();
  a.Stop();
  EXPECT_EQ(a.State(), AnimationState::kStopped);
  EXPECT_EQ(a.FrameIndex(), 0);
  EXPECT_FALSE(a.Paused());
  EXPECT_EQ(Buttons(a), "P--");
  a.Pause();  // does nothing unless playing
  EXPECT_FALSE(a.Paused());

  a.Play();
  Ticks(a, 2, 5, false);
  a.SelectPicture(true);  // a compressed picture: no steps, no play
  EXPECT_EQ(a.FrameIndex(), 0);
  EXPECT_EQ(Buttons(a), "---");
  EXPECT_FALSE(a.StepEnabled());
}

TEST(PictureAnimation, StepsHaveNoBoundsButStayWithin16Bits) {
  PictureAnimation a;
  a.SelectPicture(false);
  EXPECT_TRUE(a.StepEnabled());
  EXPECT_EQ(a.Step(-1), -1);  // the bytes before the picture, Text16 = 0
  EXPECT_EQ(a.Step(+1), 0);
  for (int i = 0; i < 3; ++i) a.Step(+1);
  EXPECT_EQ(a.FrameIndex(), 3);  // past the last of three frames
  for (int i = 0; i < 40000; ++i) a.Step(+1);
  EXPECT_EQ(a.FrameIndex(), 32767);
  EXPECT_FALSE(a.Step(+1));
}

}  // namespace
}  // namespace korvana::pictures
