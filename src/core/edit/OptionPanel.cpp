#include "core/edit/OptionPanel.h"

#include "core/lang/LangText.h"

namespace qorrin {

namespace {

constexpr int kLevelItems = 10;  // "0".."9"
constexpr const char* kTimeLimitSeconds[] = {"30", "60", "90", "120", "150", "180"};

// Every store counts as a change, also of the value already stored.
EditResult Store(CQorrinDoc& doc, OptionField field, int value) {
  const ChangeScope scope(doc, {"IDS_UNDO_OPTION", 0});
  doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits&) {
    WriteOptionField(image, field, value);
    return true;
  });
  return {true, true};
}

}  // namespace

std::vector<std::string> GetOptionListItems(OptionField field) {
  const OptionFieldEntry& entry = EntryOf(field);
  switch (entry.items) {
    case OptionItems::None: return {};
    case OptionItems::Levels: {
      std::vector<std::string> items;
      for (int level = 0; level < kLevelItems; ++level) items.push_back(std::to_string(level));
      return items;
    }
    case OptionItems::TimeLimits: {
      std::vector<std::string> items{LoadLangString("IDS_OFF")};
      items.insert(items.end(), std::begin(kTimeLimitSeconds), std::end(kTimeLimitSeconds));
      return items;
    }
    case OptionItems::Section: return LoadOptionList(entry.section);
  }
  return {};
}

int GetOptionValue(const CQorrinDoc& doc, OptionField field) { return ReadOptionField(doc.Image(), field); }

OptionListState GetOptionListState(const CQorrinDoc& doc, OptionField field) {
  OptionListState state;
  state.items = GetOptionListItems(field);
  const int value = GetOptionValue(doc, field);
  state.nSelected = value < static_cast<int>(state.items.size()) ? value : -1;
  return state;
}

EditResult CommitOption(CQorrinDoc& doc, OptionField field, int index) {
  if (EntryOf(field).control != OptionControl::List || index < 0 ||
      index >= static_cast<int>(GetOptionListItems(field).size())) {
    return {};
  }
  return Store(doc, field, index);
}

bool GetOptionCheck(const CQorrinDoc& doc, OptionField field) { return GetOptionValue(doc, field) != 0; }

EditResult CommitOptionCheck(CQorrinDoc& doc, OptionField field, bool on) {
  if (EntryOf(field).control != OptionControl::CheckBox) return {};
  return Store(doc, field, on ? 1 : 0);
}

}  // namespace qorrin
