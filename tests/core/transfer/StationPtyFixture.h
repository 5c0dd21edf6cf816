#pragma once
// The station's tests on pseudo-terminals: a far end that does no more than acknowledge
// entry commands and identify (or not), a line that will not open, an observer that keeps
// what the station said, and a station on a folder of links with the shipped settings.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolTimings.h"
#include "core/model/CQorrinDoc.h"
#include "core/transfer/Station.h"
#include "support/StationRecorder.h"
#include "support/TestSupport.h"

namespace qorrin::test {

// A pseudo-terminal whose far end acknowledges entry commands (after calling `beforeAck`,
// when set) as `answers` says, one by one (past its end: each), and counts the end
// commands it hears. Unless `ours`, it identifies as another radio, so a turn that begins
// ends at once; ours identifies, calls `onConfirm` when that is acknowledged, and says
// nothing more.
class EntryAnswerer {
 public:
  std::function<void()> beforeAck;
  std::function<void()> onConfirm;
  std::vector<bool> answers;
  bool ours = false;

  EntryAnswerer() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) return;
    char name[128];
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
  void Start() { m_thread = std::thread([this] { Run(); }); }
  int Acks() const { return m_acks.load(); }
  int Entries() const { return static_cast<int>(m_entries.load()); }
  // The end commands heard, once there are as many as entry commands (or a while passed):
  // the last may still be on its way when the station has ended.
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
      if (::poll(&fd, 1, 20) <= 0 || !(fd.revents & POLLIN)) continue;
      std::uint8_t byte = 0;
      if (::read(m_master, &byte, 1) != 1) continue;
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

// Shipped settings, a folder of links to the answerer's line under the given names, and
// a station watching that folder with a new document's image as its plan.
struct PtyStationBench {
  TempDir dir;
  EntryAnswerer answerer;
  StationRecorder recorder;

  StationSettings Settings(const std::vector<std::string>& names) {
    dir.installDataFiles();
    std::filesystem::create_directories(dir.path() / "links");
    for (const std::string& name : names) std::filesystem::create_symlink(answerer.Device(), dir.path() / "links" / name);
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
  // Starts the station and waits (generously) for it to end by itself; false, with the
  // station stopped, when it did not.
  bool RunsToItsEnd(Station& station) {
    std::string error;
    EXPECT_TRUE(station.Start(&error)) << error;
    const bool ended = recorder.WaitForEnd();
    if (!ended) station.Stop(Station::StopMode::CancelTransfers);
    station.Wait();
    return ended;
  }
};

}  // namespace qorrin::test
