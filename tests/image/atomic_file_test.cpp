#include "image/atomic_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace korvana::image {
namespace {

constexpr std::size_t kPiece = kWritebackPieceBytes;

// Exactly the bytes written, however the writes fall on the buffer's blocks and the pieces sent early.
TEST(AtomicFile, TheFileIsTheWrittenBytesWhereverBlocksAndPiecesEnd) {
  std::vector<std::size_t> appends = {18, kMaxAppendBytes, kMaxAppendBytes - 30, 0, 7};
  appends.resize(appends.size() + kPiece / kMaxAppendBytes, kMaxAppendBytes);
  const struct {
    const char* name;
    std::vector<std::size_t> writes;  // sizes, in order
    bool inPlace = false;             // through BeginAppend, asking for the most each time
  } cases[] = {
      {"smaller than a piece", {18, 1000, 16}},
      {"exactly one piece in one block", {kPiece}},
      {"one byte past a piece", {kPiece + 1}},
      {"a small head, then a block over three piece ends", {18, 3 * kPiece + 17, 16}},
      {"a block that ends one short of a piece end, then one byte", {kPiece - 1, 1, 5}},
      {"line-sized writes across a piece end", std::vector<std::size_t>(kPiece / 46 + 1000, 46)},
      {"in place, across the buffer's and a piece's end", appends, true},
  };
  test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string expected;
    AtomicFile file;
    ASSERT_TRUE(file.Open(dir.Path("out.bin")));
    for (const std::size_t size : c.writes) {
      const std::size_t at = expected.size();
      expected.resize(at + size);
      for (std::size_t i = at; i < expected.size(); ++i) {
        expected[i] = static_cast<char>((static_cast<std::uint32_t>(i) * 2654435761u) >> 24);
      }
      if (c.inPlace) {
        const std::span<char> room = file.BeginAppend(kMaxAppendBytes);
        ASSERT_EQ(room.size(), kMaxAppendBytes);
        std::memcpy(room.data(), expected.data() + at, size);
        file.EndAppend(size);
      } else {
        ASSERT_TRUE(file.Write(std::string_view(expected).substr(at)));
      }
    }
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(test::ReadText(dir.Path("out.bin")) == expected);
    EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"out.bin"});
  }
}

}  // namespace
}  // namespace korvana::image
