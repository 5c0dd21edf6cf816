#include "gui/app/DocumentBinding.h"

#include "core/model/CQorrinDoc.h"

namespace qorrin::gui {

DocumentBinding::DocumentBinding(CQorrinDoc& doc, QObject* parent) : QObject(parent), m_doc(doc) {
  m_viewId = m_doc.AddView([this] { Q_EMIT documentChanged(); });
  m_contentsId = m_doc.AddContentsView([this] { Q_EMIT contentsChanged(); });
}

DocumentBinding::~DocumentBinding() {
  m_doc.RemoveView(m_viewId);
  m_doc.RemoveView(m_contentsId);
}

}  // namespace qorrin::gui
