// The Edit menu through its keys and the mouse, checked against the image bytes; the rules
// behind it are the core's (EditHistoryTest, ChannelOperationsTest, ChannelImportTest).

#include "GuiTestSupport.h"

namespace qorrin::gui::test {
namespace {

QString MenuText(const RunningApp& run, int command) { return run.Frame()->MenuAction(command)->text(); }

// Where a row's channel number is on the row headings, scrolled into view.
QPoint RowHeading(CGridCtrl* grid, int row) {
  grid->ScrollIntoView(row, 1);
  const QHeaderView* header = grid->verticalHeader();
  return {header->width() / 2, header->sectionViewportPosition(row - 1) + header->sectionSize(row - 1) / 2};
}

// A click on a row's channel number, with the keys held that the user holds.
void ClickRow(const RunningApp& run, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  CGridCtrl* grid = ChannelGrid(run);
  QTest::mouseClick(grid->verticalHeader()->viewport(), Qt::LeftButton, modifiers, RowHeading(grid, row));
}

void Program(CQorrinDoc& doc, int channel, const char* rx, const char* tx, const char* name) {
  CommitReceiveFrequency(doc, channel, rx);
  CommitTransmitFrequency(doc, channel, tx);
  CommitTone(doc, channel, kColRxTone, channel);
  CommitName(doc, channel, name);
}

}  // namespace

class EditCommandsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Typed, saved, picked: each step named in the menu, walked back and forth with Undo and
  // Redo, unmodified exactly where the document is what the file holds.
  void undoRedoSelectionAndTheRowCommands() {
    QORRIN_START_APP(run, doc);
    CGridCtrl* grid = ChannelGrid(run);
    QCOMPARE(MenuText(run, cmd::kEditUndo), QStringLiteral("&Undo\tCtrl+Z"));
    QVERIFY(!run.Frame()->MenuAction(cmd::kEditUndo)->isEnabled());
    const std::string fresh = run.Image();
    TypeInCell(run, 5, 1, QStringLiteral("146.52"));
    QVERIFY(doc.IsModified());
    RunCommand(run, cmd::kFileSave, {Choosing(run.File("typed.7Q"))});
    QVERIFY(!doc.IsModified());
    const std::string typed = run.Image();  // as saved, index fields and all
    QVERIFY(typed != fresh);
    QCOMPARE(MenuText(run, cmd::kEditUndo), QStringLiteral("&Undo Edit of channel 5\tCtrl+Z"));
    auto* squelch = WidgetWithId<QComboBox>(run.Frame()->View(), EntryOf(OptionField::Squelch).controlId);
    squelch->setFocus();
    QTest::keyClick(squelch, Qt::Key_Down);  // a pick of the next level
    const std::string picked = run.Image();
    QVERIFY(picked != typed && doc.IsModified());
    QCOMPARE(MenuText(run, cmd::kEditUndo), QStringLiteral("&Undo Option change\tCtrl+Z"));

    grid->setFocus();
    PressKey(run, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(run.Image(), typed);
    QVERIFY(!doc.IsModified());
    QCOMPARE(MenuText(run, cmd::kEditRedo), QStringLiteral("&Redo Option change\tCtrl+Y"));
    PressKey(run, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(run.Image(), picked);
    QCOMPARE(squelch->currentIndex(), ReadOptionField(doc.Image(), OptionField::Squelch));

    // Rows selected with the mouse and keys, copied, then pasted and cut in a new document,
    // with a new undo history.
    Program(doc, 2, "146", "146", "B");
    Program(doc, 3, "145", "145", "A");
    Program(doc, 4, "147", "", "C");
    ClickRow(run, 2);
    QCOMPARE(grid->SelectedRows(), (std::vector<int>{2}));
    QVERIFY(grid->FocusRow() == 2 && QApplication::focusWidget() == grid);  // no editor opened
    ClickRow(run, 4, Qt::ShiftModifier);
    QCOMPARE(grid->SelectedRows(), (std::vector<int>{2, 3, 4}));
    ClickRow(run, 3, Qt::ControlModifier);
    QCOMPARE(grid->SelectedRows(), (std::vector<int>{2, 4}));
    ClickRow(run, 3, Qt::ControlModifier);

    // Copied as a spreadsheet takes them: tab-separated text and CSV, each with a header.
    const std::string source = run.Image();
    PressKey(run, Qt::Key_Insert, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    QVERIFY(copied->text().count(QStringLiteral("\r\n")) == 4 && copied->text().contains(QStringLiteral("\r\n2\tB\t146.000000\t")));
    QVERIFY(copied->data(QStringLiteral("text/csv")).startsWith("Location,Name,Frequency"));

    // A new document: no history; the rows land from the focused channel down.
    RunCommand(run, cmd::kFileNew, {ClickNo, ClickOk});
    QVERIFY(!run.Frame()->MenuAction(cmd::kEditUndo)->isEnabled());
    QVERIFY(!run.Frame()->MenuAction(cmd::kEditRedo)->isEnabled());
    grid->setFocus();
    grid->SetFocusCell(20, 1);
    PressKey(run, Qt::Key_V, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i) QCOMPARE(RecordHex(run.Image(), 20 + i), RecordHex(source, 2 + i));
    QCOMPARE(grid->SelectedRows(), (std::vector<int>{20, 21, 22}));
    QCOMPARE(MenuText(run, cmd::kEditUndo), QStringLiteral("&Undo Paste of 3 channels\tCtrl+Z"));

    // Pasting over programmed channels asks first; Cancel changes nothing.
    const std::string pasted = run.Image();
    grid->SetFocusCell(21, 1);
    QVERIFY(PressKey(run, Qt::Key_Insert, Qt::ShiftModifier, {ClickCancel})
                ->Text().startsWith(QStringLiteral("The paste replaces 2 programmed channels (21-22).")));
    QCOMPARE(run.Image(), pasted);

    // Cut: copied, then the channels emptied, one step.
    ClickRow(run, 21);
    PressKey(run, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(IsRecordEmpty(doc.Image(), 21));
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("\tA\t")));
    PressKey(run, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(run.Image(), pasted);

    // A right click on a row heading outside the selection selects it; Delete empties it.
    std::vector<int> selected;
    QTimer::singleShot(0, grid, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      selected = grid->SelectedRows();
      for (QAction* action : menu->actions()) {
        if (CommandId(action) == cmd::kEditDeleteChannel) action->trigger();
      }
      menu->close();
    });
    const QPoint at = RowHeading(grid, 22);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, grid->verticalHeader()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->verticalHeader()->viewport(), &rightClick);
    QCOMPARE(selected, (std::vector<int>{22}));
    QVERIFY(IsRecordEmpty(doc.Image(), 22));

    // Shift+arrows extend from the selection's start; Select All; a plain click on a cell
    // leaves no row selected (and edits the cell).
    ClickRow(run, 10);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(grid->SelectedRows(), (std::vector<int>{10, 11}));
    PressKey(run, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(grid->SelectedRows().size(), std::size_t{99});
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetCellRect(2, 1).center());
    QVERIFY(grid->SelectedRows().empty());
    QCOMPARE(ControlId(QApplication::focusWidget()), ctl::kFrequencyEditor);

    // A spreadsheet's rows: a refused one is reported in a box that ends with the status
    // line (what the rows become is ChannelImportTest's and AwkwardListImportTest's).
    QApplication::clipboard()->setText(QStringLiteral("146.1\nAM 1\n146.3\n"));
    grid->setFocus();
    grid->SetFocusCell(40, 1);
    const QString report = PressKey(run, Qt::Key_V, Qt::ControlModifier, {ClickOk})->Text();
    QVERIFY2(report.startsWith(QStringLiteral("line 2: refused: no readable frequency: \"AM 1\"")), qPrintable(report));
    QVERIFY(report.endsWith(QStringLiteral("2 rows pasted into channels 40-41; 1 refused; 0 changed")));
    QCOMPARE(GetFrequencyText(doc.Image(), 41, true), std::string("146.30000"));
    // Rows that would go past channel 99 are asked about; Cancel pastes nothing.
    const std::string before = run.Image();
    QApplication::clipboard()->setText(QStringLiteral("145.1\n145.2\n145.3\n"));
    grid->SetFocusCell(98, 1);
    const QString question = PressKey(run, Qt::Key_V, Qt::ControlModifier, {ClickCancel})->Text();
    QVERIFY(question.startsWith(QStringLiteral("Rows that would go past channel 99, and are not pasted: 1.")));
    QCOMPARE(run.Image(), before);
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::EditCommandsTest)
#include "EditCommandsTest.moc"
