#pragma once
// Ties the GUI to the document's view list: every UpdateAllViews of the document becomes
// the signal documentChanged, to which the views connect and re-read the document.
#include <QObject>

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class DocumentBinding : public QObject {
  Q_OBJECT
 public:
  explicit DocumentBinding(CQorrinDoc& doc, QObject* parent = nullptr);
  ~DocumentBinding() override;
  CQorrinDoc& Document() const { return m_doc; }

 Q_SIGNALS:
  void documentChanged();

 private:
  CQorrinDoc& m_doc;
  int m_viewId = 0;
};

}  // namespace qorrin::gui
