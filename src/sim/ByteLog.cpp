#include "sim/ByteLog.h"

#include <cerrno>
#include <cstring>

namespace qorrin::sim {

ByteLog::ByteLog() : m_start(std::chrono::steady_clock::now()) {}

ByteLog::~ByteLog() {
  if (m_file) std::fclose(m_file);
}

bool ByteLog::OpenFile(const std::string& path, std::string* error) {
  std::lock_guard lock(m_mutex);
  m_file = std::fopen(path.c_str(), "w");
  if (!m_file && error) *error = "cannot write " + path + ": " + std::strerror(errno);
  return m_file != nullptr;
}

void ByteLog::Add(std::chrono::steady_clock::time_point time, bool fromPc, const std::uint8_t* data,
                  std::size_t size) {
  std::lock_guard lock(m_mutex);
  if (m_keep) {
    for (std::size_t i = 0; i < size; ++i) m_bytes.push_back({time, fromPc, data[i]});
  }
  if (!m_file) return;
  const double ms = std::chrono::duration<double, std::milli>(time - m_start).count();
  std::fprintf(m_file, "%12.3f ms  %s ", ms, fromPc ? "PC>radio" : "radio>PC");
  for (std::size_t i = 0; i < size; ++i) std::fprintf(m_file, " %02X", data[i]);
  std::fputc('\n', m_file);
  std::fflush(m_file);
}

void ByteLog::Note(const std::string& text) {
  std::lock_guard lock(m_mutex);
  if (!m_file) return;
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start).count();
  std::fprintf(m_file, "%12.3f ms  -- %s\n", ms, text.c_str());
  std::fflush(m_file);
}

std::vector<LoggedByte> ByteLog::Bytes() const {
  std::lock_guard lock(m_mutex);
  return m_bytes;
}

}  // namespace qorrin::sim
