#include "image/srecord_converter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "image/hex.h"
#include "image/srecord_writer.h"
#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::ReadBytes;
using test::ReadText;
using test::TempDir;

// The file's bytes "0123" placed by each mode: the data line between our header and end line.
TEST(BinToS3, EachModePlacesTheRangeFromItsStartAndRefusalsWriteNothing) {
  TempDir dir;
  test::WriteBytes(dir.Path("in.bin"), test::BytesOf("0123"));
  const std::string in = dir.Path("in.bin");
  const std::pair<BinToS3Request, std::string> cases[] = {
      {{in, S3AddressMode::kAll, "FFFF", "1", "FF"}, "S309000000003031323330"},  // start, stop, fill unused
      {{in, S3AddressMode::kPart, "1000", "100F", "ee"}, "S3150000100030313233EEEEEEEEEEEEEEEEEEEEEEEEEC"},
      {{in, S3AddressMode::kPart, "1000", "", "0"}, "S309000010003031323320"},  // as long as the file
      {{in, S3AddressMode::kPart, "0", "2", "0"}, "S3080000000030313264"},      // shorter than the file
      {{in, S3AddressMode::kPart, "7FFFFFFC", "", "0"}, "S3097FFFFFFC30313233B7"},  // the last addresses there are
      {{"", S3AddressMode::kFill, "20", "22", "A5"}, "S30800000020A5A5A5E8"},
      {{in, S3AddressMode::kFill, "20", "", "A5"}, "S30900000020A5A5A5A542"},  // the file gives only the length
  };
  for (const auto& [request, line] : cases) {
    EXPECT_EQ(ConvertBinToS3(request, dir.Path("out.s3")).message, msg::kS3Okay) << line;
    EXPECT_EQ(ReadText(dir.Path("out.s3")), "S00600004844521B\r\n" + line + "\r\nS705A002000058\r\n");
  }
  std::filesystem::remove(dir.Path("out.s3"));
  const std::pair<BinToS3Request, int> refusals[] = {
      {{in, S3AddressMode::kPart, "1000", "1000", "0"}, msg::kStopNotAboveStart},
      {{in, S3AddressMode::kFill, "", "10", "0"}, msg::kStartAddressEmpty},
      {{in, S3AddressMode::kPart, "7FFFFFFE", "", "0"}, msg::kS3WriteError},  // would pass 7FFFFFFF
      {{"", S3AddressMode::kAll, "", "", "0"}, msg::kSelectBinFile},
      {{dir.Path("no.bin"), S3AddressMode::kAll, "", "", "0"}, msg::kFileError},
      {{dir.Path("no.bin"), S3AddressMode::kFill, "0", "", "0"}, msg::kFileError},
  };
  for (const auto& [request, message] : refusals) EXPECT_EQ(ConvertBinToS3(request, dir.Path("out.s3")).message, message);
  EXPECT_EQ(ConvertBinToS3(cases[0].first, dir.Path("no/x.s3")).message, msg::kFileError);  // no output folder
  EXPECT_THROW((void)ConvertBinToS3({in, S3AddressMode::kPart, "7FFFFFF0", "80000000", "0"}, dir.Path("o.s3")),
               HexOverflow);
  EXPECT_THROW((void)ConvertBinToS3({in, S3AddressMode::kAll, "", "", "100"}, dir.Path("o.s3")), HexOverflow);
  test::WriteBytes(in, {});
  EXPECT_EQ(ConvertBinToS3(cases[0].first, dir.Path("out.s3")).message, msg::kEmptyFile);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"in.bin"});
  std::vector<std::uint8_t> big((1 << 20) + 1);  // longer than one piece read: there and back, line by line
  std::generate(big.begin(), big.end(), [i = 0]() mutable { return static_cast<std::uint8_t>(i++); });
  test::WriteBytes(in, big);
  ASSERT_TRUE(ConvertBinToS3(cases[0].first, dir.Path("big.s3")).ok);
  ASSERT_TRUE(ConvertS3ToBin({dir.Path("big.s3"), BinLayout::kImage, "00"}, dir.Path("big.bin")).ok);
  EXPECT_TRUE(ReadBytes(dir.Path("big.bin")) == big);
}

class S3ToBin : public ::testing::Test {
 protected:
  Outcome Convert(const std::string& s3Text, BinLayout layout, std::string fill = "00",
                  const ProgressFn& progress = {}, ConversionStatus* status = nullptr) {
    test::WriteText(dir.Path("in.s3"), s3Text);
    return ConvertS3ToBin({dir.Path("in.s3"), layout, std::move(fill)}, dir.Path("out.bin"), progress, status);
  }
  TempDir dir;
};

