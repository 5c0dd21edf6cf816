#include "core/edit/ChannelCellLists.h"

#include "core/edit/ChannelTableLayout.h"
#include "core/lang/LangText.h"
#include "core/model/RecordFields.h"
#include "core/model/ToneTables.h"

namespace qorrin {

std::vector<std::string> GetToneListItems() { return FillToneList(); }

std::vector<std::string> GetBandwidthItems() {
  return {LoadLangString("IDS_NARROW"), LoadLangString("IDS_WIDE")};
}

std::vector<std::string> GetPowerItems() {
  return {LoadLangString("IDS_LOW"), LoadLangString("IDS_HIGH")};
}

std::vector<std::string> GetChannelCellItems(int column) {
  switch (column) {
    case kColRxTone:
    case kColTxTone: return GetToneListItems();
    case kColBandwidth: return GetBandwidthItems();
    case kColPower: return GetPowerItems();
    default: return {};
  }
}

int GetChannelCellChoice(const CQorrinDoc& doc, int row, int column) {
  if (row < kFirstChannel || row > kLastChannel) return -1;
  const RadioImage& image = doc.Image();
  switch (column) {
    case kColRxTone: return GetToneCode(image, row, true);
    case kColTxTone: return GetToneCode(image, row, false);
    case kColBandwidth: return IsWide(image, row) ? 1 : 0;
    case kColPower: return IsHighPower(image, row) ? 1 : 0;
    default: return -1;
  }
}

}  // namespace qorrin
