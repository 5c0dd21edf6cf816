#pragma once
// The corner of a table view, where its heading row and heading column meet, drawn as a
// heading with the model's title of the heading column (kHeadingTitleRole). Qt's table
// draws the corner as a blank button.
class QTableView;

namespace qorrin::gui {

// Draws the view's corner from now on; UpdateHeadingCorner repaints it when the title may
// have changed.
void ShowHeadingTitleInCorner(QTableView* view);
void UpdateHeadingCorner(const QTableView* view);

}  // namespace qorrin::gui
