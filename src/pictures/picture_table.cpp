#include "pictures/picture_table.h"

#include <cmath>

#include "app/code_page.h"
#include "app/table_field.h"
#include "image/atomic_file.h"
#include "image/file_read.h"
#include "image/hex.h"

namespace korvana::pictures {

namespace {
constexpr std::size_t kFieldCount = 11;
constexpr std::size_t kNameField = 1;
constexpr std::size_t kAddressField = 2;
constexpr std::size_t kCountField = 4;
constexpr std::size_t kSizeField = 6;
constexpr std::size_t kDimensionsField = 8;
constexpr std::size_t kDepthField = 10;
// Only the last six hex digits of a table address count.
constexpr std::size_t kAddressDigits = 6;
constexpr std::int64_t kMinInt32 = -2147483648LL;
constexpr std::int64_t kMaxInt32 = 2147483647LL;

// The frame size label that we write, "Größe  .:", holds two blanks, which a
// reader that counts fields by single blanks would take for two extra fields.
// Its tail is the same in every code page, so the label is joined into one
// field before the line is split; tables without it are read unchanged.
constexpr std::string_view kSizeLabelTail = "  .:";
constexpr std::string_view kJoinedSizeLabelTail = ".:";

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> SplitAtBlanks(std::string line) {
  for (std::size_t at = line.find(kSizeLabelTail); at != std::string::npos; at = line.find(kSizeLabelTail, at)) {
    line.replace(at, kSizeLabelTail.size(), kJoinedSizeLabelTail);
  }
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t blank = line.find(' '); blank != std::string::npos; blank = line.find(' ', start)) {
    fields.push_back(line.substr(start, blank - start));
    start = blank + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::string Field(const std::vector<std::string>& fields, std::size_t i) {
  return app::AnsiToUtf8(app::CleanTableField(fields[i]));
}

// The address column of a table line after the offset; nothing when the
// offset or the result does not fit 32 bits.
std::optional<std::int64_t> OffsetAddress(const std::string& field, const std::string& offsetText) {
  try {
    const std::int64_t v = image::HexToLong(image::LastCharacters(field, kAddressDigits));
    const std::int64_t offset = image::HexToLong(offsetText);
    const std::int64_t address = (!offsetText.empty() && offsetText[0] == '-') ? v - offset : v + offset;
    if (address < kMinInt32 || address > kMaxInt32) return std::nullopt;
    return address;
  } catch (const image::HexOverflow&) {
    return std::nullopt;
  }
}

PictureTableRead Bad(std::size_t lineNumber, const std::string& why) {
  return {Outcome::Failure(msg::kPictureTableBad, "line " + std::to_string(lineNumber) + ": " + why), {}};
}
}  // namespace

std::optional<std::int64_t> ComputedFrameSize(std::string_view dimensions, std::string_view depth) {
  const std::size_t star = dimensions.find('*');
  if (star == std::string_view::npos) return std::nullopt;
  const double w = LeadingNumber(dimensions.substr(0, star));
  const double h = LeadingNumber(dimensions.substr(star + 1));
  const double d = LeadingNumber(depth);
  const double size = d == 1 ? w * std::ceil(h / 8) : w * h * d / 8;
  const std::int64_t rounded = RoundHalfEven(size);
  if (rounded < kMinInt32 || rounded > kMaxInt32) return std::nullopt;
  return rounded;
}

PictureTableRead ParsePictureTable(std::string_view text, const PictureTableOptions& options) {
  PictureTableRead result;
  std::size_t lineNumber = 0;
  for (std::string_view line : SplitLines(text)) {
    ++lineNumber;
    if (line.empty()) continue;
    const std::vector<std::string> fields = SplitAtBlanks(std::string(line));
    if (fields.size() < kFieldCount) return Bad(lineNumber, "fewer than eleven fields");
    PictureEntry row;
    row.number = image::ZeroPad(std::to_string(result.rows.size() + 1), 3);
    row.name = Field(fields, kNameField);
    const auto address = OffsetAddress(Field(fields, kAddressField), options.offsetText);
    if (!address) return Bad(lineNumber, "address or offset beyond 32 bits");
    row.start = "0X" + image::HexPad(*address, 8);
    row.count = Field(fields, kCountField);
    row.frameSize = Field(fields, kSizeField);
    row.dimensions = Field(fields, kDimensionsField);
    row.depth = Field(fields, kDepthField);
    if (options.computeSize) {
      const auto size = ComputedFrameSize(row.dimensions, row.depth);
      if (!size) return Bad(lineNumber, "dimensions without '*' or size beyond 32 bits");
      row.frameSize = std::to_string(*size);
    }
    result.rows.push_back(std::move(row));
  }
  return result;
}

PictureTableRead ReadPictureTable(std::string_view path, const PictureTableOptions& options) {
  const image::FileBytes file = image::ReadWholeFile(path, kMaxPictureTableSize);
  if (!file.Ok()) return {Outcome::Failure(msg::kPictureTableBad, "cannot read " + std::string(path)), {}};
  const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
  return ParsePictureTable(text, options);
}

std::string PictureTableText(const PictureList& list) {
  auto label = [](PictureColumn c) { return std::string(kPictureColumnHeaders[static_cast<std::size_t>(c)]) + ": "; };
  std::string text;
  for (const PictureEntry& e : list.Rows()) {
    const std::string line = e.number + " " + e.name + "\t " + e.start + "\t " + label(PictureColumn::kCount) +
                             e.count + "\t " + label(PictureColumn::kFrameSize) + e.frameSize + "\t " +
                             label(PictureColumn::kDimensions) + e.dimensions + "\t " +
                             label(PictureColumn::kDepth) + e.depth + "\t\r\n";
    text += app::Utf8ToAnsi(line);
  }
  return text;
}

Outcome WritePictureTable(std::string_view path, const PictureList& list) {
  if (list.RowCount() == 0) return Outcome::Failure(msg::kToneTableEmpty);
  const std::string text = PictureTableText(list);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!image::WriteFileAtomically(path, {bytes, text.size()})) {
    return Outcome::Failure(msg::kFileError, "cannot write " + std::string(path));
  }
  Outcome out = Outcome::Success(msg::kPictureTableWritten);
  out.written.emplace_back(path);
  return out;
}

}  // namespace korvana::pictures
