#pragma once
// What crossed the simulated cable, with the time it crossed: kept in memory for tests
// and, when a file is named, written as text lines for people
// ("   12.345 ms  PC>radio  52 00 10 10").
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace qorrin::sim {

struct LoggedByte {
  std::chrono::steady_clock::time_point time;
  bool fromPc = true;
  std::uint8_t value = 0;
};

class ByteLog {
 public:
  ByteLog();
  ~ByteLog();
  ByteLog(const ByteLog&) = delete;
  ByteLog& operator=(const ByteLog&) = delete;

  bool OpenFile(const std::string& path, std::string* error);
  void KeepInMemory(bool keep) { m_keep = keep; }

  // One chunk of bytes that crossed in one direction at `time`.
  void Add(std::chrono::steady_clock::time_point time, bool fromPc, const std::uint8_t* data, std::size_t size);
  void Note(const std::string& text);  // an event line in the file (unplugged, saved, ...)

  std::vector<LoggedByte> Bytes() const;

 private:
  mutable std::mutex m_mutex;
  std::FILE* m_file = nullptr;
  bool m_keep = false;
  std::chrono::steady_clock::time_point m_start;
  std::vector<LoggedByte> m_bytes;
};

}  // namespace qorrin::sim
