#pragma once
// Whole-file conversion between raw (bin) and S-record files, independent of
// the loaded image. Every output goes through AtomicFile: a failed
// conversion leaves no file, a stopped one leaves what was converted.
//
// Functions that read hex fields throw HexOverflow (HexToLong) for values of
// 80000000 and more, and for a fill value that does not fit a byte.

#include <cstdint>
#include <string>
#include <string_view>

#include "image/outcome.h"
#include "image/types.h"

namespace korvana::image {

// Where the bin's bytes go in the S-record file.
enum class S3AddressMode {
  kAll,   // "alles": the whole file at address 0
  kPart,  // "teilw.": the file from the start address, cut or filled to the stop address
  kFill,  // "füllen": the range start .. stop all of the fill byte
};

struct BinToS3Request {
  std::string binPath;
  S3AddressMode mode = S3AddressMode::kAll;
  std::string startText;  // hex
  std::string stopText;   // hex; empty: start + file length - 1
  std::string fillText;   // hex byte
};

// What the S-record file becomes.
enum class BinLayout {
  kImage,   // "alles inkl. leer": an image from address 0, gaps filled
  kPacked,  // "teilweise": the data of all records back to back, addresses ignored
};

struct S3ToBinRequest {
  std::string s3Path;
  BinLayout layout = BinLayout::kImage;
  std::string fillText;  // hex byte; read only for kImage
};

// What a running S-record → bin conversion shows beside its progress bar.
struct ConversionStatus {
  std::int64_t maximum = 1;   // of the progress values, known once the input is open
  std::uint32_t address = 0;  // of the data record last converted
};

// Data records between two progress reports (and stop checks).
inline constexpr std::int64_t kConversionProgressLines = 1024;

// The fill byte of a hex field; throws HexOverflow above FF.
[[nodiscard]] Byte FillByteOf(std::string_view text);

// The progress maximum for an S-record file of this size: one step per full
// 16-byte line (46 characters without its line end), capped to int range.
[[nodiscard]] std::int64_t S3ProgressMaximum(std::int64_t fileSize);

// The checks that come before the save dialog: the fill value, a bin file
// named (31) and readable (2). Success carries no message.
[[nodiscard]] Outcome CheckBinToS3(const BinToS3Request& request);

// bin → S-record into s3Path. Messages: 31 and 2 as above, 1 for an empty bin
// in "alles", 28 (no start), 30 (stop not above start), 17 (a range past
// 7FFFFFFF), 2 (output not writable), 10 on success.
[[nodiscard]] Outcome ConvertBinToS3(const BinToS3Request& request, std::string_view s3Path);

// The checks before the save dialog: the fill value (kImage only), an
// S-record file named (24) and readable (2).
[[nodiscard]] Outcome CheckS3ToBin(const S3ToBinRequest& request);

// S-record → bin into binPath. progress gets the line number (capped to the
// maximum) every kConversionProgressLines data records and during long gap
// fills; false stops: the output then holds what was converted and the
// outcome is Silent with the file in written. Messages: 24, 2, 22 (a line
// that is no well-formed record, a wrong checksum, a record below the output
// position in kImage, an output past 7FFFFFFF bytes; detail names the line),
// 23 on success. A file without data records (an empty one too) gives an
// empty bin and message 23.
[[nodiscard]] Outcome ConvertS3ToBin(const S3ToBinRequest& request, std::string_view binPath,
                                     const ProgressFn& progress = {}, ConversionStatus* status = nullptr);

}  // namespace korvana::image
