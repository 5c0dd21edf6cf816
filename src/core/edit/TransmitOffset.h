#pragma once
// A transmit frequency kept the way a memory record keeps it: as a shift direction and a
// non-negative offset from the receive frequency.
#include <string_view>

#include "core/model/BandLimits.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

// Stores the transmit text `tx` of `record` relative to its receive text `rx` (both read
// as typed frequency texts, an empty text as 0): rx above tx gives direction 1 and offset
// rx - tx, rx below tx direction 2 and offset tx - rx, equal texts direction 0 and offset
// 000.00000. Both texts empty give direction 0 and an empty offset field. The offset is
// stored unsnapped; only the shift bits of the flag byte change.
//
// An empty tx with a receive frequency therefore gives direction 1 and offset = receive
// frequency: the receive-only form.
void StoreTransmitOffset(ImageSpan image, const BandLimits& limits, int record, std::string_view rx,
                         std::string_view tx);

}  // namespace qorrin
