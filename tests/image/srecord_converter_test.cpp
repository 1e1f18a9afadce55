#include "image/srecord_converter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <random>

#include "image/hex.h"
#include "image/srecord_writer.h"
#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::ReadBytes;
using test::ReadText;
using test::TempDir;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

class BinToS3 : public ::testing::Test {
 protected:
  BinToS3() { test::WriteBytes(dir.Path("in.bin"), test::BytesOf("0123")); }
  Outcome Convert(S3AddressMode mode, std::string start, std::string stop, std::string fill = "00") {
    return ConvertBinToS3({dir.Path("in.bin"), mode, std::move(start), std::move(stop), std::move(fill)},
                          dir.Path("out.s3"));
  }
  TempDir dir;
};

TEST_F(BinToS3, AllPutsTheWholeFileAtAddressZero) {
  test::WriteBytes(dir.Path("in.bin"), test::BytesOf("0123456789ABCDEFGHIJ"));
  const Outcome out = Convert(S3AddressMode::kAll, "FFFF", "1", "FF");  // start, stop and fill are not used
  ASSERT_TRUE(out.ok) << out.detail;
  EXPECT_EQ(out.message, msg::kS3Okay);
  EXPECT_EQ(ReadText(dir.Path("out.s3")),
            "S00600004844521B\r\n"
            "S315000000003031323334353637383941424344454648\r\n"
            "S309000000104748494AC4\r\n"
            "S705A002000058\r\n");
}

TEST_F(BinToS3, PartAndFillPlaceTheRangeFromTheStartAddress) {
  auto secondLine = [&] { return Lines(ReadText(dir.Path("out.s3")))[1]; };
  ASSERT_TRUE(Convert(S3AddressMode::kPart, "1000", "100F", "ee").ok);  // the file, then fill bytes
  EXPECT_EQ(secondLine(), "S3150000100030313233EEEEEEEEEEEEEEEEEEEEEEEEEC");
  ASSERT_TRUE(Convert(S3AddressMode::kPart, "1000", "").ok);  // as long as the file
  EXPECT_EQ(Lines(ReadText(dir.Path("out.s3"))),
            (std::vector<std::string>{"S00600004844521B", "S309000010003031323320", "S705A002000058"}));
  ASSERT_TRUE(Convert(S3AddressMode::kPart, "0", "2").ok);  // shorter than the file
  EXPECT_EQ(secondLine(), "S3080000000030313264");
  ASSERT_TRUE(Convert(S3AddressMode::kPart, "7FFFFFFC", "").ok);  // the last addresses there are
  EXPECT_EQ(secondLine(), "S3097FFFFFFC30313233B7");

  ASSERT_TRUE(ConvertBinToS3({"", S3AddressMode::kFill, "20", "22", "A5"}, dir.Path("out.s3")).ok);
  EXPECT_EQ(secondLine(), "S30800000020A5A5A5E8");
  ASSERT_TRUE(Convert(S3AddressMode::kFill, "20", "", "A5").ok);  // the file gives only the length
  EXPECT_EQ(secondLine(), "S30900000020A5A5A5A542");
}

TEST_F(BinToS3, RefusalsCarryTheirMessagesAndWriteNothing) {
  EXPECT_EQ(Convert(S3AddressMode::kPart, "1000", "1000").message, msg::kStopNotAboveStart);
  EXPECT_EQ(Convert(S3AddressMode::kFill, "", "10").message, msg::kStartAddressEmpty);
  EXPECT_EQ(Convert(S3AddressMode::kPart, "7FFFFFFE", "").message, msg::kS3WriteError);  // would pass 7FFFFFFF
  EXPECT_THROW((void)Convert(S3AddressMode::kPart, "7FFFFFF0", "80000000"), HexOverflow);
  EXPECT_THROW((void)Convert(S3AddressMode::kAll, "", "", "100"), HexOverflow);
  EXPECT_EQ(ConvertBinToS3({"", S3AddressMode::kAll, "", "", "0"}, dir.Path("out.s3")).message, msg::kSelectBinFile);
  EXPECT_EQ(ConvertBinToS3({dir.Path("no.bin"), S3AddressMode::kAll, "", "", "0"}, dir.Path("out.s3")).message,
            msg::kFileError);
  EXPECT_EQ(ConvertBinToS3({dir.Path("in.bin"), S3AddressMode::kAll, "", "", "0"}, dir.Path("no/x.s3")).message,
            msg::kFileError);  // a missing output folder
  test::WriteBytes(dir.Path("in.bin"), {});
  EXPECT_EQ(Convert(S3AddressMode::kAll, "", "").message, msg::kEmptyFile);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"in.bin"});
}

