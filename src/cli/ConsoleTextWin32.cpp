#include "cli/ConsoleText.h"

#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "core/platform/WideText.h"

namespace qorrin::cli {

std::vector<std::string> CommandLineUtf8(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(platform::Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

// Output in binary mode, too: a dump or a listing is the same bytes (LF line ends) as on
// Linux, whether it goes to the console, a pipe or a file.
void UseUtf8Console() {
  ::SetConsoleOutputCP(CP_UTF8);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

}  // namespace qorrin::cli
