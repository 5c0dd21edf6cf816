#pragma once
// Windows names files, registry values and environment variables in UTF-16; the rest of
// the program speaks UTF-8. Conversions at the edge, for the Win32 parts only.
#include <string>
#include <string_view>

namespace qorrin::platform {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace qorrin::platform
