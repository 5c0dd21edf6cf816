#include "core/transfer/ProcessTable.h"

namespace qorrin {

bool IsRunning(const std::vector<ProcessInfo>& processes, const std::string& name) {
  for (const ProcessInfo& process : processes) {
    if (process.name == name) return true;
  }
  return false;
}

}  // namespace qorrin
