// korvana-cli diff, apply and verify: the patch between two images, a patch
// written into an image, and a patch checked against one. The rules (ranges,
// overlapping records, what a bad patch gets) live in image/image_patch.

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "image/atomic_file.h"
#include "image/byte_diff.h"
#include "image/handset_image.h"
#include "image/image_patch.h"

namespace korvana::cli {

namespace {
struct PatchArgs {
  std::string firmware;
  std::string newer;
  std::string patch;
  std::string out;
  bool write = false;
};

void PrintRanges(const std::vector<AddressRange>& ranges) {
  for (const AddressRange& r : ranges) {
    PrintRecord({image::AddressText(r.first), image::AddressText(r.last), std::to_string(r.Size())});
  }
}

int Diff(const PatchArgs& args) {
  image::HandsetImage older;
  image::HandsetImage newer;
  if (const Outcome loaded = older.LoadMapped(args.firmware); !loaded.ok) return Report(loaded);
  if (const Outcome loaded = newer.LoadMapped(args.newer); !loaded.ok) return Report(loaded);
  std::vector<AddressRange> ranges;
  const Outcome written = image::WriteImageDiffS3(older.Bytes(), newer.Bytes(), args.out, ranges);
  if (!written.ok) return Report(written);
  PrintRanges(ranges);
  return 0;
}

int Apply(const PatchArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.LoadMapped(args.firmware); !loaded.ok) return Report(loaded);
  if (const Outcome applied = image::ApplyPatch(image, args.patch); !applied.ok) return Report(applied);
  if (args.write) return Report(image.SaveOverFile(false));
  if (!image::WriteFileAtomically(args.out, image.Bytes())) {
    return Report(Outcome::Failure(msg::kFileError, "cannot write " + args.out));
  }
  return 0;
}

int Verify(const PatchArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.LoadMapped(args.firmware); !loaded.ok) return Report(loaded);
  const image::PatchCheck check = image::VerifyPatch(image.Bytes(), args.patch);
  if (!check.outcome.ok) return Report(check.outcome);
  PrintRanges(check.differing);
  return check.differing.empty() ? 0 : 1;
}
}  // namespace

void AddPatchCommands(CLI::App& app, Action& action) {
  auto args = std::make_shared<PatchArgs>();

  CLI::App* diff = app.add_subcommand("diff", "Write the S-record patch that turns OLD into NEW; list its ranges");
  diff->add_option("OLD", args->firmware, "the image as it was")->required();
  diff->add_option("NEW", args->newer, "the image as it is to be, of the same size")->required();
  diff->add_option("OUT", args->out, "the patch to write (none when the images are equal)")->required();
  diff->callback([&action, args] { action = [args] { return Diff(*args); }; });

  CLI::App* apply = app.add_subcommand("apply", "Write the data records of an S-record patch into FW");
  apply->add_option("FW", args->firmware, "firmware image")->required();
  apply->add_option("PATCH", args->patch, "S-record file (S1, S2 or S3)")->required();
  auto* write = apply->add_flag("--write", args->write, "save the patched image over FW");
  auto* out = apply->add_option("--out", args->out, "write the patched image as NEW, FW unchanged");
  write->excludes(out);
  apply->callback([&action, args] {
    if (args->out.empty() && !args->write) throw CLI::RequiredError("--write or --out");
    action = [args] { return Apply(*args); };
  });

  CLI::App* verify = app.add_subcommand("verify", "Check that FW holds every byte of an S-record patch");
  verify->add_option("FW", args->firmware, "firmware image")->required();
  verify->add_option("PATCH", args->patch, "S-record file (S1, S2 or S3)")->required();
  verify->callback([&action, args] { action = [args] { return Verify(*args); }; });
}

}  // namespace korvana::cli
