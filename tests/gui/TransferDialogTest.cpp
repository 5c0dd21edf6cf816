// The transfer and port dialogs against the simulated radio: a run starts, shows progress
// and outcome, cancels; what goes over the wire and into backups is the link tests'.

#include "GuiTestSupport.h"
#include "core/link/CSerialPort.h"
#include "gui/link/CPortDlg.h"
#include "gui/link/CTransferDlg.h"
#include "sim/DemoImage.h"
#include "sim/SimRadio.h"

namespace qorrin::gui::test {

namespace {

using Clock = std::chrono::steady_clock;

// Port n of the program is the given radio, with no search of the others.
void UseRadio(const RunningApp& run, int n, const sim::SimRadio& radio) {
  run.SetLine("ports", std::to_string(n), radio.DevicePath());
  run.SetLine("setup", "searchcom", "0");
}

// A simulated radio on a pseudo-terminal; port 1 of `run` when given.
std::unique_ptr<sim::SimRadio> StartRadio(const sim::SimConfig& config, const sim::RadioImage& image,
                                          const RunningApp* run = nullptr) {
  auto radio = std::make_unique<sim::SimRadio>(config, image);
  std::string error;
  if (!radio->Start(&error)) qWarning("radio: %s", error.c_str());
  if (run) UseRadio(*run, 1, *radio);
  return radio;
}

// The document's image with the demonstration channels: a VHF radio's memory.
sim::RadioImage DemoRadio(const RunningApp& run) {
  sim::RadioImage image{};
  std::copy(run.app->Document().Image().begin(), run.app->Document().Image().end(), image.begin());
  sim::FillDemoChannels(image);
  return image;
}

// Whether the document and the radio agree on the transferred part (the tail is the PC's).
bool DocumentHolds(const RunningApp& run, const sim::RadioImage& image) {
  return std::equal(image.begin(), image.begin() + 0x7F0, run.app->Document().Image().begin());
}

void PressOk(QWidget* modal) { QTest::mouseClick(qobject_cast<CTransferDlg*>(modal)->OkButton(), Qt::LeftButton); }

// OK, then the run until the dialog offers OK again, with this text.
void ExpectOutcome(QWidget* modal, const QString& text) {
  auto* dialog = qobject_cast<CTransferDlg*>(modal);
  QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(dialog->OkButton()->isEnabled(), 30000);
  QCOMPARE(dialog->Text()->text(), text);
}

}  // namespace

class TransferDialogTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // Nothing starts before OK; the read replaces the document, refreshes the window and
  // keeps the modified flag. The verify box starts from the setting and is remembered as
  // soon as it is clicked: unticked, the write dialog closes on its own; ticked, it shows
  // the outcome until OK. Failures, Cancel and closing the window end a run.
  void readWriteFailAndCancel() {
    QORRIN_START_APP(run, doc);
    const auto radioImage = DemoRadio(run);
    auto radio = StartRadio({}, radioImage, &run);
    QVERIFY(run.SaveAside());
    Answering([&] { PressKey(run, Qt::Key_R, Qt::ControlModifier); }, {[&](QWidget* m) {
                auto* dialog = qobject_cast<CTransferDlg*>(m);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Read from Radio"));
                QCOMPARE(dialog->Progress()->value(), 0);
                QVERIFY(!run.app->Port()->IsOpen());
                QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
                QVERIFY(!dialog->OkButton()->isEnabled());
              }});
    QVERIFY(DocumentHolds(run, radioImage));
    QVERIFY(!doc.IsModified());
    QCOMPARE(run.Frame()->View()->findChild<QLineEdit*>(QStringLiteral("programmedChannels"))->text(), QStringLiteral("6"));

    auto blank = StartRadio({}, sim::BlankImage(), &run);
    for (const bool verify : {false, true}) {
      RunCommand(run, cmd::kWriteData, {[&](QWidget* m) {
        auto* dialog = qobject_cast<CTransferDlg*>(m);
        QVERIFY(dialog->VerifyBox()->isVisible());
        QCOMPARE(dialog->VerifyBox()->isChecked(), !verify);  // the default, then the last click's
        ClickBox(dialog->VerifyBox());
        const std::string stored = verify ? "verify=1\n" : "verify=0\n";
        QVERIFY(run.dir.read("setting.ini").find(stored) != std::string::npos);
        if (!verify) return PressOk(m);
        ExpectOutcome(m, QStringLiteral("Written and verified: the radio holds what was sent."));
        PressOk(m);
      }});
      QVERIFY(DocumentHolds(run, blank->Image()));
    }

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

    // A radio that does not answer: an error box, the dialog ended, the port shut. A failed
    // read leaves the document alone and OK starts a whole new run, here on a good radio.
    sim::SimConfig silent, broken, paced;
    silent.faults.silent = true;
    broken.faults.shortReplies = {{0x400}};  // every read of that block comes short
    auto quiet = StartRadio(silent, sim::BlankImage(), &run);
    const auto failed = RunCommand(run, cmd::kReadData, {PressOk, ClickOk});
    QCOMPARE(failed->Title(1), QStringLiteral("Error"));
    QVERIFY2(failed->Text(1).contains(QStringLiteral("The radio does not answer.")), qPrintable(failed->Text(1)));
    QVERIFY(!run.app->Port()->IsOpen());

    const auto demo = DemoRadio(run);
    qorrin::test::SetFrequencies(doc, 50, "150");  // the document no longer holds what the radio does
    auto bad = StartRadio(broken, demo, &run);
    auto good = StartRadio({}, demo);
    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      ExpectOutcome(m, QStringLiteral("Reading failed. Press OK to try again."));
      QVERIFY(!DocumentHolds(run, demo));
      UseRadio(run, 1, *good);
      PressOk(m);
    }});
    QVERIFY(DocumentHolds(run, demo));

    // A read at the cable's pace shows its percent; Cancel ends it at once and leaves the
    // document alone; closing the window during a read ends the program cleanly.
    paced.paceBaud = 9600;
    auto slow = StartRadio(paced, DemoRadio(run), &run);
    const std::string before = run.Image();
    double cancelMs = 0;
    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
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
      QTest::mouseClick(qobject_cast<CTransferDlg*>(m)->OkButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<CTransferDlg*>(m)->Progress()->value() > 0, 20000);
      QTimer::singleShot(0, run.Frame(), [&] { run.Frame()->close(); });
    }});
    QTRY_VERIFY(!run.Frame()->isVisible());
    const auto start = Clock::now();
    run.app.reset();  // joins the worker
    QVERIFY(Clock::now() - start < std::chrono::seconds(1));
  }

  // Only present ports can be chosen; unticking search is stored at once, even when the
  // dialog is then cancelled; a port chosen with OK is stored and shown in the pane.
  void portDialogShowsPresentPortsAndStoresTheChoice() {
    RunningApp run;
    auto radio1 = StartRadio({}, sim::BlankImage());
    auto radio3 = StartRadio({}, sim::BlankImage());
    run.SetLine("setup", "com", "2");
    run.SetLine("ports", "1", radio1->DevicePath());
    run.SetLine("ports", "3", radio3->DevicePath());
    QVERIFY(run.Start());
    RunCommand(run, cmd::kPort, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CPortDlg*>(m);
      QVERIFY(dialog->PortButton(2)->isChecked() && !dialog->PortButton(2)->isEnabled());
      QVERIFY(dialog->PortButton(1)->isEnabled() && !dialog->PortButton(1)->isChecked());
      QVERIFY(dialog->PortButton(3)->text().contains(QString::fromStdString(radio3->DevicePath())));
      for (int n = 4; n <= 8; ++n) QVERIFY(!dialog->PortButton(n)->isEnabled());
      QVERIFY(dialog->SearchBox()->isVisible() && dialog->SearchBox()->isChecked());
      ClickBox(dialog->SearchBox());
      ClickBox(dialog->PortButton(3));
      ClickCancel(m);
    }});
    const std::string ini = run.dir.read("setting.ini");
    QVERIFY2(ini.find("searchcom=0\n") != std::string::npos && ini.find("com=2\n") != std::string::npos, ini.c_str());
    RunCommand(run, cmd::kPort, {[](QWidget* m) {
      ClickBox(qobject_cast<CPortDlg*>(m)->PortButton(3));
      ClickButton(m, "OK");
    }});
    QVERIFY(run.dir.read("setting.ini").find("com=3\n") != std::string::npos);
    QCOMPARE(run.Frame()->PortPane()->text(), QStringLiteral("COM3"));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::TransferDialogTest)
#include "TransferDialogTest.moc"
