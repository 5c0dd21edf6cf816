#pragma once
// Ties the GUI to the document's view lists: every UpdateAllViews of the document becomes
// the signal documentChanged (the views re-read everything, texts of the language
// included), every edit that changed bytes the signal contentsChanged (views re-read the
// values they show, leaving open editors and language texts alone).
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
  void contentsChanged();

 private:
  CQorrinDoc& m_doc;
  int m_viewId = 0;
  int m_contentsId = 0;
};

}  // namespace qorrin::gui
