#pragma once
// Helpers for the radio-link tests: a settings file whose port numbers name only the
// pseudo-terminals of the test (never a real device of the machine), transfer records,
// recognisable images and the bytes the PC put on the line.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/link/CSerialPort.h"
#include "core/link/TransferState.h"
#include "sim/SimRadio.h"
#include "support/TestSupport.h"

namespace qorrin::test {

using Clock = std::chrono::steady_clock;

// setting.ini text: [setup] com and searchcom, [ports] n=ports[n-1] for every non-empty
// entry and enumerate=0, so numbers past the list name nothing.
std::string LinkSettings(int com, bool search, const std::vector<std::string>& ports);

std::shared_ptr<TransferState> NewTransfer(const std::string& settingsPath, bool isRead);

// Every byte a different function of its offset, so a misplaced block shows.
sim::RadioImage PatternImage(std::uint8_t seed);

// What the PC sent, in order. The radio may still be reading the last bytes when the
// engine returns, so this waits (up to a generous limit) until at least `atLeast` came.
std::vector<std::uint8_t> BytesFromPc(const sim::SimRadio& radio, std::size_t atLeast = 0);

// Runs the engine on a thread of its own and waits for it.
void RunTransfer(const std::shared_ptr<TransferState>& state);

// A simulated radio started with the given faults; fails the test when it cannot start.
std::unique_ptr<sim::SimRadio> StartRadio(sim::SimFaults faults = {}, const sim::RadioImage& image = PatternImage(1));

inline double MillisSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace qorrin::test
