#pragma once
// Serial line timing for the simulated cable: at 9600 baud a byte takes 10 bit times
// (start, 8 data, stop), about 1.04 ms, and bytes queue behind each other. A pseudo-
// terminal moves bytes instantly; the pacer says when each would really have crossed.
#include <algorithm>
#include <chrono>

namespace qorrin::sim {

class LinePacer {
 public:
  using Clock = std::chrono::steady_clock;

  explicit LinePacer(int baud)
      : m_byteTime(baud > 0 ? std::chrono::nanoseconds(10'000'000'000LL / baud) : Clock::duration::zero()) {}

  bool Enabled() const { return m_byteTime > Clock::duration::zero(); }

  // When a byte put on the line at `handedOver` has arrived at the far end.
  Clock::time_point Arrival(Clock::time_point handedOver) {
    m_lineFree = std::max(m_lineFree, handedOver) + m_byteTime;
    return m_lineFree;
  }

 private:
  Clock::duration m_byteTime;
  Clock::time_point m_lineFree{};
};

}  // namespace qorrin::sim
