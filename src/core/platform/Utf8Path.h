#pragma once
// File names travel through the program as UTF-8 text. std::filesystem takes them as
// such only when told: on Windows a plain std::string would be read in the ANSI code page
// and a folder named in Chinese would be lost. These two are the way in and out; on
// Linux they change nothing.
#include <filesystem>
#include <string>
#include <string_view>

namespace qorrin::platform {

inline std::filesystem::path Utf8Path(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace qorrin::platform
