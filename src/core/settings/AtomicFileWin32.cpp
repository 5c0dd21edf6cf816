// Atomic replace on Windows. The new bytes go to ".NAME.tmpPID-N" beside the target,
// opened without sharing, and are flushed to disk (FlushFileBuffers); the temporary then
// takes the target's place with ReplaceFileW, which keeps the target's attributes and
// permissions, or with MoveFileExW (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
// for a new target or where ReplaceFileW is refused. Windows has no unnamed files, so a
// killed writer leaves its temporary behind; the next write beside it removes it.
#include "core/settings/AtomicFile.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/TemporaryFileNames.h"

namespace qorrin {

namespace fs = std::filesystem;

namespace {

std::string SystemText(DWORD error) { return std::system_category().message(static_cast<int>(error)); }

bool Failure(std::string* error, const std::string& path, const std::string& reason) {
  if (error) *error = "cannot write " + path + ": " + reason;
  return false;
}

fs::path FolderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(L".");
}

// Removes what killed writers of `target` left beside it. A temporary that a live writer
// holds open cannot be deleted (it is open without sharing), and one whose writer still
// runs is left alone in the moment between closing and renaming it.
void RemoveStaleTemporaries(const fs::path& target) {
  const std::string prefix = TemporaryPrefix(target);
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
    const long long owner = TemporaryOwner(platform::PathUtf8(it->path().filename()), prefix);
    if (owner <= 0 || owner == platform::CurrentProcessId() || platform::ProcessExists(owner)) continue;
    ::DeleteFileW(it->path().c_str());
  }
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Writes and flushes a new temporary beside the target. Its name, or empty with *failure set.
fs::path WriteTemporary(const fs::path& target, std::string_view bytes, DWORD* failure) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path temp = TemporaryName(target);
    const HANDLE file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                      nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      *failure = ::GetLastError();
      if (*failure == ERROR_FILE_EXISTS) continue;
      return {};
    }
    const bool done = WriteAll(file, bytes) && ::FlushFileBuffers(file);
    *failure = done ? ERROR_SUCCESS : ::GetLastError();
    ::CloseHandle(file);
    if (done) return temp;
    ::DeleteFileW(temp.c_str());
    return {};
  }
  return {};
}

}  // namespace

std::string DescribeNonRegularFile(const std::string& path) {
  if (path.empty()) return {};
  std::error_code ec;
  const fs::file_status status = fs::status(platform::Utf8Path(path), ec);
  if (ec || !fs::exists(status) || fs::is_regular_file(status)) return {};
  return fs::is_directory(status) ? "a folder" : "not a regular file";
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  if (path.empty()) return Failure(error, path, "no file name");
  fs::path target = platform::Utf8Path(path);
  std::error_code ec;
  // Replace the file a symbolic link points to, not the link.
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  if (target.filename().empty()) return Failure(error, path, "no file name");

  const fs::file_status status = fs::status(target, ec);
  const bool replacing = !ec && fs::exists(status);
  if (replacing && !fs::is_regular_file(status)) {
    const char* kind = fs::is_directory(status) ? "a folder" : "not a regular file";
    return Failure(error, path, std::string("it is ") + kind + ", not a regular file; it is left as it is");
  }
  // The read-only attribute is the user's "leave this file alone"; Windows refuses to
  // replace such a file, and so do we everywhere (Wine would not).
  const DWORD attributes = replacing ? ::GetFileAttributesW(target.c_str()) : INVALID_FILE_ATTRIBUTES;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return Failure(error, path, "it is read-only; it is left as it is");
  }
  RemoveStaleTemporaries(target);

  DWORD failure = ERROR_SUCCESS;
  const fs::path temp = WriteTemporary(target, bytes, &failure);
  if (temp.empty()) return Failure(error, path, SystemText(failure));
  const bool replaced =
      (replacing && ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                   nullptr)) ||
      ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!replaced) {
    failure = ::GetLastError();
    ::DeleteFileW(temp.c_str());
    return Failure(error, path, SystemText(failure));
  }
  return true;
}

}  // namespace qorrin
