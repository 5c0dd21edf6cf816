// The connection check of a working radio, paced at 9600 baud as on the real cable: the
// whole check (device, access, the process table, services, the line) and, apart, the
// part that reads the system. The check must stay well under 1.5 s.
#include <cstdio>

#include "BenchSupport.h"
#include "core/link/CSerialPort.h"
#include "core/model/ModelInfo.h"
#include "core/transfer/ConnectionCheck.h"
#include "core/transfer/DeviceFindings.h"
#include "core/transfer/ProcessTable.h"
#include "sim/SimRadio.h"

int main() {
  using namespace qorrin;
  bench::PrivateDataFiles files("connection_check_bench");
  sim::SimConfig config;
  config.paceBaud = 9600;
  sim::RadioImage image = sim::BlankImage();
  const std::uint8_t band[] = {0x60, 0x13, 0x40, 0x17};
  std::copy(std::begin(band), std::end(band), image.begin() + 0x780);
  sim::SimRadio radio(config, image);
  std::string error;
  if (!radio.Start(&error)) {
    std::fprintf(stderr, "connection_check_bench: %s\n", error.c_str());
    return 1;
  }

  CheckRequest request;
  request.device = radio.DevicePath();
  request.settingsPath = g_strIniFile;
  request.langFile = g_strLangFile;
  request.models = ModelTable::Load();
  CSerialPort port;
  CheckReport report;
  constexpr int kRounds = 10;
  const bench::Timing whole = bench::Measure(kRounds, nullptr, [&] { report = CheckConnection(port, request); });
  if (report.verdict != CheckVerdict::Identified) {
    std::fprintf(stderr, "connection_check_bench: the radio was not identified\n");
    return 1;
  }
  const bench::Timing system = bench::Measure(kRounds, nullptr, [&] {
    PresentSerialDevices(request.host);
    ReadProcesses(request.host);
  });
  bench::Print("check, working radio (9600 baud)", whole);
  bench::Print("  of it: devices and processes", system);
  std::printf("limit 1500 ms: %s\n", whole.worst < 1500 ? "met" : "MISSED");
  return whole.worst < 1500 ? 0 : 1;
}
