#include "core/edit/OptionPanel.h"

#include "core/lang/LangText.h"

namespace qorrin {

namespace {

constexpr int kLevelItems = 10;  // "0".."9"
constexpr const char* kTimeLimitSeconds[] = {"30", "60", "90", "120", "150", "180"};

std::vector<std::string> LevelItems() {
  std::vector<std::string> items;
  for (int level = 0; level < kLevelItems; ++level) items.push_back(std::to_string(level));
  return items;
}

void StoreOption(ImageSpan image, OptionList list, int value) {
  switch (list) {
    case OptionList::Squelch: SetSquelch(image, value); break;
    case OptionList::VoxLevel: SetVoxLevel(image, value); break;
    case OptionList::TxTimeLimit: SetTxTimeLimit(image, value); break;
    case OptionList::ChannelFlag: SetChannelFlag(image, value); break;
    case OptionList::ChannelDisplay: SetChannelDisplay(image, value); break;
    case OptionList::ScanMode: SetScanMode(image, value); break;
    case OptionList::BackLight: SetBackLight(image, value); break;
  }
}

void StoreCheck(ImageSpan image, OptionCheck check, bool on) {
  switch (check) {
    case OptionCheck::BusyLockout: SetBusyLockout(image, on); break;
    case OptionCheck::KeyBeep: SetKeyBeep(image, on); break;
    case OptionCheck::PowerSave: SetPowerSave(image, on); break;
    case OptionCheck::PriorityScan: SetPriorityScan(image, on); break;
  }
}

// Every store counts as a change, also of the value already stored.
template <typename Store>
EditResult Stored(CQorrinDoc& doc, Store&& store) {
  doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits&) {
    store(image);
    return true;
  });
  return {true, true};
}

}  // namespace

std::vector<std::string> GetOptionListItems(OptionList list) {
  switch (list) {
    case OptionList::Squelch:
    case OptionList::VoxLevel: return LevelItems();
    case OptionList::TxTimeLimit: {
      std::vector<std::string> items{LoadLangString("IDS_OFF")};
      items.insert(items.end(), std::begin(kTimeLimitSeconds), std::end(kTimeLimitSeconds));
      return items;
    }
    case OptionList::ChannelFlag: return LoadOptionList("ChannelFlag");
    case OptionList::ChannelDisplay: return LoadOptionList("ShowChannel");
    case OptionList::ScanMode: return LoadOptionList("ScanMode");
    case OptionList::BackLight: return LoadOptionList("BackLight");
  }
  return {};
}

int GetOptionValue(const CQorrinDoc& doc, OptionList list) {
  const RadioImage& image = doc.Image();
  switch (list) {
    case OptionList::Squelch: return GetSquelch(image);
    case OptionList::VoxLevel: return GetVoxLevel(image);
    case OptionList::TxTimeLimit: return GetTxTimeLimit(image);
    case OptionList::ChannelFlag: return GetChannelFlag(image);
    case OptionList::ChannelDisplay: return GetChannelDisplay(image);
    case OptionList::ScanMode: return GetScanMode(image);
    case OptionList::BackLight: return GetBackLight(image);
  }
  return 0;
}

OptionListState GetOptionListState(const CQorrinDoc& doc, OptionList list) {
  OptionListState state;
  state.items = GetOptionListItems(list);
  const int value = GetOptionValue(doc, list);
  state.nSelected = value < static_cast<int>(state.items.size()) ? value : -1;
  return state;
}

EditResult CommitOption(CQorrinDoc& doc, OptionList list, int index) {
  if (index < 0 || index >= static_cast<int>(GetOptionListItems(list).size())) return {};
  return Stored(doc, [&](ImageSpan image) { StoreOption(image, list, index); });
}

bool GetOptionCheck(const CQorrinDoc& doc, OptionCheck check) {
  const RadioImage& image = doc.Image();
  switch (check) {
    case OptionCheck::BusyLockout: return IsBusyLockout(image);
    case OptionCheck::KeyBeep: return IsKeyBeep(image);
    case OptionCheck::PowerSave: return IsPowerSave(image);
    case OptionCheck::PriorityScan: return IsPriorityScan(image);
  }
  return false;
}

EditResult CommitOptionCheck(CQorrinDoc& doc, OptionCheck check, bool on) {
  return Stored(doc, [&](ImageSpan image) { StoreCheck(image, check, on); });
}

}  // namespace qorrin
