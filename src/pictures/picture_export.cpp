#include "pictures/picture_export.h"

#include "image/atomic_file.h"
#include "image/hex.h"
#include "image/path.h"
#include "image/srecord_writer.h"

namespace korvana::pictures {

namespace {
std::string Trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

Outcome RowFailure(const ParsedPicture& parsed, const PictureEntry& row) {
  return Outcome::Failure(parsed.message, "picture " + row.number + ": " + parsed.detail);
}
}  // namespace

std::string ExportFileName(std::string_view folder, std::string_view name, std::int64_t frameNumber) {
  std::string base = Trimmed(name);
  for (char& c : base) {
    if (c == '/' || c == '\\') c = '_';
  }
  return image::JoinPath(folder, base + "-" + image::ZeroPad(std::to_string(frameNumber), 2) + ".bmp");
}

Outcome ExportPictures(const image::HandsetImage& image, const PictureList& list, const std::vector<int>& rows,
                       std::string_view folder, const Palette16& palette, const ProgressFn& progress,
                       const UnsupportedDepthFn& onUnsupportedDepth) {
  std::vector<std::string> written;
  auto failed = [&written](Outcome out) {
    out.written = std::move(written);
    return out;
  };
  std::int64_t done = 0;
  for (int r : rows) {
    const PictureEntry* row = list.Row(r);
    if (row == nullptr) continue;
    const ParsedPicture parsed = ParsePictureEntry(*row);
    if (!parsed.Ok()) return failed(RowFailure(parsed, *row));
    for (std::int64_t j = 0; j < parsed.shape.count; ++j) {
      const DecodedBmp bmp = DecodeFrame(image.Bytes(), parsed.shape, j, palette);
      if (bmp.error == DecodeError::kUnsupportedDepth) {
        if (onUnsupportedDepth) onUnsupportedDepth(*row);
        continue;
      }
      if (!bmp.Ok()) return failed(Outcome::Failure(msg::kPictureTableBad, "picture " + row->number));
      const std::string path = ExportFileName(folder, row->name, j + 1);
      if (!image::WriteFileAtomically(path, bmp.bytes)) {
        return failed(Outcome::Failure(msg::kFileError, "cannot write " + path));
      }
      written.push_back(path);
    }
    if (progress && !progress(++done)) return failed(Outcome::Silent());
  }
  Outcome out = Outcome::Success(msg::kBmpWritten);
  out.written = std::move(written);
  return out;
}

Outcome WritePicturePatch(const image::HandsetImage& image, const PictureList& list, const std::vector<int>& rows,
                          std::string_view path, const ProgressFn& progress) {
  // Every range is checked before the file is begun: the patch is written
  // whole or not at all.
  std::vector<AddressRange> ranges;
  for (int r : rows) {
    const PictureEntry* row = list.Row(r);
    if (row == nullptr) continue;
    const ParsedPicture parsed = ParsePictureEntry(*row);
    // The patch copies bytes and never looks at the dimensions.
    if (!parsed.Ok() && parsed.message != msg::kPictureTableBad) {
      return Outcome::Failure(msg::kFileError, "picture " + row->number + ": " + parsed.detail);
    }
    const PictureShape& s = parsed.shape;
    const std::int64_t last = s.count * s.frameSize + s.address - 1;
    if (last < s.address || s.address < 0 || last >= image.Size()) {
      return Outcome::Failure(msg::kFileError, "picture " + row->number + ": frames outside the image");
    }
    ranges.push_back({static_cast<Address>(s.address), static_cast<Address>(last)});
  }
  if (ranges.empty()) return Outcome::Silent();
  image::S3Writer writer;
  Outcome out;
  for (std::size_t k = 0; k < ranges.size(); ++k) {
    if (k > 0 && progress && !progress(static_cast<std::int64_t>(k))) {
      writer.Abandon();
      return Outcome::Silent();
    }
    const AddressRange& range = ranges[k];
    const auto data = image.Bytes().subspan(static_cast<std::size_t>(range.first),
                                            static_cast<std::size_t>(range.Size()));
    out = image::WriteS3Range(writer, data, range.first, range.last, path, k == 0, k + 1 == ranges.size());
    if (!out.ok) return out;
  }
  return out;
}

}  // namespace korvana::pictures
