// korvana-cli addr and calc: the address tools. The searches print the rows
// of the tool windows' place list; the changes take the place that the user
// would tick.

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "image/handset_image.h"
#include "image/hex.h"
#include "tools/address_calculator.h"
#include "tools/address_change.h"
#include "tools/place_search.h"

namespace korvana::cli {

namespace {
struct AddressArgs {
  std::string firmware;
  std::string address;
  std::string place;
  std::string newAddress;
  std::string size;
  std::string dimensions;
  std::string out;
};

int PrintPlaces(const Outcome& searched, const tools::PlaceList& places) {
  for (int row = 0; row < places.RowCount(); ++row) PrintRecord(places.RowTexts(row));
  return Report(searched);
}

int Find(const AddressArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  tools::PlaceList places;
  return PrintPlaces(tools::FindAddressPlaces(image, args.address, places, {}), places);
}

int Pictures(const AddressArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  tools::PlaceList places;
  return PrintPlaces(tools::FindPictureRecordPlaces(image, args.address, args.dimensions, places, {}), places);
}

int Set(const AddressArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  const Outcome changed = tools::ChangeAddressAt(image, image::HexToLong(args.place), args.newAddress);
  if (!changed.ok) return Report(changed);
  return Report(image.SaveOverFile(false));
}

int Patch(const AddressArgs& args) {
  // As in the editor, every empty field is named: 39, then 40.
  if (const std::vector<int> missing = tools::MissingOffsetFields(args.newAddress, args.size); !missing.empty()) {
    for (int message : missing) (void)Report(Outcome::Failure(message));
    return 1;
  }
  return Report(tools::WriteOffsetPatch(image::HexToLong(args.place), args.newAddress, args.size, args.out));
}

int PicturePatch(const AddressArgs& args) {
  return Report(tools::WritePictureOffsetPatch(image::HexToLong(args.place), args.newAddress, args.out));
}

int Calc(const AddressArgs& args) {
  const tools::NextAddress next = tools::NextAddressAfter(args.address, args.size);
  if (next.outcome.ok) PrintRecord({next.text});
  return Report(next.outcome);
}

// Adds a subcommand whose action runs fn with the shared arguments.
CLI::App* AddCommand(CLI::App& group, const char* name, const char* description, Action& action,
                     const std::shared_ptr<AddressArgs>& args, int (*fn)(const AddressArgs&)) {
  CLI::App* command = group.add_subcommand(name, description);
  command->callback([&action, args, fn] { action = [args, fn] { return fn(*args); }; });
  return command;
}
}  // namespace

void AddAddressCommands(CLI::App& app, Action& action) {
  auto args = std::make_shared<AddressArgs>();

  CLI::App* addr = app.add_subcommand("addr", "Find and rewrite the stored addresses of tones and pictures");
  addr->require_subcommand(1);

  CLI::App* find = AddCommand(*addr, "find", "The places where ADDR is stored (address change search)", action,
                              args, Find);
  find->add_option("FW", args->firmware, "firmware image")->required();
  find->add_option("ADDR", args->address, "stored address, hex")->required();

  CLI::App* set = AddCommand(*addr, "set", "Write NEWADDR in stored form at PLACE and save FW", action, args, Set);
  set->add_option("FW", args->firmware, "firmware image")->required();
  set->add_option("PLACE", args->place, "place, hex")->required();
  set->add_option("NEWADDR", args->newAddress, "new address, hex")->required();

  CLI::App* patch = AddCommand(*addr, "patch", "S-record patch of the 8 bytes at PLACE: NEWADDR and SIZE",
                               action, args, Patch);
  patch->add_option("PLACE", args->place, "place, hex")->required();
  patch->add_option("NEWADDR", args->newAddress, "new address, hex")->required();
  patch->add_option("SIZE", args->size, "new size in bytes, decimal")->required();
  patch->add_option("OUT", args->out, "S-record file to write")->required();

  CLI::App* pictures = AddCommand(*addr, "pictures", "The places of the directory record of a picture", action,
                                  args, Pictures);
  pictures->add_option("FW", args->firmware, "firmware image")->required();
  pictures->add_option("ADDR", args->address, "picture data address, hex")->required();
  pictures->add_option("DIMENSIONS", args->dimensions, "width*height as the picture list shows it")->required();

  CLI::App* picturePatch = AddCommand(*addr, "picture-patch",
                                      "S-record patch of the address field (PLACE + 4) of the record at PLACE",
                                      action, args, PicturePatch);
  picturePatch->add_option("PLACE", args->place, "record place, hex")->required();
  picturePatch->add_option("NEWADDR", args->newAddress, "new address, hex")->required();
  picturePatch->add_option("OUT", args->out, "S-record file to write")->required();

  CLI::App* calc = AddCommand(app, "calc", "The address calculator: the first address after SIZE bytes at START",
                              action, args, Calc);
  calc->add_option("START", args->address, "start address, hex")->required();
  calc->add_option("SIZE", args->size, "size in bytes, decimal (or &H hex)")->required();
}

}  // namespace korvana::cli
