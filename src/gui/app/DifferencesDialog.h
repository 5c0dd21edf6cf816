#pragma once
// Shows what differs between the document and a file or the radio: one line per
// difference in the window's own terms ("channel 5 RX: 146.52000 -> 146.55000"), or that
// there is none. Only looks: nothing is changed.
#include <vector>

#include "core/compare/DocumentDiff.h"

class QWidget;
class QString;

namespace qorrin::gui {

// `title` names the comparison ("Compare with Radio"); `sides` the two sides in the
// order of each line's "->" ("document -> radio").
void ShowDifferences(QWidget* parent, const QString& title, const QString& sides,
                     const std::vector<DocumentDifference>& differences);

}  // namespace qorrin::gui