TEST_F(S3ToBin, ImageFillsTheGapFromZeroAndPackedTakesOnlyTheData) {
  const std::string oneLineAt10 = "S00600004844521B\r\nS30700000010ABCD70\r\nS705A002000058\r\n";
  EXPECT_EQ(Convert(oneLineAt10, BinLayout::kImage, "ff").message, msg::kBinWritten);
  std::vector<std::uint8_t> expected(16, 0xFF);
  expected.insert(expected.end(), {0xAB, 0xCD});
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), expected);
  ASSERT_TRUE(Convert(oneLineAt10, BinLayout::kPacked, "not read").ok);
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), (std::vector<std::uint8_t>{0xAB, 0xCD}));

  for (const auto& [text, layout] :
       {std::pair{"", BinLayout::kImage}, {"S00600004844521B\r\n\r\nS705A002000058\r\n", BinLayout::kPacked}}) {
    std::filesystem::remove(dir.Path("out.bin"));
    EXPECT_EQ(Convert(text, layout, "ff").written, std::vector<std::string>{dir.Path("out.bin")}) << text;
    EXPECT_TRUE(std::filesystem::exists(dir.Path("out.bin")) && ReadBytes(dir.Path("out.bin")).empty());
  }
  const std::string twoLines = "S3060000001000E9\r\nS3060000000801F0\r\n";
  ASSERT_TRUE(Convert(twoLines, BinLayout::kPacked).ok);
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), (std::vector<std::uint8_t>{0, 1}));
  const Outcome out = Convert(twoLines, BinLayout::kImage);
  EXPECT_EQ(out.message, msg::kS3FormatBad);
  EXPECT_NE(out.detail.find("line 2"), std::string::npos) << out.detail;
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")), (std::vector<std::uint8_t>{0, 1}));  // the older file stays
  EXPECT_EQ(test::FilesIn(dir.Path()), (std::vector<std::string>{"in.s3", "out.bin"}));
}

TEST_F(S3ToBin, BadInputEndsWithAMessageAndNoOutput) {
  const std::string pastTheEnd = "S3157FFFFFF0000102030405060708090A0B0C0D0E0F05\r\n";  // data past 7FFFFFFF
  for (const std::string& text : {std::string("S30700000010ABCD70\r\nS3060000001000E8\r\n"),  // checksum
                                  pastTheEnd, std::string("S306800000000079\r\n")}) {
    EXPECT_EQ(Convert(text, BinLayout::kImage).message, msg::kS3FormatBad) << text.substr(0, 40);
    EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"in.s3"});
  }
  EXPECT_EQ(ConvertS3ToBin({"", BinLayout::kPacked, ""}, dir.Path("out.bin")).message, msg::kSelectS3File);
  EXPECT_EQ(ConvertS3ToBin({dir.Path("no.s3"), BinLayout::kPacked, ""}, dir.Path("out.bin")).message, msg::kFileError);
  ASSERT_TRUE(Convert(pastTheEnd, BinLayout::kPacked).ok);  // the packed layout uses no address
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")).back(), 0x0F);
}

TEST_F(S3ToBin, ProgressIsTheLineNumberHeldToTheMaximumAndAStopKeepsWhatWasConverted) {
  std::string text = "S00600004844521B\r\n";  // lines of one byte each at addresses 0, 1, 2, ...
  for (int i = 0; i < 5000; ++i) {
    const auto byte = static_cast<std::uint8_t>(i);
    AppendS3Line(text, static_cast<std::uint32_t>(i), std::span<const std::uint8_t>(&byte, 1));
  }
  std::vector<std::int64_t> values;
  ASSERT_TRUE(Convert(text, BinLayout::kPacked, "", [&](std::int64_t v) { return values.push_back(v), true; }).ok);
  const std::int64_t max = static_cast<std::int64_t>(text.size()) / 46 + 1;
  EXPECT_EQ(values, (std::vector<std::int64_t>{1025, max, max, max}));  // the header is line 1
  const Outcome out = Convert(text, BinLayout::kImage, "00", [&](std::int64_t) { return false; });
  EXPECT_EQ(std::pair(out.ok, out.message), std::pair(false, msg::kNone));
  EXPECT_EQ(out.written, std::vector<std::string>{dir.Path("out.bin")});
  const std::vector<std::uint8_t> kept = ReadBytes(dir.Path("out.bin"));
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(kConversionProgressLines));
  EXPECT_EQ(kept.back(), static_cast<std::uint8_t>(kConversionProgressLines - 1));
  EXPECT_EQ(Convert("S3060000000007F2\r\nS306003000000ABF\r\n", BinLayout::kImage, "00", [](auto) { return false; })
                .written.size(), 1u);
  EXPECT_EQ(ReadBytes(dir.Path("out.bin")).size(), (std::size_t{1} << 20) + 1);
}

}  // namespace
}  // namespace korvana::image
