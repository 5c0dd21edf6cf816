#pragma once
// Shows what differs between the document and a file or the radio: one line per
// difference in the window's own terms ("channel 5 RX: 146.52000 -> 146.55000"), or that
// there is none. Only looks: nothing is changed.
#include <vector>

#include "core/compare/DocumentDiff.h"

class QWidget;
class QString;

namespace qorrin::gui {

void ShowDifferences(QWidget* parent, const QString& subject, const std::vector<DocumentDifference>& differences);

}  // namespace qorrin::gui
