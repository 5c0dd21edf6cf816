// Help > Check Connection against simulated radios, the hint a failed transfer gives, and
// the port dialog's offer to pin a cable.
#include "GuiTestSupport.h"
#include "core/link/CSerialPort.h"
#include "gui/link/CCheckConnectionDlg.h"
#include "gui/link/CPortDlg.h"

namespace qorrin::gui::test {

namespace {

// A radio of the VHF model of the shipped setting.ini on port 1, or one of another model.
std::unique_ptr<sim::SimRadio> CheckedRadio(const RunningApp& run, bool otherModel = false) {
  sim::RadioImage image = sim::BlankImage();
  const std::uint8_t band[] = {0x60, 0x13, 0x40, 0x17};
  std::copy(std::begin(band), std::end(band), image.begin() + 0x780);
  sim::SimConfig config;
  auto& ident = config.faults.ident;
  if (otherModel) ident.assign(std::begin(sim::kOtherModelIdent), std::end(sim::kOtherModelIdent));
  return RadioOnPort1(run, image, config);
}

// The dialog once its check is over (null if it is none or the check does not end).
CCheckConnectionDlg* FinishedCheck(QWidget* modal) {
  auto* dialog = qobject_cast<CCheckConnectionDlg*>(modal);
  if (dialog == nullptr) return nullptr;
  if (!QTest::qWaitFor([&] { return !dialog->Running() && dialog->AgainButton()->isEnabled(); }, 15000)) return nullptr;
  return dialog;
}

QListWidgetItem* LastFinding(CCheckConnectionDlg* dialog) {
  return dialog->Findings()->item(dialog->Findings()->count() - 1);
}

}  // namespace

class ConnectionCheckTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // A failed transfer's error box names the check, for no radio or another model, and the
  // port is shut. A working radio: every finding ok with its icon and status name, the last
  // naming the range; Check Again reruns. The port dialog pins only a cable with a stable name (a pseudo-terminal
  // has none). Which finding when is LineFindingsTest's and ConnectionCheckPtyTest's.
  void findingsTransferHintsAndThePin() {
    RunningApp run;
    run.UsePort(1, run.dir.file("ttyUSB9"));
    QVERIFY(run.Start());
    const auto missing = RunCommand(run, cmd::kReadData, {StartTransfer, ClickOk});
    QCOMPARE(missing->Title(1), QStringLiteral("Error"));
    QVERIFY2(missing->Text(1).startsWith(QStringLiteral("The radio does not answer.")), qPrintable(missing->Text(1)));
    QVERIFY2(missing->Text(1).endsWith(QStringLiteral("\n\nHelp > Check Connection... finds out why.")),
             qPrintable(missing->Text(1)));

    auto radio = CheckedRadio(run);
    const QString device = QString::fromStdString(radio->DevicePath());
    RunCommand(run, cmd::kCheckConnection, {[&](QWidget* m) {
      CCheckConnectionDlg* dialog = FinishedCheck(m);
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Check Connection"));
      QCOMPARE(dialog->Heading()->text(), QStringLiteral("Findings for COM1 (%1):").arg(device));
      QVERIFY(dialog->Findings()->count() >= 4);
      for (int i = 0; i < dialog->Findings()->count(); ++i) {
        const QListWidgetItem* item = dialog->Findings()->item(i);
        QVERIFY(!item->icon().isNull());
        QVERIFY2(item->data(Qt::AccessibleTextRole).toString().startsWith(QStringLiteral("ok: ")),
                 qPrintable(item->data(Qt::AccessibleTextRole).toString()));
      }
      QCOMPARE(LastFinding(dialog)->data(Qt::UserRole).toString(), QStringLiteral("IDS_CHECK_LINE_IDENTIFIED"));
      QVERIFY(LastFinding(dialog)->text().startsWith(
          QStringLiteral("A VLM-7Q answered on %1: frequency range 136-174MHz.").arg(device)));
      const int entries = radio->EntryCommandsSeen();
      QTest::mouseClick(dialog->AgainButton(), Qt::LeftButton);
      QVERIFY(dialog->Running() && !dialog->AgainButton()->isEnabled());
      QVERIFY(FinishedCheck(m));
      QCOMPARE(radio->EntryCommandsSeen(), entries + 1);
      QTest::mouseClick(dialog->CloseButton(), Qt::LeftButton);
    }});
    QVERIFY(!run.app->Port()->IsOpen());

    auto another = CheckedRadio(run, true);
    const auto wrong = RunCommand(run, cmd::kReadData, {StartTransfer, ClickOk});
    QVERIFY2(wrong->Text(1).endsWith(QStringLiteral("Help > Check Connection... finds out why.")),
             qPrintable(wrong->Text(1)));
    QVERIFY(!run.app->Port()->IsOpen());  // shut after the failed exchange
    RunCommand(run, cmd::kPort, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CPortDlg*>(m);
      QVERIFY(dialog->PortButton(1)->isChecked());
      QVERIFY(dialog->PinBox()->isVisible() && !dialog->PinBox()->isEnabled());
      QVERIFY(!dialog->PinBox()->accessibleName().isEmpty());
      ClickButton(m, "OK");
    }});
    QVERIFY(run.SettingsHold("1=" + another->DevicePath()));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::ConnectionCheckTest)
#include "ConnectionCheckTest.moc"
