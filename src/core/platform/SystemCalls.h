#pragma once
// The few calls whose system interfaces differ between Linux and Windows, with one
// meaning on both (SystemCallsPosix.cpp, SystemCallsWin32.cpp). Names are UTF-8.
#include <ctime>
#include <string>
#include <string_view>

namespace qorrin::platform {

// A descriptor for read(), fstat() and close(), or -1 with errno set. Binary, not
// inherited by child processes. nonBlocking: a FIFO or device named by mistake cannot
// hold the open (Linux; Windows has no such files).
int OpenForReading(const std::string& path, bool nonBlocking);

// Creates an empty file only when nothing of that name exists. 0, or the errno of the
// failure (EEXIST when the name is taken).
int CreateNewFile(const std::string& path);

// Whether a file may be created in the folder (it exists and the user may write there;
// on Windows: it exists and is a folder, whose rights show only when a file is made).
bool FolderAcceptsFiles(const std::string& folder);

// An environment variable as UTF-8 text; empty when it is not set.
std::string EnvironmentText(const char* name);

// Local time of a moment, in the machine's time zone.
std::tm LocalTime(std::time_t moment);

// This process's id, and whether a process of that id exists (a process we may not
// signal or open still exists).
long long CurrentProcessId();
bool ProcessExists(long long id);

// Writes every byte to a descriptor, going on after a signal or a short write. False with
// errno set when it fails; a write that takes nothing counts as a full disk (ENOSPC).
// Linux only: Windows writes files through its own handles.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace qorrin::platform
