// The S-record reader over any text: the record parser on every line start,
// the streaming reader over the same bytes as a file, and the same file read
// as a patch of a small image.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "image/image_patch.h"
#include "image/srecord_reader.h"

using korvana::image::kMaxSRecordData;
using korvana::image::SRecord;
using korvana::image::SRecordReader;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::array<std::uint8_t, kMaxSRecordData> buffer{};
  for (std::size_t at = 0; at < text.size();) {
    SRecord record;
    const std::size_t used = korvana::image::ParseSRecord(text.substr(at), buffer, record);
    if (used > text.size() - at) std::abort();
    if (used > 0 && record.data.size() > kMaxSRecordData) std::abort();
    const auto next = text.find_first_of("\r\n", at);
    if (next == std::string_view::npos) break;
    at = next + 1;
  }

  const std::string path = korvana::fuzz::WriteScratch({data, size});
  SRecordReader reader;
  if (!reader.Open(path)) std::abort();
  std::int64_t previousLine = 0;
  for (;;) {
    SRecord record;
    const SRecordReader::Status status = reader.NextData(record);
    if (status != SRecordReader::Status::kData) break;
    if (!record.IsData() || record.data.size() > kMaxSRecordData) std::abort();
    // Every record takes a line of its own, so the reader always advances.
    if (reader.LineNumber() <= previousLine) std::abort();
    previousLine = reader.LineNumber();
  }

  // A patch's blocks lie inside the image, in address order, apart.
  constexpr std::int64_t kImageSize = 4096;
  const korvana::image::PatchContent patch = korvana::image::ReadPatch(path, kImageSize);
  std::int64_t previousEnd = -1;
  for (const auto& block : patch.blocks) {
    const std::int64_t end = std::int64_t{block.first} + static_cast<std::int64_t>(block.bytes.size());
    if (block.bytes.empty() || block.first <= previousEnd || end > kImageSize) std::abort();
    previousEnd = end;
  }
  return 0;
}
