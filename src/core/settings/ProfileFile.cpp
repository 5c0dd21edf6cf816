#include "core/settings/ProfileFile.h"

#include <climits>

#include "core/settings/AtomicFile.h"
#include "core/settings/ProfileCache.h"
#include "core/settings/ProfileText.h"

namespace qorrin {

namespace {

// Cuts to at most maxBytes without splitting a UTF-8 character, so a cut text still
// displays (a multi-byte character that does not fit is left out whole). A character has
// at most three continuation bytes; a longer run of them is no character and is cut
// where the buffer ends rather than emptied.
std::string CutUtf8(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  std::size_t cut = maxBytes;
  while (cut > 0 && maxBytes - cut < 3 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  if ((static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) cut = maxBytes;
  return std::string(text.substr(0, cut));
}

std::optional<std::string_view> FindValue(const ParsedProfile* file, const std::string& section,
                                          const std::string& key) {
  if (!file) return std::nullopt;
  return file->Find(section, key);
}

bool NeedsQuotes(const std::string& value) {
  if (value.empty()) return false;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; };
  if (blank(value.front()) || blank(value.back())) return true;
  return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// A value is stored on one line; quotes keep blanks at its ends (and a quoted value's
// own quotes) so that it reads back exactly as written.
std::string EncodeValue(std::string value) {
  for (char& c : value) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return NeedsQuotes(value) ? "\"" + value + "\"" : value;
}

// Writes the file and drops its parsed copy, so that the next lookup of any caller reads
// what was written even if the file system gave the new file the old one's stamp.
bool StoreProfile(const std::string& path, const std::string& text) {
  const bool written = WriteFileAtomically(path, text);
  ForgetParsedProfile(path);
  return written;
}

}  // namespace

ProfileSnapshot::ProfileSnapshot(const std::string& path) : m_file(LoadParsedProfile(path)) {}

std::string ProfileSnapshot::ReadString(const std::string& section, const std::string& key,
                                        const std::string& def, std::size_t bufferSize) const {
  std::size_t maxBytes = bufferSize == 0 ? 0 : bufferSize - 1;
  std::optional<std::string_view> value = FindValue(m_file.get(), section, key);
  return CutUtf8(value ? *value : std::string_view(def), maxBytes);
}

int ProfileSnapshot::ReadInt(const std::string& section, const std::string& key, int def) const {
  std::optional<std::string_view> value = FindValue(m_file.get(), section, key);
  if (!value) return def;
  std::size_t i = 0;
  while (i < value->size() && ((*value)[i] == ' ' || (*value)[i] == '\t')) ++i;
  bool negative = false;
  if (i < value->size() && ((*value)[i] == '-' || (*value)[i] == '+')) {
    negative = (*value)[i] == '-';
    ++i;
  }
  long long result = 0;
  for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
    result = result * 10 + ((*value)[i] - '0');
    if (result > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) result = -result;
  if (result > INT_MAX) return INT_MAX;
  if (result < INT_MIN) return INT_MIN;
  return static_cast<int>(result);
}

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& def, std::size_t bufferSize,
                              const std::string& path) {
  return ProfileSnapshot(path).ReadString(section, key, def, bufferSize);
}

int ReadProfileInt(const std::string& section, const std::string& key, int def,
                   const std::string& path) {
  return ProfileSnapshot(path).ReadInt(section, key, def);
}

std::string WithProfileValue(std::string text, const std::string& section, const std::string& key,
                             const std::string& value) {
  const std::string eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  const std::string encoded = EncodeValue(value);
  std::vector<ProfileLine> lines = SplitProfile(text);

  if (std::optional<std::size_t> at = FindProfileKey(lines, section, key)) {
    // Replace only the value; the key as spelled in the file and the line end stay.
    const ProfileLine& line = lines[*at];
    std::size_t valueBegin = line.valueAt;
    while (valueBegin < line.end && (text[valueBegin] == ' ' || text[valueBegin] == '\t')) {
      ++valueBegin;
    }
    std::size_t valueEnd = line.end;
    if (valueEnd > line.begin && text[valueEnd - 1] == '\n') --valueEnd;
    if (valueEnd > valueBegin && text[valueEnd - 1] == '\r') --valueEnd;
    if (valueEnd < valueBegin) valueEnd = valueBegin;
    text.replace(valueBegin, valueEnd - valueBegin, encoded);
    return text;
  }

  const std::string newLine = key + "=" + encoded + eol;
  std::optional<std::size_t> sectionLine;
  std::size_t insertAt = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == ProfileLine::kSection) {
      if (sectionLine) break;
      if (ProfileNamesEqual(lines[i].name, section)) {
        sectionLine = i;
        insertAt = lines[i].end;
      }
    } else if (sectionLine && lines[i].kind == ProfileLine::kKeyValue) {
      insertAt = lines[i].end;  // after the section's last key, before blank lines
    }
  }
  auto endsWithNewline = [&](std::size_t at) { return at == 0 || text[at - 1] == '\n'; };
  if (sectionLine) {
    text.insert(insertAt, endsWithNewline(insertAt) ? newLine : eol + newLine);
  } else {
    if (!endsWithNewline(text.size())) text += eol;
    text += "[" + section + "]" + eol + newLine;
  }
  return text;
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  // The file is read afresh, never from the cache: the rest of it is kept byte for byte
  // as it is on disk now.
  return StoreProfile(path, WithProfileValue(ReadWholeFile(path).value_or(std::string()), section, key, value));
}

}  // namespace qorrin
