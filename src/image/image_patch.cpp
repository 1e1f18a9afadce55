#include "image/image_patch.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

#include "image/byte_diff.h"
#include "image/path.h"
#include "image/srecord_reader.h"

namespace korvana::image {

Outcome WriteAllChangesS3(const HandsetImage& image, std::string_view path, std::vector<AddressRange>* ranges) {
  std::vector<AddressRange> changed = image.ChangedRanges();
  if (changed.empty()) return Outcome::Failure(msg::kNoChanges);
  Outcome out = WriteRangesS3(image.Bytes(), changed, path);
  if (out.ok && ranges != nullptr) *ranges = std::move(changed);
  return out;
}

Outcome WriteImageDiffS3(std::span<const std::uint8_t> older, std::span<const std::uint8_t> newer,
                         std::string_view path, std::vector<AddressRange>& ranges) {
  ranges.clear();
  if (older.size() != newer.size()) {
    return Outcome::Failure(msg::kFileError, "the images differ in size (" + std::to_string(older.size()) + " and " +
                                                 std::to_string(newer.size()) + " bytes)");
  }
  std::vector<AddressRange> found = DifferingRanges(older, newer);
  if (found.empty()) return Outcome::Success();
  Outcome out = WriteRangesS3(newer, found, path);
  if (out.ok) ranges = std::move(found);
  return out;
}

PatchContent ReadPatch(std::string_view path, std::int64_t imageSize) {
  PatchContent content;
  const std::string name(path);
  auto fail = [&](int message, std::string detail) {
    content.outcome = Outcome::Failure(message, std::move(detail));
    content.blocks.clear();
    return std::move(content);
  };
  SRecordReader reader;
  if (!reader.Open(path)) return fail(msg::kFileError, "cannot open " + name);

  // Every record's bytes in file order; a record holds at most 252 bytes.
  struct Piece {
    std::uint32_t address = 0;
    std::uint32_t size = 0;
    std::size_t offset = 0;
  };
  std::vector<Piece> pieces;
  std::vector<std::uint8_t> data;
  SRecord record;
  for (;;) {
    const SRecordReader::Status status = reader.NextData(record);
    if (status == SRecordReader::Status::kEnd) break;
    const std::string line = name + ", line " + std::to_string(reader.LineNumber());
    if (status == SRecordReader::Status::kBad) return fail(msg::kS3FormatBad, line + ": no well-formed S-record");
    if (status == SRecordReader::Status::kReadError) return fail(msg::kFileError, "cannot read " + name);
    if (record.data.empty()) continue;
    const std::uint64_t end = std::uint64_t{record.address} + record.data.size();
    if (imageSize < 0 || end > static_cast<std::uint64_t>(imageSize)) {
      return fail(msg::kFileError, line + ": the record reaches past the image's end at " +
                                       std::to_string(imageSize) + " bytes");
    }
    pieces.push_back({record.address, static_cast<std::uint32_t>(record.data.size()), data.size()});
    data.insert(data.end(), record.data.begin(), record.data.end());
  }

  // Records in address order (file order among equal addresses); records
  // that overlap or touch form one block, laid in file order so that the
  // later record wins.
  std::vector<std::size_t> order(pieces.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return pieces[a].address < pieces[b].address; });
  for (std::size_t k = 0; k < order.size();) {
    const std::uint64_t first = pieces[order[k]].address;
    std::uint64_t end = first + pieces[order[k]].size;
    std::size_t j = k + 1;
    for (; j < order.size() && pieces[order[j]].address <= end; ++j) {
      end = std::max(end, std::uint64_t{pieces[order[j]].address} + pieces[order[j]].size);
    }
    std::sort(order.begin() + static_cast<std::ptrdiff_t>(k), order.begin() + static_cast<std::ptrdiff_t>(j));
    PatchBlock block{static_cast<Address>(first), std::vector<std::uint8_t>(static_cast<std::size_t>(end - first))};
    for (std::size_t i = k; i < j; ++i) {
      const Piece& p = pieces[order[i]];
      std::memcpy(block.bytes.data() + (p.address - first), data.data() + p.offset, p.size);
    }
    content.blocks.push_back(std::move(block));
    k = j;
  }
  return content;
}

Outcome ApplyPatch(HandsetImage& image, std::string_view path) {
  if (!image.FileLoaded()) return Outcome::Failure(msg::kOpenHandsetFirst);
  const PatchContent patch = ReadPatch(path, image.Size());
  if (!patch.outcome.ok) return patch.outcome;
  const std::string name = FileNameOf(path);
  const std::string label = "Patch " + (name.empty() ? std::string(path) : name);
  ChangeStep step(image);
  for (const PatchBlock& block : patch.blocks) {
    // Cannot fail: ReadPatch keeps every block inside the image.
    const Outcome copied =
        image.CopyIntoImage(block.bytes, block.first, static_cast<Length>(block.bytes.size()), {label});
    if (!copied.ok) return copied;
  }
  return Outcome::Success();
}

PatchCheck VerifyPatch(std::span<const std::uint8_t> image, std::string_view path) {
  PatchCheck check;
  const PatchContent patch = ReadPatch(path, static_cast<std::int64_t>(image.size()));
  check.outcome = patch.outcome;
  if (!patch.outcome.ok) return check;
  DiffRangeBuilder builder;
  for (const PatchBlock& block : patch.blocks) {
    builder.AddDifferences(image.subspan(static_cast<std::size_t>(block.first), block.bytes.size()), block.bytes,
                           block.first);
  }
  check.differing = builder.Take();
  return check;
}

}  // namespace korvana::image
