#pragma once
// Keeps the channel commands' menu items (and with them their keys) enabled exactly when
// they can act: again after every change of the row selection, of the focus cell, of the
// keyboard focus and of the channels themselves.
#include <QObject>

#include <functional>

class QAction;

namespace qorrin::gui {

class ChannelCommands;
class DocumentBinding;

class ChannelCommandStates : public QObject {
  Q_OBJECT
 public:
  // `menuAction`: the menu item of a command (null where there is none).
  ChannelCommandStates(ChannelCommands& commands, DocumentBinding& binding,
                       std::function<QAction*(int command)> menuAction, QObject* parent);

  void Update();

 private:
  ChannelCommands& m_commands;
  std::function<QAction*(int)> m_menuAction;
};

}  // namespace qorrin::gui
