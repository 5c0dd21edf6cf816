// The option panel, the VFO panels, the frequency range and the FM presets dialog, driven
// as a user drives them (picks in the lists, clicks, typed text, focus changes) and
// checked against the bytes of the radio image.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <cstdio>

#include "GuiTestSupport.h"
#include "core/edit/ChannelCommits.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/RadioImageLayout.h"
#include "gui/app/CMainFrame.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/views/CCellCombo.h"
#include "gui/views/CFmRadioDlg.h"
#include "gui/views/CVfoPanel.h"
#include "support/DocumentBytes.h"
#include "gui/views/CQorrinView.h"

namespace qorrin::gui::test {
namespace {

int Byte(const RunningApp& run, std::size_t offset) { return run.app->Document().Image()[offset]; }

QString Hex(const RunningApp& run, std::size_t offset, std::size_t count) {
  QString hex;
  for (std::size_t i = 0; i < count; ++i) {
    if (i) hex += QLatin1Char(' ');
    hex += QStringLiteral("%1").arg(Byte(run, offset + i), 2, 16, QLatin1Char('0')).toUpper();
  }
  return hex;
}

constexpr std::size_t kVfoA = kVfoARecord * kRecordSize;
constexpr std::size_t kVfoB = kVfoBRecord * kRecordSize;

// Opens the list and picks an item in it, as with the mouse or the keyboard in the popup.
void Pick(QComboBox* combo, int index) {
  combo->setFocus();
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  QTRY_VERIFY(view->isVisible());
  view->setCurrentIndex(view->model()->index(index, 0));
  QTest::keyClick(view, Qt::Key_Return);
  QTRY_VERIFY(!view->isVisible());
}

// Types into a VFO edit and leaves it with Tab, as a user moves on to the next field.
void TypeAndLeave(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
}

void Reload(RunningApp& run) { run.app->Document().UpdateAllViews(); }

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyOptionControlStoresItsField() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinView* view = run.Frame()->View();
    CQorrinDoc& doc = run.app->Document();
    // A squelch byte the list has no item for shows as the highest level, unchanged.
    qorrin::test::SetByte(doc, kOptSquelch, 12);
    Reload(run);
    auto* squelch = WidgetWithId<QComboBox>(view, 1031);
    QCOMPARE(squelch->currentText(), QStringLiteral("9"));
    QCOMPARE(Byte(run, kOptSquelch), 12);
    QVERIFY(!doc.IsModified());
    Pick(squelch, 3);
    QCOMPARE(Byte(run, kOptSquelch), 3);
    QVERIFY(doc.IsModified());

    Pick(WidgetWithId<QComboBox>(view, 1033), 7);  // VOX
    QCOMPARE(Byte(run, kOptVox), 7);
    auto* timeLimit = WidgetWithId<QComboBox>(view, 1035);
    QCOMPARE(timeLimit->itemText(0), QStringLiteral("Off"));
    QCOMPARE(timeLimit->itemText(6), QStringLiteral("180"));
    Pick(timeLimit, 2);
    QCOMPARE(Byte(run, kOptTxTimeLimit), 2);

