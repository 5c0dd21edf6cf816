#pragma once
// Milliseconds on a 32-bit tick counter that wraps (every 49.7 days on Windows): the time
// between two readings is their difference in unsigned arithmetic, which stays right
// across the wrap as long as less than one full turn lies between them.
#include <cstdint>

namespace qorrin::link {

constexpr std::uint32_t TicksBetween(std::uint32_t start, std::uint32_t now) { return now - start; }

// Whether timeoutMs (negative counts as 0) has passed between start and now.
constexpr bool TicksPassed(std::uint32_t start, std::uint32_t now, int timeoutMs) {
  return TicksBetween(start, now) >= static_cast<std::uint32_t>(timeoutMs > 0 ? timeoutMs : 0);
}

}  // namespace qorrin::link
