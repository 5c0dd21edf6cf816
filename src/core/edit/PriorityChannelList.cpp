#include "core/edit/PriorityChannelList.h"

#include <algorithm>

#include "core/lang/LangText.h"

namespace qorrin {

int PriorityChannelList::ChannelOfItem(int index) const {
  return index >= 0 && index < static_cast<int>(channels.size())
             ? channels[static_cast<std::size_t>(index)]
             : -1;
}

int PriorityChannelList::ItemOfChannel(int channel) const {
  const auto it = std::find(channels.begin(), channels.end(), channel);
  return it == channels.end() ? -1 : static_cast<int>(it - channels.begin());
}

namespace {

// The off item and the programmed channels, without the language text.
std::vector<int> ListedChannels(const CQorrinDoc& doc) {
  std::vector<int> channels{0};
  for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
    if (!IsRecordEmpty(doc.Image(), channel)) channels.push_back(channel);
  }
  return channels;
}

}  // namespace

PriorityChannelList GetPriorityChannelList(const CQorrinDoc& doc) {
  PriorityChannelList list;
  list.channels = ListedChannels(doc);
  list.items.reserve(list.channels.size());
  list.items.push_back(LoadLangString("IDS_OFF"));
  for (std::size_t i = 1; i < list.channels.size(); ++i) {
    list.items.push_back(std::to_string(list.channels[i]));
  }
  // A stored channel that is not programmed is not listed: the off item stands for it.
  list.nSelected = std::max(list.ItemOfChannel(GetPriorityChannel(doc.Image())), 0);
  return list;
}

PriorityChannelList FillPriorityChannelList(CQorrinDoc& doc) {
  PriorityChannelList list = GetPriorityChannelList(doc);
  if (list.nSelected == 0) {
    // Off, not programmed, or a byte above 99 (which reads as off): store a plain 0, as
    // upkeep that is no change of the user's.
    list.bReset = doc.Image()[kOptPriorityChannel] != 0;
    doc.EditImage(ImageChange::Bookkeeping, [](ImageSpan image, const BandLimits&) {
      SetPriorityChannel(image, 0);
      return false;
    });
  }
  return list;
}

EditResult CommitPriorityChannel(CQorrinDoc& doc, int index) {
  const std::vector<int> channels = ListedChannels(doc);
  if (index < 0 || index >= static_cast<int>(channels.size())) return {};
  const ChangeScope scope(doc, {"IDS_UNDO_OPTION", 0});
  doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits&) {
    SetPriorityChannel(image, channels[static_cast<std::size_t>(index)]);
    return true;
  });
  return {true, true};
}

}  // namespace qorrin