    // The bits of the two flag bytes, each control its own.
    qorrin::test::SetByte(doc, kOptFlags1, 0);
    qorrin::test::SetByte(doc, kOptFlags2, 0);
    Reload(run);
    Pick(WidgetWithId<QComboBox>(view, 1037), 1);  // channel flag: bit 0
    QCOMPARE(Byte(run, kOptFlags1), 0x01);
    for (const auto& [id, bit] : {std::pair{1038, 0x02}, {1039, 0x08}, {1042, 0x80}}) {
      auto* box = WidgetWithId<QCheckBox>(view, id);
      QVERIFY(!box->isChecked());
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
      QCOMPARE(Byte(run, kOptFlags1) & bit, bit);
    }
    Pick(WidgetWithId<QComboBox>(view, 1041), 1);  // channel display: bit 4
    QCOMPARE(Byte(run, kOptFlags1), 0x01 | 0x02 | 0x08 | 0x80 | 0x10);
    auto* priorityScan = WidgetWithId<QCheckBox>(view, 1043);
    QTest::mouseClick(priorityScan, Qt::LeftButton, {}, QPoint(6, priorityScan->height() / 2));
    Pick(WidgetWithId<QComboBox>(view, 1045), 1);  // scan mode: bit 4
    Pick(WidgetWithId<QComboBox>(view, 1047), 2);  // back light: bits 6-7
    QCOMPARE(Byte(run, kOptFlags2), 0x08 | 0x10 | 0x80);
    // Unticking stores only that bit.
    QTest::mouseClick(priorityScan, Qt::LeftButton, {}, QPoint(6, priorityScan->height() / 2));
    QCOMPARE(Byte(run, kOptFlags2), 0x10 | 0x80);

    // A new document shows its own values again in every control.
    doc.SetModifiedFlag(false);
    ModalScript clear(ClickOk);
    run.Frame()->ExecuteCommand(cmd::kFileNew);
    QVERIFY(clear.Done());
    QCOMPARE(squelch->currentIndex(), Byte(run, kOptSquelch));
    QCOMPARE(priorityScan->isChecked(), (Byte(run, kOptFlags2) & 0x08) != 0);
  }

  void priorityChannelListFollowsTheChannels() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    for (int channel : {5, 9}) CommitReceiveFrequency(doc, channel, "146.5");
    qorrin::test::SetByte(doc, kOptPriorityChannel, 5);
    Reload(run);
    auto* list = WidgetWithId<QComboBox>(run.Frame()->View(), 1053);
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    QCOMPARE(items, (QStringList{QStringLiteral("Off"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("9")}));
    QCOMPARE(list->currentText(), QStringLiteral("5"));
    Pick(list, 3);
    QCOMPARE(Byte(run, kOptPriorityChannel), 9);

    // Clearing channel 9 in the table takes it off the list and the priority back to off,
    // silently.
    doc.SetModifiedFlag(false);
    CGridCtrl* grid = run.Frame()->View()->findChild<CGridCtrl*>();
    grid->ScrollIntoView(9, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetCellRect(9, 1).center());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(Byte(run, kOptPriorityChannel), 0);
  }

  void vfoPanelsFollowTheModelsBands() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    CQorrinView* view = run.Frame()->View();
    auto* aReceive = WidgetWithId<QLineEdit>(view, 1094);
    auto* bReceive = WidgetWithId<QLineEdit>(view, 1104);

    // Two bands: each VFO keeps to its side of the gap.
    doc.ChangeFrequencyRange(2);
    TypeAndLeave(aReceive, QStringLiteral("440"));
    QCOMPARE(aReceive->text(), QStringLiteral("136.00000"));
    QCOMPARE(Hex(run, kVfoA, 4), QStringLiteral("00 00 60 13"));
    TypeAndLeave(bReceive, QStringLiteral("150"));
    QCOMPARE(bReceive->text(), QStringLiteral("400.00000"));
    QCOMPARE(Hex(run, kVfoB, 4), QStringLiteral("00 00 00 40"));

