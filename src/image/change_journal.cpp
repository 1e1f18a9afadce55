#include "image/change_journal.h"

#include <algorithm>
#include <cstring>

#include "image/byte_diff.h"
#include "image/hex.h"

namespace korvana::image {

namespace {
// A step label names at most this many of its changes' labels; a longer
// list would not fit a menu entry.
constexpr std::size_t kLabelsNamedPerStep = 3;
// A new label is looked for among the last labels first, so a command that
// writes many ranges under one word, or is repeated, keeps one copy of it.
constexpr std::uint32_t kLabelsSearched = 8;

// Grows a container by an eighth at least, rather than doubling: the
// journal's size stays close to the bytes it holds, and the copies of the
// growth cost about eight moves per byte over the journal's life.
template <typename Container>
void MakeRoom(Container& c, std::size_t extra) {
  const std::size_t need = c.size() + extra;
  if (need <= c.capacity()) return;
  c.reserve(std::max(need, c.size() + c.size() / 8 + 64));
}
}  // namespace

// --- recording -------------------------------------------------------------------

void ChangeJournal::BeginStep() { ++m_openDepth; }

void ChangeJournal::EndStep() {
  if (m_openDepth == 0) return;
  if (--m_openDepth == 0) m_stepStarted = false;
}

void ChangeJournal::DropRedoTail() {
  if (m_applied == m_steps.size()) return;
  const Step& first = m_steps[m_applied];
  m_data.resize(m_appliedDataEnd);
  m_changes.resize(first.firstChange);
  const std::uint32_t firstLabel = first.firstLabel;
  m_labelText.resize(firstLabel < m_labelStarts.size() ? m_labelStarts[firstLabel] : m_labelText.size());
  m_labelStarts.resize(std::min<std::size_t>(firstLabel, m_labelStarts.size()));
  while (!m_companions.empty() && m_companions.back().first >= m_applied) m_companions.pop_back();
  if (m_savePoint > static_cast<std::int64_t>(m_applied)) m_savePoint = -1;
  m_steps.resize(m_applied);
}

std::uint32_t ChangeJournal::InternLabel(const ChangeLabel& label) {
  const std::uint32_t flag = label.withAddress ? kWithAddress : 0u;
  // A change refers only to labels of its own step or of older ones, so
  // dropping a redo tail, which cuts the labels its steps added, never cuts
  // a label still in use.
  const auto count = static_cast<std::uint32_t>(m_labelStarts.size());
  const std::uint32_t searchFrom = count > kLabelsSearched ? count - kLabelsSearched : 0u;
  for (std::uint32_t i = count; i > searchFrom; --i) {
    if (LabelText(i - 1) == label.text) return (i - 1) | flag;
  }
  MakeRoom(m_labelStarts, 1);
  MakeRoom(m_labelText, label.text.size());
  m_labelStarts.push_back(static_cast<std::uint32_t>(m_labelText.size()));
  m_labelText.append(label.text);
  return count | flag;
}

void ChangeJournal::Record(std::span<const std::uint8_t> replaced, Address position, const ChangeLabel& label) {
  if (replaced.empty()) return;
  if (m_openDepth == 0 || !m_stepStarted) {
    DropRedoTail();
    MakeRoom(m_steps, 1);
    m_steps.push_back(
        {static_cast<std::uint32_t>(m_changes.size()), static_cast<std::uint32_t>(m_labelStarts.size())});
    ++m_applied;
    m_stepStarted = m_openDepth > 0;
  }
  const std::uint32_t labelIndex = InternLabel(label);
  const auto count = static_cast<Length>(replaced.size());
  MakeRoom(m_data, replaced.size());
  m_data.insert(m_data.end(), replaced.begin(), replaced.end());
  m_appliedDataEnd = m_data.size();
  // A write that continues the step's last one under the same label (a
  // range written in pieces, one after the other) extends that change.
  if (m_changes.size() > m_steps.back().firstChange) {
    Change& last = m_changes.back();
    if (last.label == labelIndex && !label.withAddress && std::int64_t{last.position} + last.count == position) {
      last.count += count;
      return;
    }
  }
  MakeRoom(m_changes, 1);
  m_changes.push_back({position, count, labelIndex});
}

bool ChangeJournal::Attach(std::unique_ptr<StepCompanion> companion) {
  if (m_openDepth == 0 || !m_stepStarted || !companion) return false;
  MakeRoom(m_companions, 1);
  m_companions.emplace_back(static_cast<std::uint32_t>(m_steps.size() - 1), std::move(companion));
  return true;
}

void ChangeJournal::Clear() {
  // New containers rather than clear(): a load gives the memory back.
  m_data = decltype(m_data)();
  m_changes = decltype(m_changes)();
  m_steps = decltype(m_steps)();
  m_labelText = decltype(m_labelText)();
  m_labelStarts = decltype(m_labelStarts)();
  m_companions = decltype(m_companions)();
  m_applied = 0;
  m_appliedDataEnd = 0;
  m_savePoint = 0;
  m_stepStarted = false;
}

// --- undo and redo ---------------------------------------------------------------

std::size_t ChangeJournal::ChangeEnd(std::size_t step) const {
  return step + 1 < m_steps.size() ? m_steps[step + 1].firstChange : m_changes.size();
}

void ChangeJournal::SwapStep(std::size_t step, std::span<std::uint8_t> image, bool undo) {
  const std::size_t first = m_steps[step].firstChange;
  const std::size_t end = ChangeEnd(step);
  auto swapChange = [&](const Change& c) {
    std::swap_ranges(image.begin() + c.position, image.begin() + c.position + c.count,
                     m_data.begin() + static_cast<std::ptrdiff_t>(m_appliedDataEnd));
  };
  if (undo) {
    for (std::size_t i = end; i > first; --i) {
      m_appliedDataEnd -= static_cast<std::size_t>(m_changes[i - 1].count);
      swapChange(m_changes[i - 1]);
    }
  } else {
    for (std::size_t i = first; i < end; ++i) {
      swapChange(m_changes[i]);
      m_appliedDataEnd += static_cast<std::size_t>(m_changes[i].count);
    }
  }
}

bool ChangeJournal::Undo(std::span<std::uint8_t> image) {
  if (!CanUndo()) return false;
  const std::size_t step = m_applied - 1;
  SwapStep(step, image, true);
  for (auto it = m_companions.rbegin(); it != m_companions.rend(); ++it) {
    if (it->first == step) it->second->Undo();
  }
  --m_applied;
  return true;
}

bool ChangeJournal::Redo(std::span<std::uint8_t> image) {
  if (!CanRedo()) return false;
  const std::size_t step = m_applied;
  SwapStep(step, image, false);
  for (auto& [owner, companion] : m_companions) {
    if (owner == step) companion->Redo();
  }
  ++m_applied;
  return true;
}

// --- reading ---------------------------------------------------------------------

std::string_view ChangeJournal::LabelText(std::uint32_t label) const {
  const std::uint32_t index = label & ~kWithAddress;
  const std::size_t begin = m_labelStarts[index];
  const std::size_t end = index + 1 < m_labelStarts.size() ? m_labelStarts[index + 1] : m_labelText.size();
  return std::string_view(m_labelText).substr(begin, end - begin);
}

std::string ChangeJournal::ChangeLabelText(const Change& change) const {
  std::string text(LabelText(change.label));
  if ((change.label & kWithAddress) != 0) text += (text.empty() ? "" : " ") + AddressText(change.position);
  return text;
}

std::string ChangeJournal::StepLabel(std::size_t step) const {
  std::vector<std::string> names;
  for (std::size_t i = m_steps[step].firstChange; i < ChangeEnd(step); ++i) {
    std::string name = ChangeLabelText(m_changes[i]);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  }
  if (names.size() > kLabelsNamedPerStep) {
    return names.front() + " und " + std::to_string(names.size() - 1) + " weitere";
  }
  std::string label;
  for (const std::string& name : names) label += (label.empty() ? "" : ", ") + name;
  return label;
}

std::string ChangeJournal::UndoLabel() const { return CanUndo() ? StepLabel(m_applied - 1) : std::string(); }

std::string ChangeJournal::RedoLabel() const { return CanRedo() ? StepLabel(m_applied) : std::string(); }

std::vector<ChangeEntry> ChangeJournal::Entries() const {
  std::vector<ChangeEntry> entries;
  entries.reserve(m_changes.size());
  for (std::size_t step = 0; step < m_steps.size(); ++step) {
    for (std::size_t i = m_steps[step].firstChange; i < ChangeEnd(step); ++i) {
      const Change& c = m_changes[i];
      entries.push_back({ZeroPad(std::to_string(i + 1), 3), ChangeLabelText(c), AddressText(c.position),
                         AddressText(c.position + c.count - 1), std::to_string(c.count), step >= m_applied});
    }
  }
  return entries;
}

std::size_t ChangeJournal::MemoryBytes() const {
  std::size_t bytes = m_data.capacity() + m_changes.capacity() * sizeof(Change) + m_steps.capacity() * sizeof(Step) +
                      m_labelText.capacity() + m_labelStarts.capacity() * sizeof(std::uint32_t) +
                      m_companions.capacity() * sizeof(m_companions.front());
  for (const auto& entry : m_companions) bytes += entry.second->MemoryBytes();
  return bytes;
}

std::vector<AddressRange> ChangeJournal::ChangedRanges(std::span<const std::uint8_t> image) const {
  // The touched bytes as disjoint spans in address order.
  const std::size_t appliedChanges = m_applied < m_steps.size() ? m_steps[m_applied].firstChange : m_changes.size();
  std::vector<AddressRange> touched;
  touched.reserve(appliedChanges);
  for (std::size_t i = 0; i < appliedChanges; ++i) {
    touched.push_back({m_changes[i].position, m_changes[i].position + m_changes[i].count - 1});
  }
  std::sort(touched.begin(), touched.end(),
            [](const AddressRange& a, const AddressRange& b) { return a.first < b.first; });
  std::vector<AddressRange> spans;
  std::vector<std::size_t> spanOffsets;  // where each span starts in loaded
  std::size_t total = 0;
  for (const AddressRange& r : touched) {
    if (!spans.empty() && std::int64_t{r.first} <= std::int64_t{spans.back().last} + 1) {
      const Address grown = std::max(spans.back().last, r.last);
      total += static_cast<std::size_t>(grown - spans.back().last);
      spans.back().last = grown;
      continue;
    }
    spans.push_back(r);
    spanOffsets.push_back(total);
    total += static_cast<std::size_t>(r.Size());
  }

  // The loaded bytes of the spans: a byte's loaded value is what the oldest
  // change that touched it replaced, so the changes are laid in newest first
  // and the oldest is laid last.
  std::vector<std::uint8_t> loaded(total);
  std::size_t offset = m_appliedDataEnd;
  for (std::size_t i = appliedChanges; i > 0; --i) {
    const Change& c = m_changes[i - 1];
    offset -= static_cast<std::size_t>(c.count);
    const auto span = std::upper_bound(spans.begin(), spans.end(), c.position,
                                       [](Address p, const AddressRange& s) { return p < s.first; }) - 1;
    const std::size_t at = spanOffsets[static_cast<std::size_t>(span - spans.begin())] +
                           static_cast<std::size_t>(c.position - span->first);
    std::memcpy(loaded.data() + at, m_data.data() + offset, static_cast<std::size_t>(c.count));
  }

  DiffRangeBuilder builder;
  for (std::size_t s = 0; s < spans.size(); ++s) {
    const auto size = static_cast<std::size_t>(spans[s].Size());
    builder.AddDifferences(std::span(loaded).subspan(spanOffsets[s], size),
                           image.subspan(static_cast<std::size_t>(spans[s].first), size), spans[s].first);
  }
  return builder.Take();
}

}  // namespace korvana::image
