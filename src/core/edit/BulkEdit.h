#pragma once
// "Set for selected channels": the same value for several channels at once, each field
// through the channel table's own commit rule, the whole change one step of the history.
// Channels where the field cannot be edited (an empty channel; the encode tone of a
// receive-only channel) are left as they are. A shift never gives a receive-only channel
// a transmit frequency: such channels stay receive-only, and the result counts them.
#include <optional>
#include <vector>

#include "core/model/CQorrinDoc.h"

namespace qorrin {

struct BulkChange {
  std::optional<int> decodeTone;   // tone code 0..258
  std::optional<int> encodeTone;
  std::optional<int> bandwidth;    // 0 narrow, 1 wide
  std::optional<int> power;        // 0 low, 1 high
  // Shift direction (0 simplex, 1 minus, 2 plus) and offset in 10 Hz units (ignored for
  // simplex): the transmit frequency becomes receive -/+ offset through the transmit rule
  // (moved into the band, onto the raster).
  std::optional<int> shift;
  int offset = 0;
  bool empty() const { return !decodeTone && !encodeTone && !bandwidth && !power && !shift; }
};

struct BulkResult {
  int changed = 0;  // channels whose record changed
  int skipped = 0;  // channels given that could not take a field (empty ones included)
  int receiveOnlyKept = 0;  // receive-only channels a shift left without transmit
};

BulkResult ApplyBulkChange(CQorrinDoc& doc, const std::vector<int>& rows, const BulkChange& change);

}  // namespace qorrin
