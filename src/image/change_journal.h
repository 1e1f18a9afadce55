#pragma once
// The record of every write into the image since it was loaded, grouped in
// steps: one step is one command, however many ranges it writes, and undo
// and redo take whole steps.
//
// Each change keeps one copy of its bytes, never a copy of the image: while
// the change is applied the copy holds the bytes it replaced, and undo swaps
// them with the image, so that the copy then holds the bytes it wrote, ready
// for redo. Steps are undone newest first and redone oldest first, so every
// swap meets the image exactly as the change left it. The memory therefore
// grows with the bytes changed, about once, plus a few words per change.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "image/types.h"

namespace korvana::image {

// How the command that writes names its change ("Ton 003").
struct ChangeLabel {
  std::string_view text;
  // The change's own start address follows the text as " 0x" and eight
  // digits ("String 0x00183C96"). It is added when the label is read, so
  // commands that write many ranges under one word cost no text per range.
  bool withAddress = false;
};

// Something a command changed beside the image's bytes (a row text of a
// list), undone and redone with the step that holds it. The object it
// changes must outlive the journal's step, or check that it is still the
// one it changed.
class StepCompanion {
 public:
  virtual ~StepCompanion() = default;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  [[nodiscard]] virtual std::size_t MemoryBytes() const = 0;
};

// One row of the list of changes, as the list shows it.
struct ChangeEntry {
  std::string number;  // "001": the change's place since the load
  std::string label;
  std::string start;   // "0x" and eight hex digits
  std::string stop;    // the last byte written, likewise
  std::string size;    // bytes, decimal
  bool undone = false;
};

class ChangeJournal {
 public:
  // --- recording ---------------------------------------------------------------

  // Groups the changes recorded until the matching EndStep into one step.
  // Steps nest: only the outermost pair counts. A change recorded outside
  // any pair is a step of its own. A step in which nothing was recorded
  // leaves the journal as it was.
  void BeginStep();
  void EndStep();

  // Records a write over image[position, position + replaced.size()) before
  // it happens: replaced is what the write is about to overwrite. The first
  // change of a new step drops the steps that were undone (the redo tail).
  void Record(std::span<const std::uint8_t> replaced, Address position, const ChangeLabel& label);

  // Gives the open step (one that has recorded a change) a companion; false,
  // and the companion dropped, when there is no such step.
  bool Attach(std::unique_ptr<StepCompanion> companion);
  // A BeginStep is open.
  [[nodiscard]] bool Recording() const { return m_openDepth > 0; }

  // --- undo and redo -----------------------------------------------------------

  [[nodiscard]] bool CanUndo() const { return m_openDepth == 0 && m_applied > 0; }
  [[nodiscard]] bool CanRedo() const { return m_openDepth == 0 && m_applied < m_steps.size(); }
  // The label of the step that undo or redo would take; empty when none.
  [[nodiscard]] std::string UndoLabel() const;
  [[nodiscard]] std::string RedoLabel() const;
  // Swaps the step's bytes with image (which must be the image the journal
  // recorded) and undoes or redoes its companions. False when there is no
  // such step or a step is being recorded.
  bool Undo(std::span<std::uint8_t> image);
  bool Redo(std::span<std::uint8_t> image);

  // --- save point --------------------------------------------------------------

  // The image as it stands now is the one on disk.
  void MarkSavePoint() { m_savePoint = static_cast<std::int64_t>(m_applied); }
  // The applied steps are exactly those of the last save or load.
  [[nodiscard]] bool AtSavePoint() const { return m_savePoint == static_cast<std::int64_t>(m_applied); }

  // Forgets everything: the image as it stands is the loaded one.
  void Clear();

  // --- reading -----------------------------------------------------------------

  // Every change since the load, oldest first, undone ones included.
  [[nodiscard]] std::vector<ChangeEntry> Entries() const;
  [[nodiscard]] std::size_t StepCount() const { return m_steps.size(); }
  [[nodiscard]] std::size_t AppliedStepCount() const { return m_applied; }
  [[nodiscard]] std::size_t ChangeCount() const { return m_changes.size(); }
  // The bytes the journal holds, from the sizes and capacities of its
  // containers and companions.
  [[nodiscard]] std::size_t MemoryBytes() const;

  // Where the image now differs from the image as loaded, as the ranges of
  // DiffRangeBuilder. Only the bytes the applied changes touched are looked
  // at; a byte written back to its loaded value is no difference.
  [[nodiscard]] std::vector<AddressRange> ChangedRanges(std::span<const std::uint8_t> image) const;

 private:
  struct Change {
    Address position = 0;
    Length count = 0;
    std::uint32_t label = 0;  // index into the label pool; kWithAddress marks the address suffix
  };
  // The changes' bytes lie in m_data in change order, so a step's bytes
  // are found by walking its changes from m_appliedDataEnd, the end of the
  // bytes of the applied steps: backwards for undo, forwards for redo.
  struct Step {
    std::uint32_t firstChange = 0;
    std::uint32_t firstLabel = 0;  // labels added by this step start here
  };
  static constexpr std::uint32_t kWithAddress = 0x80000000u;

  [[nodiscard]] std::size_t ChangeEnd(std::size_t step) const;
  [[nodiscard]] std::string_view LabelText(std::uint32_t label) const;
  [[nodiscard]] std::string ChangeLabelText(const Change& change) const;
  [[nodiscard]] std::string StepLabel(std::size_t step) const;
  std::uint32_t InternLabel(const ChangeLabel& label);
  void DropRedoTail();
  // Swaps every change of step with the image: newest first for undo,
  // which moves m_appliedDataEnd back over the step's bytes; oldest first
  // for redo, which moves it forward.
  void SwapStep(std::size_t step, std::span<std::uint8_t> image, bool undo);

  std::vector<std::uint8_t> m_data;
  std::vector<Change> m_changes;
  std::vector<Step> m_steps;
  std::string m_labelText;
  std::vector<std::uint32_t> m_labelStarts;
  std::vector<std::pair<std::uint32_t, std::unique_ptr<StepCompanion>>> m_companions;  // by step, ascending
  std::size_t m_applied = 0;
  std::size_t m_appliedDataEnd = 0;
  // Applied steps at the last save or load; -1 once that state is gone (its
  // steps were dropped as a redo tail), so no undo or redo reaches it again.
  std::int64_t m_savePoint = 0;
  int m_openDepth = 0;
  bool m_stepStarted = false;  // the open step has recorded a change
};

}  // namespace korvana::image
