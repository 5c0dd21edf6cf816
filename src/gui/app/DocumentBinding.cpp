#include "gui/app/DocumentBinding.h"

#include "core/model/CQorrinDoc.h"

namespace qorrin::gui {

DocumentBinding::DocumentBinding(CQorrinDoc& doc, QObject* parent) : QObject(parent), m_doc(doc) {
  m_viewId = m_doc.AddView([this] { Q_EMIT documentChanged(); });
}

DocumentBinding::~DocumentBinding() { m_doc.RemoveView(m_viewId); }

}  // namespace qorrin::gui