class S3ToBin : public ::testing::Test {
 protected:
  Outcome Convert(const std::string& s3Text, BinLayout layout, std::string fill = "00",
                  const ProgressFn& progress = {}) {
    test::WriteText(dir.Path("in.s3"), s3Text);
    return ConvertS3ToBin({dir.Path("in.s3"), layout, std::move(fill)}, dir.Path("out.bin"), progress);
  }
  TempDir dir;
};

// One data line at 10 with the bytes AB CD, as the system writes it.
constexpr const char* kOneLineAt10 = "S00600004844521B\r\nS30700000010ABCD70\r\nS705A002000058\r\n";

TEST_F(S3ToBin, ImageFillsTheGapFromZeroAndPackedTakesOnlyTheData) {
  const Outcome out = Convert(kOneLineAt10, BinLayout::kImage, "ff");
  ASSERT_TRUE(out.ok) << out.detail;
  EXPECT_EQ(out.message, msg::kBinWritten);
  std::vector<std::uint8_t> expected(16, 0xFF);
  expected.insert(expected.end(), {0xAB, 0xCD});
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), expected);

  ASSERT_TRUE(Convert(kOneLineAt10, BinLayout::kPacked, "not read").ok);
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), (std::vector<std::uint8_t>{0xAB, 0xCD}));
}

TEST_F(S3ToBin, AFileWithoutDataRecordsGivesAnEmptyBin) {
  for (const std::string text : {"", "S00600004844521B\r\n\r\nS705A002000058\r\n"}) {
    for (BinLayout layout : {BinLayout::kImage, BinLayout::kPacked}) {
      const Outcome out = Convert(text, layout, "ff");
      EXPECT_TRUE(out.ok) << text;
      EXPECT_EQ(out.message, msg::kBinWritten);
      EXPECT_EQ(out.written, std::vector<std::string>{dir.Path("out.bin")});
      EXPECT_TRUE(ReadBytes(dir.Path("out.bin")).empty());
      EXPECT_TRUE(std::filesystem::remove(dir.Path("out.bin")));  // it was there
    }
  }
}

TEST_F(S3ToBin, LinesOutOfOrderFailTheImageButNotThePackedFile) {
  const std::string twoLines = "S3060000001000E9\r\nS3060000000801F0\r\n";
  test::WriteBytes(dir.Path("out.bin"), {9, 9, 9});  // an older file of that name stays as it was
  const Outcome out = Convert(twoLines, BinLayout::kImage);
  EXPECT_EQ(out.message, msg::kS3FormatBad);
  EXPECT_NE(out.detail.find("line 2"), std::string::npos) << out.detail;
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), (std::vector<std::uint8_t>{9, 9, 9}));
  EXPECT_EQ(test::FilesIn(dir.Path()), (std::vector<std::string>{"in.s3", "out.bin"}));

  ASSERT_TRUE(Convert(twoLines, BinLayout::kPacked).ok);
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), (std::vector<std::uint8_t>{0, 1}));
}

