// The channel table driven as a user drives it: clicks on cells, typed text, Enter,
// Escape, Tab and the arrow keys, checked against the bytes of the radio image.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>

#include <cstdio>

#include "GuiTestSupport.h"
#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelTableLayout.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/views/CQorrinView.h"
#include "gui/views/ChannelTable.h"

namespace qorrin::gui::test {
namespace {

constexpr const char* kEmpty = "FF FF FF FF 00 FF FF FF FF 00 C0 00 FF FF FF FF";

CGridCtrl* Grid(const RunningApp& run) { return run.Frame()->View()->Channels()->Grid(); }

QString Record(const RunningApp& run, int row) {
  std::string hex;
  for (std::uint8_t b : GetRecordBytes(run.app->Document().Image(), row)) {
    char text[4];
    std::snprintf(text, sizeof text, hex.empty() ? "%02X" : " %02X", b);
    hex += text;
  }
  return QString::fromStdString(hex);
}

// A click on a cell: the press moves the focus there, the release opens its editor.
void ClickCell(const RunningApp& run, int row, int column) {
  CGridCtrl* grid = Grid(run);
  grid->ScrollIntoView(row, column);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetCellRect(row, column).center());
}

QWidget* Focus() { return QApplication::focusWidget(); }

// Types into the editor that has the focus and ends with a key (Enter by default).
void Type(const QString& text, Qt::Key end = Qt::Key_Return) {
  QTest::keyClicks(Focus(), text);
  QTest::keyClick(Focus(), end);
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(Focus(), key, modifiers);
}

}  // namespace

class ChannelTableTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void typingIntoEveryColumnStoresTheRecord() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    CGridCtrl* grid = Grid(run);
    QCOMPARE(grid->GetRowCount(), 100);
    QCOMPARE(grid->GetCellText(0, 1), QStringLiteral("RX Frequency"));
    QCOMPARE(grid->GetCellText(42, 0), QStringLiteral("42"));
    QVERIFY(!grid->IsCellEditable(3, kColRxTone));

    // A receive frequency programs the channel as simplex and unlocks the row.
    ClickCell(run, 3, kColRxFrequency);
    auto* edit = qobject_cast<QLineEdit*>(Focus());
    QVERIFY(edit);
    QCOMPARE(ControlId(edit), 1017);
    QCOMPARE(edit->geometry(), grid->GetCellRect(3, kColRxFrequency));
    Type(QStringLiteral("146.52"));
    QCOMPARE(Focus(), grid);  // Enter hands the focus back and starts nothing new
    QVERIFY(!edit->isVisible());
    QCOMPARE(Record(run, 3), QStringLiteral("00 20 65 14 00 00 00 00 00 00 C0 00 FF FF FF FF"));
    QVERIFY(doc.IsModified());
    QCOMPARE(grid->GetCellText(3, kColTxFrequency), QStringLiteral("146.52000"));
    QVERIFY(grid->IsCellEditable(3, kColRxTone) && grid->IsCellEditable(3, kColName));

    // A transmit frequency below the receive frequency: shift down by the difference.
    ClickCell(run, 3, kColTxFrequency);
    Type(QStringLiteral("145.92"));
    QCOMPARE(Record(run, 3), QStringLiteral("00 20 65 14 00 00 00 06 00 00 C1 00 FF FF FF FF"));

    // Tones: one step down the list is the first tone; the arrows only move the choice,
    // Enter stores it and closes the editor.
    ClickCell(run, 3, kColRxTone);
    QCOMPARE(ControlId(Focus()), 1019);
    Key(Qt::Key_Down);
    QCOMPARE(ControlId(Focus()), 1019);
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
    QCOMPARE(grid->GetCellText(3, kColRxTone), QStringLiteral("67.0"));

    // Bandwidth and power: a choice made with the keys is stored on Enter or Tab.
    Key(Qt::Key_Return);
    auto* list = qobject_cast<QComboBox*>(Focus());
    QVERIFY(list);
    QCOMPARE(ControlId(list), 1018);
    QCOMPARE(list->currentText(), QStringLiteral("Wide"));
    Key(Qt::Key_Up);
    QCOMPARE(Focus(), list);
    QCOMPARE(Record(run, 3).mid(30, 2), QStringLiteral("C1"));
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 3).mid(30, 2), QStringLiteral("81"));
    ClickCell(run, 3, kColPower);
    QTest::keyClicks(Focus(), QStringLiteral("l"));
    Key(Qt::Key_Tab);
    QCOMPARE(Record(run, 3).mid(30, 2), QStringLiteral("01"));
    QCOMPARE(grid->GetCellText(3, kColPower), QStringLiteral("Low"));
    QCOMPARE(grid->FocusColumn(), kColName);

    // A name: lower case shown as typed, stored in capitals; characters a name cannot
    // hold are not typed at all.
    ClickCell(run, 3, kColName);
    QTest::keyClicks(Focus(), QStringLiteral("a_b.1"));
    QCOMPARE(qobject_cast<QLineEdit*>(Focus())->text(), QStringLiteral("ab1"));
    Key(Qt::Key_Tab);  // Tab commits too and moves on to the next row
    QCOMPARE(Record(run, 3), QStringLiteral("00 20 65 14 01 00 00 06 00 01 11 00 0C 0D 01 FF"));
    QCOMPARE(grid->GetCellText(3, kColName), QStringLiteral("AB1"));
    QCOMPARE(Focus(), grid);
    QCOMPARE(grid->FocusRow(), 4);
    QCOMPARE(grid->FocusColumn(), kColRxFrequency);

    // What a command reads includes an editor still open: Save sees the typed text.
    doc.SetModifiedFlag(false);
    Key(Qt::Key_Return);
    QTest::keyClicks(Focus(), QStringLiteral("150"));
    run.Frame()->View()->CommitOpenEditor();
    QCOMPARE(Record(run, 4).mid(0, 11), QStringLiteral("00 00 00 15"));
    QVERIFY(doc.IsModified());
    // The closed editor handed the focus back without moving the focus cell on.
    QCOMPARE(Focus(), grid);
    QCOMPARE(grid->FocusRow(), 4);
    QCOMPARE(grid->FocusColumn(), kColRxFrequency);
  }

  void escapeRestoresWhatEachEditorOpenedWith() {
    RunningApp run;
    QVERIFY(run.Start());
    CGridCtrl* grid = Grid(run);
    ClickCell(run, 10, kColRxFrequency);
    Type(QStringLiteral("160.5"));
    ClickCell(run, 10, kColName);
    Type(QStringLiteral("ch1"));
    const QString before = Record(run, 10);
    QCOMPARE(before, QStringLiteral("00 00 05 16 00 00 00 00 00 00 D0 00 0E 13 01 FF"));

    run.app->Document().SetModifiedFlag(false);
    ClickCell(run, 10, kColRxFrequency);
    Type(QStringLiteral("170"), Qt::Key_Escape);
    ClickCell(run, 10, kColName);
    Type(QStringLiteral("X"), Qt::Key_Escape);
    QCOMPARE(Record(run, 10), before);
    QVERIFY2(!run.app->Document().IsModified(), "an unchanged text or name is no change");

    // Tones: Escape goes back to the opening item, which is then stored (a change all
    // the same, as every tone commit).
    ClickCell(run, 10, kColRxTone);
    auto* tone = qobject_cast<QComboBox*>(Focus());
    tone->setCurrentIndex(40);  // moved without picking
    Key(Qt::Key_Escape);
    QCOMPARE(Focus(), grid);
    QCOMPARE(Record(run, 10), before);
    QVERIFY(run.app->Document().IsModified());

    // The list editor: Escape stores the item it opened with again.
    ClickCell(run, 10, kColPower);
    Key(Qt::Key_Up);
    Key(Qt::Key_Escape);
    QCOMPARE(Record(run, 10), before);
    QCOMPARE(grid->GetCellText(10, kColPower), QStringLiteral("High"));
  }

  void typedValuesMeanWhatWasTyped() {
    RunningApp run;
    QVERIFY(run.Start());
    CGridCtrl* grid = Grid(run);
    // A decimal comma is the point; a second one is not typed.
    ClickCell(run, 12, kColRxFrequency);
    QTest::keyClicks(Focus(), QStringLiteral("145,5,"));
    QCOMPARE(qobject_cast<QLineEdit*>(Focus())->text(), QStringLiteral("145.5"));
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 12).mid(0, 11), QStringLiteral("00 00 55 14"));

    // Typed characters search the tone list as one growing prefix; nothing is stored until
    // the editor is left.
    ClickCell(run, 12, kColRxTone);
    auto* tone = qobject_cast<QComboBox*>(Focus());
    QTest::keyClicks(tone, QStringLiteral("136"));
    QCOMPARE(Focus(), tone);
    QCOMPARE(tone->currentText(), QStringLiteral("136.5"));
    QCOMPARE(Record(run, 12).mid(12, 2), QStringLiteral("00"));
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 12).mid(12, 2), QStringLiteral("16"));  // code 22
    QCOMPARE(grid->GetCellText(12, kColRxTone), QStringLiteral("136.5"));

    ClickCell(run, 12, kColTxTone);
    QTest::keyClicks(Focus(), QStringLiteral("d1"));
    Key(Qt::Key_Tab);  // Tab stores too
    QCOMPARE(grid->GetCellText(12, kColTxTone), QStringLiteral("D114N"));
    QCOMPARE(Record(run, 12).mid(27, 2), QStringLiteral("43"));  // code 67
    QCOMPARE(grid->FocusColumn(), kColBandwidth);

    // A pause starts a new search; Down moves on from what was found.
    ClickCell(run, 12, kColTxTone);
    QTest::keyClicks(Focus(), QStringLiteral("D"));
    QTest::qWait(1100);
    QTest::keyClicks(Focus(), QStringLiteral("7"));
    Key(Qt::Key_Down);
    QCOMPARE(qobject_cast<QComboBox*>(Focus())->currentText(), QStringLiteral("74.4"));
    // Leaving the cell with a click elsewhere stores the choice.
    ClickCell(run, 13, kColRxFrequency);
    QCOMPARE(grid->GetCellText(12, kColTxTone), QStringLiteral("74.4"));
    Key(Qt::Key_Escape);

    // Bandwidth by its first letter.
    ClickCell(run, 12, kColBandwidth);
    QTest::keyClicks(Focus(), QStringLiteral("n"));
    QCOMPARE(Record(run, 12).mid(30, 2), QStringLiteral("C0"));
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 12).mid(30, 2), QStringLiteral("80"));
  }

  void dropDownListStaysOpenUntilAPick() {
    RunningApp run;
    QVERIFY(run.Start());
    ClickCell(run, 11, kColRxFrequency);
    Type(QStringLiteral("150"));
    ClickCell(run, 11, kColRxTone);
    auto* tone = qobject_cast<QComboBox*>(Focus());
    QVERIFY(tone);
    Key(Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(tone->view()->isVisible());
    QVERIFY2(tone->isVisible(), "the list opening is no commit");
    QTest::keyClick(tone->view(), Qt::Key_Down);
    QTest::keyClick(tone->view(), Qt::Key_Down);
    QTest::keyClick(tone->view(), Qt::Key_Return);
    QTRY_VERIFY(!tone->isVisible());
    QCOMPARE(Record(run, 11).mid(12, 2), QStringLiteral("02"));
    QCOMPARE(Focus(), Grid(run));
  }

  void clearingFrequenciesAndTheBandLimits() {
    RunningApp run;
    QVERIFY(run.Start());
    CGridCtrl* grid = Grid(run);
    // Above the band: the highest frequency; below it (5 reads as 5 MHz): the lowest.
    ClickCell(run, 7, kColRxFrequency);
    Type(QStringLiteral("999"));
    QCOMPARE(grid->GetCellText(7, kColRxFrequency), QStringLiteral("173.99500"));
    ClickCell(run, 8, kColRxFrequency);
    Type(QStringLiteral("5"));
    QCOMPARE(Record(run, 8).mid(0, 11), QStringLiteral("00 00 60 13"));

    // Duplex, then the transmit frequency cleared: receive-only, encode tone off, locked.
    ClickCell(run, 7, kColTxFrequency);
    Type(QStringLiteral("170"));
    ClickCell(run, 7, kColTxTone);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 7), QStringLiteral("00 95 39 17 00 00 95 39 00 01 C1 00 FF FF FF FF"));
    ClickCell(run, 7, kColTxFrequency);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 7), QStringLiteral("00 95 39 17 00 00 95 39 17 00 C1 00 FF FF FF FF"));
    QCOMPARE(grid->GetCellText(7, kColTxFrequency), QString());
    QVERIFY(!grid->IsCellEditable(7, kColTxTone));

    // The receive frequency cleared: the whole record empty and locked again.
    ClickCell(run, 7, kColRxFrequency);
    Key(Qt::Key_Delete);
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 7), QString::fromLatin1(kEmpty));
    for (int column = kColRxTone; column <= kColName; ++column) QVERIFY(!grid->IsCellEditable(7, column));

    // A two-band model: a frequency in the gap goes to the lowest frequency.
    run.app->Document().ChangeFrequencyRange(2);
    run.app->Document().UpdateAllViews();
    ClickCell(run, 9, kColRxFrequency);
    Type(QStringLiteral("300"));
    QCOMPARE(grid->GetCellText(9, kColRxFrequency), QStringLiteral("136.00000"));
    ClickCell(run, 9, kColRxFrequency);
    Type(QStringLiteral("465.5"));
    QCOMPARE(Record(run, 9).mid(0, 11), QStringLiteral("00 00 55 46"));
  }

  void pastedTextIsStoredSafely() {
    RunningApp run;
    QVERIFY(run.Start());
    ClickCell(run, 2, kColRxFrequency);
    // Paste as the field's context menu does it (Ctrl+V belongs to the window).
    QApplication::clipboard()->setText(QStringLiteral("14x6.8"));
    qobject_cast<QLineEdit*>(Focus())->paste();
    QCOMPARE(qobject_cast<QLineEdit*>(Focus())->text(), QStringLiteral("14x6.8"));
    Key(Qt::Key_Return);
    // Whatever the rules make of it, the channel is programmed inside the band.
    const double rx = Grid(run)->GetCellText(2, kColRxFrequency).toDouble();
    QVERIFY2(rx >= 136.0 && rx <= 174.0, qPrintable(Grid(run)->GetCellText(2, kColRxFrequency)));
    ClickCell(run, 2, kColName);
    QApplication::clipboard()->setText(QStringLiteral("ü?"));
    qobject_cast<QLineEdit*>(Focus())->paste();
    Key(Qt::Key_Return);
    QCOMPARE(Record(run, 2).mid(30), QStringLiteral("C0 00 FF FF FF FF"));
  }

  void nameSettingLocksOrHidesTheNameColumn() {
    for (const char* setting : {"0", "1", "2"}) {
      RunningApp run;
      run.SetLine("setup", "name", setting);
      QVERIFY(run.Start());
      CGridCtrl* grid = Grid(run);
      ClickCell(run, 5, kColRxFrequency);
      Type(QStringLiteral("150"));
      const bool off = *setting == '0';
      QCOMPARE(grid->IsCellEditable(5, kColName), !off);
      ClickCell(run, 5, kColName);
      if (off) {
        QCOMPARE(Focus(), grid);  // no editor on a locked cell
        QCOMPARE(grid->model()->index(4, kColName - 1).data(Qt::BackgroundRole).value<QColor>(),
                 grid->palette().color(QPalette::Button));
        continue;
      }
      Type(QStringLiteral("ab12"));
      QCOMPARE(Record(run, 5).mid(30), QStringLiteral("D0 00 0C 0D 01 02"));
      QCOMPARE(grid->GetCellText(5, kColName), *setting == '1' ? QStringLiteral("AB12") : QString());
    }
  }

  void keyboardReachesEveryCellAndStopsAtTheEnds() {
    RunningApp run;
    QVERIFY(run.Start());
    CGridCtrl* grid = Grid(run);
    grid->setFocus();
    grid->SetFocusCell(1, 1);
    QCOMPARE(Focus(), grid);
    // Tab walks every cell, row by row, and does nothing on the very last one.
    int steps = 0;
    while (!(grid->FocusRow() == 99 && grid->FocusColumn() == 7) && steps < 1000) {
      Key(Qt::Key_Tab);
      ++steps;
    }
    QCOMPARE(steps, 99 * 7 - 1);
    QVERIFY(grid->IsCellShown(99, 7));
    Key(Qt::Key_Tab);
    QCOMPARE(grid->FocusRow(), 99);
    QCOMPARE(grid->FocusColumn(), 7);
    QCOMPARE(Focus(), grid);
    // Shift+Tab wraps back to the end of the row above.
    for (int i = 0; i < 7; ++i) Key(Qt::Key_Backtab);
    QCOMPARE(grid->FocusRow(), 98);
    QCOMPARE(grid->FocusColumn(), 7);
    // Home and End keep the column; arrows stop at the edges and never enter the headings.
    Key(Qt::Key_Home);
    QCOMPARE(grid->FocusRow(), 1);
    QVERIFY(grid->IsCellShown(1, 7));
    Key(Qt::Key_Up);
    Key(Qt::Key_Right);
    QCOMPARE(grid->FocusRow(), 1);
    QCOMPARE(grid->FocusColumn(), 7);
    Key(Qt::Key_End);
    QCOMPARE(grid->FocusRow(), 99);
    Key(Qt::Key_Down);
    QCOMPARE(grid->FocusRow(), 99);
    // Page Down and Up move by what scrolled, then to the first and last row.
    Key(Qt::Key_Home);
    Key(Qt::Key_PageDown);
    const int page = grid->FocusRow() - 1;
    QVERIFY(page > 3);
    QCOMPARE(grid->verticalScrollBar()->value(), page);
    Key(Qt::Key_PageUp);
    QCOMPARE(grid->FocusRow(), 1);
    Key(Qt::Key_PageUp);
    QCOMPARE(grid->FocusRow(), 1);
    // Enter on a locked cell opens nothing; a click on a heading only moves the focus.
    Key(Qt::Key_End);
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    Key(Qt::Key_Return);
    QCOMPARE(Focus(), grid);
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid->horizontalHeader()->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(grid->FocusRow(), 1);
    QCOMPARE(grid->FocusColumn(), kColRxFrequency);
    QCOMPARE(grid->verticalScrollBar()->value(), 0);
    QCOMPARE(Focus(), grid);
    QVERIFY2(!run.app->Document().IsModified(), "moving around changes nothing");
  }

  void wheelScrollsByLinesAndFirstClosesTheEditor() {
    RunningApp run;
    QVERIFY(run.Start());
    CGridCtrl* grid = Grid(run);
    ClickCell(run, 2, kColRxFrequency);
    QTest::keyClicks(Focus(), QStringLiteral("147"));
    const QPoint at = grid->GetCellRect(4, kColTxTone).center();
    QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &wheel);
    QCOMPARE(Focus(), grid);
    QCOMPARE(Record(run, 2).mid(0, 11), QStringLiteral("00 00 70 14"));
    QCOMPARE(grid->verticalScrollBar()->value(), QApplication::wheelScrollLines());
  }

  // Changes of the document made elsewhere (as an undo or a paste makes them) show at once
  // and leave an open editor alone; a view update shows the language's texts.
  void tableFollowsTheDocument() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    CGridCtrl* grid = Grid(run);
    QVERIFY(ScreenIsCurrent(grid));
    ClickCell(run, 3, kColRxFrequency);
    Type(QStringLiteral("146.52"));
    QVERIFY(ScreenIsCurrent(grid));  // the committed row: texts, and grey text no more
    ClickCell(run, 3, kColName);
    QTest::keyClicks(Focus(), QStringLiteral("ab"));
    CommitReceiveFrequency(doc, 5, "150");
    CommitPower(doc, 3, 0);
    QVERIFY(ScreenIsCurrent(grid));
    QCOMPARE(grid->GetCellText(5, kColTxFrequency), QStringLiteral("150.00000"));
    Key(Qt::Key_Return);  // the editor stayed open with what was typed
    QCOMPARE(Record(run, 3), QStringLiteral("00 20 65 14 00 00 00 00 00 00 50 00 0C 0D FF FF"));
    QCOMPARE(Record(run, 5).mid(0, 11), QStringLiteral("00 00 00 15"));

    run.Frame()->ExecuteCommand(cmd::kNextLanguage);
    QCOMPARE(grid->GetCellText(0, 0), QStringLiteral("信道"));
    QCOMPARE(grid->GetCellText(0, kColPower), QStringLiteral("功率"));
    QCOMPARE(grid->GetCellText(3, kColPower), QStringLiteral("低"));
    QCOMPARE(grid->GetCellText(3, kColRxTone), QStringLiteral("关闭"));
    QCOMPARE(grid->accessibleName(), QStringLiteral("信道表"));
    QVERIFY(ScreenIsCurrent(grid));
  }

  void tableIsExposedToAssistiveTechnology() {
    RunningApp run;
    QVERIFY(run.Start());
    ClickCell(run, 2, kColRxFrequency);
    Type(QStringLiteral("146.52"));
    CGridCtrl* grid = Grid(run);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(table && table->tableInterface());
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Channel table"));
    QCOMPARE(table->tableInterface()->rowCount(), 99);
    QCOMPARE(table->tableInterface()->columnCount(), 7);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(1, 0);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("146.52000"));
    QCOMPARE(table->tableInterface()->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral("146.52000"));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::ChannelTableTest)
#include "ChannelTableTest.moc"
