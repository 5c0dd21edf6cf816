#pragma once
// The drop-down lists and check boxes of the option panel (scan mode, optional functions)
// and how each maps to the option block of the radio image.
//
// Every list is filled in a fixed order and never sorted: the item index is the value
// stored. A list shows the stored value as read with the read rules (a squelch byte of 12
// selects "9"); a value that the list has no item for (a language file with a short list)
// leaves the list without a selection. Every store marks the document modified, also when
// the value picked is the one already stored.
#include <array>
#include <string>
#include <vector>

#include "core/edit/EditResult.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

enum class OptionList {
  Squelch,         // "0".."9" -> 0x7C2
  VoxLevel,        // "0".."9" -> 0x7C3
  TxTimeLimit,     // IDS_OFF, "30".."180" -> 0x7C4
  ChannelFlag,     // [ChannelFlag] -> 0x7C5 bit 0
  ChannelDisplay,  // [ShowChannel] -> 0x7C5 bit 4
  ScanMode,        // [ScanMode] -> 0x7C6 bit 4
  BackLight,       // [BackLight] -> 0x7C6 bits 6-7
};
inline constexpr std::array<OptionList, 7> kOptionLists{
    OptionList::Squelch,        OptionList::VoxLevel, OptionList::TxTimeLimit,
    OptionList::ChannelFlag,    OptionList::ChannelDisplay,
    OptionList::ScanMode,       OptionList::BackLight};

// The items of a list, read from the current language file at each call (a section that
// is missing gives an empty list).
std::vector<std::string> GetOptionListItems(OptionList list);

// The stored value with the read rules (what the list selects when it has the item).
int GetOptionValue(const CQorrinDoc& doc, OptionList list);

// The items and the item to select (-1: none), as one fill of the control.
struct OptionListState {
  std::vector<std::string> items;
  int nSelected = -1;
};
OptionListState GetOptionListState(const CQorrinDoc& doc, OptionList list);

// The user picked item `index`: stores it (a one-bit field is set by any non-zero index,
// back light keeps bits 0-5 of its byte) and marks the document modified. An index the
// list does not offer (-1 for no selection, or past its end) writes nothing.
EditResult CommitOption(CQorrinDoc& doc, OptionList list, int index);

enum class OptionCheck {
  BusyLockout,   // 0x7C5 bit 1
  KeyBeep,       // 0x7C5 bit 3
  PowerSave,     // 0x7C5 bit 7
  PriorityScan,  // 0x7C6 bit 3
};
inline constexpr std::array<OptionCheck, 4> kOptionChecks{
    OptionCheck::BusyLockout, OptionCheck::KeyBeep, OptionCheck::PowerSave,
    OptionCheck::PriorityScan};

bool GetOptionCheck(const CQorrinDoc& doc, OptionCheck check);
// A click: the box's new state into its bit (only that bit); always modified.
EditResult CommitOptionCheck(CQorrinDoc& doc, OptionCheck check, bool on);

}  // namespace qorrin
