// The transfer and port dialogs against the simulated radio; what goes over the wire and
// into backups is the link tests'.

#include "GuiTestSupport.h"
#include "core/link/CSerialPort.h"
#include "gui/link/CPortDlg.h"
#include "gui/link/CTransferDlg.h"

namespace qorrin::gui::test {

namespace {

using Clock = std::chrono::steady_clock;

// Whether the document and the radio agree on the transferred part (the tail is the PC's).
bool DocumentHolds(const RunningApp& run, const sim::RadioImage& image) {
  return std::equal(image.begin(), image.begin() + 0x7F0, run.app->Document().Image().begin());
}

// OK, then the run until the dialog offers OK again, with this text.
void ExpectOutcome(QWidget* modal, const QString& text) {
  auto* dialog = qobject_cast<CTransferDlg*>(modal);
  StartTransfer(modal);
  QTRY_VERIFY_WITH_TIMEOUT(dialog->OkButton()->isEnabled(), 30000);
  QCOMPARE(dialog->Text()->text(), text);
}

}  // namespace

class TransferDialogTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // Nothing starts before OK; a read replaces the document and refreshes the window. The
  // verify box is stored when clicked; unticked, a write closes on its own. Failures, Cancel
  // and closing the window end a run (the outcomes are TransferOutcomeTest's).
  void readWriteFailAndCancel() {
    QORRIN_START_APP(run, doc);
    const auto radioImage = DemoRadio(run);
    auto radio = RadioOnPort1(run, radioImage);
    QVERIFY(run.SaveAside());
    PressKey(run, Qt::Key_R, Qt::ControlModifier, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Read from Radio"));
      QCOMPARE(dialog->Progress()->value(), 0);
      QVERIFY(!run.app->Port()->IsOpen());
      StartTransfer(m);
      QVERIFY(!dialog->OkButton()->isEnabled());
    }});
    QVERIFY(DocumentHolds(run, radioImage));
    QVERIFY(!doc.IsModified());
    QCOMPARE(run.Frame()->View()->findChild<QLineEdit*>(QStringLiteral("programmedChannels"))->text(), QStringLiteral("6"));

    auto blank = RadioOnPort1(run, sim::BlankImage());
    RunCommand(run, cmd::kWriteData, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QVERIFY(dialog->VerifyBox()->isVisible() && dialog->VerifyBox()->isChecked());  // the default
      ClickBox(dialog->VerifyBox());
      QVERIFY(run.SettingsHold("verify=0\n"));
      StartTransfer(m);
    }});
    QVERIFY(DocumentHolds(run, blank->Image()));

    // A write of data of no known model asks first; Cancel, the default, ends it.
    qorrin::test::SetImage(doc, std::string(kImageSize, '\0'));
    const auto asked = RunCommand(run, cmd::kWriteData, {[](QWidget* m) {
      auto* box = qobject_cast<QMessageBox*>(m);
      QVERIFY(box && box->defaultButton() == box->button(QMessageBox::Cancel));
      ClickCancel(m);  // a transfer dialog after this would be left unanswered and fail
    }});
    QVERIFY(asked->Text().startsWith(QStringLiteral("The frequency range of this data matches no model")));
    RunCommand(run, cmd::kWriteData, {ClickOk, [](QWidget* m) {
                                        QVERIFY(qobject_cast<CTransferDlg*>(m));
                                        m->close();
                                      }});
    qorrin::test::SetImage(doc, radioImage);

    // A failed read leaves the document alone (a radio that does not answer: the error box
    // of ConnectionCheckTest).
    sim::SimConfig broken, paced;
    broken.faults.shortReplies = {{0x400}};  // every read of that block comes short
    const auto demo = DemoRadio(run);
    qorrin::test::SetFrequencies(doc, 50, "150");  // the document no longer holds what the radio does
    auto bad = RadioOnPort1(run, demo, broken);
    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      ExpectOutcome(m, QStringLiteral("Reading failed. Press OK to try again."));
      m->close();
    }});
    QVERIFY(!DocumentHolds(run, demo));

    // A paced read shows its percent; Cancel ends it at once, the document untouched;
    // closing the window during a read ends the program cleanly.
    paced.paceBaud = 9600;
    auto slow = RadioOnPort1(run, DemoRadio(run), paced);
    const std::string before = run.Image();
    double cancelMs = 0;
    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      StartTransfer(m);
      QTRY_VERIFY_WITH_TIMEOUT(dialog->Progress()->value() >= 100, 20000);
      QVERIFY(dialog->Text()->text().startsWith(QStringLiteral("Reading data... ")));
      QVERIFY(dialog->Text()->text().endsWith(u'%'));
      const auto start = Clock::now();
      QTest::mouseClick(dialog->findChildren<QPushButton*>().at(1), Qt::LeftButton);
      cancelMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }});
    QVERIFY2(cancelMs < 500, qPrintable(QString::number(cancelMs)));
    QCOMPARE(run.Image(), before);
    QVERIFY(!run.app->Port()->IsOpen());

    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      StartTransfer(m);
      QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<CTransferDlg*>(m)->Progress()->value() > 0, 20000);
      QTimer::singleShot(0, run.Frame(), [&] { run.Frame()->close(); });
    }});
    QTRY_VERIFY(!run.Frame()->isVisible());
    const auto start = Clock::now();
    run.app.reset();  // joins the worker
    QVERIFY(Clock::now() - start < std::chrono::seconds(1));
  }

  // Only present ports can be chosen; unticked search is stored even on Cancel; a port
  // chosen with OK is stored and shown in the pane.
  void portDialogShowsPresentPortsAndStoresTheChoice() {
    RunningApp run;
    auto radio1 = StartRadio(sim::BlankImage());
    auto radio3 = StartRadio(sim::BlankImage());
    run.SetLine("setup", "com", "2");
    run.SetLine("ports", "1", radio1->DevicePath());
    run.SetLine("ports", "3", radio3->DevicePath());
    QVERIFY(run.Start());
    RunCommand(run, cmd::kPort, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CPortDlg*>(m);
      QVERIFY(dialog->PortButton(2)->isChecked() && !dialog->PortButton(2)->isEnabled());
      QVERIFY(dialog->PortButton(1)->isEnabled() && !dialog->PortButton(1)->isChecked());
      QVERIFY(!dialog->PortButton(4)->isEnabled());
      QVERIFY(dialog->SearchBox()->isVisible() && dialog->SearchBox()->isChecked());
      ClickBox(dialog->SearchBox());
      ClickBox(dialog->PortButton(3));
      ClickCancel(m);
    }});
    QVERIFY(run.SettingsHold("searchcom=0\n") && run.SettingsHold("com=2\n"));
    RunCommand(run, cmd::kPort, {[](QWidget* m) {
      ClickBox(qobject_cast<CPortDlg*>(m)->PortButton(3));
      ClickButton(m, "OK");
    }});
    QVERIFY(run.SettingsHold("com=3\n"));
    QCOMPARE(run.Frame()->PortPane()->text(), QStringLiteral("COM3"));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::TransferDialogTest)
#include "TransferDialogTest.moc"
