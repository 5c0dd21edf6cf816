#pragma once
// The part of a language file's manifest (core/lang/LanguageKeys.h) that the window's
// forms and dialogs name by their controls: the [Resource] texts of captions and labels,
// and the numbered option lists. The option panel's share of both comes from the model's
// option field table, so this list lives above the model.
#include <vector>

namespace qorrin {

// Keys of section [Resource]: dialog captions (by template id) and control texts
// (by control id). Only ids whose widget shows a text are listed.
const std::vector<int>& RequiredResourceIds();

// A numbered option list: section with keys "0" .. items-1.
struct RequiredOptionList {
  const char* section;
  int items;
};
const std::vector<RequiredOptionList>& RequiredOptionLists();

}  // namespace qorrin
