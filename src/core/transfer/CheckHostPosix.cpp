#include "core/transfer/CheckHost.h"

#include <pwd.h>
#include <unistd.h>

namespace qorrin {

CheckHost CheckHost::ThisProcess() {
  CheckHost host;
  host.pid = static_cast<int>(::getpid());
  host.uid = ::geteuid();
  host.groups.push_back(::getegid());
  const int count = ::getgroups(0, nullptr);
  if (count > 0) {
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) host.groups.push_back(groups[static_cast<std::size_t>(i)]);
  }
  passwd entry{};
  passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(host.uid, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
    host.userName = found->pw_name;
  }
  host.grantsAccess = [](const std::string& path) { return ::access(path.c_str(), R_OK | W_OK) == 0; };
  return host;
}

}  // namespace qorrin
