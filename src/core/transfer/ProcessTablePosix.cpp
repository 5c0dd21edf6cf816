#include "core/transfer/ProcessTable.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace qorrin {
namespace {

// "1234" -> 1234; 0 for any name that is not a process number.
int ProcessNumber(const std::string& name) {
  if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos || name.size() > 9) return 0;
  return std::atoi(name.c_str());
}

std::string FirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// The pseudo-terminal a master descriptor serves: "tty-index:" of its fdinfo; -1 when the
// kernel does not say.
int PtyIndex(const fs::path& fdInfo) {
  std::ifstream in(fdInfo);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("tty-index:", 0) == 0) return std::atoi(line.c_str() + 10);
  }
  return -1;
}

bool IsPtyMaster(const std::string& target) { return target == "/dev/ptmx" || target == "/dev/pts/ptmx"; }

void ReadDescriptors(const fs::path& processDir, ProcessInfo& process) {
  std::error_code ec;
  fs::directory_iterator it(processDir / "fd", ec);
  // A process that ended meanwhile has nothing to say; any other failure means we may not look.
  if (ec) {
    process.lookedInto = ec == std::errc::no_such_file_or_directory;
    return;
  }
  for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code linkError;
    const std::string target = fs::read_symlink(it->path(), linkError).string();
    if (linkError) continue;
    process.files.push_back(target);
    if (IsPtyMaster(target)) {
      const int index = PtyIndex(processDir / "fdinfo" / it->path().filename());
      if (index >= 0) process.ptyMasters.push_back(index);
    }
  }
}

}  // namespace

std::vector<ProcessInfo> ReadProcesses(const CheckHost& host) {
  std::vector<ProcessInfo> processes;
  std::error_code ec;
  for (fs::directory_iterator it(host.InRoot("/proc"), ec), end; !ec && it != end; it.increment(ec)) {
    ProcessInfo process;
    process.pid = ProcessNumber(it->path().filename().string());
    if (process.pid <= 0) continue;
    process.name = FirstLine(it->path() / "comm");
    ReadDescriptors(it->path(), process);
    processes.push_back(std::move(process));
  }
  return processes;
}

}  // namespace qorrin
