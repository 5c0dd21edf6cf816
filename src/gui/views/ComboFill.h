#pragma once
// Fills a drop-down list from the core's items and selects one, without the list telling
// anyone (a fill is no user's choice, so it stores nothing). The items are only replaced
// when they changed, since most fills repeat the list the control already holds.
#include <string>
#include <vector>

#include <QStringList>

class QComboBox;

namespace qorrin::gui {

// The core's items as a list's texts.
QStringList ItemTexts(const std::vector<std::string>& items);

// `selected` -1 leaves the list without a selection.
void FillCombo(QComboBox* combo, const std::vector<std::string>& items, int selected);
// Selects an item without the list telling anyone.
void SelectQuietly(QComboBox* combo, int selected);

}  // namespace qorrin::gui
