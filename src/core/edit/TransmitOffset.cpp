#include "core/edit/TransmitOffset.h"

#include <algorithm>
#include <cstdint>

namespace qorrin {

namespace {

// The largest distance an offset field's eight digits can hold (999.99999 MHz).
constexpr std::int64_t kOffsetMax = 99999999;

}  // namespace

void StoreTransmitOffset(CQorrinDoc& doc, int record, std::string_view rx, std::string_view tx) {
  if (rx.empty() && tx.empty()) {
    doc.SetShiftDirection(record, 0);
    doc.SetFrequencyText(record, false, "");
    return;
  }
  // 64-bit, so that texts that parse to the ends of the int range cannot overflow; any
  // two real frequencies are far inside it.
  const std::int64_t r = CQorrinDoc::ParseFrequencyText(rx);
  const std::int64_t x = CQorrinDoc::ParseFrequencyText(tx);
  const int direction = r > x ? 1 : (r < x ? 2 : 0);
  const std::int64_t distance = std::min(r > x ? r - x : x - r, kOffsetMax);
  doc.SetShiftDirection(record, direction);
  doc.SetFrequencyText(record, false, CQorrinDoc::FormatFrequency(static_cast<int>(distance)));
}

}  // namespace qorrin
