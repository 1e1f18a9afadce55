#include "pictures/picture_animation.h"

#include <gtest/gtest.h>

namespace korvana::pictures {
namespace {

// The frame numbers (from 1, as the frame field shows them) of n ticks.
std::vector<int> Ticks(PictureAnimation& a, int n, std::int64_t count, bool loop) {
  std::vector<int> shown;
  for (int i = 0; i < n; ++i)
    if (auto f = a.Tick(count, loop)) shown.push_back(*f + 1);
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
  EXPECT_EQ(Ticks(one, 5, 1, false), (std::vector<int>{1, 1}));  // one frame played once shows it twice
  EXPECT_EQ(std::tuple(one.State(), one.FrameIndex(), Buttons(one)), std::tuple(AnimationState::kStopped, 0, "P--"));
  PictureAnimation loop = Playing();
  EXPECT_EQ(Ticks(loop, 9, 3, true), (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(loop.State(), AnimationState::kPlaying);
}

TEST(PictureAnimation, PauseThenPlayResumesAtTheNextFrameAndStopResets) {
  PictureAnimation a = Playing();
  EXPECT_EQ(Ticks(a, 2, 5, false), (std::vector<int>{1, 2}));
  a.Pause();
  EXPECT_EQ(std::tuple(a.TimerEnabled(), Buttons(a), Ticks(a, 3, 5, false).empty()), std::tuple(true, "P-S", true));
  a.Play();
  EXPECT_EQ(Ticks(a, 1, 5, false), (std::vector<int>{3}));
  a.Pause();
  a.Stop();
  EXPECT_EQ(std::tuple(a.State(), a.FrameIndex(), a.Paused(), Buttons(a)),
            std::tuple(AnimationState::kStopped, 0, false, "P--"));
  a.Pause();  // does nothing unless playing
  EXPECT_FALSE(a.Paused());
  a.Play();
  Ticks(a, 2, 5, false);
  a.SelectPicture(true);  // a compressed picture: no steps, no play
  EXPECT_EQ(std::tuple(a.FrameIndex(), Buttons(a), a.StepEnabled(), a.TimerEnabled()),
            std::tuple(0, "---", false, false));
}

TEST(PictureAnimation, StepsHaveNoBoundsButStayWithin16Bits) {
  PictureAnimation a;
  a.SelectPicture(false);
  EXPECT_TRUE(a.StepEnabled());
  EXPECT_EQ(a.Step(-1), -1);  // the bytes before the picture, frame field 0
  EXPECT_EQ(a.Step(+1), 0);
  EXPECT_EQ(a.Step(+3), 3);  // past the last of three frames
  EXPECT_EQ(a.Step(32764), 32767);
  EXPECT_FALSE(a.Step(+1));
  EXPECT_EQ(a.Step(-65535), -32768);
  EXPECT_FALSE(a.Step(-1));
  EXPECT_EQ(a.FrameIndex(), -32768);
  a.DisablePlayAndSteps();
  EXPECT_EQ(std::tuple(a.StepEnabled(), a.PlayEnabled()), std::tuple(false, false));
}

TEST(PictureAnimation, PreviewBoxesFillRowsOfFive) {
  for (const auto& [frame, left, top] : {std::tuple{1, 40, 120}, {5, 8040, 120}, {6, 40, 2600}})
    EXPECT_EQ(std::tuple(PreviewBoxOf(frame).left, PreviewBoxOf(frame).top), std::tuple(left, top)) << frame;
  for (const auto& [frames, width, height] :
       {std::tuple{0, 160, 420}, {3, 6160, 2950}, {5, 10150, 2950}, {6, 10150, 5480}, {-2, 160, 420}}) {
    EXPECT_EQ(std::tuple(PreviewGridOf(frames).windowWidth, PreviewGridOf(frames).windowHeight),
              std::tuple(width, height))
        << frames;
  }
}

}  // namespace
}  // namespace korvana::pictures
