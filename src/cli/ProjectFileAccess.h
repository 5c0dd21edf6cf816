#pragma once
// Opening and replacing project files from the command line, with the messages a
// technician needs when something is wrong.
#include <string>

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::cli {

// Loads a project file into the document. Prints what is wrong and returns false when
// the file cannot be read or is not a project file. A short file loads what it holds
// (noted on stderr) unless `requireComplete` is set: what goes into a radio must be a
// whole file, never zeros standing in for a missing tail. Bytes after the 4144 of a
// project file are ignored (noted), as opening a file always does.
bool OpenProjectFile(CQorrinDoc& doc, const std::string& path, bool requireComplete = false);

// False (with a message) when `path` names a folder, a FIFO, device or socket (even with
// `force`: only regular files are ever replaced), exists and `force` is not set, or
// lies in a folder that cannot be written: an existing project is never replaced by
// accident, and a read never spends seconds on a file it cannot save.
bool MayWriteOutput(const std::string& path, bool force);

}  // namespace qorrin::cli
