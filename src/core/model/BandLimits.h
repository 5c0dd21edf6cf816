#pragma once
// The accepted frequency range of the current model, in 10 Hz units. For a two-band model
// the split members hold the gap between the bands (upper edge of the lower band, lower edge
// of the upper band); for a one-band model both are 0.
#include <cstdint>

namespace qorrin {

// Limits used when the image matches no usable ModelInfo entry.
inline constexpr std::int32_t kFallbackFreqMin = 10000000;  // 100 MHz
inline constexpr std::int32_t kFallbackFreqMax = 52000000;  // 520 MHz

// Frequencies at or above this belong to the upper band (and VFO B).
inline constexpr std::int32_t kUpperBandStart = 20000000;   // 200 MHz

struct BandLimits {
  std::int32_t m_nSplitLow = 0;
  std::int32_t m_nSplitHigh = 0;
  std::int32_t m_nFreqMin = kFallbackFreqMin;
  std::int32_t m_nFreqMax = kFallbackFreqMax;

  bool IsTwoBand() const { return m_nSplitLow != 0 || m_nSplitHigh != 0; }
  // The VFOs a model uses: A for a band below 200 MHz, B for one above, both for two bands.
  bool UsesVfoA() const { return IsTwoBand() || m_nFreqMin < kUpperBandStart; }
  bool UsesVfoB() const { return IsTwoBand() || m_nFreqMin >= kUpperBandStart; }
  // Whether a value lies in the gap between the bands of a range that spans 200 MHz;
  // storing such a value as a channel frequency moves it to the lowest frequency.
  bool InGap(std::int64_t value) const {
    return m_nFreqMin < kUpperBandStart && m_nFreqMax >= kUpperBandStart && m_nSplitLow < value &&
           value < m_nSplitHigh;
  }
  bool operator==(const BandLimits&) const = default;
};

}  // namespace qorrin
