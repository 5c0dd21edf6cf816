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
    QCOMPARE(Enabled(run, {cmd::kEditPaste, cmd::kEditSelectAll, cmd::kEditGoTo, cmd::kEditSortFrequency}),
             (QList<int>{cmd::kEditPaste, cmd::kEditSelectAll, cmd::kEditGoTo}));  // one channel: nothing to sort

    // On channel 1 (programmed): all but Move Up; back on the form, nothing.
    grid->setFocus();
    grid->SetFocusCell(1, 1);
    QCOMPARE(Enabled(run, kRowCommands).size(), 7);
    QVERIFY(Enabled(run, {cmd::kEditMoveUp}).isEmpty());
    WidgetWithId(run.Frame()->View(), ctl::kRangeList)->setFocus();
    QCOMPARE(Enabled(run, kRowCommands), QList<int>());
    // Selected rows count wherever the focus is; at the end of the table no Move Down.
    grid->SelectRows({98, 99});
    QCOMPARE(Enabled(run, {cmd::kEditMoveUp, cmd::kEditMoveDown, cmd::kEditDeleteChannel}),
             (QList<int>{cmd::kEditMoveUp, cmd::kEditDeleteChannel}));
    grid->ClearRowSelection();
    QVERIFY(Enabled(run, {cmd::kEditSortFrequency}).isEmpty());
    Program(doc, {2, 3, 4, 5});
    QVERIFY(!Enabled(run, {cmd::kEditSortFrequency}).isEmpty());  // the channels changed

    // Delete on selected rows empties them; the channels below stay where they are.
    grid->setFocus();
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

  // Set for Selected says what it changes, is walked row by row; counts of one are singular.
  void setForSelectedCountsTabOrderAndSingulars() {
    QORRIN_START_APP(run, doc);
    CGridCtrl* grid = ChannelGrid(run);
    Program(doc, {2, 4, 5, 7, 8});  // with 1: six of channels 1-8 programmed, 3 and 6 empty
    grid->setFocus();
    grid->SelectRows({1, 2, 3, 4, 5, 6, 7, 8});
    QList<QWidget*> tabbed;
    QString count;
    RunCommand(run, cmd::kEditSetSelected, {[&](QWidget* m) {
      auto* dialog = qobject_cast<BulkEditDlg*>(m);
      count = dialog->findChild<QLabel*>()->text();
      tabbed << QApplication::focusWidget();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // tick decode: its list opens up
      for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        tabbed << QApplication::focusWidget();
      }
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // bandwidth
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // narrow to wide
      QCOMPARE(QList<QWidget*>({dialog->Box(BulkEditDlg::kDecode), dialog->DecodeList(),
                                dialog->Box(BulkEditDlg::kEncode), dialog->Box(BulkEditDlg::kBandwidth)}),
               tabbed);
      dialog->DecodeList()->setCurrentIndex(3);
      ClickOk(m);
    }});
    QVERIFY2(count.startsWith(QStringLiteral("For 6 channels:")), qPrintable(count));
    QCOMPARE(UndoText(run), QStringLiteral("&Undo Change of 6 channels\tCtrl+Z"));
    QCOMPARE(GetToneCode(doc.Image(), 8, true), 3);
    QVERIFY(IsRecordEmpty(doc.Image(), 3) && IsRecordEmpty(doc.Image(), 6));

    // One channel: "channel", not "channels".
    grid->SelectRows({2});
    PressKey(run, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(UndoText(run), QStringLiteral("&Undo Move of 1 channel\tCtrl+Z"));
    PressKey(run, Qt::Key_Insert, Qt::ControlModifier);  // copies channel 3
    grid->ClearRowSelection();
    grid->SetFocusCell(4, 1);
    QCOMPARE(PressKey(run, Qt::Key_V, Qt::ControlModifier, {ClickCancel})->Text(),
             QStringLiteral("The paste replaces 1 programmed channel (4).\nDo you want to continue?"));
    grid->SelectRows({4});
    RunCommand(run, cmd::kEditSetSelected, {[&](QWidget* m) {
      count = m->findChild<QLabel*>()->text();
      ClickCancel(m);
    }});
    QVERIFY2(count.startsWith(QStringLiteral("For 1 channel:")), qPrintable(count));
  }

  // Go to Channel shows the channel at the top; Sort with one row selected sorts the whole
  // table into the slots programmed channels held.
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

    grid->SelectRows({50});
    run.Frame()->ExecuteCommand(cmd::kEditSortFrequency);
    // 136 (channel 1) stays first; 146-150 MHz from 50-54 come up into 5, 6, 50, 51, 52.
    const std::vector<int> slots = {1, 5, 6, 50, 51, 52, 53, 54};
    const std::vector<int> from = {1, 54, 53, 52, 51, 50, 6, 5};
    for (std::size_t i = 0; i < slots.size(); ++i) {
      QCOMPARE(RecordHex(run.Image(), slots[i]), RecordHex(before, from[i]));
    }
    for (int channel : {2, 7, 30, 49, 55, 99}) QVERIFY(IsRecordEmpty(doc.Image(), channel));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::TableCommandsTest)
#include "TableCommandsTest.moc"
