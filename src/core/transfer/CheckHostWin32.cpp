#include "core/transfer/CheckHost.h"

#include <windows.h>

namespace qorrin {

// Windows has no device files, groups that grant ports, or /proc: only the process counts.
CheckHost CheckHost::ThisProcess() {
  CheckHost host;
  host.root.clear();
  host.pid = static_cast<int>(::GetCurrentProcessId());
  return host;
}

}  // namespace qorrin
