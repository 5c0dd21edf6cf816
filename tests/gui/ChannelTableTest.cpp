// The channel table driven with clicks and keys: each editor reaches its field once (what
// the commit rules make of a value is ChannelCommitTest's); focus, keys and screen behave.

#include "GuiTestSupport.h"
#include "core/edit/ChannelTableLayout.h"

namespace qorrin::gui::test {
namespace {

QString Record(const RunningApp& run, int row) { return RecordHex(run.Image(), row); }

QWidget* Focus() { return QApplication::focusWidget(); }

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(Focus(), key, modifiers); }

}  // namespace

class ChannelTableTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Each column's editor reaches its field, and is left and searched as the user expects.
  void everyColumnsEditorStoresItsFieldAndIsLeftAsExpected() {
    QORRIN_START_APP(run, doc);
    CGridCtrl* grid = ChannelGrid(run);

    // A receive frequency programs the channel and unlocks the row.
    ClickCell(run, 3, kColRxFrequency);
    auto* edit = qobject_cast<QLineEdit*>(Focus());
    QVERIFY(edit && ControlId(edit) == 1017);
    QCOMPARE(edit->geometry(), grid->GetCellRect(3, kColRxFrequency));
    QTest::keyClicks(edit, QStringLiteral("146.52"));
    Key(Qt::Key_Return);
    QCOMPARE(Focus(), grid);  // Enter hands the focus back and starts nothing new
    QVERIFY(doc.IsModified());
    TypeInCell(run, 3, kColTxFrequency, QStringLiteral("145.92"));
    QCOMPARE(Record(run, 3), QStringLiteral("00 20 65 14 00 00 00 06 00 00 C1 00 FF FF FF FF"));

    // Tones: the arrows only move the choice, Enter stores it and closes the editor.
    ClickCell(run, 3, kColRxTone);
    QCOMPARE(ControlId(Focus()), 1019);
    Key(Qt::Key_Down);
    QCOMPARE(Record(run, 3).mid(12, 2), QStringLiteral("00"));
    Key(Qt::Key_Return);
    QCOMPARE(Focus(), grid);
    ClickCell(run, 3, kColTxTone);
    QCOMPARE(ControlId(Focus()), 1024);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    Key(Qt::Key_Right);  // the grid has the focus again and moves on
    QCOMPARE(grid->FocusColumn(), kColBandwidth);
    QCOMPARE(Record(run, 3), QStringLiteral("00 20 65 14 01 00 00 06 00 01 C1 00 FF FF FF FF"));

    // Bandwidth and power: a choice made with the keys is stored on Enter or Tab.
    Key(Qt::Key_Return);
    auto* list = qobject_cast<QComboBox*>(Focus());
    QVERIFY(list && ControlId(list) == 1018);
    Key(Qt::Key_Up);
    QCOMPARE(Focus(), list);
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 3).mid(30, 2), QStringLiteral("81"));
    TypeInCell(run, 3, kColPower, QStringLiteral("l"), Qt::Key_Tab);
    QCOMPARE(Record(run, 3).mid(30, 2), QStringLiteral("01"));
    QCOMPARE(grid->FocusColumn(), kColName);

    // A name: what a name cannot hold is not typed; Tab commits and moves to the next row.
    TypeInCell(run, 3, kColName, QStringLiteral("a_b.1"), Qt::Key_unknown);
    QCOMPARE(qobject_cast<QLineEdit*>(Focus())->text(), QStringLiteral("ab1"));
    Key(Qt::Key_Tab);
    QCOMPARE(Record(run, 3), QStringLiteral("00 20 65 14 01 00 00 06 00 01 11 00 0C 0D 01 FF"));
    QVERIFY(Focus() == grid && grid->FocusRow() == 4 && grid->FocusColumn() == kColRxFrequency);

    // Escape restores the cell; a decimal comma is the point; typing searches a list by
    // prefix.
    TypeInCell(run, 10, kColRxFrequency, QStringLiteral("145,5,"), Qt::Key_unknown);  // no second comma
    QCOMPARE(qobject_cast<QLineEdit*>(Focus())->text(), QStringLiteral("145.5"));
    Key(Qt::Key_Return);
    TypeInCell(run, 10, kColName, QStringLiteral("ch1"));
    const QString before = Record(run, 10);

    QVERIFY(run.SaveAside());
    TypeInCell(run, 10, kColRxFrequency, QStringLiteral("170"), Qt::Key_Escape);
    TypeInCell(run, 10, kColName, QStringLiteral("X"), Qt::Key_Escape);
    QCOMPARE(Record(run, 10), before);
    QVERIFY2(!doc.IsModified(), "an unchanged text or name is no change");
    ClickCell(run, 10, kColRxTone);
    auto* tone = qobject_cast<QComboBox*>(Focus());
    QTest::keyClicks(tone, QStringLiteral("136"));
    QCOMPARE(Focus(), tone);
    QCOMPARE(tone->currentText(), QStringLiteral("136.5"));
    QCOMPARE(Record(run, 10), before);  // nothing stored until the editor is left
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 10).mid(12, 2), QStringLiteral("16"));  // code 22

    // Ctrl+C in an open editor is the port command, which first stores what was typed.
    TypeInCell(run, 6, kColRxFrequency, QStringLiteral("148"), Qt::Key_unknown);
    QCOMPARE(PressKey(run, Qt::Key_C, Qt::ControlModifier, {ClickCancel})->Title(),
             QStringLiteral("Communication Port"));
    QCOMPARE(Record(run, 6).mid(0, 11), QStringLiteral("00 00 80 14"));
  }

  // The keys reach every cell and stop at the edges; the table follows the document and
  // reads as a table to screen readers.
  void keysReachEveryCellAndTheTableFollowsTheDocument() {
    QORRIN_START_APP(run, doc);
    CGridCtrl* grid = ChannelGrid(run);
    grid->setFocus();
    grid->SetFocusCell(1, 1);
    QCOMPARE(Focus(), grid);
    // Tab walks every cell, row by row, never the fixed heading row and column.
    int steps = 0;
    while (!(grid->FocusRow() == 99 && grid->FocusColumn() == 7) && steps < 1000) {
      Key(Qt::Key_Tab);
      ++steps;
    }
    QCOMPARE(steps, 99 * 7 - 1);
    // Tab stops at the last cell, Shift+Tab wraps to the row above, Home/End keep the
    // column, an arrow stops at the edge.
    const struct { Qt::Key key; int times, row, column; } moves[] = {
        {Qt::Key_Tab, 1, 99, 7}, {Qt::Key_Backtab, 7, 98, 7}, {Qt::Key_Home, 1, 1, 7}, {Qt::Key_Up, 1, 1, 7},
        {Qt::Key_End, 1, 99, 7}};
    for (const auto& move : moves) {
      for (int i = 0; i < move.times; ++i) Key(move.key);
      QCOMPARE(QPoint(grid->FocusColumn(), grid->FocusRow()), QPoint(move.column, move.row));
      QVERIFY(grid->IsCellShown(move.row, move.column));
    }
    // Enter on a locked cell opens nothing; a click on a heading only moves the focus.
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    Key(Qt::Key_Return);
    QCOMPARE(Focus(), grid);
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid->horizontalHeader()->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(QPoint(grid->FocusColumn(), grid->FocusRow()), QPoint(kColRxFrequency, 1));
    QVERIFY(grid->verticalScrollBar()->value() == 0 && Focus() == grid);
    QVERIFY2(!doc.IsModified(), "moving around changes nothing");

    // Changes made elsewhere show at once and leave an open editor alone.
    TypeInCell(run, 3, kColRxFrequency, QStringLiteral("146.52"));
    QVERIFY(ScreenIsCurrent(grid));  // the committed row: texts, and grey text no more
    TypeInCell(run, 3, kColName, QStringLiteral("ab"), Qt::Key_unknown);
    CommitReceiveFrequency(doc, 5, "150");
    CommitPower(doc, 3, 0);
    QVERIFY(ScreenIsCurrent(grid));
    QCOMPARE(grid->GetCellText(5, kColTxFrequency), QStringLiteral("150.00000"));
    Key(Qt::Key_Return);  // the editor stayed open with what was typed
    QCOMPARE(Record(run, 3), QStringLiteral("00 20 65 14 00 00 00 00 00 00 50 00 0C 0D FF FF"));

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(table && table->tableInterface());
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Channel table"));
    QCOMPARE(QSize(table->tableInterface()->columnCount(), table->tableInterface()->rowCount()), QSize(7, 99));
    QCOMPARE(table->tableInterface()->cellAt(2, 0)->text(QAccessible::Name), QStringLiteral("146.52000"));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::ChannelTableTest)
#include "ChannelTableTest.moc"
