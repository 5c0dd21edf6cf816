#pragma once
// The names of the temporary files that an atomic write puts beside its target:
// ".NAME.tmpPID-N". The process id tells a later writer whether the process that made
// the file still exists, and so whether the file is a leftover it may remove.
#include <filesystem>
#include <string>
#include <string_view>

namespace qorrin {

// ".NAME.tmp" for a target named NAME.
std::string TemporaryPrefix(const std::filesystem::path& target);

// A fresh temporary name beside the target, unique within this process.
std::filesystem::path TemporaryName(const std::filesystem::path& target);

// The process id in a temporary name made with `prefix`; 0 when `name` is not one.
long long TemporaryOwner(std::string_view name, std::string_view prefix);

}  // namespace qorrin
