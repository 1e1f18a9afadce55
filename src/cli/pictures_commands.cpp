// korvana-cli pictures: the picture table, the BMP export of picture frames
// and the picture patch, as the picture tab does them.

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "app/shared_texts.h"
#include "cli/cli_common.h"
#include "image/handset_image.h"
#include "pictures/picture_export.h"
#include "pictures/picture_table.h"

namespace korvana::cli {

namespace {
struct PicturesArgs {
  std::string firmware;
  std::string table;
  std::string target;  // DIR of export, OUT of s3
  std::vector<std::string> rows;
  std::string offset;
  bool computeSize = false;
};

// The table as the tab reads it; nothing (after reporting) on failure.
bool LoadList(const PicturesArgs& args, pictures::PictureList& list, int& status) {
  pictures::PictureTableRead read = pictures::ReadPictureTable(args.table, {args.offset, args.computeSize});
  if (!read.outcome.ok) {
    status = Report(read.outcome);
    return false;
  }
  list.SetRows(std::move(read.rows));
  return true;
}

// The list rows named by their number texts, in list order; every row when
// none is named.
bool ChosenRows(const PicturesArgs& args, const pictures::PictureList& list, std::vector<int>& rows, int& status) {
  if (args.rows.empty()) {
    for (int i = 0; i < list.RowCount(); ++i) rows.push_back(i);
    return true;
  }
  for (const std::string& number : args.rows) {
    const int row = list.FindNumber(number);
    if (row < 0) {
      status = Report(Outcome::Failure(msg::kSelectRows, "no picture row " + number));
      return false;
    }
    rows.push_back(row);
  }
  // The editor visits its selected rows in list order.
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return true;
}

int List(const PicturesArgs& args) {
  pictures::PictureList list;
  int status = 0;
  if (!LoadList(args, list, status)) return status;
  for (int i = 0; i < list.RowCount(); ++i) PrintRecord(list.RowTexts(i));
  return 0;
}

int Export(const PicturesArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  pictures::PictureList list;
  std::vector<int> rows;
  int status = 0;
  if (!LoadList(args, list, status) || !ChosenRows(args, list, rows, status)) return status;
  const auto palette = pictures::LoadPalette16(app::ProgramFolder(app::ExecutableFolder()), app::ExecutableFolder());
  const Outcome out = pictures::ExportPictures(image, list, rows, args.target, palette, {},
                                               [] { std::cerr << app::kBadBmpFormatText << '\n'; });
  for (const std::string& path : out.written) PrintRecord({path});
  return Report(out);
}

int Patch(const PicturesArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  pictures::PictureList list;
  std::vector<int> rows;
  int status = 0;
  if (!LoadList(args, list, status) || !ChosenRows(args, list, rows, status)) return status;
  return Report(pictures::WritePicturePatch(image, list, rows, args.target, {}));
}

void AddTableOptions(CLI::App* command, PicturesArgs& args) {
  command->add_option("--offset", args.offset, "hex added to every table address (a leading - subtracts)");
  command->add_flag("--compute-size", args.computeSize, "compute the frame size from dimensions and depth");
}
}  // namespace

void AddPicturesCommands(CLI::App& app, Action& action) {
  CLI::App* group = app.add_subcommand("pictures", "Picture table, BMP export and picture patch");
  group->require_subcommand(1);
  auto args = std::make_shared<PicturesArgs>();

  CLI::App* list = group->add_subcommand("list", "Read a picture table: one line per row");
  list->add_option("TABLE", args->table, "picture table file")->required();
  AddTableOptions(list, *args);
  list->callback([&action, args] { action = [args] { return List(*args); }; });

  CLI::App* exp = group->add_subcommand("export", "Every frame of the named pictures as BMP files");
  exp->add_option("FW", args->firmware, "firmware image")->required();
  exp->add_option("TABLE", args->table, "picture table file")->required();
  exp->add_option("DIR", args->target, "folder for the BMP files")->required();
  exp->add_option("ROW", args->rows, "row numbers as the list shows them (all rows when none)");
  AddTableOptions(exp, *args);
  exp->callback([&action, args] { action = [args] { return Export(*args); }; });

  CLI::App* s3 = group->add_subcommand("s3", "The picture patch of the named rows");
  s3->add_option("FW", args->firmware, "firmware image")->required();
  s3->add_option("TABLE", args->table, "picture table file")->required();
  s3->add_option("OUT", args->target, "S-record file to write")->required();
  s3->add_option("ROW", args->rows, "row numbers as the list shows them")->required();
  AddTableOptions(s3, *args);
  s3->callback([&action, args] { action = [args] { return Patch(*args); }; });
}

}  // namespace korvana::cli
