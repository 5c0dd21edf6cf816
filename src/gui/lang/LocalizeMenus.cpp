#include "gui/lang/LocalizeMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "core/lang/LangText.h"
#include "core/lang/LanguageKeys.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

QAction* FindCommand(const QList<QAction*>& actions, int id) {
  for (QAction* action : actions) {
    if (CommandId(action) == id) return action;
    if (QMenu* sub = action->menu()) {
      if (QAction* found = FindCommand(sub->actions(), id)) return found;
    }
  }
  return nullptr;
}

}  // namespace

void LocalizeMenus(QMenuBar* menuBar) {
  const QList<QAction*> titles = menuBar->actions();
  const std::vector<std::string>& titleKeys = MenuTitleKeys();
  for (int i = 0; i < static_cast<int>(titleKeys.size()) && i < titles.size(); ++i) {
    titles[i]->setText(Qt(LoadLangString(titleKeys[static_cast<std::size_t>(i)])));
  }
  for (const MenuItemKey& item : MenuItemKeys()) {
    if (QAction* action = FindCommand(titles, item.command)) action->setText(LangText(item.key));
  }
  menuBar->update();
}

}  // namespace qorrin::gui
