#pragma once
// How widgets carry the numeric identities of ResourceIds.h: one property carries the id
// of a widget, another the command of an action.
#include <QObject>

#include "core/lang/ResourceIds.h"

class QAction;

namespace qorrin::gui {

// The id of a widget (0 when it has none).
void SetControlId(QObject* widget, int id);
int ControlId(const QObject* widget);

// The command of an action (0 when it has none).
void SetCommandId(QAction* action, int id);
int CommandId(const QAction* action);

}  // namespace qorrin::gui
