#include "core/interchange/NameShortening.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "core/settings/TextCase.h"

namespace qorrin {

namespace {

constexpr std::size_t kNameLength = 4;
constexpr std::size_t kMaxKeptDigits = 3;

// The showable characters of a name, and before which of them a separator stood (a space,
// a '-' or a character the radio cannot show) once steps 1 and 2 removed it.
struct ShownName {
  std::string text;
  std::vector<bool> breakBefore;  // one per character of text
};

bool IsShowable(char c) { return IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || c == ' ' || c == '-'; }

// Steps 1 and 2.
ShownName ShowName(std::string_view name) {
  ShownName shown;
  bool pendingBreak = false;
  for (char c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!IsShowable(c)) {
      pendingBreak = true;
      continue;
    }
    shown.text.push_back(c);
    shown.breakBefore.push_back(pendingBreak);
    pendingBreak = false;
  }
  if (shown.text.size() <= kNameLength) return shown;
  ShownName squeezed;
  pendingBreak = false;
  for (std::size_t i = 0; i < shown.text.size(); ++i) {
    const char c = shown.text[i];
    if (c == ' ' || c == '-') {
      pendingBreak = true;
      continue;
    }
    squeezed.text.push_back(c);
    squeezed.breakBefore.push_back(pendingBreak || shown.breakBefore[i]);
    pendingBreak = false;
  }
  return squeezed;
}

}  // namespace

std::string ShortenChannelName(std::string_view name) {
  const ShownName shown = ShowName(name);
  const std::string& text = shown.text;
  if (text.size() <= kNameLength) return text;

  // The last run of digits, of which at most the last three are kept.
  std::size_t end = text.size();
  while (end > 0 && !IsAsciiDigit(text[end - 1])) --end;
  if (end == 0) return text.substr(0, kNameLength);
  std::size_t start = end - 1;
  while (start > 0 && IsAsciiDigit(text[start - 1]) && !shown.breakBefore[start]) --start;
  const std::size_t digits = std::min(end - start, kMaxKeptDigits);
  std::string kept = text.substr(0, std::min(start, kNameLength - digits)) + text.substr(end - digits, digits);
  // Room left when few characters stand before the digits goes to those after them.
  kept += text.substr(end, kNameLength - kept.size());
  return kept;
}

std::string ShownChannelName(std::string_view name) { return ShowName(name).text; }

std::string LastFourOfName(std::string_view name) {
  const std::string text = ShowName(name).text;
  return text.size() <= kNameLength ? text : text.substr(text.size() - kNameLength);
}

std::string EndsOfName(std::string_view name) {
  const std::string text = ShowName(name).text;
  constexpr std::size_t kHalf = kNameLength / 2;
  return text.size() <= kNameLength ? text : text.substr(0, kHalf) + text.substr(text.size() - kHalf);
}

}  // namespace qorrin
