#include "gui/lang/ControlIds.h"

#include <QAction>
#include <QVariant>

namespace qorrin::gui {
namespace {

constexpr char kControlIdProperty[] = "qorrinControlId";
constexpr char kCommandIdProperty[] = "qorrinCommandId";

}  // namespace

void SetControlId(QObject* widget, int id) { widget->setProperty(kControlIdProperty, id); }

int ControlId(const QObject* widget) { return widget->property(kControlIdProperty).toInt(); }

void SetCommandId(QAction* action, int id) { action->setProperty(kCommandIdProperty, id); }

int CommandId(const QAction* action) { return action->property(kCommandIdProperty).toInt(); }

}  // namespace qorrin::gui
