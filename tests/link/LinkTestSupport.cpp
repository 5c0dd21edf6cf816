#include "link/LinkTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

#include "core/link/TransferRun.h"

namespace qorrin::test {

std::string LinkSettings(int com, bool search, const std::vector<std::string>& ports) {
  std::string text = "[setup]\ncom=" + std::to_string(com) + "\nsearchcom=" + (search ? "1" : "0") +
                     "\n\n[ports]\nenumerate=0\n";
  for (std::size_t i = 0; i < ports.size(); ++i) {
    if (!ports[i].empty()) text += std::to_string(i + 1) + "=" + ports[i] + "\n";
  }
  return text;
}

std::shared_ptr<TransferState> NewTransfer(const std::string& settingsPath, bool isRead) {
  auto state = std::make_shared<TransferState>();
  state->port = std::make_shared<CSerialPort>();
  state->settingsPath = settingsPath;
  state->isRead = isRead;
  LoadPortSettings(*state);
  return state;
}

sim::RadioImage PatternImage(std::uint8_t seed) {
  sim::RadioImage image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8) * 13 + seed * 29) & 0xFF);
  }
  return image;
}

std::vector<std::uint8_t> BytesFromPc(const sim::SimRadio& radio, std::size_t atLeast) {
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

void RunTransfer(const std::shared_ptr<TransferState>& state) {
  std::thread worker(TransferThreadProc, state);
  worker.join();
}

std::unique_ptr<sim::SimRadio> StartRadio(sim::SimFaults faults, const sim::RadioImage& image) {
  sim::SimConfig config;
  config.faults = std::move(faults);
  config.keepLog = true;
  auto radio = std::make_unique<sim::SimRadio>(config, image);
  std::string error;
  EXPECT_TRUE(radio->Start(&error)) << error;
  return radio;
}

}  // namespace qorrin::test
