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

void StoreOption(CQorrinDoc& doc, OptionList list, int value) {
  switch (list) {
    case OptionList::Squelch: doc.SetSquelch(value); break;
    case OptionList::VoxLevel: doc.SetVoxLevel(value); break;
    case OptionList::TxTimeLimit: doc.SetTxTimeLimit(value); break;
    case OptionList::ChannelFlag: doc.SetChannelFlag(value); break;
    case OptionList::ChannelDisplay: doc.SetChannelDisplay(value); break;
    case OptionList::ScanMode: doc.SetScanMode(value); break;
    case OptionList::BackLight: doc.SetBackLight(value); break;
  }
}

EditResult Modified(CQorrinDoc& doc) {
  doc.SetModifiedFlag();
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
  switch (list) {
    case OptionList::Squelch: return doc.GetSquelch();
    case OptionList::VoxLevel: return doc.GetVoxLevel();
    case OptionList::TxTimeLimit: return doc.GetTxTimeLimit();
    case OptionList::ChannelFlag: return doc.GetChannelFlag();
    case OptionList::ChannelDisplay: return doc.GetChannelDisplay();
    case OptionList::ScanMode: return doc.GetScanMode();
    case OptionList::BackLight: return doc.GetBackLight();
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
  StoreOption(doc, list, index);
  return Modified(doc);
}

bool GetOptionCheck(const CQorrinDoc& doc, OptionCheck check) {
  switch (check) {
    case OptionCheck::BusyLockout: return doc.IsBusyLockout();
    case OptionCheck::KeyBeep: return doc.IsKeyBeep();
    case OptionCheck::PowerSave: return doc.IsPowerSave();
    case OptionCheck::PriorityScan: return doc.IsPriorityScan();
  }
  return false;
}

EditResult CommitOptionCheck(CQorrinDoc& doc, OptionCheck check, bool on) {
  switch (check) {
    case OptionCheck::BusyLockout: doc.SetBusyLockout(on); break;
    case OptionCheck::KeyBeep: doc.SetKeyBeep(on); break;
    case OptionCheck::PowerSave: doc.SetPowerSave(on); break;
    case OptionCheck::PriorityScan: doc.SetPriorityScan(on); break;
  }
  return Modified(doc);
}

}  // namespace qorrin
