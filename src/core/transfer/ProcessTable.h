#pragma once
// The processes of the machine and the files each holds open, read from /proc under the
// check's root folder: who has a serial device open, and whether ModemManager runs.
// Empty on Windows, which has no such table for us to read.
#include <string>
#include <vector>

#include "core/transfer/CheckHost.h"

namespace qorrin {

struct ProcessInfo {
  int pid = 0;
  std::string name;              // the command name (/proc/PID/comm)
  bool lookedInto = true;        // false: its descriptors are closed to us (another user's)
  std::vector<std::string> files;  // what its descriptors lead to ("/dev/ttyUSB0")
  std::vector<int> ptyMasters;   // pseudo-terminals whose far end it holds (N of /dev/pts/N)
};

std::vector<ProcessInfo> ReadProcesses(const CheckHost& host);

// Whether a process of that command name runs.
bool IsRunning(const std::vector<ProcessInfo>& processes, const std::string& name);

}  // namespace qorrin
