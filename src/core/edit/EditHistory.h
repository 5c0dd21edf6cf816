#pragma once
// Undo and redo for the open document: the image and the document's revision as they
// stood after each step, and the step's name for the Edit menu. Undo and redo give both
// back to the document, which alone knows which revision was saved; so undoing back to
// what was saved makes the document unmodified.
//
// The history hears of every change through the document's one entry for changes (it is
// the document's IImageHistory while attached). Open and New start a new history.
#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include "core/model/CQorrinDoc.h"

namespace qorrin {

class EditHistory : public IImageHistory {
 public:
  static constexpr std::size_t kDefaultSteps = 1000;

  explicit EditHistory(std::size_t maxSteps = kDefaultSteps) : m_maxSteps(maxSteps == 0 ? 1 : maxSteps) {}
  ~EditHistory() override { Detach(); }
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // Follows the document's changes from now on, starting a new history at its image.
  void Attach(CQorrinDoc& doc);
  void Detach();
  // Open, New: one state, the document's image as it stands now.
  void Reset();

  bool CanUndo() const { return m_cursor > 0; }
  bool CanRedo() const { return m_cursor + 1 < m_states.size(); }
  // The name of the step Undo or Redo would take back or do again.
  const ChangeLabel& UndoLabel() const { return m_states[m_cursor].label; }
  const ChangeLabel& RedoLabel() const { return m_states[m_cursor + 1].label; }
  // The label as the Edit menu names it: the language text with "%d" as its number, in
  // its singular form for a count of one (LoadCountText).
  static std::string LabelText(const ChangeLabel& label);

  // Puts back the image (and revision) before the last step, after the next one; false
  // when there is nothing to undo (redo).
  bool Undo();
  bool Redo();

  std::size_t StepCount() const { return m_states.size() - 1; }
  // Called after every change of the history (a step, undo, redo, reset): where
  // the Edit menu learns its names.
  void SetListener(std::function<void()> listener) { m_listener = std::move(listener); }
  std::size_t MemoryBytes() const;

  // IImageHistory
  void Recorded(const ChangeLabel& label, const RadioImage& after, Revision revision) override;
  void Amended(const RadioImage& current) override;
  void Restarted() override { Reset(); }

 private:
  struct State {
    RadioImage image{};
    ChangeLabel label;      // of the step that led here
    Revision revision = 0;  // the document's, in this state
  };
  void MoveTo(std::size_t state);
  void Tell() const {
    if (m_listener) m_listener();
  }
  std::size_t m_maxSteps;
  CQorrinDoc* m_pDoc = nullptr;
  std::deque<State> m_states;  // [0] the oldest state kept; m_cursor the current one
  std::size_t m_cursor = 0;
  std::function<void()> m_listener;
};

}  // namespace qorrin
