#pragma once
// The system as the connection check sees it: the folder it reads /dev, /sys, /proc, /etc
// and the udev files from ("/" on a running machine, a prepared folder in tests), and who
// is asking (user, groups, process). Paths in findings are always the system's own
// ("/dev/ttyUSB0"), never prefixed with the root folder.
#include <functional>
#include <string>
#include <vector>

namespace qorrin {

struct CheckHost {
  std::string root = "/";
  int pid = 0;                  // this process: what it holds itself is not "another program"
  unsigned uid = 0;
  std::vector<unsigned> groups; // the groups this process has now, its own group included
  std::string userName;
  // Whether the system grants this process access beyond owner, group and mode, as the
  // access list logind gives the user at the seat does. Unset: nothing beyond them.
  std::function<bool(const std::string& path)> grantsAccess;

  // This process on this machine.
  static CheckHost ThisProcess();

  // Where a system path lies under the root folder.
  std::string InRoot(const std::string& path) const;
  // A root-folder path as the system names it (the root folder taken off).
  std::string SystemPath(const std::string& pathInRoot) const;
  // The device a path leads to through symbolic links ("/dev/serial/by-id/..." ->
  // "/dev/ttyUSB0"), links followed inside the root folder; the path itself when it is none.
  std::string ResolveDevice(const std::string& path) const;
};

}  // namespace qorrin
