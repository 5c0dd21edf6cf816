#include "gui/views/ComboFill.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

bool HoldsItems(const QComboBox* combo, const std::vector<std::string>& items) {
  if (combo->count() != static_cast<int>(items.size())) return false;
  for (int i = 0; i < combo->count(); ++i) {
    if (combo->itemText(i) != Qt(items[static_cast<std::size_t>(i)])) return false;
  }
  return true;
}

}  // namespace

QStringList ItemTexts(const std::vector<std::string>& items) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) texts.append(Qt(item));
  return texts;
}

void FillCombo(QComboBox* combo, const std::vector<std::string>& items, int selected) {
  const QSignalBlocker quiet(combo);
  if (!HoldsItems(combo, items)) {
    combo->clear();
    combo->addItems(ItemTexts(items));
  }
  combo->setCurrentIndex(selected >= 0 && selected < combo->count() ? selected : -1);
}

void SelectQuietly(QComboBox* combo, int selected) {
  const QSignalBlocker quiet(combo);
  combo->setCurrentIndex(selected >= 0 && selected < combo->count() ? selected : -1);
}

}  // namespace qorrin::gui
