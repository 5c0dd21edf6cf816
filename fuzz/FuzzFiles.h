#pragma once
// The one scratch file a fuzz target writes each input into, on a memory file system
// when there is one (no disk flushes between inputs).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

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

}  // namespace qorrin::fuzz
