#pragma once
// A file that only grows, each addition on disk before the call returns: what a log needs
// so that a crash or a pulled plug loses no line that was reported as written.
#include <string>

namespace qorrin {

class AppendFile {
 public:
  AppendFile() = default;
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Opens the file for appending, creating it when it does not exist. False with a
  // reason (English, naming the file) when it cannot be.
  bool Open(const std::string& path, std::string* error);
  // Whether the file held nothing when it was opened.
  bool WasEmpty() const { return m_wasEmpty; }
  // Appends all the bytes and flushes them to the disk. False with a reason otherwise.
  bool Append(const std::string& bytes, std::string* error);

 private:
  std::string m_path;
  bool m_wasEmpty = true;
#ifdef _WIN32
  void* m_handle = nullptr;
#else
  int m_fd = -1;
#endif
};

}  // namespace qorrin
