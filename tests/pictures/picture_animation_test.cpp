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

TEST(PictureAnimation, OneFramePlayedOnceShowsItTwiceAndStops) {
  PictureAnimation a;
  a.SelectPicture(false);
  a.Play();
  EXPECT_EQ(a.State(), AnimationState::kPlaying);
  EXPECT_EQ(Ticks(a, 5, 1, false), (std::vector<int>{1, 1}));
  EXPECT_EQ(a.State(), AnimationState::kStopped);
  EXPECT_EQ(a.FrameIndex(), 0);
  EXPECT_TRUE(a.PlayEnabled());
  EXPECT_FALSE(a.PauseEnabled());
  EXPECT_FALSE(a.StopEnabled());
}

TEST(PictureAnimation, RunsOnceOrLoops) {
  PictureAnimation once;
  once.SelectPicture(false);
  once.Play();
  EXPECT_EQ(Ticks(once, 10, 3, false), (std::vector<int>{1, 2, 3, 1}));
  PictureAnimation loop;
  loop.SelectPicture(false);
  loop.Play();
  EXPECT_EQ(Ticks(loop, 9, 3, true), (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(loop.State(), AnimationState::kPlaying);
}

TEST(PictureAnimation, PauseThenPlayResumesAtTheNextFrame) {
  PictureAnimation a;
  a.SelectPicture(false);
  a.Play();
  EXPECT_EQ(Ticks(a, 2, 5, false), (std::vector<int>{1, 2}));
  a.Pause();
  EXPECT_EQ(a.State(), AnimationState::kPaused);
  EXPECT_TRUE(a.TimerEnabled());  // ticks keep coming and do nothing
  EXPECT_TRUE(a.PlayEnabled());
  EXPECT_FALSE(a.PauseEnabled());
  EXPECT_TRUE(Ticks(a, 3, 5, false).empty());
  a.Play();
  EXPECT_FALSE(a.PlayEnabled());
  EXPECT_TRUE(a.PauseEnabled() && a.StopEnabled());
  EXPECT_EQ(Ticks(a, 1, 5, false), (std::vector<int>{3}));
}

TEST(PictureAnimation, StopAndSelectResetToTheFirstFrame) {
  PictureAnimation a;
  a.SelectPicture(false);
  a.Play();
  Ticks(a, 2, 5, false);
  a.Pause();
  a.Stop();
  EXPECT_EQ(a.State(), AnimationState::kStopped);
  EXPECT_EQ(a.FrameIndex(), 0);
  EXPECT_FALSE(a.Paused());
  EXPECT_TRUE(a.PlayEnabled());
  EXPECT_FALSE(a.PauseEnabled() || a.StopEnabled());

  a.Play();
  Ticks(a, 2, 5, false);
  a.SelectPicture(true);  // a compressed picture: no steps, no play
  EXPECT_EQ(a.State(), AnimationState::kStopped);
  EXPECT_EQ(a.FrameIndex(), 0);
  EXPECT_FALSE(a.PlayEnabled() || a.StepEnabled() || a.PauseEnabled() || a.StopEnabled());
  // Pause does nothing unless playing.
  a.Pause();
  EXPECT_FALSE(a.Paused());
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

TEST(PictureAnimation, SliderSetsTheIntervalIn100MsSteps) {
  PictureAnimation a;
  EXPECT_EQ(a.IntervalMs(), 500);
  a.SetSpeed(3);
  EXPECT_EQ(a.IntervalMs(), 300);
}

TEST(PreviewGrid, RowsOfFiveBoxesInTwips) {
  EXPECT_EQ(PreviewGridOf(7).windowWidth, 10150);
  EXPECT_EQ(PreviewGridOf(7).windowHeight, 5480);
  EXPECT_EQ(PreviewGridOf(3).windowWidth, 6160);
  EXPECT_EQ(PreviewGridOf(3).windowHeight, 2950);
  EXPECT_EQ(PreviewGridOf(5).windowWidth, 10150);
  const PreviewBox seventh = PreviewBoxOf(7);
  EXPECT_EQ(seventh.left, 2040);
  EXPECT_EQ(seventh.top, 2600);
  EXPECT_EQ(seventh.width, 1950);
  EXPECT_EQ(seventh.height, 2430);
  EXPECT_EQ(PreviewBoxOf(1).left, 40);
  EXPECT_EQ(PreviewBoxOf(5).left, 8040);
}

}  // namespace
}  // namespace korvana::pictures
