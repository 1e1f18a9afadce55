// korvana-cli tones: the tone scan, the tone table, the export and the
// replacement of built-in tones, as the editor's tab "Töne" does them.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "image/file_read.h"
#include "image/handset_image.h"
#include "image/path.h"
#include "tones/replacement_list.h"
#include "tones/tone_export.h"
#include "tones/tone_patch.h"
#include "tones/tone_scanner.h"
#include "tones/tone_table.h"

namespace korvana::cli {

namespace {
struct TonesArgs {
  std::string firmware;
  std::string table;
  std::string name;
  std::vector<std::string> rows;
  std::vector<std::string> pairs;
  std::string s3;
  bool write = false;
  bool yes = false;
};

// Prints records in one block: a scan of a large image lists hundreds of
// tones and should cost one write, not one per line.
void PrintRecords(const std::vector<std::vector<std::string>>& records) {
  std::string out;
  for (const auto& fields : records) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out.push_back('\t');
      out += fields[i];
    }
    out.push_back('\n');
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
}

// Loads the firmware and scans it, as "Durchsuche" after opening it.
Outcome LoadAndScan(const std::string& firmware, image::HandsetImage& image, tones::ToneList& list) {
  if (Outcome loaded = image.LoadMapped(firmware); !loaded.ok) return loaded;
  return tones::ScanTones(image, list);
}

int Scan(const TonesArgs& args) {
  image::HandsetImage image;
  tones::ToneList list;
  if (Outcome scanned = LoadAndScan(args.firmware, image, list); !scanned.ok) return Report(scanned);
  std::vector<std::vector<std::string>> records;
  records.reserve(list.Rows().size());
  for (const tones::ToneEntry& e : list.Rows()) records.push_back({e.number, e.start, e.stop, e.size});
  PrintRecords(records);
  if (!args.table.empty()) return Report(tones::SaveToneTable(list, args.table));
  return 0;
}

int Table(const TonesArgs& args) {
  tones::ToneList list;
  const Outcome opened = tones::OpenToneTable(args.table, list);
  std::vector<std::vector<std::string>> records;
  for (const tones::ToneEntry& e : list.Rows()) records.push_back(e.Texts());
  PrintRecords(records);  // a bad line keeps the rows before it, as in the editor
  return Report(opened);
}

int Export(const TonesArgs& args) {
  image::HandsetImage image;
  tones::ToneList list;
  if (Outcome scanned = LoadAndScan(args.firmware, image, list); !scanned.ok) return Report(scanned);
  std::vector<int> rows;
  for (const std::string& number : args.rows) {
    const auto row = list.FindByNumber(number);
    if (!row) return Report(Outcome::Failure(msg::kSelectToneToExport, "no tone " + number));
    rows.push_back(*row);
  }
  const bool all = args.rows.empty();
  if (all) {
    for (int i = 0; i < list.RowCount(); ++i) rows.push_back(i);
  }
  const Outcome exported = tones::ExportTones(image, list, rows, all, args.name);
  for (const std::string& path : exported.written) PrintRecord({path});
  return Report(exported);
}

int Replace(const TonesArgs& args) {
  image::HandsetImage image;
  tones::ToneList list;
  if (Outcome scanned = LoadAndScan(args.firmware, image, list); !scanned.ok) return Report(scanned);
  tones::ReplacementList replacements;
  std::vector<int> toneRows;
  for (const std::string& pair : args.pairs) {
    const auto eq = pair.find('=');
    const std::string number = pair.substr(0, eq);
    const std::string file = eq == std::string::npos ? std::string() : pair.substr(eq + 1);
    const auto row = list.FindByNumber(number);
    if (!row) return Report(Outcome::Failure(msg::kSelectRows, "no tone " + number));
    const auto size = image::FileSizeOf(file);
    if (!size) return Report(Outcome::Failure(msg::kFileError, "cannot open " + file));
    replacements.AddFile(image::FileNameOf(file).empty() ? file : image::FileNameOf(file),
                         tones::FileSizeText(*size), file);
    toneRows.push_back(*row);
  }
  // The files took rows 1..n; the tones fill the same rows in the same
  // order, so each pair stays together, then the list is sorted as the
  // editor leaves it.
  replacements.AddTones(list, toneRows);
  for (int i = 0; i < replacements.RowCount(); ++i) replacements.SetTicked(i, true);

  bool declined = false;
  const app::QuestionFn ask = [&](std::string_view, std::string_view) {
    if (args.yes) return app::Answer::kYes;
    declined = true;
    return app::Answer::kNo;
  };
  Outcome done = args.write ? tones::CopyReplacementsIntoImage(image, replacements, ask)
                            : tones::ExportReplacementsS3(replacements, args.s3, ask);
  if (declined) return Report(Outcome::Failure(msg::kMmfLargerThanTone, "answer --yes to replace it"));
  if (!done.ok || !args.write) return Report(done);
  return Report(image.SaveOverFile(false));
}
}  // namespace

void AddTonesCommands(CLI::App& app, Action& action) {
  auto args = std::make_shared<TonesArgs>();
  CLI::App* tones = app.add_subcommand("tones", "The built-in ringtones: scan, table, export, replace");
  tones->require_subcommand(1);

  CLI::App* scan = tones->add_subcommand("scan", "List the SMAF tones of FW: number, start, stop, size");
  scan->add_option("FW", args->firmware, "firmware image")->required();
  scan->add_option("--table", args->table, "also write the tone table file OUT");
  scan->callback([&action, args] { action = [args] { return Scan(*args); }; });

  CLI::App* table = tones->add_subcommand("table", "List the rows of a tone table file");
  table->add_option("TABLE", args->table, "tone table file")->required();
  table->callback([&action, args] { action = [args] { return Table(*args); }; });

  CLI::App* exp = tones->add_subcommand("export", "Export tones of a fresh scan as NAME-ROW.mmf files");
  exp->add_option("FW", args->firmware, "firmware image")->required();
  exp->add_option("NAME", args->name, "the chosen file name, as in the save dialog")->required();
  exp->add_option("ROW", args->rows, "tone numbers as listed (003); every tone when none is given");
  exp->callback([&action, args] { action = [args] { return Export(*args); }; });

  CLI::App* replace = tones->add_subcommand("replace", "Replace tones by SMAF files, as a patch or in FW");
  replace->add_option("FW", args->firmware, "firmware image")->required();
  replace->add_option("ROW=FILE", args->pairs, "tone ROW of a fresh scan and the SMAF file that replaces it")->required();
  auto* s3 = replace->add_option("--s3", args->s3, "write the S-record patch OUT");
  auto* write = replace->add_flag("--write", args->write, "write the replacements into FW");
  s3->excludes(write);
  replace->add_flag("--yes", args->yes, "replace even when a file is larger than its tone");
  replace->callback([&action, args, replace] {
    if (args->s3.empty() && !args->write) throw CLI::RequiredError("--s3 or --write");
    action = [args] { return Replace(*args); };
  });
}

}  // namespace korvana::cli
