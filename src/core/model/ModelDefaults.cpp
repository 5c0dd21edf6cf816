#include "core/model/ModelDefaults.h"

#include <algorithm>

#include "core/model/FrequencyCodec.h"
#include "core/model/RecordFields.h"

namespace qorrin {

namespace {

constexpr char kNoOffset[] = "000.00000";
// Flag byte of a cleared record: wide, high power, simplex, normal tones, no name.
constexpr std::uint8_t kClearedFlags = 0xC0;

// Empties a record: both frequency fields FF, tones off, the cleared flag byte. Channels
// also lose their name; VFOs get step 0 instead (their name bytes are not theirs to use).
void ClearRecord(ImageSpan image, int record, bool vfo) {
  const std::size_t at = *RecordOffset(record);
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(at + kRecRxFreq), 4, std::uint8_t{0xFF});
  image[at + kRecRxTone] = 0x00;
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(at + kRecOffset), 4, std::uint8_t{0xFF});
  image[at + kRecTxTone] = 0x00;
  image[at + kRecFlags] = kClearedFlags;
  if (vfo) {
    image[at + kRecStep] = 0x00;
  } else {
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(at + kRecName), 4, std::uint8_t{0xFF});
  }
}

void SetSimplex(ImageSpan image, const BandLimits& limits, int record, int frequency) {
  SetFrequencyText(image, limits, record, true, FormatFrequency(frequency));
  SetFrequencyText(image, limits, record, false, kNoOffset);
}

}  // namespace

void ApplyModelDefaults(ImageSpan image, const BandLimits& limits) {
  for (int n = kFirstChannel; n <= kLastChannel; ++n) ClearRecord(image, n, false);
  ClearRecord(image, kVfoBRecord, true);
  ClearRecord(image, kVfoARecord, true);

  SetSimplex(image, limits, kFirstChannel, limits.m_nFreqMin);
  if (limits.IsTwoBand()) {
    SetSimplex(image, limits, kVfoARecord, limits.m_nFreqMin);
    SetSimplex(image, limits, kVfoBRecord, limits.m_nSplitHigh);
  } else if (limits.m_nFreqMin >= kUpperBandStart) {
    SetSimplex(image, limits, kVfoBRecord, limits.m_nFreqMin);
  } else {
    SetSimplex(image, limits, kVfoARecord, limits.m_nFreqMin);
  }

  std::copy_n(kIdentTagText, 8, image.begin() + static_cast<std::ptrdiff_t>(kIdentTag));
  image[0x7C0] = 0x76;  // not interpreted; the values a new radio image carries
  image[0x7C1] = 0x95;
  image[kOptSquelch] = 0x05;
  image[kOptVox] = 0x05;
  image[kOptTxTimeLimit] = 0x06;  // 180 s
  image[kOptFlags1] = 0x80;       // power save on
  image[kOptFlags2] = 0x48;       // back light 1, priority scan on
  image[0x7CB] = 0x05;
}

}  // namespace qorrin
