#pragma once
// The parsed form of the INI files read so far, so that a lookup in an unchanged file does
// not read and split it again. Every lookup still asks the file system (one stat): a file
// is read afresh when its device, inode, size, modification time or change time differ
// from the copy (an edit, an atomic replace, a restored modification time), when it was
// changed so recently that a later change could carry the same time stamp, or when this
// program wrote it. Safe to use from several threads at once.
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings/ProfileText.h"

namespace qorrin {

// One file's text, its lines (pointing into the text) and the value of every key that a
// lookup can find (the first section of a name, the first key of a name in it). Never
// changed once made, so a lookup may keep using it while another thread replaces the
// cache entry.
class ParsedProfile {
 public:
  explicit ParsedProfile(std::string text);
  ParsedProfile(const ParsedProfile&) = delete;
  ParsedProfile& operator=(const ParsedProfile&) = delete;

  const std::string& Text() const { return m_text; }
  // What FindProfileKey finds in the lines, in constant time.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

 private:
  // A section (isSection) or a key in one, with its value; all views into m_text.
  struct Name {
    std::string_view section;
    std::string_view key;
    std::string_view value;
    bool isSection = false;
  };
  // The slot holding that name, or the empty slot where it would go.
  std::size_t SlotOf(std::string_view section, std::string_view key, bool isSection) const;
  // Adds the name unless it is there already (the first one wins).
  bool Insert(const Name& name);

  std::string m_text;
  std::vector<Name> m_names;
  // Open addressing: each slot is 0 (empty) or an index into m_names plus one. Never more
  // than half full, so every probe ends at an empty slot.
  std::vector<std::size_t> m_slots;
};

// The file's current contents; null when it is missing or cannot be read (a folder, no
// permission), which callers treat as a file without the key.
std::shared_ptr<const ParsedProfile> LoadParsedProfile(const std::string& path);

// Drops the copy of `path` (the program has just written it).
void ForgetParsedProfile(const std::string& path);

// How long ago both time stamps of a file must lie before its copy is trusted; the
// default covers the coarsest file-system clocks. Tests set 0 to see the stamps at work.
void SetProfileStampSlack(std::chrono::nanoseconds slack);

}  // namespace qorrin
