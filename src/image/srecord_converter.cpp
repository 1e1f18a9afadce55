#include "image/srecord_converter.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "image/atomic_file.h"
#include "image/file_read.h"
#include "image/hex.h"
#include "image/path.h"
#include "image/srecord_reader.h"
#include "image/srecord_writer.h"

namespace korvana::image {

namespace {
// Addresses and sizes are 32-bit signed everywhere in the system, so no
// range may end past this address and no bin may be larger.
constexpr std::int64_t kLastAddress = 0x7FFFFFFF;
// bin → S-record writes the range in pieces of this size, a multiple of a
// line's 16 bytes so the lines come out as from one call; no piece is ever
// allocated from the user's range size.
constexpr std::int64_t kPieceBytes = std::int64_t{1} << 20;
static_assert(kPieceBytes % kS3BytesPerLine == 0);
// Gap filling in the image layout writes and reports in blocks of this size.
constexpr std::size_t kFillBlockBytes = std::size_t{1} << 20;
// The length of a full S3 line without its line end, the unit of the
// progress estimate.
constexpr std::int64_t kFullS3LineLength = 46;

std::string LineDetail(const SRecordReader& reader, const std::string& what) {
  return "line " + std::to_string(reader.LineNumber()) + ": " + what;
}

// Whether bin → S-record needs the bin file: "füllen" uses only its length,
// and that only when no stop address is given.
bool NeedsBinFile(const BinToS3Request& request) {
  return request.mode != S3AddressMode::kFill || request.stopText.empty();
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Writes first .. last (a non-empty range) as one S-record file: byte i of the
// range is byte i of file while i < fileLength, then the fill byte. The file
// is read piece by piece, so neither its size nor the range's decides how
// much memory the conversion takes.
Outcome WriteFilledRange(std::FILE* file, std::int64_t fileLength, std::int64_t first, std::int64_t last, Byte fill,
                         std::string_view s3Path) {
  S3Writer writer;
  const std::int64_t size = last - first + 1;
  if (!writer.Open(s3Path, static_cast<std::uint64_t>(size))) {
    return Outcome::Failure(msg::kFileError, "cannot create " + std::string(s3Path));
  }
  std::vector<std::uint8_t> piece(static_cast<std::size_t>(std::min(kPieceBytes, size)));
  for (std::int64_t offset = 0;; offset += kPieceBytes) {
    const std::int64_t n = std::min(kPieceBytes, size - offset);
    const auto fromFile = static_cast<std::size_t>(std::clamp<std::int64_t>(fileLength - offset, 0, n));
    if (fromFile > 0 && std::fread(piece.data(), 1, fromFile, file) != fromFile) {
      writer.Abandon();
      return Outcome::Failure(msg::kFileError, "cannot read the bin file");
    }
    std::fill(piece.begin() + static_cast<std::ptrdiff_t>(fromFile), piece.begin() + n, fill);
    const bool lastPiece = offset + n == size;
    const Outcome written =
        WriteS3Range(writer, std::span<const std::uint8_t>(piece.data(), static_cast<std::size_t>(n)),
                     static_cast<Address>(first + offset), static_cast<Address>(first + offset + n - 1), s3Path,
                     false, lastPiece);
    if (!written.ok || lastPiece) return written;
  }
}
}  // namespace

Byte FillByteOf(std::string_view text) {
  const std::int32_t value = HexToLong(text);
  if (value > 0xFF) throw HexOverflow();
  return static_cast<Byte>(value);
}

std::int64_t S3ProgressMaximum(std::int64_t fileSize) {
  return std::min<std::int64_t>(fileSize / kFullS3LineLength + 1, std::numeric_limits<std::int32_t>::max());
}

Outcome CheckBinToS3(const BinToS3Request& request) {
  (void)FillByteOf(request.fillText);
  if (NeedsBinFile(request)) {
    if (FileNameOf(request.binPath).empty()) return Outcome::Failure(msg::kSelectBinFile, "no bin file named");
    if (!FileSizeOf(request.binPath)) return Outcome::Failure(msg::kFileError, "cannot open " + request.binPath);
  }
  return Outcome::Success();
}

Outcome ConvertBinToS3(const BinToS3Request& request, std::string_view s3Path) {
  if (Outcome checked = CheckBinToS3(request); !checked.ok) return checked;
  const Byte fill = FillByteOf(request.fillText);

  // "füllen" needs at most the length of the bin; the others read it.
  FilePtr file;
  std::int64_t length = 0;
  if (NeedsBinFile(request)) {
    const auto size = FileSizeOf(request.binPath);
    if (request.mode != S3AddressMode::kFill) file.reset(std::fopen(request.binPath.c_str(), "rb"));
    if (!size || (request.mode != S3AddressMode::kFill && !file)) {
      return Outcome::Failure(msg::kFileError, "cannot open " + request.binPath);
    }
    length = *size;
  }

  std::int64_t start = 0;
  std::int64_t stop = length - 1;
  if (request.mode == S3AddressMode::kAll) {
    if (length == 0) return Outcome::Failure(msg::kEmptyFile, request.binPath + " is empty");
  } else {
    if (request.startText.empty()) return Outcome::Failure(msg::kStartAddressEmpty);
    start = HexToLong(request.startText);
    stop = request.stopText.empty() ? start + length - 1 : HexToLong(request.stopText);
    if (stop <= start) return Outcome::Failure(msg::kStopNotAboveStart);
  }
  if (stop > kLastAddress) {
    return Outcome::Failure(msg::kS3WriteError, "the range ends at " + HexPad(stop, 8) + ", past 7FFFFFFF");
  }
  return WriteFilledRange(file.get(), file ? length : 0, start, stop, fill, s3Path);
}

Outcome CheckS3ToBin(const S3ToBinRequest& request) {
  if (request.layout == BinLayout::kImage) (void)FillByteOf(request.fillText);
  if (FileNameOf(request.s3Path).empty()) return Outcome::Failure(msg::kSelectS3File, "no S-record file named");
  SRecordReader reader;
  if (!reader.Open(request.s3Path)) return Outcome::Failure(msg::kFileError, "cannot open " + request.s3Path);
  return Outcome::Success();
}

Outcome ConvertS3ToBin(const S3ToBinRequest& request, std::string_view binPath, const ProgressFn& progress,
                       ConversionStatus* status) {
  if (Outcome checked = CheckS3ToBin(request); !checked.ok) return checked;
  const bool image = request.layout == BinLayout::kImage;
  const Byte fill = image ? FillByteOf(request.fillText) : Byte{0};

  SRecordReader reader;
  if (!reader.Open(request.s3Path)) return Outcome::Failure(msg::kFileError, "cannot open " + request.s3Path);
  ConversionStatus ownStatus;
  ConversionStatus& shown = status != nullptr ? *status : ownStatus;
  shown = ConversionStatus{S3ProgressMaximum(reader.FileSize()), 0};

  // The output is abandoned (removed) on every early return but a stop.
  AtomicFile out;
  const std::string outPath(binPath);
  if (!out.Open(outPath)) return Outcome::Failure(msg::kFileError, "cannot create " + outPath);
  const auto goOn = [&] { return !progress || progress(std::min(reader.LineNumber(), shown.maximum)); };
  const auto keepWhatWasConverted = [&] {
    if (!out.Commit()) return Outcome::Failure(msg::kFileError, "cannot write " + outPath);
    Outcome stopped = Outcome::Silent();
    stopped.written.push_back(outPath);
    return stopped;
  };
  const auto writeFailed = [&] { return Outcome::Failure(msg::kFileError, "cannot write " + outPath); };

  std::vector<std::uint8_t> fillBlock;
  std::int64_t position = 0;  // bytes written so far
  std::int64_t records = 0;
  SRecord record;
  for (;;) {
    const SRecordReader::Status read = reader.NextData(record);
    if (read == SRecordReader::Status::kEnd) break;
    if (read == SRecordReader::Status::kReadError) {
      return Outcome::Failure(msg::kFileError, "cannot read " + request.s3Path);
    }
    if (read == SRecordReader::Status::kBad) {
      return Outcome::Failure(msg::kS3FormatBad, LineDetail(reader, "not a well-formed S-record or wrong checksum"));
    }
    const auto size = static_cast<std::int64_t>(record.data.size());
    const std::int64_t address = image ? std::int64_t{record.address} : position;
    if (address < position) {
      return Outcome::Failure(msg::kS3FormatBad, LineDetail(reader, "address " + HexPad(address, 8) +
                                                                        " lies below the data already converted"));
    }
    if (address + size > kLastAddress) {
      return Outcome::Failure(msg::kS3FormatBad, LineDetail(reader, "the bin would grow past 7FFFFFFF bytes"));
    }
    while (position < address) {
      if (fillBlock.empty()) fillBlock.assign(kFillBlockBytes, fill);
      const auto n = static_cast<std::size_t>(std::min<std::int64_t>(address - position, kFillBlockBytes));
      if (!out.Write(std::span<const std::uint8_t>(fillBlock.data(), n))) return writeFailed();
      position += static_cast<std::int64_t>(n);
      if (position < address && !goOn()) return keepWhatWasConverted();
    }
    if (!out.Write(record.data)) return writeFailed();
    position += size;
    shown.address = record.address;
    if (++records % kConversionProgressLines == 0 && !goOn()) return keepWhatWasConverted();
  }
  // A file without data records converts to an empty bin: nothing in it
  // is wrong, it just holds no bytes.
  if (!out.Commit()) return writeFailed();
  Outcome done = Outcome::Success(msg::kBinWritten);
  done.written.push_back(outPath);
  return done;
}

}  // namespace korvana::image
