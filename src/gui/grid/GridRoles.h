#pragma once
// The data role a grid asks of its model beyond Qt's own: the heading of the heading
// column, drawn in the corner where the heading row and column meet. The grid asks it as
// headerData(0, Qt::Vertical, kHeadingTitleRole); a model without one leaves the corner
// blank.
#include <Qt>

namespace qorrin::gui {

inline constexpr int kHeadingTitleRole = Qt::UserRole + 1;

}  // namespace qorrin::gui