TEST_F(S3ToBin, BadInputEndsWithAMessageAndNoOutput) {
  std::mt19937 rng(11);
  std::string random(4096, '\0');
  for (char& c : random) c = static_cast<char>(rng());
  const std::pair<std::string, int> cases[] = {
      {random, msg::kS3FormatBad},
      {std::string(kOneLineAt10) + std::string(10000, '7') + "\r\n", msg::kS3FormatBad},
      {"S3060000001000E8\r\n", msg::kS3FormatBad},  // checksum
      {"S3157FFFFFF0000102030405060708090A0B0C0D0E0F05\r\n", msg::kS3FormatBad},  // data past 7FFFFFFF
      {"S306800000000079\r\n", msg::kS3FormatBad},
  };
  for (const auto& [text, message] : cases) {
    const Outcome out = Convert(text, BinLayout::kImage);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, message) << text.substr(0, 40);
    EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"in.s3"});
  }
  // Addresses are not used in the packed layout, so high ones are fine there.
  ASSERT_TRUE(Convert("S3157FFFFFF0000102030405060708090A0B0C0D0E0F05\r\n", BinLayout::kPacked).ok);
  std::vector<std::uint8_t> expected(16);
  std::iota(expected.begin(), expected.end(), 0);
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), expected);
}

// count lines of one byte each at addresses 0, 1, 2, ...
std::string OneByteLines(int count) {
  std::string text = "S00600004844521B\r\n";
  for (int i = 0; i < count; ++i) {
    const auto byte = static_cast<std::uint8_t>(i);
    AppendS3Line(text, static_cast<std::uint32_t>(i), std::span<const std::uint8_t>(&byte, 1));
  }
  return text + "S705A002000058\r\n";
}

TEST_F(S3ToBin, AStopKeepsWhatWasConverted) {
  std::vector<std::int64_t> values;
  const Outcome out = Convert(OneByteLines(3000), BinLayout::kImage, "00", [&](std::int64_t v) {
    values.push_back(v);
    return false;
  });
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.message, msg::kNone);
  EXPECT_EQ(out.written, std::vector<std::string>{dir.Path("out.bin")});
  // The first report comes after kConversionProgressLines records; the stop
  // takes effect right there.
  ASSERT_EQ(values.size(), 1u);
  const std::vector<std::uint8_t> kept = ReadBytes(dir.Path("out.bin"));
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(kConversionProgressLines));
  for (std::size_t i = 0; i < kept.size(); ++i) ASSERT_EQ(kept[i], static_cast<std::uint8_t>(i));

  // A stop during a long gap fill keeps the fill written so far.
  const Outcome gap = Convert("S3060000000007F2\r\nS306003000000ABF\r\n", BinLayout::kImage, "00",
                              [](std::int64_t) { return false; });
  EXPECT_EQ(gap.written.size(), 1u);
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")).size(), (std::size_t{1} << 20) + 1);
}

TEST_F(S3ToBin, ProgressIsTheLineNumberHeldToTheMaximum) {
  // Short lines: far more lines than the estimate of one per 46 characters.
  const std::string text = OneByteLines(5000);
  std::vector<std::int64_t> values;
  ConversionStatus status;
  test::WriteText(dir.Path("in.s3"), text);
  const Outcome out = ConvertS3ToBin({dir.Path("in.s3"), BinLayout::kPacked, ""}, dir.Path("out.bin"),
                                     [&](std::int64_t v) {
                                       values.push_back(v);
                                       return true;
                                     },
                                     &status);
  ASSERT_TRUE(out.ok);
  EXPECT_EQ(status.maximum, static_cast<std::int64_t>(text.size()) / 46 + 1);
  EXPECT_EQ(status.address, 4999u);
  const std::int64_t max = status.maximum;
  EXPECT_EQ(values, (std::vector<std::int64_t>{1025, max, max, max}));  // the header is line 1
  EXPECT_EQ(S3ProgressMaximum(0), 1);
  EXPECT_EQ(S3ProgressMaximum(std::int64_t{1} << 40), 0x7FFFFFFF);
}

}  // namespace
}  // namespace korvana::image
