#include "core/transfer/AppendFile.h"

#include <windows.h>

#include <system_error>

#include "core/platform/WideText.h"

namespace qorrin {
namespace {

std::string SystemText(DWORD error) { return std::system_category().message(static_cast<int>(error)); }

}  // namespace

AppendFile::~AppendFile() {
  if (m_handle != nullptr) CloseHandle(m_handle);
}

bool AppendFile::Open(const std::string& path, std::string* error) {
  m_path = path;
  // FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end of the file.
  HANDLE handle = CreateFileW(platform::WideFromUtf8(path).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                              FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    if (error) *error = "cannot open " + path + ": " + SystemText(GetLastError());
    return false;
  }
  m_handle = handle;
  LARGE_INTEGER size{};
  m_wasEmpty = !GetFileSizeEx(handle, &size) || size.QuadPart == 0;
  return true;
}

bool AppendFile::Append(const std::string& bytes, std::string* error) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(m_handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
        written == 0) {
      if (error) *error = "cannot write " + m_path + ": " + SystemText(GetLastError());
      return false;
    }
    done += written;
  }
  if (!FlushFileBuffers(m_handle)) {
    if (error) *error = "cannot write " + m_path + " to the disk: " + SystemText(GetLastError());
    return false;
  }
  return true;
}

}  // namespace qorrin
