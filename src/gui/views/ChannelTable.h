#pragma once
// The channel table of the main form: the grid over the channel-table model, with the
// delegate whose editors edit its cells. What the cells show and what an edit stores are
// the model's (that is, the core's channel-table rules); the delegate picks the editor
// that fits a cell and hands what the user typed or picked to the model.
#include <QObject>

namespace qorrin::gui {

class CGridCtrl;
class ChannelTableModel;
class DocumentBinding;

class ChannelTable : public QObject {
  Q_OBJECT
 public:
  // The grid is created as a child of `parent`.
  ChannelTable(DocumentBinding& binding, QWidget* parent);

  CGridCtrl* Grid() const { return m_grid; }

  // Shows the whole table anew (a view update): closes any open editor without storing
  // it, reads the language's texts and the name setting again.
  void Build();

 Q_SIGNALS:
  // A frequency commit may have programmed or cleared a channel: the priority-channel
  // list must be built again.
  void channelsChanged();

 private:
  ChannelTableModel* m_model = nullptr;
  CGridCtrl* m_grid = nullptr;
};

}  // namespace qorrin::gui
