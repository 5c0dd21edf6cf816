#include <windows.h>

#include "core/platform/WideText.h"
#include "core/transfer/HolderFindings.h"

namespace qorrin {

// Windows opens a port for one program at a time: another one's refuses us with "access
// denied", without saying who.
OpenProbe ProbeExclusiveOpen(const std::string& path) {
  const HANDLE handle = ::CreateFileW(platform::WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return ::GetLastError() == ERROR_ACCESS_DENIED ? OpenProbe::Busy : OpenProbe::Failed;
  }
  ::CloseHandle(handle);
  return OpenProbe::Free;
}

}  // namespace qorrin
