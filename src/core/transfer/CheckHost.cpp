#include "core/transfer/CheckHost.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace qorrin {
namespace {

constexpr int kMostLinks = 16;  // a loop of links ends here

bool IsPlainRoot(const std::string& root) { return root.empty() || root == "/"; }

}  // namespace

std::string CheckHost::InRoot(const std::string& path) const {
  if (IsPlainRoot(root)) return path;
  return (fs::path(root) / fs::path(path).relative_path()).string();
}

std::string CheckHost::SystemPath(const std::string& pathInRoot) const {
  if (IsPlainRoot(root)) return pathInRoot;
  const fs::path relative = fs::path(pathInRoot).lexically_relative(root);
  if (relative.empty() || *relative.begin() == "..") return pathInRoot;
  return (fs::path("/") / relative).string();
}

std::string CheckHost::ResolveDevice(const std::string& path) const {
  fs::path current = path;
  for (int step = 0; step < kMostLinks; ++step) {
    std::error_code ec;
    if (!fs::is_symlink(InRoot(current.string()), ec)) break;
    const fs::path target = fs::read_symlink(InRoot(current.string()), ec);
    if (ec) break;
    current = target.is_absolute() ? target : (current.parent_path() / target).lexically_normal();
  }
  return current.string();
}

}  // namespace qorrin
