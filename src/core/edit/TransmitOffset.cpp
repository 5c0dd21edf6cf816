#include "core/edit/TransmitOffset.h"

#include <algorithm>
#include <cstdint>

#include "core/model/FrequencyCodec.h"
#include "core/model/RecordFields.h"

namespace qorrin {

namespace {

// The largest distance an offset field's eight digits can hold (999.99999 MHz).
constexpr std::int64_t kOffsetMax = 99999999;

}  // namespace

void StoreTransmitOffset(ImageSpan image, const BandLimits& limits, int record, std::string_view rx,
                         std::string_view tx) {
  if (rx.empty() && tx.empty()) {
    SetShiftDirection(image, record, 0);
    SetFrequencyText(image, limits, record, false, "");
    return;
  }
  // 64-bit, so that texts that parse to the ends of the int range cannot overflow; any
  // two real frequencies are far inside it.
  const std::int64_t r = ParseFrequencyText(rx);
  const std::int64_t x = ParseFrequencyText(tx);
  const int direction = r > x ? 1 : (r < x ? 2 : 0);
  const std::int64_t distance = std::min(r > x ? r - x : x - r, kOffsetMax);
  SetShiftDirection(image, record, direction);
  SetFrequencyText(image, limits, record, false, FormatFrequency(static_cast<int>(distance)));
}

}  // namespace qorrin
