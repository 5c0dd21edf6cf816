#pragma once
// The Edit menu's commands on channels, for the channel table: the clipboard (copy, cut,
// paste), select all, set for selected channels, insert, delete, move up and down, clear,
// sort, go to channel, and the row headings' context menu that offers them (also from the
// keyboard: Shift+F10, the Menu key; Delete clears the selected rows). They act on the
// selected rows, or on the focus cell's row when no row is selected and the table has the
// focus; each change is one step of the edit history (the core's operations).
#include <QObject>

#include <vector>

class QMenu;
class QWidget;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class ChannelTable;

class ChannelCommands : public QObject {
  Q_OBJECT
 public:
  ChannelCommands(CQorrinDoc& doc, ChannelTable& table, QWidget* window);

  // True when `command` is one of these (and it was carried out).
  bool Execute(int command);

  void Copy();
  void Cut();
  void Paste();
  void SelectAll();
  void SetForSelected();
  void InsertChannel();
  void DeleteChannel();
  void Move(bool up);
  void Clear();
  void Sort(bool byName);
  void GoTo();

  // The channels a command acts on: the selected rows, else the focus row while the table
  // (or its cell editor) has the keyboard focus.
  std::vector<int> TargetRows() const;
  // Whether the command can act now; a command that cannot is offered greyed.
  bool CanExecute(int command) const;
  ChannelTable& Table() const { return m_table; }

 Q_SIGNALS:
  // A command picked in the row headings' context menu, for the window to carry out as
  // any other command.
  void commandRequested(int command);

 private:
  void ShowRowMenu(const class QPoint& global);
  bool TableHasFocus() const;
  void AfterChange(const std::vector<int>& select);
  // A one-line message in the window's status bar.
  void ShowStatus(const class QString& text);

  CQorrinDoc& m_doc;
  ChannelTable& m_table;
  QWidget* m_window;
};

}  // namespace qorrin::gui
