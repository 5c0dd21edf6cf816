#pragma once
// A root folder laid out as the connection check reads a Linux system.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/transfer/CheckHost.h"
#include "support/TestSupport.h"

namespace qorrin::test {

class PreparedRoot {
 public:
  std::string Root() const { return m_dir.path().string(); }
  std::string Path(const std::string& systemPath) const { return Root() + systemPath; }

  // Someone who is neither the owner of the files made here nor in their group.
  CheckHost Host(const std::string& user = "ham") const {
    CheckHost host;
    host.root = Root();
    host.pid = 1;
    host.uid = ::geteuid() + 4242;
    host.groups = {Stranger()};
    host.userName = user;
    return host;
  }
  // A group id that the files made here do not have.
  static unsigned Stranger() { return ::getegid() + 4242; }
  // The group id of the files made here.
  static unsigned FileGroup() { return ::getegid(); }

  void File(const std::string& path, const std::string& text = {}) const {
    std::filesystem::create_directories(std::filesystem::path(Path(path)).parent_path());
    WriteFileBytes(Path(path), text);
  }
  void Folder(const std::string& path) const { std::filesystem::create_directories(Path(path)); }
  void Link(const std::string& path, const std::string& target) const {
    std::filesystem::create_directories(std::filesystem::path(Path(path)).parent_path());
    std::filesystem::create_symlink(target, Path(path));
  }
  void Mode(const std::string& path, mode_t mode) const { ::chmod(Path(path).c_str(), mode); }

  // A USB cable with its chip's ids and, unless without, its tty 188:n, device and stable name.
  void AddUsbCable(int n, const std::string& tty, const std::string& vendor, const std::string& product,
                   const std::string& serial, bool withTty = true) const {
    const std::string usb = "/sys/devices/pci0000:00/usb1/1-" + std::to_string(n);
    File(usb + "/idVendor", vendor + "\n");
    File(usb + "/idProduct", product + "\n");
    if (!serial.empty()) File(usb + "/serial", serial + "\n");
    Link("/sys/bus/usb/devices/1-" + std::to_string(n), "../../.." + usb.substr(4));
    if (!withTty) return;
    const std::string ttyDir = usb + "/1-" + std::to_string(n) + ":1.0/" + tty + "/tty/" + tty;
    File(ttyDir + "/dev", "188:" + std::to_string(n) + "\n");
    Link(ttyDir + "/device", "../../../" + tty);
    Link("/sys/class/tty/" + tty, "../.." + ttyDir.substr(4));
    File("/dev/" + tty);
    Link("/dev/serial/by-id/usb-" + vendor + "_" + product + "_" + (serial.empty() ? "none" : serial) + "-if00-port0",
         "../../" + tty);
  }

  // A process with descriptors 3, 4, ... to the files; one of /dev/ptmx serves `ptyIndex`.
  void AddProcess(int pid, const std::string& name, const std::vector<std::string>& files, int ptyIndex = -1) const {
    const std::string dir = "/proc/" + std::to_string(pid);
    File(dir + "/comm", name + "\n");
    std::filesystem::create_directories(Path(dir + "/fd"));
    int fd = 3;
    for (const std::string& file : files) {
      Link(dir + "/fd/" + std::to_string(fd), file);
      if (file == "/dev/ptmx") File(dir + "/fdinfo/" + std::to_string(fd), "pos:\t0\ntty-index:\t" + std::to_string(ptyIndex) + "\n");
      ++fd;
    }
  }
  // Another user's process, whose descriptors cannot be listed.
  void AddClosedProcess(int pid, const std::string& name) const {
    File("/proc/" + std::to_string(pid) + "/comm", name + "\n");
    File("/proc/" + std::to_string(pid) + "/fd", "not a folder");
  }

 private:
  TempDir m_dir;
};

}  // namespace qorrin::test
