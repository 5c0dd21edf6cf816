// The production-line station with simulated radios plugged in one after another at
// 9600 baud (paced as on the real cable), in both ways a bench works: a new cable's link
// for each radio, and one cable whose radio is swapped at its far end. Per radio it
// prints the station's overhead:
//   - from the radio's appearance (its link made; for a swapped radio, its arrival on
//     the line, and also the station's first acknowledged attempt) to its first block;
//   - from the end of its verification (the last block read back) to its log line.
// The first part holds the protocol's own opening (100 ms settling, the entry command's
// 200 ms, identification), measured here once as a plain read's time to its first block.
// The radios run in a child process, so their pacing does not compete with the station.
//   station_bench [RADIOS]   (default 20; about 6 minutes for the new links, 9 swapped)
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "core/link/CSerialPort.h"
#include "core/transfer/Station.h"
#include "sim/FleetImages.h"
#include "sim/RadioSchedule.h"

namespace {

using namespace qorrin;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kBaud = 9600;
constexpr int kSwapGapMs = 8000;  // silent long enough for three unanswered attempts

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
long long Ticks(Clock::time_point t) { return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count(); }

// The child: the schedule, each arrival's time (the monotonic clock is the machine's) sent
// up the pipe as a line.
[[noreturn]] void RunRadios(bool swap, const std::string& where, const sim::RadioImage& plan, int count, int toParent) {
  sim::ScheduleConfig config;
  config.radios = sim::FleetImages(plan, count, 0);
  config.paceBaud = kBaud;
  config.gapMs = swap ? kSwapGapMs : 500;
  sim::RadioSchedule schedule(config);
  schedule.OnChange([toParent](const sim::ScheduledRadio& radio) {
    if (radio.left != sim::ScheduledRadio::Clock::time_point{}) return;
    const std::string line = std::to_string(Ticks(radio.arrived)) + "\n";
    if (write(toParent, line.data(), line.size()) < 0) _exit(1);
  });
  std::string error;
  const bool ok = swap ? schedule.RunSwap(where, &error) : schedule.RunHotplug(where, &error);
  if (!ok) std::fprintf(stderr, "simulator: %s\n", error.c_str());
  _exit(ok ? 0 : 1);
}

// When each radio's turn reached its marks, in the order the turns began.
class Marks : public IStationObserver {
 public:
  struct Radio {
    Clock::time_point acknowledged{}, firstBlock{}, verified{}, logged{};
    RadioResult result = RadioResult::ReadFailed;
  };
  void OnPortChanged(const StationPortView& port) override {
    const auto now = Clock::now();
    const std::lock_guard<std::mutex> lock(m_mutex);
    const bool begun = m_current.count(port.row) && m_radios[m_current[port.row]].logged == Clock::time_point{};
    if (port.activity == PortActivity::Reading && !begun) {
      m_current[port.row] = m_radios.size();
      m_radios.push_back({});
      m_radios.back().acknowledged = now;
    }
    if (!m_current.count(port.row)) return;
    Radio& radio = m_radios[m_current[port.row]];
    if (port.activity == PortActivity::Reading && port.percent >= 0 && radio.firstBlock == Clock::time_point{}) {
      radio.firstBlock = now;
    }
    if (port.activity == PortActivity::Verifying && port.percent == 100) radio.verified = now;
  }
  void OnRadioFinished(const StationRadio& radio, const StationTally&) override {
    const auto now = Clock::now();
    {
      const std::lock_guard<std::mutex> lock(m_mutex);
      // One radio at a time here: the one that finished is the last that began.
      if (!m_radios.empty()) {
        m_radios.back().logged = now;
        m_radios.back().result = radio.result;
      }
    }
  }
  void OnStationEnded(const StationTally&) override {}
  std::vector<Radio> Radios() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_radios;
  }

 private:
  std::mutex m_mutex;
  std::vector<Radio> m_radios;
  std::map<int, std::size_t> m_current;  // port row -> its radio under way
};

struct Figures {
  std::vector<double> values;
  void Add(double v) { values.push_back(v); }
  void Print(const char* what) const {
    if (values.empty()) return;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(sorted.size());
    std::printf("  %-44s mean %7.1f ms  median %7.1f  min %7.1f  max %7.1f\n", what, mean, sorted[sorted.size() / 2],
                sorted.front(), sorted.back());
  }
};

