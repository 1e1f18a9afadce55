#include "image/change_journal.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "image/byte_diff.h"
#include "image/handset_image.h"
#include "support/test_support.h"

namespace korvana::image {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Snapshot(const HandsetImage& image) { return {image.Bytes().begin(), image.Bytes().end()}; }

void Write(HandsetImage& image, Address at, Bytes bytes, std::string_view label = "Test") {
  ASSERT_TRUE(image.CopyIntoImage(bytes, at, static_cast<Length>(bytes.size()), {label}).ok);
}

// Random overlapping writes, undone and redone at random: each state comes back, the ranges match a diff.
TEST(ChangeJournal, UndoAndRedoMeetEveryStateAndTheChangedRangesMatchADiff) {
  std::mt19937 rng(7);
  Bytes loaded(4096);
  for (auto& b : loaded) b = static_cast<std::uint8_t>(rng() % 4);  // small values: many writes change nothing
  HandsetImage image;
  image.Assign(loaded, "fw.bin");
  std::vector<Bytes> states{loaded};  // states[k]: after k applied steps
  std::size_t applied = 0;
  for (int move = 0; move < 400; ++move) {
    const unsigned kind = rng() % 6;
    if (kind == 0 && image.Undo()) {
      --applied;
    } else if (kind == 1 && image.Redo()) {
      ++applied;
    } else if (kind >= 2) {
      ChangeStep step(image);
      for (unsigned w = 0, n = 1 + rng() % 3; w < n; ++w) {
        Bytes bytes(1 + rng() % 40);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng() % 4);
        Write(image, static_cast<Address>(rng() % (4096 - bytes.size())), bytes);
      }
      states.resize(++applied);  // a new step drops the redo tail
      states.push_back(Snapshot(image));
    }
    ASSERT_EQ(image.Journal().AppliedStepCount(), applied);
    ASSERT_EQ(Snapshot(image), states[applied]) << "move " << move;
    ASSERT_EQ(image.Journal().StepCount(), states.size() - 1);
    ASSERT_EQ(image.Modified(), applied != 0);
    const auto expected = DifferingRanges(loaded, Snapshot(image));
    const auto changed = image.ChangedRanges();
    ASSERT_TRUE(std::equal(changed.begin(), changed.end(), expected.begin(), expected.end(), [](auto a, auto b) {
      return a.first == b.first && a.last == b.last;
    })) << "move " << move;
  }
}

// A label names a step's changes, or the first and a count; the listener hears of each step once.
TEST(ChangeJournal, OneStepPerCommandWithItsLabels) {
  HandsetImage image;
  image.Assign(Bytes(0x200, 0), "fw.bin");
  int notified = 0;
  image.SetJournalListener([&] { ++notified; });
  Write(image, 0x10, {1, 2}, "Ton 003");
  EXPECT_EQ(notified, 1);
  {
    ChangeStep step(image);
    ChangeStep inner(image);  // nested: still the one step
    ASSERT_TRUE(image.CopyIntoImage(Bytes{7}, 0x40, 1, {"String", true}).ok);
    ASSERT_TRUE(image.CopyIntoImage(Bytes{8, 9}, 0x41, 2, {"String", true}).ok);
    EXPECT_EQ(notified, 1);
  }
  EXPECT_EQ(notified, 2);
  { ChangeStep nothing(image); }  // a step that writes nothing is no step
  EXPECT_FALSE(image.AttachToStep(nullptr));  // nor is there one to attach to
  EXPECT_EQ(image.Journal().StepCount(), 2u);
  const std::string strings = "String 0x00000040, String 0x00000041";
  EXPECT_EQ(image.Journal().UndoLabel() + "|" + image.Journal().RedoLabel(), strings + "|");
  ASSERT_TRUE(image.Undo());
  EXPECT_EQ(image.Journal().UndoLabel() + "|" + image.Journal().RedoLabel(), "Ton 003|" + strings);
  EXPECT_EQ(notified, 3);

  std::optional<ChangeStep> step(std::in_place, image);
  for (Address at : {0x100, 0x110, 0x120}) Write(image, at, {1}, "Adr " + std::to_string(at));
  EXPECT_FALSE(image.Journal().CanUndo());  // not while the step is being recorded
  Write(image, 0x130, {1}, "Adr 256");      // a name already given is not repeated
  step.reset();
  EXPECT_EQ(image.Journal().UndoLabel(), "Adr 256, Adr 272, Adr 288");
  step.emplace(image);
  for (Address at : {0x100, 0x110, 0x120, 0x130}) Write(image, at, {2}, "Adr " + std::to_string(at));
  step.reset();
  EXPECT_EQ(image.Journal().UndoLabel(), "Adr 256 und 3 weitere");
}

TEST(ChangeJournal, ModifiedFollowsTheSavePointAndALoadClearsTheJournal) {
  test::TempDir dir;
  test::WriteBytes(dir.Path("fw.bin"), Bytes(64, 0));
  HandsetImage image;
  ASSERT_TRUE(image.Load(dir.Path("fw.bin")).ok);
  Write(image, 1, {1});
  Write(image, 2, {2});
  ASSERT_TRUE(image.SaveOverFile(false).ok);
  EXPECT_FALSE(image.Modified());
  EXPECT_TRUE(image.Journal().CanUndo());  // a save keeps the journal
  ASSERT_TRUE(image.Undo());
  EXPECT_TRUE(image.Modified());
  ASSERT_TRUE(image.Redo());
  EXPECT_FALSE(image.Modified());  // back at the save point

  // A change after an undo drops the redo tail and with it the saved state.
  ASSERT_TRUE(image.Undo());
  Write(image, 3, {3});
  EXPECT_FALSE(image.Journal().CanRedo());
  EXPECT_EQ(image.Journal().ChangeCount(), 2u);
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(image.Undo());
    EXPECT_TRUE(image.Modified());
  }
  EXPECT_EQ(Snapshot(image), Bytes(64, 0));

  ASSERT_TRUE(image.Load(dir.Path("fw.bin")).ok);
  EXPECT_FALSE(image.Journal().CanUndo() || image.Journal().CanRedo() || image.Undo());
  EXPECT_TRUE(image.Journal().Entries().empty());
}

TEST(ChangeJournal, MemoryGrowsWithTheBytesChangedNotWithTheImage) {
  HandsetImage image;
  image.Assign(Bytes(std::size_t{16} << 20, 0), "big.bin");
  for (Address at = 0; at < 1000 * 4096; at += 4096) Write(image, at, Bytes(64, 1), "Ton 001");
  EXPECT_LT(image.Journal().MemoryBytes(), 2u * 64000u);  // each changed byte kept once, a few words a change
  // A thousand labels of 8 characters more: their text and their starts are counted.
  HandsetImage named;
  named.Assign(Bytes(std::size_t{16} << 20, 0), "big.bin");
  for (Address at = 0; at < 1000 * 4096; at += 4096) Write(named, at, Bytes(64, 1), "Ton " + std::to_string(10000 + at / 4096).substr(1));
  EXPECT_GE(named.Journal().MemoryBytes(), image.Journal().MemoryBytes() + 1000 * (8 + sizeof(std::uint32_t)) - 200);
  // Pieces of one range written one after the other are one change.
  {
    ChangeStep step(image);
    for (Address at = 0x100; at < 0x100 + 16 * 100; at += 16) Write(image, at, Bytes(16, 2), "Patch p.s3");
  }
  EXPECT_EQ(image.Journal().ChangeCount(), 1001u);
}

}  // namespace
}  // namespace korvana::image
