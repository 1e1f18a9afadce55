#include "tones/tone_patch.h"

#include <cstdio>
#include <memory>

#include "app/shared_texts.h"
#include "image/hex.h"
#include "image/srecord_writer.h"
#include "tones/tone_scanner.h"

namespace korvana::tones {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// "Ton 003": the tone's number, the first word of the row's tone part.
std::string ToneLabelOf(const ReplacementRow& row) { return "Ton " + row.tonePart.substr(0, row.tonePart.find(' ')); }

Outcome Stopped() {
  Outcome out = Outcome::Silent();
  out.detail = "stopped";
  return out;
}
}  // namespace

Outcome ReadReplacement(const ReplacementRow& row, const app::QuestionFn& ask, ReplacementData& data) {
  const auto fields = ParseTonePart(row.tonePart);
  if (!fields) return Outcome::Failure(msg::kFileError, "tone part \"" + row.tonePart + "\" cannot be read");
  const std::int64_t builtInSize = LeadingDecimal(fields->sizeText);
  const std::int64_t fileSize = LeadingDecimal(SizeTextOf(row.filePart));
  if (builtInSize < fileSize) {
    const app::Answer answer = ask ? ask(app::kToneTooLargeQuestion, app::kQuestionTitle) : app::Answer::kNo;
    if (answer != app::Answer::kYes) return Outcome::Silent();
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(row.filePath.c_str(), "rb"));
  if (!file) return Outcome::Failure(msg::kFileError, "cannot open " + row.filePath);
  if (builtInSize == 0) return Outcome::Failure(msg::kEmptyFile, "tone " + fields->startText + " has size 0");

  // The size and the range come from texts that a table file may have
  // brought in: they must agree, and stay within what a tone can be, before
  // a buffer is sized from them or a byte is written over the image.
  const AddressRange range{image::HexToLong(fields->startText), image::HexToLong(fields->stopText)};
  if (builtInSize > kMaxToneSize || range.Size() != builtInSize) {
    return Outcome::Failure(msg::kFileError, "tone " + fields->startText + " - " + fields->stopText +
                                                 " does not match its size " + fields->sizeText);
  }
  data.range = range;
  data.bytes.assign(static_cast<std::size_t>(builtInSize), 0);
  const std::size_t got = std::fread(data.bytes.data(), 1, data.bytes.size(), file.get());
  if (got < data.bytes.size() && std::ferror(file.get())) {
    return Outcome::Failure(msg::kFileError, "cannot read " + row.filePath);
  }
  return Outcome::Success();
}

Outcome ExportReplacementsS3(const ReplacementList& list, std::string_view s3Path, const app::QuestionFn& ask,
                             const ProgressFn& progress) {
  const std::vector<int> rows = list.PatchRows();
  if (rows.empty()) return Outcome::Silent();
  image::S3Writer writer;  // reaches the disk only when the last range is closed
  for (std::size_t k = 0; k < rows.size(); ++k) {
    ReplacementData data;
    if (Outcome read = ReadReplacement(list.Row(rows[k]), ask, data); !read.ok) return read;
    Outcome written = image::WriteS3Range(writer, data.bytes, data.range.first, data.range.last, s3Path, k == 0,
                                          k + 1 == rows.size());
    if (!written.ok || k + 1 == rows.size()) return written;
    if (progress && !progress(static_cast<std::int64_t>(k + 1))) return Stopped();
  }
  return Outcome::Silent();  // not reached: the last row returns above
}

Outcome CopyReplacementsIntoImage(image::HandsetImage& image, const ReplacementList& list, const app::QuestionFn& ask,
                                  const ProgressFn& progress) {
  const std::vector<int> rows = list.PatchRows();
  if (rows.empty()) return Outcome::Failure(msg::kSelectRows);
  if (!image.FileLoaded()) return Outcome::Failure(msg::kOpenHandsetFirst);
  image::ChangeStep step(image);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const ReplacementRow& row = list.Row(rows[k]);
    ReplacementData data;
    if (Outcome read = ReadReplacement(row, ask, data); !read.ok) return read;
    const auto count = static_cast<Length>(data.bytes.size());
    const std::string label = ToneLabelOf(row);
    if (Outcome copied = image.CopyIntoImage(data.bytes, data.range.first, count, {label}); !copied.ok) {
      return copied;
    }
    if (progress && !progress(static_cast<std::int64_t>(k + 1))) return Stopped();
  }
  return Outcome::Success(msg::kFileModified);
}

}  // namespace korvana::tones
