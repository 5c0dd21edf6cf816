#pragma once
// The one scratch file a fuzz target writes each input into, on a memory file system
// when there is one (no disk flushes between inputs).
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "core/settings/ProfileCache.h"

namespace qorrin::fuzz {

// Created once per process; `tag` tells the targets' files apart.
inline std::string ScratchFile(const char* tag) {
  for (const char* folder : {"/dev/shm", "/tmp"}) {
    std::string name = std::string(folder) + "/qorrin-fuzz-" + tag + "-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
  }
  std::abort();
}

inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) std::abort();
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

// Adds `flag` with `value` to libFuzzer's arguments (from LLVMFuzzerInitialize) unless the
// command line gives that flag itself. The strings stay for the life of the process.
inline void DefaultFlag(int* argc, char*** argv, const char* flag, const char* value) {
  for (int i = 1; i < *argc; ++i) {
    if (std::strncmp((*argv)[i], flag, std::strlen(flag)) == 0) return;
  }
  static std::deque<std::string> added;
  static std::deque<std::vector<char*>> lists;
  std::vector<char*>& args = lists.emplace_back(*argv, *argv + *argc);
  args.push_back(added.emplace_back(std::string(flag) + value).data());
  args.push_back(nullptr);
  *argc = static_cast<int>(args.size()) - 1;
  *argv = args.data();
}

// One input as the scratch file's contents for the time of one run. The settings module
// keeps the parsed file between lookups; dropping it when the run ends means that every
// run frees what it allocated (libFuzzer suspects a leak otherwise, and runs the input
// again) and that the next input, written into the same file within the same clock tick,
// is never taken for this one. With that, the module may trust the file's time stamps at
// once instead of after a settling delay, so the lookups of one run read the file once.
class ScratchInput {
 public:
  ScratchInput(const std::string& path, const std::uint8_t* data, std::size_t size) : m_path(path) {
    static const bool trustAtOnce = (qorrin::SetProfileStampSlack(std::chrono::nanoseconds(0)), true);
    (void)trustAtOnce;
    qorrin::ForgetParsedProfile(m_path);
    WriteBytes(m_path, data, size);
  }
  ~ScratchInput() { qorrin::ForgetParsedProfile(m_path); }
  ScratchInput(const ScratchInput&) = delete;
  ScratchInput& operator=(const ScratchInput&) = delete;

 private:
  std::string m_path;
};

}  // namespace qorrin::fuzz
