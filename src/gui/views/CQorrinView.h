#pragma once
// The main form: the window's client area, which shows the document and follows every
// change of it (new, open, read from the radio, language). On each update it sets the
// window title, localises itself and re-reads the document; it keeps no copy of it.
// For now it shows a summary: the model's frequency range and the programmed channels.
#include <QWidget>

class QLabel;
class QLineEdit;

namespace qorrin::gui {

class DocumentBinding;

class CQorrinView : public QWidget {
  Q_OBJECT
 public:
  explicit CQorrinView(DocumentBinding& binding, QWidget* parent = nullptr);

  // What the framework's view update does: title, texts, contents.
  void OnUpdate();

 private:
  DocumentBinding& m_binding;
  QLineEdit* m_range = nullptr;
  QLabel* m_channelsLabel = nullptr;
  QLineEdit* m_channels = nullptr;
};

}  // namespace qorrin::gui
