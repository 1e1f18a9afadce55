// korvana-cli bin2s3 and s32bin: the converter of the tab "s3Datei", with the
// options in place of its fields and the output path in place of its dialog.

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "cli/cli_common.h"
#include "image/hex.h"
#include "image/srecord_converter.h"

namespace korvana::cli {

namespace {
struct ConverterArgs {
  std::string input;
  std::string output;
  std::string mode = "all";
  std::string start;
  std::string stop;
  std::string fill = "00";
};

// A fill value that does not fit a byte is a usage error, said before any
// file is touched.
std::string CheckFillByte(const std::string& text) {
  try {
    (void)image::FillByteOf(text);
    return {};
  } catch (const image::HexOverflow&) {
    return "the fill value must be a hex byte (00 .. FF)";
  }
}

// The editor's fields hold full paths from its dialogs, and the converter
// takes a path without a folder for "no file named"; a path given here is
// relative to the working folder instead.
std::string FullPath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.string();
}

int BinToS3(const ConverterArgs& args) {
  static const std::map<std::string, image::S3AddressMode> kModes{
      {"all", image::S3AddressMode::kAll}, {"part", image::S3AddressMode::kPart}, {"fill", image::S3AddressMode::kFill}};
  const image::BinToS3Request request{FullPath(args.input), kModes.at(args.mode), args.start, args.stop, args.fill};
  return Report(image::ConvertBinToS3(request, args.output));
}

int S3ToBin(const ConverterArgs& args) {
  const image::S3ToBinRequest request{
      FullPath(args.input), args.mode == "part" ? image::BinLayout::kPacked : image::BinLayout::kImage, args.fill};
  return Report(image::ConvertS3ToBin(request, args.output));
}
}  // namespace

void AddConverterCommands(CLI::App& app, Action& action) {
  auto args = std::make_shared<ConverterArgs>();

  CLI::App* toS3 = app.add_subcommand("bin2s3", "bin -> S-record: \"alles\", \"teilw.\" or \"füllen\"");
  toS3->add_option("BIN", args->input, "raw file")->required();
  toS3->add_option("OUT", args->output, "S-record file to write")->required();
  toS3->add_option("--mode", args->mode, "all (\"alles\", default), part (\"teilw.\"), fill (\"füllen\")")
      ->check(CLI::IsMember({"all", "part", "fill"}));
  toS3->add_option("--start", args->start, "start address, hex (part, fill)");
  toS3->add_option("--stop", args->stop, "stop address, hex (part, fill); default start + file length - 1");
  toS3->add_option("--fill", args->fill, "fill byte, hex (default 00)")->check(CheckFillByte);
  toS3->callback([&action, args] { action = [args] { return BinToS3(*args); }; });

  CLI::App* toBin = app.add_subcommand("s32bin", "S-record -> bin: \"alles inkl. leer\" or \"teilweise\"");
  toBin->add_option("S3", args->input, "S-record file")->required();
  toBin->add_option("OUT", args->output, "raw file to write")->required();
  toBin->add_option("--mode", args->mode, "all (image from address 0, gaps filled; default), part (data only)")
      ->check(CLI::IsMember({"all", "part"}));
  toBin->add_option("--fill", args->fill, "fill byte of the gaps, hex (default 00)")->check(CheckFillByte);
  toBin->callback([&action, args] { action = [args] { return S3ToBin(*args); }; });
}

}  // namespace korvana::cli
