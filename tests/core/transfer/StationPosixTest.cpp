// The station's own decisions on pseudo-terminals; and a write into a line nobody reads.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>
#include <vector>

#include "core/link/CSerialPort.h"
#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolTimings.h"
#include "core/model/CQorrinDoc.h"
#include "core/transfer/Station.h"
#include "support/StationRecorder.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

// A pseudo-terminal whose far end, once started, acknowledges entry commands as `answers`
// says (past its end: each) and counts end commands. Unless `ours`, it identifies as another
// radio, so a turn ends at once; ours calls `onConfirm` once its identification is confirmed.
class EntryAnswerer {
 public:
  std::function<void()> beforeAck;
  std::function<void()> onConfirm;
  std::vector<bool> answers;
  bool ours = false;

  EntryAnswerer() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) return;
    if (::ptsname_r(m_master, name, sizeof name) != 0) return;
    m_device = name;
    // Kept open so that the line stays up while the station closes and opens it.
    m_keeper = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios tio{};
    if (m_keeper >= 0 && ::tcgetattr(m_keeper, &tio) == 0) {
      ::cfmakeraw(&tio);
      ::tcsetattr(m_keeper, TCSANOW, &tio);
    }
  }
  ~EntryAnswerer() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_keeper >= 0) ::close(m_keeper);
    if (m_master >= 0) ::close(m_master);
  }
  const std::string& Device() const { return m_device; }
  int Keeper() const { return m_keeper; }
  void Start() { m_thread = std::thread([this] { Run(); }); }
  int Acks() const { return m_acks.load(); }
  int Entries() const { return static_cast<int>(m_entries.load()); }
  // The end commands heard, once as many as entry commands (or a while passed): the last
  // may still be on its way when the station ended.
  int Ends() const {
    for (int i = 0; i < 100 && m_ends.load() < Entries(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return m_ends.load();
  }

 private:
  void Run() {
    std::size_t matched = 0;  // bytes of the entry command heard so far
    bool identified = false;  // until the station confirms the identification
    while (!m_stop) {
      pollfd fd{m_master, POLLIN, 0};
      std::uint8_t byte = 0;
      if (::poll(&fd, 1, 20) <= 0 || !(fd.revents & POLLIN) || ::read(m_master, &byte, 1) != 1) continue;
      if (byte == link::kEndCommand) ++m_ends;
      if (byte == link::kIdentifyRequest) {
        const std::string ident = ours ? "NN" : std::string(link::kIdentReads, 'x');  // quicker than silence
        if (::write(m_master, ident.data(), ident.size()) < 0) continue;
        identified = ours;
      }
      if (byte == link::kAck && identified) {
        identified = false;
        if (onConfirm) onConfirm();
      }
      matched = byte == link::kEntryCommand[matched] ? matched + 1 : byte == link::kEntryCommand[0] ? 1 : 0;
      if (matched < link::kEntryCommand.size()) continue;
      matched = 0;
      const std::size_t entry = m_entries++;
      if (entry < answers.size() && !answers[entry]) continue;
      if (beforeAck) beforeAck();
      const std::uint8_t ack = link::kAck;
      if (::write(m_master, &ack, 1) == 1) ++m_acks;
    }
  }

  int m_master = -1;
  int m_keeper = -1;
  std::string m_device;
  std::thread m_thread;
  std::atomic<bool> m_stop{false};
  std::atomic<std::size_t> m_entries{0};
  std::atomic<int> m_acks{0};
  std::atomic<int> m_ends{0};
};

// A pseudo-terminal that was never unlocked: its device is there but will not open.
struct LockedLine {
  int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  LockedLine() { ::grantpt(master); }
  ~LockedLine() { ::close(master); }
  std::string Device() const {
    char name[128];
    return master >= 0 && ::ptsname_r(master, name, sizeof name) == 0 ? name : "";
  }
};

// Shipped settings; a station watching a folder of links, with a new document as its plan.
struct PtyStationBench {
  TempDir dir;
  EntryAnswerer answerer;
  StationRecorder recorder;
  std::atomic<Station*> running{nullptr};

  StationSettings Settings(const std::vector<std::string>& names, const std::string& target = "") {
    EXPECT_FALSE(answerer.Device().empty());
    dir.installDataFiles();
    std::filesystem::create_directories(dir.path() / "links");
    const std::string& line = target.empty() ? answerer.Device() : target;
    for (const std::string& name : names) std::filesystem::create_symlink(line, dir.path() / "links" / name);
    CQorrinDoc doc;
    doc.OnNewDocument();
    StationSettings settings;
    settings.settingsPath = dir.file("setting.ini");
    settings.plan = TransferRun::DocumentImage(doc);
    settings.sources = {{StationSource::Kind::Folder, 0, dir.file("links")}};
    settings.logPath = dir.file("station.csv");
    settings.attemptPeriodMs = 100;
    return settings;
  }
  // For the far end: stops the running station so.
  std::function<void()> Stopper(Station::StopMode mode) {
    return [this, mode] {
      if (Station* station = running.load()) station->Stop(mode);
    };
  }
  // Starts the station and waits for it to end by itself; false, with it stopped, if not.
  bool RunsToItsEnd(Station& station) {
    running = &station;
    std::string error;
    EXPECT_TRUE(station.Start(&error)) << error;
    const bool ended = recorder.WaitForEnd();
    if (!ended) station.Stop(Station::StopMode::CancelTransfers);
    station.Wait();
    return ended;
  }
  // Starts the station and waits until port `row` shows `device`.
  void StartUntil(Station& station, int row, const std::string& device) {
    std::string error;
    ASSERT_TRUE(station.Start(&error)) << error;
    ASSERT_EQ(recorder.DevicesUntil(row, device).back(), device);
  }
};

// A station that cannot do its work does not start, and says why.
TEST(Station, StartRefusesWhatCannotRun) {
  PtyStationBench bench;
  const StationSettings good = bench.Settings({});
  auto refusal = [&](const StationSettings& settings) {
    Station station(settings, bench.recorder);
    std::string error;
    EXPECT_FALSE(station.Start(&error));
    return error;
  };
  StationSettings spoilt = good;
  spoilt.sources.clear();
  EXPECT_EQ(refusal(spoilt), "no port to watch");
  spoilt = good;
  std::fill_n(spoilt.plan.begin() + kBandInfo, kBandInfoSize, 0x00);
  EXPECT_EQ(refusal(spoilt), "the plan's frequency range matches no model in setting.ini");
  bench.dir.write("file", "");
  spoilt = good;
  spoilt.backupFolder = bench.dir.file("file/backups");
  EXPECT_EQ(refusal(spoilt).rfind("cannot create the backup folder " + spoilt.backupFolder, 0), 0u);
  spoilt.logPath = bench.dir.file("file/station.csv");
  spoilt.backupFolder = bench.dir.file("backups");
  EXPECT_NE(refusal(spoilt).find(spoilt.logPath), std::string::npos);
  EXPECT_TRUE(bench.recorder.Radios().empty());
}

// A radio left on its cable has one turn (later answers get the end command only) until it
// counts as gone; the last radio ends the station without cancelling its turn; each is
// logged and counted; a line reached through two links is one port's only.
TEST(Station, ARadioLeftOnItsCableHasOneTurnAndTheLastFinishesIts) {
  PtyStationBench bench;
  StationSettings settings = bench.Settings({"cable-a", "cable-b"});
  settings.count = 2;
  settings.missesUntilGone = 1;
  bench.answerer.answers = {true, true, false, true};  // a turn, the same radio, gone, the next
  bench.answerer.Start();
  Station station(settings, bench.recorder);
  ASSERT_TRUE(bench.RunsToItsEnd(station)) << "the station did not end after its two radios";
  const std::vector<StationRadio> radios = bench.recorder.Radios();
  ASSERT_EQ(radios.size(), 2u);
  for (const StationRadio& radio : radios) {
    EXPECT_EQ(radio.result, RadioResult::WrongModel);
    EXPECT_EQ(radio.detail, "the radio did not identify as a VLM-7Q");
  }
  EXPECT_EQ(station.Tally().failed, 2);
  EXPECT_EQ(station.Tally().programmed + station.Tally().alreadyProgrammed, 0);
  const std::string log = bench.dir.read("station.csv");
  EXPECT_EQ(log.rfind(StationLog::Heading(), 0), 0u);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << log;
  EXPECT_NE(log.find(",wrong model,"), std::string::npos) << log;

  const std::set<int> rows = bench.recorder.RowsWithDevice();
  ASSERT_EQ(rows.size(), 1u);
  using A = PortActivity;
  EXPECT_EQ(bench.recorder.Activities(*rows.begin()),
            (std::vector<A>{A::NoDevice, A::Waiting, A::Reading, A::RadioDone, A::Waiting, A::Reading, A::RadioDone}));
  EXPECT_EQ(bench.answerer.Entries(), 4);
  EXPECT_EQ(bench.answerer.Ends(), 4);
}

// A radio answering the attempt just before a stop gets only the end command. A device is
// tried as soon as it is there, not an attempt period later.
TEST(Station, NoTurnBeginsAfterAStop) {
  PtyStationBench bench;
  bench.answerer.beforeAck = bench.Stopper(Station::StopMode::AfterRadiosUnderWay);
  bench.answerer.Start();
  StationSettings settings = bench.Settings({"cable"});
  settings.attemptPeriodMs = 60000;  // the first attempt is made at once all the same
  Station station(settings, bench.recorder);
  ASSERT_TRUE(bench.RunsToItsEnd(station));
  EXPECT_TRUE(bench.recorder.Radios().empty());
  EXPECT_EQ(station.Tally().Radios(), 0);
  EXPECT_EQ(bench.answerer.Acks(), 1);
  EXPECT_EQ(bench.answerer.Ends(), 1);
}

// A second stop cancels the turn under way; its radio is still ended.
TEST(Station, AHardStopCancelsTheTurnUnderWay) {
  PtyStationBench bench;
  bench.answerer.ours = true;
  bench.answerer.onConfirm = bench.Stopper(Station::StopMode::CancelTransfers);
  bench.answerer.Start();
  Station station(bench.Settings({"cable"}), bench.recorder);
  ASSERT_TRUE(bench.RunsToItsEnd(station));
  const std::vector<StationRadio> radios = bench.recorder.Radios();
  ASSERT_EQ(radios.size(), 1u);
  EXPECT_EQ(radios[0].result, RadioResult::Cancelled);
  EXPECT_EQ(radios[0].detail, "stopped while its backup was read; nothing written");
  EXPECT_EQ(bench.answerer.Ends(), bench.answerer.Entries());
}

// A second link to a line a port has never gets it; a device that will not open is not tried.
TEST(Station, ALineThatGainsASecondNameStaysWithItsPortAndALockedOneIsNotTried) {
  PtyStationBench bench;
  LockedLine locked;
  ASSERT_FALSE(locked.Device().empty());
  Station station(bench.Settings({"a"}, locked.Device()), bench.recorder);
  const std::string first = bench.dir.file("links/a");
  bench.StartUntil(station, 0, first);
  std::filesystem::create_symlink(locked.Device(), bench.dir.path() / "links" / "b");
  bench.recorder.DevicesUntil(1, "");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // time to take the line, were it to
  station.Stop(Station::StopMode::CancelTransfers);
  station.Wait();
  EXPECT_EQ(bench.recorder.Devices(1), std::vector<std::string>{""});
  EXPECT_EQ(bench.recorder.Devices(0).back(), first);
  EXPECT_EQ(bench.recorder.Activities(0), (std::vector<PortActivity>{PortActivity::NoDevice, PortActivity::CannotOpen}));
  EXPECT_NE(bench.recorder.Problem(0), "");
}

// A port number whose settings entry comes to name another device follows it at once.
TEST(Station, APortNumberFollowsItsEntryToAnotherDevice) {
  PtyStationBench bench;
  LockedLine one, other;  // never opened: the port waits for a change
  StationSettings settings = bench.Settings({"a"}, one.Device());
  std::filesystem::create_symlink(other.Device(), bench.dir.path() / "links" / "bb");
  const std::string first = bench.dir.file("links/a");
  const std::string second = bench.dir.file("links/bb");
  settings.settingsPath = bench.dir.file("ports.ini");
  bench.dir.write("ports.ini", "[ports]\nenumerate=0\n3=" + first + "\n");
  settings.sources = {{StationSource::Kind::Port, 3, ""}};
  Station station(settings, bench.recorder);
  bench.StartUntil(station, 0, first);
  bench.dir.write("ports.ini", "[ports]\nenumerate=0\n3=" + second + "\n");
  bench.dir.write("links/wake", "");  // the station looks again when its folders change
  const std::vector<std::string> shown = bench.recorder.DevicesUntil(0, second);
  station.Stop(Station::StopMode::CancelTransfers);
  station.Wait();
  EXPECT_EQ(shown, (std::vector<std::string>{"", first, second}));
}

// A write into a line nobody reads gives up once its budget (about 2 s here) is spent.
TEST(PtySerialPort, AWriteIntoALineNobodyReadsEndsWithinItsBudget) {
  EntryAnswerer line;  // never started: nothing reads the far end
  ASSERT_FALSE(line.Device().empty());
  CSerialPort port;
  ASSERT_TRUE(port.Open(line.Device(), link::kBaudRate)) << port.LastError();
  // Fill the line (twice: the kernel moves bytes on behind the first refusal).
  const std::vector<std::uint8_t> bytes(500, 0x55);
  for (int round = 0; round < 2; ++round) {
    while (::write(line.Keeper(), bytes.data(), bytes.size()) > 0) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  auto sent = std::async(std::launch::async, [&] { return port.Write(bytes.data(), 500, 0, false); });
  const bool ended = sent.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
  if (!ended) port.Close();  // wakes the write so that the test ends
  EXPECT_TRUE(ended) << "the write kept waiting for room";
  EXPECT_LT(sent.get(), 500);
}

}  // namespace
}  // namespace qorrin::test