    // One band at 400 MHz: VFO A is not in use: greyed, naming the ranges that use it, and
    // what it stores stays; an empty VFO B takes the lowest frequency.
    doc.ChangeFrequencyRange(1);
    WidgetWithId(view, 1022)->setFocus();  // leaving VFO B's edit stores it
    qorrin::test::SetByte(doc, kVfoA, 0x25);
    Reload(run);
    doc.SetModifiedFlag(false);
    const std::string before = run.Image();
    QVERIFY(!aReceive->isEnabled() && !WidgetWithId(view, 1098)->isEnabled());
    QVERIFY(bReceive->isEnabled());
    QCOMPARE(view->VfoA()->toolTip(),
             QStringLiteral("Not used by this frequency range. Used by: 136-174MHz, 136-174MHz/400-470MHz, "
                            "136-174MHz/400-480MHz"));
    QVERIFY(view->VfoB()->toolTip().isEmpty());
    TypeAndLeave(aReceive, QStringLiteral("150"));
    QCOMPARE(run.Image(), before);
    QVERIFY(!doc.IsModified());
    TypeAndLeave(bReceive, QString());
    QCOMPARE(bReceive->text(), QStringLiteral("400.00000"));
    QVERIFY(doc.IsModified());
    // A decimal comma is the point.
    TypeAndLeave(bReceive, QStringLiteral("446,5"));
    QCOMPARE(bReceive->text(), QStringLiteral("446.50000"));
    QCOMPARE(Hex(run, kVfoB, 4), QStringLiteral("00 00 65 44"));

