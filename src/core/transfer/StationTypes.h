#pragma once
// The production-line station's vocabulary (Station.h): where it looks for radios, what
// became of each radio, how each port stands, and the observer that hears of it all.
#include <chrono>
#include <optional>
#include <string>

#include "core/transfer/TransferOutcome.h"

namespace qorrin {

// Where the station looks for radios.
struct StationSource {
  enum class Kind {
    Port,    // a port number, as setting.ini and the machine number them
    Device,  // one device path
    Folder,  // every device that appears in a folder (/dev/serial/by-id, a folder of links)
    AllUsb,  // every USB serial device, present or plugged in later
  };
  Kind kind = Kind::AllUsb;
  int port = 0;      // Port
  std::string path;  // Device, Folder
};

// What became of one radio.
enum class RadioResult {
  Programmed,            // written (and verified, unless verification is off)
  AlreadyProgrammed,     // it held the plan already: nothing written
  VerifyFailed,          // written, but it holds other bytes, or could not be read back
  WrongModel,            // not a VLM-7Q, or another frequency range: nothing written
  UnpluggedDuringWrite,  // it stopped answering before its write was complete
  ReadFailed,            // its backup could not be read: nothing written
  BackupFailed,          // its backup could not be saved: nothing written
  Cancelled,             // the station was stopped in the middle of its transfers
};

// The log's word for a result ("programmed", "already programmed", "verify failed", ...).
const char* RadioResultText(RadioResult result);

// Programmed or already programmed: the radio holds the plan.
constexpr bool HoldsPlan(RadioResult result) {
  return result == RadioResult::Programmed || result == RadioResult::AlreadyProgrammed;
}

// One radio's turn, as its line of the log keeps it.
struct StationRadio {
  std::chrono::system_clock::time_point when;  // its log line was written
  std::string port;    // the port's name (StationPortView::name)
  std::string device;  // the device it was on
  std::string cable;   // the cable's serial number; "" when unknown
  RadioResult result = RadioResult::ReadFailed;
  std::string shaBefore;   // SHA-256 of bytes 0x000-0x7EF as read first; "" when not read
  std::string shaAfter;    // SHA-256 of the same bytes as read back after the write; "" without
  std::string backupFile;  // "" when none was saved
  double seconds = 0;      // from the acknowledged entry attempt to the log line
  std::string detail;      // English: what went wrong, or a note ("not verified")
  TransferOutcome outcome; // of the transfer that decided the result
  std::string logError;    // why its log line could not be written (English); "" when it was
};

// What a port is doing.
enum class PortActivity {
  NoDevice,    // nothing there: the cable is unplugged, the number names no device
  CannotOpen,  // the device is there but refuses to open (detail says why)
  Waiting,     // an entry attempt every few seconds, for the next radio
  Reading,     // the radio's backup
  Writing,
  Verifying,
  RadioDone,   // the radio's turn is over (result); waiting until it is gone
};

// How one port stands.
struct StationPortView {
  int row = 0;         // in the order the ports appeared, from 0
  std::string name;    // "COM3", a device path, a link in a watched folder
  std::string device;  // the device behind it now; "" when there is none
  std::string cable;   // the cable's serial number; "" when unknown
  PortActivity activity = PortActivity::NoDevice;
  int percent = -1;    // Reading, Writing, Verifying: of that transfer; -1 before its first block
  std::optional<RadioResult> result;  // the last radio's result on this port, if any
  std::string detail;   // of that result (English)
  std::string problem;  // CannotOpen: why the device cannot be opened (English)
  int radios = 0;      // radios finished on this port
};

struct StationTally {
  int programmed = 0;
  int alreadyProgrammed = 0;
  int failed = 0;
  int Radios() const { return programmed + alreadyProgrammed + failed; }
};

// Hears what the station does. Called on the station's threads: one per port and one
// that watches for devices; calls about one port come one at a time, calls about
// different ports may come at once, so whatever an observer shares it must guard. Calls
// should return quickly: the port waits for them.
class IStationObserver {
 public:
  virtual ~IStationObserver() = default;
  virtual void OnPortChanged(const StationPortView& port) = 0;
  // A radio's turn is over and its log line written (or radio.logError says why not).
  virtual void OnRadioFinished(const StationRadio& radio, const StationTally& tally) = 0;
  // The last call: every port has stopped.
  virtual void OnStationEnded(const StationTally& tally) = 0;
};

}  // namespace qorrin
