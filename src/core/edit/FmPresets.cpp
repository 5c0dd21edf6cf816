#include "core/edit/FmPresets.h"

#include <algorithm>

#include "core/lang/LangText.h"

namespace qorrin {

namespace {

bool IsFmIndex(int index) { return index >= 0 && index <= kFmIndexMax; }

}  // namespace

const std::vector<std::string>& GetFmFrequencyItems() {
  static const std::vector<std::string> items = [] {
    std::vector<std::string> list;
    list.reserve(kFmListSize);
    for (int mhz = 87; mhz <= 107; ++mhz) {
      for (int tenth = 0; tenth <= 9; ++tenth) {
        list.push_back(std::to_string(mhz) + "M" + std::to_string(tenth));
      }
    }
    list.push_back("108M0");
    return list;
  }();
  return items;
}

std::string GetFmFrequencyText(int index) {
  return IsFmIndex(index) ? GetFmFrequencyItems()[static_cast<std::size_t>(index)] : std::string();
}

std::array<std::string, kFmGridColumns> LoadFmPresetHeadings() {
  const std::vector<std::string> texts = LoadHeadings("RadiogramText", "IDS_RadiogramText", kFmGridColumns);
  std::array<std::string, kFmGridColumns> headings;
  std::copy(texts.begin(), texts.end(), headings.begin());
  return headings;
}

int GetFmCurrentIndex(const CQorrinDoc& doc) { return GetFmFrequency(doc.Image()); }

int GetFmPresetIndex(const CQorrinDoc& doc, int preset) { return GetFmPreset(doc.Image(), preset); }

std::string GetFmPresetText(const CQorrinDoc& doc, int preset) {
  return GetFmFrequencyText(GetFmPresetIndex(doc, preset));
}

namespace {

// Every pick counts as a change, also of the index already stored.
template <typename Store>
EditResult Stored(CQorrinDoc& doc, Store&& store) {
  const ChangeScope scope(doc, {"IDS_UNDO_FM", 0});
  doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits&) {
    store(image);
    return true;
  });
  return {true, true};
}

}  // namespace

EditResult CommitFmCurrent(CQorrinDoc& doc, int index) {
  if (!IsFmIndex(index)) return {};
  return Stored(doc, [&](ImageSpan image) { SetFmFrequency(image, index); });
}

EditResult CommitFmPreset(CQorrinDoc& doc, int preset, int index) {
  if (!IsFmIndex(index) || preset < 1 || preset > kFmPresetCount) return {};
  return Stored(doc, [&](ImageSpan image) { SetFmPreset(image, preset, index); });
}

}  // namespace qorrin
