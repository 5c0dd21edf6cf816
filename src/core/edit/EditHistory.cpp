#include "core/edit/EditHistory.h"


#include "core/lang/LangText.h"

namespace qorrin {

void EditHistory::Attach(CQorrinDoc& doc) {
  Detach();
  m_pDoc = &doc;
  doc.SetHistory(this);
  Reset();
}

void EditHistory::Detach() {
  if (m_pDoc != nullptr) m_pDoc->SetHistory(nullptr);
  m_pDoc = nullptr;
}

void EditHistory::Reset() {
  m_states.clear();
  m_states.push_back(State{m_pDoc != nullptr ? m_pDoc->Image() : RadioImage{}, {},
                           m_pDoc != nullptr ? m_pDoc->GetRevision() : 0});
  m_cursor = 0;
  Tell();
}

std::string EditHistory::LabelText(const ChangeLabel& label) { return LoadCountText(label.key, label.number); }

void EditHistory::Recorded(const ChangeLabel& label, const RadioImage& after, Revision revision) {
  // A new step drops whatever could have been redone.
  m_states.erase(m_states.begin() + static_cast<std::ptrdiff_t>(m_cursor) + 1, m_states.end());
  m_states.push_back(State{after, label, revision});
  ++m_cursor;
  // The oldest steps go when there are too many.
  while (m_states.size() > m_maxSteps + 1) {
    m_states.pop_front();
    --m_cursor;
  }
  Tell();
}

void EditHistory::Amended(const RadioImage& current) { m_states[m_cursor].image = current; }

void EditHistory::MoveTo(std::size_t state) {
  m_cursor = state;
  if (m_pDoc == nullptr) return;
  m_pDoc->RestoreImage(m_states[m_cursor].image, m_states[m_cursor].revision);
  Tell();
}

bool EditHistory::Undo() {
  if (!CanUndo()) return false;
  MoveTo(m_cursor - 1);
  return true;
}

bool EditHistory::Redo() {
  if (!CanRedo()) return false;
  MoveTo(m_cursor + 1);
  return true;
}

std::size_t EditHistory::MemoryBytes() const {
  std::size_t bytes = sizeof(*this);
  for (const State& state : m_states) bytes += sizeof(State) + state.label.key.capacity();
  return bytes;
}

}  // namespace qorrin
