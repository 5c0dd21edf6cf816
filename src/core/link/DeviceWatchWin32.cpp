// Windows: the COM ports are looked at again every second; Wake ends a wait at once.
#include "core/link/DeviceWatch.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace qorrin::link {

namespace {
constexpr int kLookAgainMs = 1000;
}

struct DeviceWatch::Impl {
  std::mutex mutex;
  std::condition_variable woken;
  bool wake = false;
};

DeviceWatch::DeviceWatch(std::vector<std::string>) : m_impl(std::make_unique<Impl>()) {}

DeviceWatch::~DeviceWatch() = default;

bool DeviceWatch::Wait(int timeoutMs) {
  const int waitMs = timeoutMs < 0 ? kLookAgainMs : std::min(timeoutMs, kLookAgainMs);
  std::unique_lock<std::mutex> lock(m_impl->mutex);
  m_impl->woken.wait_for(lock, std::chrono::milliseconds(waitMs), [this] { return m_impl->wake; });
  m_impl->wake = false;
  return true;
}

void DeviceWatch::Wake() {
  {
    const std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->wake = true;
  }
  m_impl->woken.notify_all();
}

}  // namespace qorrin::link
