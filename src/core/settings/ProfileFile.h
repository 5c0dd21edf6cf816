#pragma once
// Access to INI-style files ("private profiles"): setting.ini and the language files.
// Every call sees the file as it is at that moment: a value written by one caller is seen
// by the next read of any other, and a file edited or replaced on disk by the next read.
// Reads keep the parsed file and use it again while the file stays unchanged on disk
// (ProfileCache.h); any thread may call them.
//
// Syntax accepted: "[section]" lines and "key=value" lines. Section and key names match
// without regard to letter case; blanks around names and values are ignored; a value
// enclosed in a pair of double quotes loses the quotes; lines starting with ';' or '#' are
// comments. The first matching section and the first matching key in it win. Files are
// UTF-8 (a leading byte-order mark is skipped); LF and CRLF line ends are both read.
#include <cstddef>
#include <memory>
#include <string>

// <windows.h> makes WriteProfileString a macro for its own function of that name; ours
// must keep its name in every file that sees both.
#ifdef WriteProfileString
#undef WriteProfileString
#endif

namespace qorrin {

class ParsedProfile;

// One look at a file (one stat, and a read only when the file changed) for a lookup that
// needs several of its keys, such as a whole option list: every key comes from the same
// version of the file. The functions below are one-key snapshots.
class ProfileSnapshot {
 public:
  explicit ProfileSnapshot(const std::string& path);

  // As ReadProfileString and ReadProfileInt, in this version of the file.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def,
                         std::size_t bufferSize) const;
  int ReadInt(const std::string& section, const std::string& key, int def) const;

  // The parsed file (null when it is missing or unreadable); the same object for as long
  // as the file stays unchanged, so callers may key what they derive from it on it.
  const std::shared_ptr<const ParsedProfile>& Parsed() const { return m_file; }

 private:
  std::shared_ptr<const ParsedProfile> m_file;
};

// The key's value cut to at most bufferSize - 1 bytes (never in the middle of a UTF-8
// character); `def` (cut the same way) when the file, section or key is missing or the
// file cannot be read. A key with an empty value gives the empty text.
std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& def, std::size_t bufferSize,
                              const std::string& path);

// The key's value read as a decimal integer (leading blanks and a sign accepted, reading
// stops at the first non-digit, no digits give 0); `def` when the key is missing.
int ReadProfileInt(const std::string& section, const std::string& key, int def,
                   const std::string& path);

// The text with `value` stored under the key, as WriteProfileString stores it.
std::string WithProfileValue(std::string text, const std::string& section, const std::string& key,
                             const std::string& value);

// Stores `value` under the key, adding a missing section or key, keeping every other
// line of the file byte for byte. The file is replaced atomically. Returns false when it
// could not be written (callers of the program are free to ignore that).
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);

}  // namespace qorrin
