#include "cli/ProjectFileAccess.h"

#include <filesystem>
#include <iostream>

#include "core/model/CQorrinDoc.h"
#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/AtomicFile.h"

namespace qorrin::cli {

bool OpenProjectFile(CQorrinDoc& doc, const std::string& path, bool requireComplete) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(platform::Utf8Path(path), ec)) {
    std::cerr << "qorrin-cli: " << path << " is a folder, not a project file\n";
    return false;
  }
  LoadResult result = doc.OnOpenDocument(path);
  switch (result.status) {
    case LoadStatus::Ok:
      break;
    case LoadStatus::CannotOpen:
      std::cerr << "qorrin-cli: " << result.strError << "\n";
      return false;
    case LoadStatus::HeaderMismatch:
      std::cerr << "qorrin-cli: " << path
                << " is not a VLM-7Q project file (it does not start with \""
                << kProjectHeaderText.substr(0, kProjectIdLength) << "\")\n";
      return false;
  }
  const auto size = fs::file_size(platform::Utf8Path(path), ec);
  if (!ec && size < kProjectFileSize && requireComplete) {
    std::cerr << "qorrin-cli: " << path << " is damaged: " << size << " bytes instead of "
              << kProjectFileSize << "\n";
    return false;
  }
  if (!ec && size < kProjectFileSize) {
    std::cerr << "qorrin-cli: note: " << path << " holds " << size << " of " << kProjectFileSize
              << " bytes; the missing part of the image reads as zero\n";
  }
  if (!ec && size > kProjectFileSize) {
    std::cerr << "qorrin-cli: note: " << path << " holds " << size << " bytes; only the first "
              << kProjectFileSize << " are used\n";
  }
  return true;
}

bool MayWriteOutput(const std::string& path, bool force) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(platform::Utf8Path(path), ec)) {
    std::cerr << "qorrin-cli: " << path << " is a folder; give a file name\n";
    return false;
  }
  // Checked before --force: a device or pipe is never replaced, whatever the user asks.
  const std::string kind = DescribeNonRegularFile(path);
  if (!kind.empty()) {
    std::cerr << "qorrin-cli: " << path << " is " << kind
              << ", not a regular file; only a project file can be written there\n";
    return false;
  }
  if (!force && fs::exists(platform::Utf8Path(path), ec)) {
    std::cerr << "qorrin-cli: " << path << " exists already; use --force to replace it\n";
    return false;
  }
  const fs::path target = platform::Utf8Path(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  if (!platform::FolderAcceptsFiles(platform::PathUtf8(folder))) {
    std::cerr << "qorrin-cli: cannot write " << path << ": the folder " << platform::PathUtf8(folder)
              << " is missing or not writable\n";
    return false;
  }
  return true;
}

}  // namespace qorrin::cli
