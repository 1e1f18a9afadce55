#pragma once
// The loaded firmware: its bytes, its file, its modified state and the one
// search cursor that every searching command shares.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/change_journal.h"
#include "image/outcome.h"
#include "image/types.h"

namespace korvana::image {

class MappedFile;

class HandsetImage {
 public:
  // --- loading and saving ---------------------------------------------------

  // Reads the whole file. Fails with message 1 for an empty file and 2 for a
  // file that cannot be read, is 2 GiB or larger, or whose version bytes lie
  // outside it. A failed load leaves everything as it was (name, bytes,
  // version, modified state), so a later save still writes the old image to
  // the old file.
  [[nodiscard]] Outcome Load(std::string_view path);

  // Load for the command line's commands, which run once over an image: the
  // file is mapped rather than read, with the same checks and messages as
  // Load. The first change copies the bytes into memory, so changing and
  // saving work as after Load. The editor keeps using Load: a mapping would
  // show changes that another program makes to the file meanwhile.
  [[nodiscard]] Outcome LoadMapped(std::string_view path);

  // Writes the image over its file through a temporary file, so the file is
  // either the old or the new one. Success clears the modified state and
  // carries message 21 when confirm is true; failure carries message 2 and
  // leaves the image marked modified.
  [[nodiscard]] Outcome SaveOverFile(bool confirm);

  // Writes the image to path the same way, and the image then continues on
  // that file: FileName() becomes path, the modified state clears and the
  // journal's save point moves, so that undo still knows which steps the
  // file holds. Success carries message 21 and path in written; failure
  // carries message 2 and leaves file name and modified state as they were
  // (nothing loaded: nothing is written).
  [[nodiscard]] Outcome SaveAs(std::string_view path);

  // Loads bytes directly, as if read from a file of that name (tests, demo).
  void Assign(std::vector<std::uint8_t> bytes, std::string fileName);

  // --- data access -----------------------------------------------------------

  [[nodiscard]] bool FileLoaded() const { return m_loaded; }
  [[nodiscard]] const std::string& FileName() const { return m_fileName; }
  [[nodiscard]] Length Size() const { return static_cast<Length>(Bytes().size()); }
  [[nodiscard]] std::span<const std::uint8_t> Bytes() const;
  // The firmware version as found at load: raw code-page bytes, maybe empty.
  [[nodiscard]] const std::string& VersionText() const { return m_version; }

  // --- changes ---------------------------------------------------------------

  // Copies count bytes to position. The whole range is checked first: a copy
  // that would write past the end of the image or read past the end of bytes
  // changes nothing and fails with message 2. A count below 1 copies nothing.
  // A successful copy of at least one byte marks the image modified and is
  // recorded in the journal under label, as a step of its own unless a
  // ChangeStep is open.
  [[nodiscard]] Outcome CopyIntoImage(std::span<const std::uint8_t> bytes, Address position, Length count,
                                      const ChangeLabel& label = {"Bytes", true});

  [[nodiscard]] bool Modified() const { return m_modified; }
  void SetModified(bool modified);
  // Called whenever the modified state turns, however the command that
  // turned it ends (a front end keeps its "Save" button in step with it).
  void SetModifiedListener(std::function<void(bool modified)> listener) { m_modifiedListener = std::move(listener); }

  // --- journal: undo, redo, the list of changes ---------------------------------

  // Every change since the load (see ChangeJournal): labels for undo and
  // redo, the list of changes, its memory. A load clears it; a save keeps
  // it and makes the image as it stands the one on disk.
  [[nodiscard]] const ChangeJournal& Journal() const { return m_journal; }
  // Takes back the newest applied step, or applies again the oldest undone
  // one, with what the command changed beside the image. The image is
  // modified exactly when its steps differ from those of the last save or
  // load. False when there is nothing to take back or to apply again.
  bool Undo();
  bool Redo();
  // Called after every change of the journal: a step recorded, undone or
  // redone, the journal cleared by a load, the save point moved by a save.
  void SetJournalListener(std::function<void()> listener) { m_journalListener = std::move(listener); }
  // Gives the step being recorded (see ChangeStep) what its command changed
  // beside the image; false when no step of the open ChangeStep has written.
  bool AttachToStep(std::unique_ptr<StepCompanion> companion) { return m_journal.Attach(std::move(companion)); }
  // Where the image now differs from the image as loaded, with the ranges of
  // DiffRangeBuilder, found from the journal alone.
  [[nodiscard]] std::vector<AddressRange> ChangedRanges() const { return m_journal.ChangedRanges(Bytes()); }

  // --- finding ---------------------------------------------------------------

  // Looks for the bytes spelt by patternHex (pairs of hex digits) from index
  // SearchStart + 1 on. A hit sets SearchStart and FoundPos to its index; a
  // miss sets SearchStart to 0 and leaves FoundPos at SearchStart + 1 of the
  // call. Index 0 is never examined; overlapping hits are found one by one.
  bool FindHexPattern(std::string_view patternHex);
  // The same with the bytes given directly.
  bool FindBytes(std::span<const std::uint8_t> pattern);

  [[nodiscard]] Address SearchStart() const { return m_searchStart; }
  void SetSearchStart(Address start) { m_searchStart = start; }
  [[nodiscard]] Address FoundPos() const { return m_foundPos; }

 private:
  friend class ChangeStep;
  void BeginStep() { m_journal.BeginStep(); }
  void EndStep();
  void JournalChanged();

  // Commits a loaded candidate (bytes or mapping, version) as the image.
  void TakeLoaded(HandsetImage& candidate, std::string_view path, std::string version);

  std::vector<std::uint8_t> m_bytes;
  // Set while the image is the mapped file (LoadMapped, until a change).
  std::shared_ptr<const MappedFile> m_mapped;
  std::string m_fileName;
  std::string m_version;
  bool m_loaded = false;
  bool m_modified = false;
  std::function<void(bool)> m_modifiedListener;
  ChangeJournal m_journal;
  std::function<void()> m_journalListener;
  bool m_stepWritten = false;  // the open ChangeStep has written
  Address m_searchStart = 0;
  Address m_foundPos = 0;
};

// Makes every write into image from construction to destruction one step of
// undo: a command that writes several ranges is undone as a whole. Steps
// nest; the outermost one counts.
class ChangeStep {
 public:
  explicit ChangeStep(HandsetImage& image) : m_image(image) { m_image.BeginStep(); }
  ~ChangeStep() { m_image.EndStep(); }
  ChangeStep(const ChangeStep&) = delete;
  ChangeStep& operator=(const ChangeStep&) = delete;

 private:
  HandsetImage& m_image;
};

// The version text of an image: the 8 bytes 17 bytes after "VersionString:",
// else the 8 bytes 12 bytes before "Rev S", else empty; in each case up to
// the first NUL byte. Fails (nullopt-like false) when a marker is found but
// its 8 bytes lie outside the image. Uses and resets the image's search
// cursor.
[[nodiscard]] bool FindVersionText(HandsetImage& image, std::string& version);

// Pattern bytes of a hex text: pair i is characters 2i-1 and 2i; an odd last
// character is ignored.
[[nodiscard]] std::vector<std::uint8_t> PatternBytesOf(std::string_view patternHex);

}  // namespace korvana::image
