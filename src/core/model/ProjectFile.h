#pragma once
// The .7Q project file: a 48-byte header, then the 4096-byte radio image; 4144 bytes, no
// length fields, no checksum. Only the first 25 header characters identify the file; the
// version text after them is kept as found.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qorrin {

inline constexpr std::size_t kProjectHeaderSize = 48;
inline constexpr std::size_t kProjectFileSize = 4144;
inline constexpr std::string_view kProjectHeaderText = "VLM-7Q Radio Program data v1.09";
inline constexpr std::size_t kProjectIdLength = 25;  // "VLM-7Q Radio Program data"

// True when the bytes start with the 25 identifying characters (exact, case-sensitive).
// A file too short to hold them is not a project file.
bool HasProjectHeaderId(std::span<const std::uint8_t> bytes);

// The header as text up to its first NUL, for people: printable ASCII as it is, every
// other byte (and the backslash) as \xHH, so the text reads back unambiguously.
std::string ProjectHeaderText(std::span<const std::uint8_t> header);

struct FileReadResult {
  bool bOk = false;
  std::vector<std::uint8_t> bytes;  // at most maxBytes; anything beyond is not read
  std::string strError;             // "cannot open PATH: reason" when bOk is false
};

// Reads the start of a file (a project file needs no more than 4144 bytes).
FileReadResult ReadFileHead(const std::string& path, std::size_t maxBytes = kProjectFileSize);

enum class LoadStatus {
  Ok,              // a project file (a short one fills only what it holds)
  HeaderMismatch,  // not a project file
  CannotOpen,      // missing, unreadable, or not a regular file
};

// A project file read and checked before anything is done with it, so that a document
// is replaced only by a file that is one.
struct ProjectFileRead {
  LoadStatus status = LoadStatus::CannotOpen;
  std::vector<std::uint8_t> bytes;  // the file's first 4144 bytes at most
  std::string strError;             // CannotOpen: "cannot open PATH: reason"
  bool bFileMissing = false;        // CannotOpen because nothing exists under the name
  bool ok() const { return status == LoadStatus::Ok; }
  // How many bytes a project file that opened is short of 4144 (the rest of its image
  // reads as zero).
  std::size_t MissingBytes() const { return bytes.size() < kProjectFileSize ? kProjectFileSize - bytes.size() : 0; }
};
ProjectFileRead ReadProjectFile(const std::string& path);

}  // namespace qorrin
