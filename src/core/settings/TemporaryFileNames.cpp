#include "core/settings/TemporaryFileNames.h"

#include <atomic>
#include <climits>

#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"

namespace qorrin {

std::string TemporaryPrefix(const std::filesystem::path& target) {
  return "." + platform::PathUtf8(target.filename()) + ".tmp";
}

std::filesystem::path TemporaryName(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path name = target;
  name.replace_filename(platform::Utf8Path(TemporaryPrefix(target) + std::to_string(platform::CurrentProcessId()) +
                                           "-" + std::to_string(counter++)));
  return name;
}

long long TemporaryOwner(std::string_view name, std::string_view prefix) {
  if (name.substr(0, prefix.size()) != prefix) return 0;
  name.remove_prefix(prefix.size());
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == name.size()) return 0;
  long long pid = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (i == dash) continue;
    if (c < '0' || c > '9') return 0;
    if (i < dash) {
      pid = pid * 10 + (c - '0');
      if (pid > INT_MAX) return 0;
    }
  }
  return pid;
}

}  // namespace qorrin
