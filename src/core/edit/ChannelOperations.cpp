#include "core/edit/ChannelOperations.h"

#include <algorithm>
#include <array>
#include <set>

#include "core/edit/ChannelCommandAvailability.h"

namespace qorrin {

namespace {

constexpr int kNoChannel = 0;  // in a placement: an empty record goes to the slot

// [slot] = the channel whose record goes to that slot (index 0 unused).
using Placement = std::array<int, kChannelCount + 1>;

Placement Unmoved() {
  Placement placement{};
  for (int slot = kFirstChannel; slot <= kLastChannel; ++slot) placement[static_cast<std::size_t>(slot)] = slot;
  return placement;
}

int& At(Placement& placement, int slot) { return placement[static_cast<std::size_t>(slot)]; }

// Channels 1..99 among `rows`, ascending, each once.
std::vector<int> ValidRows(const std::vector<int>& rows) {
  std::set<int> unique;
  for (int row : rows) {
    if (row >= kFirstChannel && row <= kLastChannel) unique.insert(row);
  }
  return {unique.begin(), unique.end()};
}

// The slot a channel went to, or 0 when it is gone.
int SlotOf(const Placement& placement, int channel) {
  for (int slot = kFirstChannel; slot <= kLastChannel; ++slot) {
    if (placement[static_cast<std::size_t>(slot)] == channel) return slot;
  }
  return kNoChannel;
}

// Puts every channel where the placement says, as one step of the history, with the
// priority channel and the index fields following.
void Place(CQorrinDoc& doc, const Placement& placement, const ChangeLabel& label) {
  const bool moves = placement != Unmoved();
  const ChangeScope scope(doc, label);
  doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits&) {
    RadioImage old{};
    std::copy(image.begin(), image.end(), old.begin());
    for (int slot = kFirstChannel; slot <= kLastChannel; ++slot) {
      const int from = placement[static_cast<std::size_t>(slot)];
      const std::size_t to = *RecordOffset(slot);
      if (from == kNoChannel) {
        ClearRecord(image, slot);  // as clearing its receive frequency in the table does
      } else {
        const std::size_t at = *RecordOffset(from);
        std::copy_n(old.begin() + static_cast<std::ptrdiff_t>(at), kRecordSize,
                    image.begin() + static_cast<std::ptrdiff_t>(to));
      }
    }
    const int priority = GetPriorityChannel(old);
    if (priority != 0) SetPriorityChannel(image, SlotOf(placement, priority));
    UpdateIndexFields(image);
    return moves;
  });
}

OperationResult Refused(OperationRefusal why) { return {why, {}}; }

}  // namespace

OperationResult InsertChannel(CQorrinDoc& doc, int row) {
  if (row < kFirstChannel || row > kLastChannel) return Refused(OperationRefusal::NoChannels);
  if (!IsRecordEmpty(doc.Image(), kLastChannel)) return Refused(OperationRefusal::LastChannelProgrammed);
  Placement placement = Unmoved();
  for (int slot = kLastChannel; slot > row; --slot) At(placement, slot) = slot - 1;
  At(placement, row) = kNoChannel;
  Place(doc, placement, {"IDS_UNDO_INSERT", row});
  return {OperationRefusal::None, {row}};
}

OperationResult DeleteChannels(CQorrinDoc& doc, const std::vector<int>& rows) {
  const std::vector<int> deleting = ValidRows(rows);
  if (deleting.empty()) return Refused(OperationRefusal::NoChannels);
  Placement placement{};  // kNoChannel where nothing is left to fill
  int slot = kFirstChannel;
  for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
    if (!std::ranges::binary_search(deleting, channel)) At(placement, slot++) = channel;
  }
  const ChangeLabel label = deleting.size() == 1 ? ChangeLabel{"IDS_UNDO_DELETE", deleting.front()}
                                                 : ChangeLabel{"IDS_UNDO_DELETE_MANY", static_cast<int>(deleting.size())};
  Place(doc, placement, label);
  return {OperationRefusal::None, {deleting.front()}};
}

OperationResult MoveChannels(CQorrinDoc& doc, const std::vector<int>& rows, bool up) {
  const std::vector<int> moving = ValidRows(rows);
  if (moving.empty()) return Refused(OperationRefusal::NoChannels);
  if (up ? moving.front() == kFirstChannel : moving.back() == kLastChannel) {
    return Refused(OperationRefusal::NothingToMove);
  }
  // Each channel of a block of neighbours takes the slot next to it; the channel the block
  // moves over goes round to the block's other end.
  Placement placement = Unmoved();
  std::vector<int> now;
  for (std::size_t i = 0; i < moving.size();) {
    const int first = moving[i];
    int last = first;
    while (i + 1 < moving.size() && moving[i + 1] == last + 1) last = moving[++i];
    ++i;
    const int step = up ? -1 : 1;
    for (int row = first; row <= last; ++row) At(placement, row + step) = row;
    At(placement, up ? last : first) = up ? first - 1 : last + 1;
  }
  for (int row : moving) now.push_back(up ? row - 1 : row + 1);
  Place(doc, placement, {"IDS_UNDO_MOVE", static_cast<int>(moving.size())});
  return {OperationRefusal::None, now};
}

OperationResult ClearChannels(CQorrinDoc& doc, const std::vector<int>& rows) {
  const std::vector<int> clearing = ValidRows(rows);
  if (clearing.empty()) return Refused(OperationRefusal::NoChannels);
  Placement placement = Unmoved();
  for (int row : clearing) At(placement, row) = kNoChannel;
  // Named for the channels it empties: those empty already do not change.
  Place(doc, placement, {"IDS_UNDO_CLEAR", CountProgrammedChannels(doc.Image(), clearing)});
  return {OperationRefusal::None, clearing};
}

// Only the programmed channels move: sorted, they take the slots that programmed channels
// held before, so the gaps a technician left between groups of channels stay where they
// are.
OperationResult SortChannels(CQorrinDoc& doc, std::vector<int> rows, SortKey key) {
  if (rows.empty()) {
    for (int row = kFirstChannel; row <= kLastChannel; ++row) rows.push_back(row);
  }
  const std::vector<int> given = ValidRows(rows);
  if (given.empty()) return Refused(OperationRefusal::NoChannels);
  const RadioImage& image = doc.Image();
  struct Entry {
    int channel;
    int frequency;
    std::string name;
  };
  std::vector<int> slots;  // the programmed ones among the given rows, ascending
  std::vector<Entry> entries;
  for (int row : given) {
    if (IsRecordEmpty(image, row)) continue;
    slots.push_back(row);
    entries.push_back({row, ParseFrequencyText(GetFrequencyText(image, row, true)), GetChannelName(image, row)});
  }
  std::stable_sort(entries.begin(), entries.end(), [key](const Entry& a, const Entry& b) {
    if (key == SortKey::ReceiveFrequency) return a.frequency < b.frequency;
    if (a.name.empty() != b.name.empty()) return b.name.empty();  // named ones first
    return a.name < b.name;
  });
  Placement placement = Unmoved();
  for (std::size_t i = 0; i < slots.size(); ++i) At(placement, slots[i]) = entries[i].channel;
  Place(doc, placement, {key == SortKey::Name ? "IDS_UNDO_SORT_NAME" : "IDS_UNDO_SORT_FREQUENCY",
                         static_cast<int>(slots.size())});
  return {OperationRefusal::None, given};
}

}  // namespace qorrin
