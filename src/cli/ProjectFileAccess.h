#pragma once
// Opening and replacing project files from the command line, with the messages a
// technician needs when something is wrong.
#include <string>

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::cli {

// Loads a project file into the document. Prints what is wrong and returns false when
// the file cannot be read or is not a project file; notes a short file on stderr.
bool OpenProjectFile(CQorrinDoc& doc, const std::string& path);

// False (with a message) when `path` exists and `force` is not set, or names a folder:
// an existing project is never replaced by accident.
bool MayWriteOutput(const std::string& path, bool force);

}  // namespace qorrin::cli