// A plain read's time from its start (opening the port) to its first block: the
// protocol's own share of a new link's overhead.
double OpeningFloor(const sim::RadioImage& image) {
  sim::SimConfig config;
  config.paceBaud = kBaud;
  sim::SimRadio radio(config, image);
  std::string error;
  if (!radio.Start(&error)) return -1;
  std::vector<double> times;
  for (int round = 0; round < 3; ++round) {
    struct FirstBlock : ITransferObserver {
      Clock::time_point at{};
      void OnProgress(const TransferRun&, const TransferProgress& p) override {
        if (p.status == TransferStatus::XFER_READING && at == Clock::time_point{}) at = Clock::now();
      }
      void OnFinished(const TransferRun&, const TransferOutcome&) override {}
    } first;
    TransferRequest request;
    request.device = radio.DevicePath();
    request.backup = false;
    TransferRun run(std::make_shared<CSerialPort>(), g_strIniFile, request, {});
    run.AddObserver(first);
    const auto start = Clock::now();
    run.Execute();
    times.push_back(Ms(first.at - start));
  }
  return *std::min_element(times.begin(), times.end());
}

bool RunMode(bool swap, int count, const sim::RadioImage& planImage, const TransferRun::Image& plan, const fs::path& dir) {
  const fs::path where = swap ? dir / "swap-cable" : dir / "links";
  fs::create_directories(dir / "links");
  int up[2];
  if (pipe(up) != 0) return false;
  const pid_t child = fork();
  if (child == 0) {
    close(up[0]);
    RunRadios(swap, where.string(), planImage, count, up[1]);
  }
  close(up[1]);
  std::vector<Clock::time_point> arrivals;
  std::mutex arrivalsMutex;
  std::thread reader([&] {
    std::string line;
    for (char c; read(up[0], &c, 1) == 1;) {
      if (c != '\n') {
        line += c;
        continue;
      }
      const std::lock_guard<std::mutex> lock(arrivalsMutex);
      arrivals.push_back(Clock::time_point(std::chrono::nanoseconds(std::stoll(line))));
      line.clear();
    }
  });

  StationSettings settings;
  settings.settingsPath = g_strIniFile;
  settings.plan = plan;
  settings.sources = {swap ? StationSource{StationSource::Kind::Device, 0, where.string()}
                           : StationSource{StationSource::Kind::Folder, 0, where.string()}};
  settings.logPath = (dir / (swap ? "swap.csv" : "hotplug.csv")).string();
  Marks marks;
  bool ok = true;
  int status = 0;
  {
    Station station(settings, marks);
    std::string error;
    if (!station.Start(&error)) {
      std::fprintf(stderr, "station: %s\n", error.c_str());
      kill(child, SIGTERM);
      ok = false;
    }
    // The schedule ends once the station has seen its last radio done.
    waitpid(child, &status, 0);
    station.Stop(Station::StopMode::AfterRadiosUnderWay);
  }
  reader.join();
  close(up[0]);

  const std::vector<Marks::Radio> radios = marks.Radios();
  Figures fromArrival, fromAck, toLog;
  int programmed = 0;
  for (std::size_t i = 0; i < radios.size() && i < arrivals.size(); ++i) {
    const Marks::Radio& radio = radios[i];
    programmed += radio.result == RadioResult::Programmed ? 1 : 0;
    fromArrival.Add(Ms(radio.firstBlock - arrivals[i]));
    if (swap) fromAck.Add(Ms(radio.firstBlock - radio.acknowledged));
    if (radio.verified != Clock::time_point{}) toLog.Add(Ms(radio.logged - radio.verified));
  }
  std::printf("%s: %d radios, %d programmed\n", swap ? "one cable, radios swapped" : "a new link for each radio",
              static_cast<int>(radios.size()), programmed);
  fromArrival.Print(swap ? "radio on the line -> first block" : "link appeared -> first block");
  if (swap) fromAck.Print("first acknowledged attempt -> first block");
  toLog.Print("verification's last block -> log line");
  std::fflush(stdout);
  return ok && programmed == count && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  char dataHome[] = "/tmp/qorrin-station-bench-XXXXXX";
  if (mkdtemp(dataHome) == nullptr) return 1;
  const fs::path dir = dataHome;
  bool ok = true;
  {
    bench::PrivateDataFiles files("station-bench");
    CQorrinDoc doc;
    doc.OnNewDocument();
    const TransferRun::Image plan = TransferRun::DocumentImage(doc);
    sim::RadioImage planImage;
    std::copy(plan.begin(), plan.end(), planImage.begin());
    std::printf("a plain read, port opened -> first block: %.1f ms (the protocol's own opening)\n", OpeningFloor(planImage));
    std::fflush(stdout);
    ok = RunMode(false, count, planImage, plan, dir / "hotplug") && ok;
    ok = RunMode(true, count, planImage, plan, dir / "swap") && ok;
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return ok ? 0 : 1;
}