    doc.ChangeFrequencyRange(0);
    QVERIFY(aReceive->isEnabled() && !bReceive->isEnabled());
  }

  void vfoStoreSnapsToTheStepAndKeepsTheOffset() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinView* view = run.Frame()->View();
    auto* receive = WidgetWithId<QLineEdit>(view, 1094);
    auto* transmit = WidgetWithId<QLineEdit>(view, 1096);
    auto* step = WidgetWithId<QComboBox>(view, 1110);
    Pick(step, 1);
    QCOMPARE(Byte(run, kVfoA + kRecStep), 1);
    TypeAndLeave(receive, QStringLiteral("146.0062"));
    QCOMPARE(receive->text(), QStringLiteral("146.00625"));
    QCOMPARE(Hex(run, kVfoA, 4), QStringLiteral("25 06 60 14"));
    Pick(step, 0);
    TypeAndLeave(receive, QStringLiteral("146.0062"));
    QCOMPARE(Hex(run, kVfoA, 4), QStringLiteral("00 05 60 14"));

    // Simplex, then a transmit frequency above the receive frequency.
    TypeAndLeave(receive, QStringLiteral("145.5"));
    TypeAndLeave(transmit, QStringLiteral("145.5"));
    QCOMPARE(Hex(run, kVfoA + kRecOffset, 4), QStringLiteral("00 00 00 00"));
    QCOMPARE(Byte(run, kVfoA + kRecFlags) & kFlagShiftMask, 0);
    TypeAndLeave(transmit, QStringLiteral("146.1"));
    QCOMPARE(Hex(run, kVfoA + kRecOffset, 4), QStringLiteral("00 00 06 00"));
    QCOMPARE(Byte(run, kVfoA + kRecFlags) & kFlagShiftMask, 2);
    QCOMPARE(transmit->text(), QStringLiteral("146.10000"));

    // The drop-downs of the panel store into their record only.
    const QString vfoB = Hex(run, kVfoB, kRecordSize);
    Pick(WidgetWithId<QComboBox>(view, 1098), 3);  // decode tone
    Pick(WidgetWithId<QComboBox>(view, 1102), 0);  // power: low
    QCOMPARE(Byte(run, kVfoA + kRecRxTone), 3);
    QCOMPARE(Byte(run, kVfoA + kRecFlags) & kFlagHighPower, 0);
    QCOMPARE(Hex(run, kVfoB, kRecordSize), vfoB);
    // Typed text is in the image before a command reads it.
    transmit->setFocus();
    transmit->selectAll();
    QTest::keyClicks(transmit, QStringLiteral("144.9"));
    view->CommitOpenEditor();
    QCOMPARE(Byte(run, kVfoA + kRecFlags) & kFlagShiftMask, 1);
  }

  void rangeChangeAsksFirst() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    CommitReceiveFrequency(doc, 7, "150");
    doc.SetModifiedFlag(false);
    Reload(run);
    const std::string before = run.Image();
    auto* range = WidgetWithId<QComboBox>(run.Frame()->View(), 1022);
    {
      ModalScript cancel(ClickCancel);
      Pick(range, 1);
      QVERIFY(cancel.Done());
      QCOMPARE(cancel.Title(), QStringLiteral("Confirm"));
    }
    QCOMPARE(range->currentIndex(), 0);
    QCOMPARE(run.Image(), before);
    QVERIFY(!doc.IsModified());
    {
      ModalScript ok(ClickOk);
      Pick(range, 1);
      QVERIFY(ok.Done());
    }
    QCOMPARE(range->currentIndex(), 1);
    QCOMPARE(doc.GetBandLimits().m_nFreqMin, 40000000);
    QVERIFY(IsRecordEmpty(doc.Image(), 7));
    QVERIFY(doc.IsModified());
    // The form shows the new image: the table's first channel is in the new band.
    CGridCtrl* grid = run.Frame()->View()->findChild<CGridCtrl*>();
    QVERIFY(grid->GetCellText(1, 1).startsWith(QLatin1Char('4')));
  }

  void fmPresetsStoreEveryPick() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    qorrin::test::SetByte(doc, kFmPresets + 6, 0xFF);  // preset 7 as a radio may hold it
    doc.SetModifiedFlag(false);
    bool checked = false;
    ModalScript fm([&](QWidget* modal) {
      auto* dialog = qobject_cast<CFmRadioDlg*>(modal);
      QVERIFY(dialog);
      QCOMPARE(dialog->CurrentList()->count(), 211);
      QCOMPARE(dialog->CurrentList()->itemText(130), QStringLiteral("100M0"));
      CGridCtrl* grid = dialog->Grid();
      QCOMPARE(grid->GetCellText(7, 1), QStringLiteral("108M0"));
      QCOMPARE(grid->GetCellText(15, 0), QStringLiteral("15"));
      QVERIFY(grid->IsCellShown(15, 1));
      // A pick in a preset cell stores it at once.
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetCellRect(3, 1).center());
      CCellCombo* editor = dialog->CellEditor();
      QTRY_VERIFY(editor->isVisible());
      Pick(editor, 135);
      QTRY_VERIFY(!editor->isVisible());
      QCOMPARE(Byte(run, kFmPresets + 2), 0x87);
      QCOMPARE(grid->GetCellText(3, 1), QStringLiteral("100M5"));
      // Leaving an editor without a pick stores the same index, as a change.
      doc.SetModifiedFlag(false);
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetCellRect(5, 1).center());
      QTRY_VERIFY(editor->isVisible());
      const int before = Byte(run, kFmPresets + 4);
      QTest::keyClick(editor, Qt::Key_Escape);
      QVERIFY(!editor->isVisible());
      QCOMPARE(Byte(run, kFmPresets + 4), before);
      QVERIFY(doc.IsModified());
      // Typed digits search the list as one prefix; Enter stores the choice.
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetCellRect(6, 1).center());
      QTRY_VERIFY(editor->isVisible());
      QTest::keyClicks(editor, QStringLiteral("98"));
      QVERIFY(editor->isVisible());
      QTest::keyClick(editor, Qt::Key_Return);
      QTRY_VERIFY(!editor->isVisible());
      QCOMPARE(Byte(run, kFmPresets + 5), 110);
      QCOMPARE(grid->GetCellText(6, 1), QStringLiteral("98M0"));
      // The current frequency.
      Pick(dialog->CurrentList(), 10);
      QCOMPARE(Byte(run, kFmCurrent), 10);
      checked = true;
      ClickCancel(modal);  // Cancel only closes
    });
    run.Frame()->ExecuteCommand(cmd::kFmRadio);
    QVERIFY(fm.Done());
    QVERIFY(checked);
    QCOMPARE(fm.Title(), QStringLiteral("FM Radio Presets"));
    QCOMPARE(Byte(run, kFmPresets + 2), 0x87);
    QCOMPARE(Byte(run, kFmPresets + 6), 0xFF);  // not edited, not touched
    QCOMPARE(Byte(run, kFmCurrent), 10);
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::MainFormTest)
#include "MainFormTest.moc"
