// The form's panels and the FM presets dialog: each control reaches its own field once;
// the fields' rules are the core's (OptionPanelTest, VfoPanelTest, FmPresetsTest, ...).

#include "GuiTestSupport.h"
#include "gui/views/CCellCombo.h"
#include "gui/views/CFmRadioDlg.h"
#include "gui/views/CVfoPanel.h"

namespace qorrin::gui::test {
namespace {

int Byte(const RunningApp& run, std::size_t offset) { return run.app->Document().Image()[offset]; }

QString Hex(const RunningApp& run, std::size_t offset, std::size_t count) {
  return QByteArray::fromStdString(run.Image().substr(offset, count)).toHex(' ').toUpper();
}

constexpr std::size_t kVfoA = kVfoARecord * kRecordSize;
constexpr std::size_t kVfoB = kVfoBRecord * kRecordSize;

// Types into a VFO edit and leaves it with Tab, as a user moves on to the next field.
void TypeAndLeave(QLineEdit* edit, const QString& text) {
  QApplication::setActiveWindow(edit->window());
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Each control of the form reaches its own field, once; the VFOs follow the range.
  void everyControlStoresItsFieldAndTheVfosFollowTheRange() {
    QORRIN_START_APP(run, doc);
    CQorrinView* view = run.Frame()->View();
    for (std::size_t offset : {kOptSquelch, kOptVox, kOptTxTimeLimit, kOptFlags1, kOptFlags2}) qorrin::test::SetByte(doc, offset, 0);
    for (int channel : {5, 9}) CommitReceiveFrequency(doc, channel, "146.5");
    doc.UpdateAllViews();
    QVERIFY(run.SaveAside());
    QCOMPARE(WidgetWithId<QComboBox>(view, 1053)->count(), 4);  // priority channel: off, 1, 5, 9
    // pick: the item picked; -1: a check box, clicked
    struct Control { int id, pick; std::size_t offset; int mask, stored; };
    for (const Control& c : {Control{1031, 3, kOptSquelch, 0xFF, 3}, {1033, 7, kOptVox, 0xFF, 7},
                             {1035, 2, kOptTxTimeLimit, 0xFF, 2}, {1037, 1, kOptFlags1, 0x01, 0x01},
                             {1038, -1, kOptFlags1, 0x02, 0x02}, {1039, -1, kOptFlags1, 0x08, 0x08},
                             {1041, 1, kOptFlags1, 0x10, 0x10}, {1042, -1, kOptFlags1, 0x80, 0x80},
                             {1043, -1, kOptFlags2, 0x08, 0x08}, {1045, 1, kOptFlags2, 0x10, 0x10},
                             {1047, 2, kOptFlags2, 0xC0, 0x80}, {1053, 3, kOptPriorityChannel, 0xFF, 9}}) {
      if (c.pick < 0) ClickBox(WidgetWithId<QAbstractButton>(view, c.id));
      else Pick(WidgetWithId<QComboBox>(view, c.id), c.pick);
      QVERIFY2((Byte(run, c.offset) & c.mask) == c.stored, qPrintable(QString::number(c.id)));
    }
    QCOMPARE(Byte(run, kOptFlags1), 0x01 | 0x02 | 0x08 | 0x10 | 0x80);  // each its own bit
    QVERIFY(doc.IsModified());


    // The FM presets dialog: a pick in a preset cell stores it at once.
    qorrin::test::SetByte(doc, kFmPresets + 6, 0xFF);  // preset 7 as a radio may hold it
    RunCommand(run, cmd::kFmRadio, {[&](QWidget* modal) {
      auto* dialog = qobject_cast<CFmRadioDlg*>(modal);
      QVERIFY(dialog && dialog->windowTitle() == QStringLiteral("FM Radio Presets"));
      CGridCtrl* grid = dialog->Grid();
      QVERIFY(grid->IsCellShown(15, 1));
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetCellRect(3, 1).center());
      QPointer<CCellCombo> editor = qobject_cast<CCellCombo*>(grid->OpenEditor());
      QTRY_VERIFY(editor && editor->isVisible());
      Pick(editor, 135);
      QTRY_VERIFY(!editor || !editor->isVisible());
      QCOMPARE(Byte(run, kFmPresets + 2), 0x87);
      QCOMPARE(grid->GetCellText(3, 1), QStringLiteral("100M5"));
      ClickCancel(modal);  // Cancel only closes
    }});
    QCOMPARE(Byte(run, kFmPresets + 2), 0x87);
    QCOMPARE(Byte(run, kFmPresets + 6), 0xFF);  // not edited, not touched

    // VFO A's controls each store their field of its record and leave VFO B alone.
    auto* receive = WidgetWithId<QLineEdit>(view, 1094);
    auto* transmit = WidgetWithId<QLineEdit>(view, 1096);
    const QString vfoB = Hex(run, kVfoB, kRecordSize);
    Pick(WidgetWithId<QComboBox>(view, 1110), 1);  // step
    QCOMPARE(Byte(run, kVfoA + kRecStep), 1);
    TypeAndLeave(receive, QStringLiteral("146.525"));
    QCOMPARE(receive->text(), QStringLiteral("146.52500"));
    QCOMPARE(Hex(run, kVfoA, 4), QStringLiteral("00 25 65 14"));
    TypeAndLeave(transmit, QStringLiteral("147.125"));
    QCOMPARE(Hex(run, kVfoA + kRecOffset, 4), QStringLiteral("00 00 06 00"));
    QCOMPARE(Byte(run, kVfoA + kRecFlags) & kFlagShiftMask, 2);
    Pick(WidgetWithId<QComboBox>(view, 1098), 3);  // decode tone
    QCOMPARE(Byte(run, kVfoA + kRecRxTone), 3);
    Pick(WidgetWithId<QComboBox>(view, 1102), 0);  // power: low
    QCOMPARE(Byte(run, kVfoA + kRecFlags) & kFlagHighPower, 0);
    QCOMPARE(Hex(run, kVfoB, kRecordSize), vfoB);
    // A range change asks first; Cancel keeps everything as it was.
    auto* range = WidgetWithId<QComboBox>(view, 1022);
    QVERIFY(run.SaveAside());
    const std::string typed = run.Image();
    QCOMPARE(Answering([&] { Pick(range, 1); }, {ClickCancel})->Title(), QStringLiteral("Confirm"));
    QCOMPARE(range->currentIndex(), 0);
    QCOMPARE(run.Image(), typed);
    QVERIFY(!doc.IsModified());
    Answering([&] { Pick(range, 1); }, {ClickOk});
    QVERIFY(doc.IsModified());
    QVERIFY(ChannelGrid(run)->GetCellText(1, 1).startsWith(QLatin1Char('4')));  // the new band's image
    QVERIFY(!receive->isEnabled());  // a range without VFO A's band (VfoPanelTest)

  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::MainFormTest)
#include "MainFormTest.moc"
