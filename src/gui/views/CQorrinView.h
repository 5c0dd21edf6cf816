#pragma once
// The main form: the window's client area, which shows the whole radio image and follows
// every change of the document (new, open, read from the radio, language, range). On the
// left the option panel; on the right both VFO panels above the channel table. Every
// control stores its changes at once; an update re-reads the document and keeps no copy.
#include <QWidget>

namespace qorrin::gui {

class COptionPanel;
class CVfoPanel;
class ChannelCommands;
class ChannelTable;
class DocumentBinding;

class CQorrinView : public QWidget {
  Q_OBJECT
 public:
  explicit CQorrinView(DocumentBinding& binding, QWidget* parent = nullptr);

  // What the framework's view update does: title, texts, contents.
  void OnUpdate();
  // Stores what an open cell editor or a focused VFO edit holds (before a command reads
  // the document).
  void CommitOpenEditor();

  ChannelTable* Channels() const { return m_table; }
  ChannelCommands* Commands() const { return m_commands; }
  COptionPanel* Options() const { return m_options; }
  CVfoPanel* VfoA() const { return m_vfoA; }
  CVfoPanel* VfoB() const { return m_vfoB; }

 private:
  DocumentBinding& m_binding;
  COptionPanel* m_options = nullptr;
  CVfoPanel* m_vfoA = nullptr;
  CVfoPanel* m_vfoB = nullptr;
  ChannelTable* m_table = nullptr;
  ChannelCommands* m_commands = nullptr;
};

}  // namespace qorrin::gui
