#pragma once
// What a command did, as a value. The message number names an entry of the
// message table (0 = nothing to show); the front end turns it into a box or a
// line on standard error. The core never shows anything itself.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace korvana {

// Numbers of the message table. The texts live in app/message_table.cpp.
namespace msg {
inline constexpr int kNone = 0;
inline constexpr int kEmptyFile = 1;
inline constexpr int kFileError = 2;
inline constexpr int kOpenHandsetFirst = 3;
inline constexpr int kToneTableEmpty = 4;
inline constexpr int kFileAlreadyOpen = 5;
inline constexpr int kToneTableWritten = 6;
inline constexpr int kToneTableBad = 7;
inline constexpr int kSelectToneToExport = 8;
inline constexpr int kMmfExported = 9;
inline constexpr int kS3Okay = 10;
inline constexpr int kSelectRows = 11;
inline constexpr int kMmfLargerThanTone = 12;
inline constexpr int kFileModified = 13;
inline constexpr int kPictureTableWritten = 16;
inline constexpr int kS3WriteError = 17;
inline constexpr int kBmpWritten = 18;
inline constexpr int kBmpSizeMismatch = 19;
inline constexpr int kPictureReplaced = 20;
inline constexpr int kFileSaved = 21;
inline constexpr int kS3FormatBad = 22;
inline constexpr int kBinWritten = 23;
inline constexpr int kSelectS3File = 24;
inline constexpr int kIncompleteInfo = 25;
inline constexpr int kSearchFinished = 26;
inline constexpr int kEnterSearchText = 27;
inline constexpr int kStartAddressEmpty = 28;
inline constexpr int kStopAddressEmpty = 29;
inline constexpr int kStopNotAboveStart = 30;
inline constexpr int kSelectBinFile = 31;
inline constexpr int kStopAnimationFirst = 32;
inline constexpr int kNoHelpFile = 33;
inline constexpr int kColourDepthUnsupported = 34;
inline constexpr int kBmpConvertFailed = 36;
inline constexpr int kBmpOpenFailed = 37;
inline constexpr int kPictureTableBad = 38;
inline constexpr int kEnterOffset = 39;
inline constexpr int kEnterToneSize = 40;
inline constexpr int kCompressedTooLarge = 41;
inline constexpr int kCompressedTooLargeAsk = 42;
inline constexpr int kToneTooLargeAsk = 43;
inline constexpr int kNoChanges = 44;
}  // namespace msg

struct Outcome {
  bool ok = true;
  int message = msg::kNone;  // shown in both cases: success messages too
  std::string detail;        // English detail for the CLI (file, line, offset)
  std::vector<std::string> written;  // files the command wrote
  std::int64_t lines = 0;            // lines of the text file it wrote (an S-record patch), 0 if none

  [[nodiscard]] static Outcome Success(int message = msg::kNone) { return {true, message, {}, {}, 0}; }
  [[nodiscard]] static Outcome Failure(int message, std::string detail = {}) {
    return {false, message, std::move(detail), {}, 0};
  }
  // A command that stopped on the user's word: no message, nothing wrong.
  [[nodiscard]] static Outcome Silent() { return {false, msg::kNone, {}, {}, 0}; }
};

}  // namespace korvana
