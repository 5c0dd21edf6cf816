#include "core/edit/ChannelTableLayout.h"

#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"

namespace qorrin {

namespace {

constexpr std::size_t kHeadingBuffer = 30;

}  // namespace

std::array<std::string, kChannelTableColumns> LoadChannelHeadings() {
  std::array<std::string, kChannelTableColumns> headings;
  std::string previous;
  for (int c = 0; c < kChannelTableColumns; ++c) {
    // The previous heading is the default, so only a missing key repeats it; a key that
    // is present with an empty value gives an empty heading.
    previous = ReadProfileString("ChText", "IDS_ChText" + std::to_string(c), previous,
                                 kHeadingBuffer, g_strLangFile);
    headings[static_cast<std::size_t>(c)] = previous;
  }
  return headings;
}

}  // namespace qorrin
