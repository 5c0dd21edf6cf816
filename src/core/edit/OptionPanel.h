#pragma once
// The drop-down lists and check boxes of the option panel (scan mode, optional functions)
// and how each maps to the option block of the radio image; the fields themselves are the
// option field table's (OptionFieldTable.h).
//
// Every list is filled in a fixed order and never sorted: the item index is the value
// stored. A list shows the stored value as read with the read rules (a squelch byte of 12
// selects "9"); a value that the list has no item for (a language file with a short list)
// leaves the list without a selection. Every store marks the document modified, also when
// the value picked is the one already stored.
#include <string>
#include <vector>

#include "core/edit/EditResult.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/OptionFieldTable.h"

namespace qorrin {

// The items of a list field, read from the current language file at each call (a section
// that is missing gives an empty list); none for a check box.
std::vector<std::string> GetOptionListItems(OptionField field);

// The stored value with the read rules (what the list selects when it has the item; a
// check box's state as 0 or 1).
int GetOptionValue(const CQorrinDoc& doc, OptionField field);

// The items and the item to select (-1: none), as one fill of the control.
struct OptionListState {
  std::vector<std::string> items;
  int nSelected = -1;
};
OptionListState GetOptionListState(const CQorrinDoc& doc, OptionField field);

// The user picked item `index` of a list: stores it (a one-bit field is set by any non-zero
// index, back light keeps bits 0-5 of its byte) and marks the document modified. An index
// the list does not offer (-1 for no selection, or past its end) writes nothing.
EditResult CommitOption(CQorrinDoc& doc, OptionField field, int index);

bool GetOptionCheck(const CQorrinDoc& doc, OptionField field);
// A click on a check box: its new state into its bit (only that bit); always modified.
EditResult CommitOptionCheck(CQorrinDoc& doc, OptionField field, bool on);

}  // namespace qorrin
