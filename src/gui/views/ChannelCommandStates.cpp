#include "gui/views/ChannelCommandStates.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>

#include "core/lang/ResourceIds.h"
#include "gui/app/DocumentBinding.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/views/ChannelCommands.h"
#include "gui/views/ChannelTable.h"

namespace qorrin::gui {
namespace {

constexpr int kChannelCommands[] = {cmd::kEditCut,           cmd::kEditCopy,          cmd::kEditSetSelected,
                                    cmd::kEditInsertChannel, cmd::kEditDeleteChannel, cmd::kEditMoveUp,
                                    cmd::kEditMoveDown,      cmd::kEditClearChannels, cmd::kEditSortFrequency,
                                    cmd::kEditSortName};

}  // namespace

ChannelCommandStates::ChannelCommandStates(ChannelCommands& commands, DocumentBinding& binding,
                                           const std::function<QAction*(int)>& menuAction, QObject* parent)
    : QObject(parent), m_commands(commands) {
  for (int command : kChannelCommands) {
    if (QAction* action = menuAction(command)) m_actions.emplace_back(command, action);
  }
  const CGridCtrl* grid = commands.Table().Grid();
  connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ChannelCommandStates::Update);
  connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &ChannelCommandStates::Update);
  // Queued: the focus also moves while widgets are being destroyed, the table among them;
  // by the time the update runs, a window being destroyed has taken this object with it.
  connect(qApp, &QApplication::focusChanged, this, &ChannelCommandStates::Update, Qt::QueuedConnection);
  // After the views (connected earlier) have read the document again.
  connect(&binding, &DocumentBinding::documentChanged, this, &ChannelCommandStates::Update);
  connect(&binding, &DocumentBinding::contentsChanged, this, &ChannelCommandStates::Update);
  Update();
}

void ChannelCommandStates::Update() {
  for (const auto& [command, action] : m_actions) {
    if (action) action->setEnabled(m_commands.CanExecute(command));
  }
}

}  // namespace qorrin::gui
