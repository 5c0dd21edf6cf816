#include "core/settings/ProfileText.h"
#include "core/settings/TextCase.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/platform/SystemCalls.h"

namespace qorrin {

namespace {

// A table rather than five comparisons: every byte at the ends of every name and value
// is tested.
struct BlankTable {
  bool map[256];
  constexpr BlankTable() : map() {
    for (char c : {' ', '\t', '\r', '\f', '\v'}) map[static_cast<unsigned char>(c)] = true;
  }
};
constexpr BlankTable kBlank;

bool IsBlank(char c) { return kBlank.map[static_cast<unsigned char>(c)]; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

void ClassifyLine(std::string_view text, ProfileLine& line) {
  std::size_t contentEnd = line.end;
  if (contentEnd > line.begin && text[contentEnd - 1] == '\n') --contentEnd;
  std::string_view content = text.substr(line.begin, contentEnd - line.begin);
  std::string_view trimmed = Trim(content);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return;
  if (trimmed.front() == '[') {
    std::string_view inner = trimmed.substr(1);
    std::size_t close = inner.find(']');
    line.kind = ProfileLine::kSection;
    line.name = Trim(close == std::string_view::npos ? inner : inner.substr(0, close));
    return;
  }
  std::size_t eq = content.find('=');
  if (eq == std::string_view::npos) return;
  line.kind = ProfileLine::kKeyValue;
  line.name = Trim(content.substr(0, eq));
  line.valueAt = line.begin + eq + 1;
  std::string_view value = Trim(content.substr(eq + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  line.value = value;
}

}  // namespace

std::vector<ProfileLine> SplitProfile(std::string_view text) {
  std::vector<ProfileLine> lines;
  std::size_t pos = 0;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
  // One allocation for all lines: count them first (memchr, far cheaper than regrowing).
  std::size_t count = 1;
  for (const char* at = text.data() + pos, *end = text.data() + text.size();
       (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) != nullptr; ++at) {
    ++count;
  }
  lines.reserve(count);
  while (pos < text.size()) {
    ProfileLine line;
    line.begin = pos;
    std::size_t nl = text.find('\n', pos);
    line.end = (nl == std::string_view::npos) ? text.size() : nl + 1;
    ClassifyLine(text, line);
    lines.push_back(line);
    pos = line.end;
  }
  return lines;
}

bool ProfileNamesEqual(std::string_view a, std::string_view b) { return EqualNoCase(a, b); }

std::optional<std::size_t> FindProfileKey(const std::vector<ProfileLine>& lines,
                                          std::string_view section, std::string_view key) {
  bool seenSection = false;
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ProfileLine& line = lines[i];
    if (line.kind == ProfileLine::kSection) {
      if (inSection) return std::nullopt;  // only the first section of that name counts
      inSection = !seenSection && ProfileNamesEqual(line.name, section);
      seenSection = seenSection || inSection;
    } else if (inSection && line.kind == ProfileLine::kKeyValue &&
               ProfileNamesEqual(line.name, Trim(key))) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error) {
  // Plain POSIX reads: a folder or an unreadable file simply gives nothing, never an
  // exception from the stream library. The text is read straight into the string, sized
  // from the file with a byte to spare, so that the read that finds the end needs no
  // more room; a file that grows meanwhile, or a device that reports no size, makes the
  // string grow.
  const auto fail = [error](int code) -> std::optional<std::string> {
    if (error) *error = std::strerror(code);
    return std::nullopt;
  };
  int fd = platform::OpenForReading(path, false);
  if (fd < 0) return fail(errno);
  struct stat st {};
  std::string text(::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0
                       ? static_cast<std::size_t>(st.st_size) + 1
                       : 4096,
                   '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == text.size()) text.resize(2 * text.size());
    const ssize_t n = ::read(fd, text.data() + filled, text.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int code = errno;
      ::close(fd);
      return fail(code);
    }
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  ::close(fd);
  text.resize(filled);
  return text;
}

}  // namespace qorrin
