#include "tones/tone_export.h"

#include <algorithm>

#include "image/atomic_file.h"
#include "tones/text_order.h"

namespace korvana::tones {

namespace {
constexpr std::string_view kMmfExtension = ".mmf";
}  // namespace

std::string ExportFileName(std::string_view chosenPath, std::string_view number) {
  std::string name(chosenPath);
  if (HasMmfExtension(name)) name.resize(name.size() - kMmfExtension.size());
  name.append("-").append(number).append(kMmfExtension);
  return name;
}

Outcome WriteToneFile(const image::HandsetImage& image, const ToneEntry& entry, std::string_view path) {
  const AddressRange range = ToneRangeOf(entry);
  if (range.first < 0 || range.Size() < 1 || range.last >= image.Size()) {
    return Outcome::Failure(msg::kFileError, "tone " + entry.number + " (" + entry.start + " - " + entry.stop +
                                                 ") lies outside the image");
  }
  const auto bytes = image.Bytes().subspan(static_cast<std::size_t>(range.first), static_cast<std::size_t>(range.Size()));
  if (!image::WriteFileAtomically(path, bytes)) {
    return Outcome::Failure(msg::kFileError, "cannot write " + std::string(path));
  }
  Outcome out = Outcome::Success();
  out.written.emplace_back(path);
  return out;
}

Outcome ExportTones(const image::HandsetImage& image, const ToneList& list, const std::vector<int>& selectedRows,
                    bool all, std::string_view chosenPath, const ProgressFn& progress) {
  if (selectedRows.empty()) return Outcome::Failure(msg::kSelectToneToExport);
  std::vector<std::string> written;
  for (int i = 0; i < list.RowCount(); ++i) {
    if (all || std::find(selectedRows.begin(), selectedRows.end(), i) != selectedRows.end()) {
      const ToneEntry& entry = list.Row(i);
      Outcome one = WriteToneFile(image, entry, ExportFileName(chosenPath, entry.number));
      if (!one.ok) {
        one.written = std::move(written);
        return one;
      }
      written.push_back(std::move(one.written.front()));
    }
    if (progress && !progress(i + 1)) {
      Outcome stopped = Outcome::Silent();
      stopped.detail = "export stopped";
      stopped.written = std::move(written);
      return stopped;
    }
  }
  Outcome out = Outcome::Success(msg::kMmfExported);
  out.written = std::move(written);
  return out;
}

}  // namespace korvana::tones
