#pragma once
// "Why does the radio not answer?": the connection check that the window (Help > Check
// Connection) and `qorrin-cli check` run on a port. It looks at the device, the user's
// access, the programs that hold it and the services that meddle with cables, then talks
// to whatever is on the line as a read starts, and reports each finding with its fix.
// It stops where nothing further can be learned (a device that is missing, a line that
// cannot be had). It never writes to the radio.
#include <atomic>
#include <memory>
#include <string>

#include "core/link/ILinkPort.h"
#include "core/model/ModelInfo.h"
#include "core/transfer/CheckFinding.h"
#include "core/transfer/CheckHost.h"

namespace qorrin {

// The steps in their order, for a window that shows which one runs.
enum class CheckStep : int { Device, Access, Holders, Services, Line, Done };

struct CheckRequest {
  std::string device;        // the device to check; when empty, port `port` of settingsPath
  int port = 0;
  std::string settingsPath;  // setting.ini: what port numbers name
  std::string langFile;      // the language of the findings' texts
  // The frequency ranges of setting.ini, to name an identified radio's range; taken on the
  // thread that owns the settings, since the check may run on another.
  std::shared_ptr<const ModelTable> models;
  CheckHost host = CheckHost::ThisProcess();
  const std::atomic<bool>* cancel = nullptr;  // looked at between entry attempts
  std::atomic<CheckStep>* step = nullptr;     // set as each step begins
};

// Runs the check with `port` (which it opens and closes; the program's one serial port).
CheckReport CheckConnection(ILinkPort& port, const CheckRequest& request);

}  // namespace qorrin
