#pragma once
// The main form: the window's client area, which shows the document and follows every
// change of it (new, open, read from the radio, language). On each update it sets the
// window title, localises itself and re-reads the document; it keeps no copy of it.
// It shows the model's frequency range, the programmed-channel count and the channel table.
#include <QWidget>

class QLabel;
class QLineEdit;

namespace qorrin::gui {

class ChannelTable;
class DocumentBinding;

class CQorrinView : public QWidget {
  Q_OBJECT
 public:
  explicit CQorrinView(DocumentBinding& binding, QWidget* parent = nullptr);

  // What the framework's view update does: title, texts, contents.
  void OnUpdate();
  // Stores what an open cell editor holds (before a command reads the document).
  void CommitOpenEditor();
  ChannelTable* Channels() const { return m_table; }

 private:
  DocumentBinding& m_binding;
  QLineEdit* m_range = nullptr;
  QLabel* m_channelsLabel = nullptr;
  QLineEdit* m_channels = nullptr;
  ChannelTable* m_table = nullptr;
};

}  // namespace qorrin::gui
