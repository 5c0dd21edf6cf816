#include "core/edit/ChannelTableLayout.h"

#include <algorithm>

#include "core/lang/LangText.h"

namespace qorrin {

std::array<std::string, kChannelTableColumns> LoadChannelHeadings() {
  const std::vector<std::string> texts = LoadHeadings("ChText", "IDS_ChText", kChannelTableColumns);
  std::array<std::string, kChannelTableColumns> headings;
  std::copy(texts.begin(), texts.end(), headings.begin());
  return headings;
}

}  // namespace qorrin
