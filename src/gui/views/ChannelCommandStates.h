#pragma once
// Keeps the channel commands' menu items (and with them their keys) enabled exactly when
// they can act: again after every change of the row selection, of the focus cell, of the
// keyboard focus and of the channels themselves.
#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

class QAction;

namespace qorrin::gui {

class ChannelCommands;
class DocumentBinding;

class ChannelCommandStates : public QObject {
  Q_OBJECT
 public:
  // `menuAction`: the menu item of a command (null where there is none), asked once here.
  ChannelCommandStates(ChannelCommands& commands, DocumentBinding& binding,
                       const std::function<QAction*(int command)>& menuAction, QObject* parent);

  void Update();

 private:
  ChannelCommands& m_commands;
  // The items by command; guarded, since the window's teardown may still move the focus
  // cell (an open editor commits) after its menus are gone.
  std::vector<std::pair<int, QPointer<QAction>>> m_actions;
};

}  // namespace qorrin::gui
