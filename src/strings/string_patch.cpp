#include "strings/string_patch.h"

#include "image/srecord_writer.h"

namespace korvana::strings {

namespace {
// A ticked row ready to be written.
struct PatchRange {
  AddressRange range;
  std::vector<std::uint8_t> data;
  std::string number;
};

// Every ticked row's range and data, in list order; the failure names the
// first row whose text cannot be encoded.
std::optional<std::vector<PatchRange>> TickedRanges(const StringList& list, StringEncoding encoding,
                                                    std::string& detail) {
  std::vector<PatchRange> ranges;
  for (const StringEntry& entry : list.Rows()) {
    if (!entry.ticked) continue;
    const AddressRange range = RangeOf(entry);
    std::optional<std::vector<std::uint8_t>> data = ReplacementBytesOf(entry, encoding);
    if (!data) {
      detail = "row " + entry.number + ": the replacement has a character the code page cannot encode";
      return std::nullopt;
    }
    ranges.push_back({range, std::move(*data), entry.number});
  }
  return ranges;
}

std::string RowDetail(const PatchRange& p, const std::string& what) { return "row " + p.number + ": " + what; }
}  // namespace

std::optional<std::vector<std::uint8_t>> ReplacementBytesOf(const StringEntry& entry, StringEncoding encoding) {
  const std::optional<std::string> hex = HexOf(entry.replacement, encoding);
  if (!hex) return std::nullopt;
  return image::PatternBytesOf(*hex);
}

Outcome WriteStringPatch(const StringList& list, StringEncoding encoding, std::string_view fileName) {
  std::string detail;
  const auto ranges = TickedRanges(list, encoding, detail);
  if (!ranges) return Outcome::Failure(msg::kS3WriteError, detail);
  if (ranges->empty()) return Outcome::Silent();
  // One writer for all ranges: the file reaches the disk only when the last
  // range is closed, so a failure on any row leaves no partial patch.
  image::S3Writer writer;
  Outcome out;
  for (std::size_t k = 0; k < ranges->size(); ++k) {
    const PatchRange& p = (*ranges)[k];
    if (p.range.Size() > static_cast<std::int64_t>(p.data.size())) {
      writer.Abandon();
      return Outcome::Failure(msg::kS3WriteError, RowDetail(p, "the replacement is shorter than the string"));
    }
    out = image::WriteS3Range(writer, p.data, p.range.first, p.range.last, fileName, k == 0, k + 1 == ranges->size());
    if (!out.ok) return Outcome::Failure(msg::kS3WriteError, RowDetail(p, out.detail));
  }
  return out;
}

Outcome WriteStringsIntoImage(const StringList& list, StringEncoding encoding, image::HandsetImage& image) {
  std::string detail;
  const auto ranges = TickedRanges(list, encoding, detail);
  if (!ranges) return Outcome::Failure(msg::kFileError, detail);
  for (const PatchRange& p : *ranges) {
    const std::int64_t count = p.range.Size();
    if (count > static_cast<std::int64_t>(p.data.size())) {
      return Outcome::Failure(msg::kFileError, RowDetail(p, "the replacement is shorter than the string"));
    }
    if (count > 0 && (p.range.first < 0 || p.range.last >= image.Size())) {
      return Outcome::Failure(msg::kFileError, RowDetail(p, "the string lies outside the image"));
    }
  }
  image::ChangeStep step(image);
  for (const PatchRange& p : *ranges) {
    const std::int64_t count = p.range.Size();
    if (count < 1) continue;
    const Outcome copied =
        image.CopyIntoImage(p.data, p.range.first, static_cast<Length>(count), {"String", true});
    if (!copied.ok) return Outcome::Failure(msg::kFileError, RowDetail(p, copied.detail));
  }
  image.SetModified(true);
  return Outcome::Success(msg::kFileModified);
}

}  // namespace korvana::strings
