#pragma once
// The units and rasters every frequency rule counts in, kept in one place: values count
// 10 Hz; a model's highest accepted frequency lies 5 kHz below its nominal upper edge;
// channels and VFOs sit on the 5 kHz and the 6.25 kHz raster.
#include <cstdint>

namespace qorrin {

inline constexpr std::int32_t kUnitsPerMHz = 100000;  // a frequency value counts 10 Hz
inline constexpr std::int64_t kHzPerUnit = 10;
inline constexpr int kFrequencyDecimals = 5;          // digits after the point of a value in MHz

// The highest accepted frequency of a model lies this far below its nominal upper edge.
inline constexpr std::int32_t kUpperEdgeMargin = 500;  // 5 kHz

inline constexpr std::int32_t kCoarseStep = 500;  // 5 kHz
inline constexpr std::int32_t kFineStep = 625;    // 6.25 kHz

// The 6.25 kHz point the radio takes for a value: (value + 75) / 625 * 625.
constexpr std::int64_t FineRasterPoint(std::int64_t value) { return ((value + 75) / kFineStep) * kFineStep; }
// Whether a 6.25 kHz point agrees with the value to the whole kilohertz.
constexpr bool AgreesToTheKilohertz(std::int64_t point, std::int64_t value) { return point / 100 == value / 100; }
// The 5 kHz point at or below the value.
constexpr std::int64_t CoarseRasterBelow(std::int64_t value) { return (value / kCoarseStep) * kCoarseStep; }
// The nearer 5 kHz point; an exact half rounds down.
constexpr std::int64_t NearestCoarsePoint(std::int64_t value) {
  const std::int64_t below = CoarseRasterBelow(value);
  return value - below > kCoarseStep / 2 ? below + kCoarseStep : below;
}

}  // namespace qorrin
