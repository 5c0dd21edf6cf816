// RunProgram on Windows: CreateProcessW with the outputs in files of a temporary folder.
#include "cli/CliRun.h"

#include <windows.h>

#include "core/platform/WideText.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

// One argument as CommandLineToArgvW reads it back: quoted when it holds a blank or a
// quote, each quote escaped, and the backslashes before a quote (or the closing quote)
// doubled.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

HANDLE InheritableFile(const std::wstring& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// Windows has no Ctrl+C to send to one child alone; interruptAfterMs is not supported
// here (the tests that interrupt a run are Linux only).
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args, int /*interruptAfterMs*/) {
  TempDir capture;
  const std::wstring exe = platform::WideFromUtf8(std::string(QORRIN_BIN_DIR) + "/" + program + ".exe");
  std::wstring commandLine = Quoted(exe);
  for (const std::string& argument : args) commandLine += L" " + Quoted(platform::WideFromUtf8(argument));

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = InheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = InheritableFile(capture.path().wstring() + L"\\out", GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = InheritableFile(capture.path().wstring() + L"\\err", GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process{};
  CliResult result;
  if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (::GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) ::CloseHandle(handle);
  result.out = capture.read("out");
  result.err = capture.read("err");
  return result;
}

}  // namespace qorrin::test
