#pragma once
// Helpers for the radio-link tests, whose port numbers name only their own pseudo-terminals.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/link/CSerialPort.h"
#include "core/link/TransferState.h"
#include "sim/SimRadio.h"
#include "support/TestSupport.h"

namespace qorrin::test {

using Clock = std::chrono::steady_clock;

inline double MillisSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// setting.ini with com, searchcom, n=ports[n-1] and enumerate=0: numbers past the list name nothing.
inline std::string LinkSettings(int com, bool search, const std::vector<std::string>& ports) {
  std::string text = "[setup]\ncom=" + std::to_string(com) + "\nsearchcom=" + (search ? "1" : "0") +
                     "\n\n[ports]\nenumerate=0\n";
  for (std::size_t i = 0; i < ports.size(); ++i) {
    if (!ports[i].empty()) text += std::to_string(i + 1) + "=" + ports[i] + "\n";
  }
  return text;
}

// A transfer on a new port with `settings` as the folder's setting.ini.
inline std::shared_ptr<TransferState> NewTransfer(const TempDir& dir, const std::string& settings,
                                                  bool isRead) {
  dir.write("setting.ini", settings);
  auto state = std::make_shared<TransferState>();
  state->port = std::make_shared<CSerialPort>();
  state->settingsPath = dir.file("setting.ini");
  state->isRead = isRead;
  LoadPortSettings(*state);
  return state;
}

// Every byte a different function of its offset, so a misplaced block shows.
inline sim::RadioImage PatternImage(std::uint8_t seed) {
  sim::RadioImage image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8) * 13 + seed * 29) & 0xFF);
  }
  return image;
}

// What the PC sent, in order, once at least `atLeast` bytes came (the radio may lag the engine).
inline std::vector<std::uint8_t> BytesFromPc(const sim::SimRadio& radio, std::size_t atLeast = 0) {
  const auto giveUp = Clock::now() + std::chrono::seconds(5);
  while (radio.BytesReceived() < static_cast<long>(atLeast) && Clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::vector<std::uint8_t> bytes;
  for (const auto& logged : radio.Log()) {
    if (logged.fromPc) bytes.push_back(logged.value);
  }
  return bytes;
}

inline void RunTransfer(const std::shared_ptr<TransferState>& state) { std::thread(TransferThreadProc, state).join(); }

// A simulated radio with the faults `faults` sets, paced like the real cable when paceBaud is given.
inline std::unique_ptr<sim::SimRadio> StartRadio(void (*faults)(sim::SimFaults&) = nullptr,
                                                 const sim::RadioImage& image = PatternImage(1), int paceBaud = 0) {
  sim::SimConfig config;
  if (faults) faults(config.faults);
  config.keepLog = true;
  config.paceBaud = paceBaud;
  auto radio = std::make_unique<sim::SimRadio>(config, image);
  std::string error;
  EXPECT_TRUE(radio->Start(&error)) << error;
  return radio;
}

}  // namespace qorrin::test
