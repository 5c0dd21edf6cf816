#include "core/edit/EditHistory.h"

#include <algorithm>

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
  m_states.push_back(State{m_pDoc != nullptr ? m_pDoc->Image() : RadioImage{}, {}, false});
  m_cursor = 0;
  m_saved = m_pDoc != nullptr && m_pDoc->IsModified() ? kNoSavedState : 0;
  Tell();
}

std::string EditHistory::LabelText(const ChangeLabel& label) { return LoadCountText(label.key, label.number); }

void EditHistory::Recorded(const ChangeLabel& label, const RadioImage& after, bool counts) {
  // A new step drops whatever could have been redone.
  m_states.erase(m_states.begin() + static_cast<std::ptrdiff_t>(m_cursor) + 1, m_states.end());
  if (m_saved != kNoSavedState && m_saved > m_cursor) m_saved = kNoSavedState;
  m_states.push_back(State{after, label, counts});
  ++m_cursor;
  // The oldest steps go when there are too many; a saved state among them is gone too.
  while (m_states.size() > m_maxSteps + 1) {
    m_states.pop_front();
    --m_cursor;
    if (m_saved == 0) {
      m_saved = kNoSavedState;
    } else if (m_saved != kNoSavedState) {
      --m_saved;
    }
  }
  Tell();
}

void EditHistory::Amended(const RadioImage& current) { m_states[m_cursor].image = current; }

void EditHistory::MoveTo(std::size_t state) {
  m_cursor = state;
  if (m_pDoc == nullptr) return;
  m_pDoc->RestoreImage(m_states[m_cursor].image);
  m_pDoc->SetModifiedFlag(IsModified());
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

void EditHistory::MarkSaved() {
  m_saved = m_cursor;
  if (m_pDoc != nullptr) m_states[m_cursor].image = m_pDoc->Image();
  Tell();
}

bool EditHistory::IsModified() const {
  if (m_saved == kNoSavedState) return true;
  // Any step between the saved state and the current one that changed the user's data.
  const std::size_t from = std::min(m_saved, m_cursor), to = std::max(m_saved, m_cursor);
  for (std::size_t step = from + 1; step <= to; ++step) {
    if (m_states[step].counts) return true;
  }
  return false;
}

std::size_t EditHistory::MemoryBytes() const {
  std::size_t bytes = sizeof(*this);
  for (const State& state : m_states) bytes += sizeof(State) + state.label.key.capacity();
  return bytes;
}

}  // namespace qorrin
