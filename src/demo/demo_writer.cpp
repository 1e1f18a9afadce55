#include "demo/demo_writer.h"

#include <filesystem>
#include <system_error>

#include "demo/demo_firmware.h"
#include "image/atomic_file.h"
#include "image/handset_image.h"
#include "image/hex.h"
#include "image/path.h"
#include "pictures/picture_table.h"
#include "tones/tone_scanner.h"
#include "tones/tone_table.h"

namespace korvana::demo {

namespace {
Outcome CannotWrite(const std::string& path) { return Outcome::Failure(msg::kFileError, "cannot write " + path); }

bool MakeFolderFor(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(image::FolderOf(path)), error);
  return !error;
}

// The tone table of the image as the tab "Töne" saves it after a scan, with
// the notes of the layout.
Outcome WriteToneTable(const DemoFirmware& demo, const std::string& path) {
  image::HandsetImage image;
  image.Assign(demo.image, std::string(kDemoImageName));
  tones::ToneList list;
  if (const Outcome scanned = tones::ScanTones(image, list); !scanned.ok) return scanned;
  for (int row = 0; row < list.RowCount() && row < static_cast<int>(demo.tones.size()); ++row) {
    list.SetNote(row, demo.tones[static_cast<std::size_t>(row)].note);
  }
  const Outcome saved = tones::SaveToneTable(list, path);
  return saved.ok ? Outcome::Success() : CannotWrite(path);
}

Outcome WritePictureTableOf(const DemoFirmware& demo, const std::string& path) {
  pictures::PictureList list;
  std::vector<pictures::PictureEntry> rows;
  for (const DemoPicture& p : demo.pictures) {
    rows.push_back({tones::RowNumberText(static_cast<int>(rows.size()) + 1), p.name,
                    "0X" + image::HexPad(p.address, 8), std::to_string(p.frames.size()), std::to_string(p.frameSize),
                    std::to_string(p.width) + "*" + std::to_string(p.height), p.depth});
  }
  list.SetRows(std::move(rows));
  const Outcome written = pictures::WritePictureTable(path, list);
  return written.ok ? Outcome::Success() : CannotWrite(path);
}
}  // namespace

Outcome WriteDemo(std::string_view folder) {
  const DemoFirmware demo = BuildDemoFirmware();
  Outcome outcome = Outcome::Success();
  auto note = [&](const std::string& path, const Outcome& step) {
    if (!step.ok) {
      outcome = step;
      return false;
    }
    outcome.written.push_back(path);
    return true;
  };
  auto writeFile = [&](const std::string& path, std::span<const std::uint8_t> bytes) {
    return note(path, MakeFolderFor(path) && image::WriteFileAtomically(path, bytes) ? Outcome::Success()
                                                                                      : CannotWrite(path));
  };

  const std::string imagePath = image::JoinPath(folder, kDemoImageName);
  if (!writeFile(imagePath, demo.image)) return outcome;
  const std::string toneTable = image::JoinPath(folder, kDemoToneTableName);
  if (!note(toneTable, WriteToneTable(demo, toneTable))) return outcome;
  const std::string pictureTable = image::JoinPath(folder, kDemoPictureTableName);
  if (!note(pictureTable, WritePictureTableOf(demo, pictureTable))) return outcome;
  for (const DemoFile& file : demo.files) {
    if (!writeFile(image::JoinPath(folder, file.name), file.bytes)) return outcome;
  }
  return outcome;
}

}  // namespace korvana::demo
