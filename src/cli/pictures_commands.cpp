// korvana-cli pictures: the picture table, the BMP export of picture frames,
// the picture patch and the replacement of a frame by a BMP, as the picture
// tab and the replacement editor do them.

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
#include "pictures/picture_replacement.h"
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
  // replace
  std::string row;
  int frame = 1;
  std::string bmp;
  std::vector<std::string> turns;
  bool yes = false;
  bool write = false;
  std::string s3;
};

// The transform buttons of the editor by their option values.
int TurnMode(const std::string& turn) {
  if (turn == "v") return 1;   // VCommand
  if (turn == "h") return 2;   // HCommand
  if (turn == "cw") return 3;  // A1Command
  return 4;                    // A2Command, "ccw"
}

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

// What export and patch start from: the image, the table and the named rows.
struct ChosenPictures {
  image::HandsetImage image;
  pictures::PictureList list;
  std::vector<int> rows;
};

// Loads all three; nothing (after reporting) on failure.
bool LoadChosenPictures(const PicturesArgs& args, ChosenPictures& chosen, int& status) {
  if (const Outcome loaded = chosen.image.Load(args.firmware); !loaded.ok) {
    status = Report(loaded);
    return false;
  }
  return LoadList(args, chosen.list, status) && ChosenRows(args, chosen.list, chosen.rows, status);
}

int Export(const PicturesArgs& args) {
  ChosenPictures chosen;
  int status = 0;
  if (!LoadChosenPictures(args, chosen, status)) return status;
  auto& [image, list, rows] = chosen;
  // The editor's palette: the user's own in the program folder, else the
  // shipped one (beside the executable, or in the installed data folder).
  const app::ProgramFolders folders = app::LocateProgramFolders(app::ExecutableFolder());
  const auto palette = pictures::LoadPalette16(folders.settings, folders.data);
  // A row of a depth that no decoder handles is refused frame by frame; it is
  // named once, and the command fails after exporting every other row.
  std::vector<const pictures::PictureEntry*> refused;
  const Outcome out = pictures::ExportPictures(image, list, rows, args.target, palette, {},
                                               [&refused](const pictures::PictureEntry& row) {
                                                 if (refused.empty() || refused.back() != &row) refused.push_back(&row);
                                               });
  for (const std::string& path : out.written) PrintRecord({path});
  for (const pictures::PictureEntry* row : refused) {
    std::cerr << app::kBadBmpFormatText << ": picture " << row->number << " has depth " << row->depth << '\n';
  }
  if (!out.ok) return Report(out);
  return refused.empty() ? 0 : 1;
}

int Patch(const PicturesArgs& args) {
  ChosenPictures chosen;
  int status = 0;
  if (!LoadChosenPictures(args, chosen, status)) return status;
  return Report(pictures::WritePicturePatch(chosen.image, chosen.list, chosen.rows, args.target, {}));
}

int Replace(const PicturesArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  pictures::PictureList list;
  int status = 0;
  if (!LoadList(args, list, status)) return status;
  const int row = list.FindNumber(args.row);
  if (row < 0) return Report(Outcome::Failure(msg::kSelectRows, "no picture row " + args.row));
  const pictures::TargetRead read = pictures::ReplacementTargetOf(list, row, args.frame);
  if (!read.outcome.ok) return Report(read.outcome);
  const pictures::ReplacementTarget& target = read.target;
  // The preview window offers the frames 1 .. count.
  if (args.frame < 1 || args.frame > target.shape.count) {
    return Report(Outcome::Failure(msg::kSelectRows, "picture " + args.row + " has no frame " +
                                                         std::to_string(args.frame)));
  }
  pictures::NewPicture picture;
  if (const Outcome opened = pictures::OpenNewPicture(args.bmp, target, picture, {}); !opened.ok) {
    return Report(opened);
  }
  for (const std::string& turn : args.turns) {
    if (!pictures::TurnNewPicture(picture, TurnMode(turn), target, {})) {
      return Report(Outcome::Failure(msg::kColourDepthUnsupported, "--turn " + turn + " is not available for a " +
                                                                       std::to_string(picture.bits) + "-bit BMP"));
    }
  }
  bool declined = false;
  const app::QuestionFn ask = [&](std::string_view, std::string_view) {
    if (args.yes) return app::Answer::kYes;
    declined = true;
    return app::Answer::kNo;
  };
  const Outcome replaced = pictures::ReplaceFrame(image, list, target, picture, ask);
  if (declined) {
    return Report(Outcome::Failure(msg::kCompressedTooLarge,
                                   "the compressed picture has " + std::to_string(picture.size) + " bytes, the frame " +
                                       target.frameSizeText + "; answer --yes to replace it"));
  }
  if (!replaced.ok) return Report(replaced);
  if (args.write) return Report(image.SaveOverFile(false));
  return Report(pictures::WritePicturePatch(image, list, {row}, args.s3, {}));
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

  CLI::App* replace =
      group->add_subcommand("replace", "Replace frame FRAME of picture ROW by a BMP, as the editor does");
  replace->add_option("FW", args->firmware, "firmware image")->required();
  replace->add_option("TABLE", args->table, "picture table file")->required();
  replace->add_option("ROW", args->row, "row number as the list shows it")->required();
  replace->add_option("FRAME", args->frame, "frame of the picture, from 1")->required();
  replace->add_option("BMP", args->bmp, "the new picture")->required();
  replace->add_option("--turn", args->turns, "v flip, h mirror, cw / ccw quarter turns; in the order given")
      ->check(CLI::IsMember({"v", "h", "cw", "ccw"}))
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  replace->add_flag("--yes", args->yes, "accept a compressed picture larger than the built-in one");
  auto* write = replace->add_flag("--write", args->write, "save the changed image over FW");
  auto* patch = replace->add_option("--s3", args->s3, "write the picture patch of the row into OUT");
  patch->excludes(write);
  AddTableOptions(replace, *args);
  replace->callback([&action, args] {
    if (args->s3.empty() && !args->write) throw CLI::RequiredError("--s3 or --write");
    action = [args] { return Replace(*args); };
  });
}

}  // namespace korvana::cli
