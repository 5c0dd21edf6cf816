#pragma once
// The one scratch file a fuzz target writes each input into, on a memory file system
// when there is one (no disk flushes between inputs).
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

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
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
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
