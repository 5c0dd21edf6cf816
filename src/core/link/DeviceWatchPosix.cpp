// inotify on the watched folders and a pipe for Wake, both waited on with poll().
#include "core/link/DeviceWatch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>

namespace qorrin::link {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kFolderEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// The folder itself when it exists, else its nearest existing parent (where it will
// appear).
fs::path ExistingFolder(fs::path folder) {
  std::error_code ec;
  while (!folder.empty() && !fs::is_directory(folder, ec)) {
    const fs::path parent = folder.parent_path();
    if (parent == folder) break;
    folder = parent;
  }
  return folder;
}

void Drain(int fd) {
  char buffer[4096];
  while (::read(fd, buffer, sizeof buffer) > 0) {
  }
}

}  // namespace

struct DeviceWatch::Impl {
  std::vector<std::string> folders;
  int inotify = -1;
  int wake[2] = {-1, -1};

  // Adding a watch that exists already costs nothing and changes nothing; done before
  // each wait, it follows folders that appeared or were made again since.
  void Arm() {
    if (inotify < 0) return;
    for (const std::string& folder : folders) {
      const fs::path watched = ExistingFolder(folder);
      if (!watched.empty()) inotify_add_watch(inotify, watched.c_str(), kFolderEvents);
    }
  }
};

DeviceWatch::DeviceWatch(std::vector<std::string> folders) : m_impl(std::make_unique<Impl>()) {
  m_impl->folders = std::move(folders);
  m_impl->inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (pipe2(m_impl->wake, O_NONBLOCK | O_CLOEXEC) != 0) m_impl->wake[0] = m_impl->wake[1] = -1;
}

DeviceWatch::~DeviceWatch() {
  for (int fd : {m_impl->inotify, m_impl->wake[0], m_impl->wake[1]}) {
    if (fd >= 0) ::close(fd);
  }
}

bool DeviceWatch::Wait(int timeoutMs) {
  m_impl->Arm();
  pollfd fds[2] = {{m_impl->inotify, POLLIN, 0}, {m_impl->wake[0], POLLIN, 0}};
  int ready;
  do {
    ready = ::poll(fds, 2, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return false;
  // Whatever happened, the caller looks at everything again: the events need no reading.
  if (fds[0].revents) Drain(m_impl->inotify);
  if (fds[1].revents) Drain(m_impl->wake[0]);
  return true;
}

void DeviceWatch::Wake() {
  const char byte = 1;
  if (m_impl->wake[1] >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(m_impl->wake[1], &byte, 1);
  }
}

}  // namespace qorrin::link
