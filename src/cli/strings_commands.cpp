// korvana-cli strings find | replace: the string search of the tab
// "Zeichen" from the beginning to its last hit, and one replacement row
// written as a patch or into the image.

#include <memory>
#include <string>

#include "cli/cli_common.h"
#include "image/handset_image.h"
#include "image/hex.h"
#include "strings/string_list.h"
#include "strings/string_patch.h"
#include "strings/string_search.h"

namespace korvana::cli {

namespace {
struct StringArgs {
  std::string firmware;
  std::string text;
  std::string start;
  std::string stop;
  std::string s3Out;
  bool write = false;
  bool chinese = false;

  [[nodiscard]] strings::StringEncoding Encoding() const {
    return chinese ? strings::StringEncoding::kChinese : strings::StringEncoding::kEnglish;
  }
};

int Find(const StringArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  const strings::StringSearchRequest request{args.text, args.Encoding(), false};
  strings::StringSearchFields fields;
  for (;;) {
    const Outcome hit = strings::SearchString(image, request, fields);
    if (hit.message == msg::kSearchFinished) return 0;  // every occurrence shown
    if (!hit.ok) return Report(hit);
    PrintRecord({fields.start, fields.stop, fields.length});
  }
}

int Replace(const StringArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  const strings::StringEncoding encoding = args.Encoding();
  // The fields as a search of this range would have filled them.
  const std::int64_t first = image::HexToLong(args.start);
  const std::int64_t last = image::HexToLong(args.stop);
  const std::int64_t byteLength = last - first + 1;
  if (byteLength < 1) return Report(Outcome::Failure(msg::kIncompleteInfo, "STOP lies before START"));
  const std::int64_t limit = strings::ReplacementLimit(byteLength, encoding);
  if (limit > 0 && static_cast<std::int64_t>(strings::Utf16Length(args.text)) > limit) {
    return Report(Outcome::Failure(msg::kIncompleteInfo, "TEXT is longer than the string (" +
                                                             std::to_string(limit) + " characters)"));
  }
  strings::StringList list;
  const Outcome added = list.AddReplacement(image::HexPad(first, 8), image::HexPad(last, 8), args.text,
                                            strings::FoundLengthText(byteLength, encoding));
  if (!added.ok) return Report(added);
  list.SetTicked(0, true);

  if (!args.s3Out.empty()) return Report(strings::WriteStringPatch(list, encoding, args.s3Out));
  if (const Outcome written = strings::WriteStringsIntoImage(list, encoding, image); !written.ok) {
    return Report(written);
  }
  return Report(image.SaveOverFile(false));
}
}  // namespace

void AddStringsCommands(CLI::App& app, Action& action) {
  auto args = std::make_shared<StringArgs>();
  CLI::App* group = app.add_subcommand("strings", "Text strings: search and replacement");
  group->require_subcommand(1);

  CLI::App* find = group->add_subcommand("find", "Every occurrence of TEXT from the beginning: start, stop, length");
  find->add_option("FW", args->firmware, "firmware image")->required();
  find->add_option("TEXT", args->text, "the text to search")->required();
  find->add_flag("--chinese", args->chinese, "search the two-byte \"Chinese \" form instead of the code page's");
  find->callback([&action, args] { action = [args] { return Find(*args); }; });

  CLI::App* replace = group->add_subcommand("replace", "Replace the string at START..STOP by TEXT, padded with blanks");
  replace->add_option("FW", args->firmware, "firmware image")->required();
  replace->add_option("START", args->start, "start address (hex)")->required();
  replace->add_option("STOP", args->stop, "stop address (hex)")->required();
  replace->add_option("TEXT", args->text, "the replacement, no longer than the string")->required();
  replace->add_flag("--chinese", args->chinese, "count and encode in the two-byte \"Chinese \" form");
  CLI::Option* s3 = replace->add_option("--s3", args->s3Out, "write the patch as S-record file OUT");
  CLI::Option* write = replace->add_flag("--write", args->write, "write into the image and save it over FW");
  s3->excludes(write);
  write->excludes(s3);
  replace->callback([&action, args, s3, write] {
    if (s3->count() == 0 && write->count() == 0) throw CLI::RequiredError("--s3 or --write");
    action = [args] { return Replace(*args); };
  });
}

}  // namespace korvana::cli
