// The channel commands as a technician meets them, checked against the image bytes; which
// command can act is the core's rule (ChannelOperationsTest).

#include "GuiTestSupport.h"
#include "gui/views/BulkEditDlg.h"

namespace qorrin::gui::test {
namespace {

const QList<int> kRowCommands = {cmd::kEditCut,         cmd::kEditCopy,          cmd::kEditSetSelected,
                                 cmd::kEditInsertChannel, cmd::kEditDeleteChannel, cmd::kEditMoveUp,
                                 cmd::kEditMoveDown,      cmd::kEditClearChannels};

// The commands whose menu items are enabled now (after the updates the focus posts).
QList<int> Enabled(const RunningApp& run, const QList<int>& commands) {
  QCoreApplication::processEvents();
  QList<int> enabled;
  for (int command : commands) {
    if (run.Frame()->MenuAction(command)->isEnabled()) enabled << command;
  }
  return enabled;
}

QString UndoText(const RunningApp& run) { return run.Frame()->MenuAction(cmd::kEditUndo)->text(); }

void Program(CQorrinDoc& doc, std::initializer_list<int> channels, int mhz = 140) {
  for (int channel : channels) CommitReceiveFrequency(doc, channel, std::to_string(mhz + channel % 30));
}

// The popup a key opens on the table, and its items' enabled state by command.
QMap<int, bool> MenuFromKey(CGridCtrl* grid, Qt::Key key, Qt::KeyboardModifiers modifiers, QPoint* at = nullptr) {
  QMap<int, bool> items;
  QApplication::setActiveWindow(grid->window());  // the offscreen platform leaves none after a popup
  grid->setFocus();
  QTimer::singleShot(0, grid, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions()) {
      if (CommandId(action) != 0) items.insert(CommandId(action), action->isEnabled());
    }
    if (at) *at = menu->pos();
    menu->close();
  });
  QTest::keyClick(grid, key, modifiers);
  return items;
}

}  // namespace

class TableCommandsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Only commands that can act are offered, following the focus and the selection; the
  // table's keys reach them.
  void commandsFollowTheFocusAndTheTablesKeysReachThem() {
    QORRIN_START_APP(run, doc);
    CGridCtrl* grid = ChannelGrid(run);
    // At start the focus is on the frequency range and no row is selected: nothing to act on.
    QCOMPARE(ControlId(QApplication::focusWidget()), ctl::kRangeList);
    QCOMPARE(Enabled(run, kRowCommands), QList<int>());

    // On channel 1 (programmed): all but Move Up (the rule is ChannelOperationsTest's).
    grid->setFocus();
    grid->SetFocusCell(1, 1);
    QCOMPARE(Enabled(run, kRowCommands).size(), 7);
    QVERIFY(Enabled(run, {cmd::kEditMoveUp}).isEmpty());
    // Delete on selected rows empties them; the channels below stay where they are.
    Program(doc, {2, 3, 4, 5});
    grid->SetFocusCell(2, 1);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(grid->SelectedRows(), (std::vector<int>{2, 3}));
    const std::string before = run.Image();
    QTest::keyClick(grid, Qt::Key_Delete);
    QVERIFY(IsRecordEmpty(doc.Image(), 2) && IsRecordEmpty(doc.Image(), 3));
    QCOMPARE(RecordHex(run.Image(), 4), RecordHex(before, 4));
    QCOMPARE(UndoText(run), QStringLiteral("&Undo Clear of 2 channels\tCtrl+Z"));
    // With an editor open, Delete is the editor's: it deletes the selected text only.
    grid->SelectRows({4, 5});
    grid->SetFocusCell(4, 1);
    QTest::keyClick(grid, Qt::Key_Return);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor && !editor->text().isEmpty());
    QTest::keyClick(editor, Qt::Key_Delete);
    QCOMPARE(editor->text(), QString());
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(RecordHex(run.Image(), 5), RecordHex(before, 5));
    QVERIFY(!IsRecordEmpty(doc.Image(), 4));

    // Shift+F10 and the Menu key open the row commands at the focus cell, as the Edit menu.
    grid->ClearRowSelection();
    grid->SetFocusCell(1, 2);
    QPoint at;
    QMap<int, bool> items = MenuFromKey(grid, Qt::Key_F10, Qt::ShiftModifier, &at);
    QVERIFY(items.value(cmd::kEditDeleteChannel) && items.contains(cmd::kEditMoveUp) && !items.value(cmd::kEditMoveUp));
    QVERIFY2(grid->viewport()->rect().contains(grid->viewport()->mapFromGlobal(at)), "the menu opens on the table");
    items = MenuFromKey(grid, Qt::Key_Menu, Qt::NoModifier);
    QVERIFY(items.value(cmd::kEditSetSelected));
  }

  // Set for Selected says what it changes and stores only on the programmed channels (its
  // rule is ChannelOperationsTest's; its focus and Tab order are FocusRingTest's).
  void setForSelectedCountsAndStores() {
    QORRIN_START_APP(run, doc);
    CGridCtrl* grid = ChannelGrid(run);
    Program(doc, {2, 4, 5, 7, 8});  // with 1: six of channels 1-8 programmed, 3 and 6 empty
    grid->setFocus();
    grid->SelectRows({1, 2, 3, 4, 5, 6, 7, 8});
    QString count;
    RunCommand(run, cmd::kEditSetSelected, {[&](QWidget* m) {
      auto* dialog = qobject_cast<BulkEditDlg*>(m);
      count = dialog->findChild<QLabel*>()->text();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // tick decode: its list opens up
      dialog->DecodeList()->setCurrentIndex(3);
      ClickOk(m);
    }});
    QVERIFY2(count.startsWith(QStringLiteral("For 6 channels:")), qPrintable(count));
    QCOMPARE(UndoText(run), QStringLiteral("&Undo Change of 6 channels\tCtrl+Z"));
    QCOMPARE(GetToneCode(doc.Image(), 8, true), 3);
    QVERIFY(IsRecordEmpty(doc.Image(), 3) && IsRecordEmpty(doc.Image(), 6));
  }

  // Go to Channel shows the channel at the top; Sort with one row selected sorts the whole
  // table.
  void goToShowsTheRowsAfterAndSortKeepsTheGaps() {
    QORRIN_START_APP(run, doc);
    CGridCtrl* grid = ChannelGrid(run);
    for (int channel : {5, 6, 50, 51, 52, 53, 54}) CommitReceiveFrequency(doc, channel, std::to_string(200 - channel));
    const std::string before = run.Image();
    grid->setFocus();
    PressKey(run, Qt::Key_G, Qt::ControlModifier, {[](QWidget* m) {
      auto* channel = m->findChild<QSpinBox*>();
      QVERIFY(channel && channel->accessibleName() == QStringLiteral("Channel:"));
      channel->setValue(50);
      ClickOk(m);
    }});
    QCOMPARE(grid->FocusRow(), 50);
    QCOMPARE(grid->rowAt(0), 49);  // channel 50 on the first line
    QVERIFY(grid->IsCellShown(54, grid->FocusColumn()));

    // Sorted: 136 MHz (channel 1) stays first, 146 MHz from channel 54 comes up into 5; the
    // gaps and the rest are ChannelOperationsTest's.
    grid->SelectRows({50});
    run.Frame()->ExecuteCommand(cmd::kEditSortFrequency);
    QCOMPARE(RecordHex(run.Image(), 1), RecordHex(before, 1));
    QCOMPARE(RecordHex(run.Image(), 5), RecordHex(before, 54));
    QVERIFY(IsRecordEmpty(doc.Image(), 7));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::TableCommandsTest)
#include "TableCommandsTest.moc"
