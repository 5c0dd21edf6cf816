// The read and write dialogs and the port dialog against the simulated radio on real
// pseudo-terminals: what the user sees, what reaches the radio and the document.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <chrono>
#include <memory>
#include <thread>

#include "GuiTestSupport.h"
#include "core/backup/BackupStore.h"
#include "core/link/CSerialPort.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/IndexFields.h"
#include "gui/app/CMainFrame.h"
#include "gui/lang/ControlIds.h"
#include "gui/link/CPortDlg.h"
#include "gui/link/CTransferDlg.h"
#include "gui/views/CQorrinView.h"
#include "sim/DemoImage.h"
#include "support/DocumentBytes.h"
#include "sim/SimRadio.h"

namespace qorrin::gui::test {

namespace {

using Clock = std::chrono::steady_clock;

std::unique_ptr<sim::SimRadio> StartRadio(sim::SimConfig config, const sim::RadioImage& image) {
  config.keepLog = true;
  auto radio = std::make_unique<sim::SimRadio>(config, image);
  std::string error;
  if (!radio->Start(&error)) qWarning("radio: %s", error.c_str());
  return radio;
}

// A VHF radio with the demonstration channels.
sim::RadioImage DemoRadio(const RunningApp& run) {
  sim::RadioImage image{};
  std::copy(run.app->Document().Image().begin(), run.app->Document().Image().end(), image.begin());
  sim::FillDemoChannels(image);
  return image;
}

// Port n of the program is the given radio; no other device of the machine is a port.
void UseRadio(const RunningApp& run, int n, const sim::SimRadio& radio, bool search = false) {
  run.SetLine("ports", std::to_string(n), radio.DevicePath());
  run.SetLine("ports", "enumerate", "0");
  run.SetLine("setup", "searchcom", search ? "1" : "0");
}


// A check box or radio button is clicked on its mark, as a user does; its middle may be
// empty space beyond the text.
void ClickIndicator(QWidget* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

long PcBytes(const sim::SimRadio& radio) {
  long count = 0;
  for (const auto& b : radio.Log()) count += b.fromPc ? 1 : 0;
  return count;
}

}  // namespace

class TransferDialogTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void readReplacesTheImageAndRefreshesKeepingTheModifiedFlag() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    const auto radioImage = DemoRadio(run);
    auto radio = StartRadio({}, radioImage);
    UseRadio(run, 1, *radio);
    qorrin::test::SetByte(doc, 0x7F5, 0x5A);  // the PC's own part stays
    doc.SetModifiedFlag(false);

    bool checkedBeforeOk = false;
    ModalScript script([&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Read from Radio"));
      QCOMPARE(dialog->Text()->text(), QString());
      QCOMPARE(dialog->Progress()->value(), 0);
      QCOMPARE(dialog->Progress()->maximum(), 1024);
      QTest::qWait(100);
      QCOMPARE(PcBytes(*radio), 0L);  // nothing goes out before OK
      checkedBeforeOk = true;
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QVERIFY(!dialog->OkButton()->isEnabled());
    });
    PressKey(run, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(checkedBeforeOk);
    QVERIFY(std::equal(radioImage.begin(), radioImage.begin() + 0x7F0, doc.Image().begin()));
    QCOMPARE(static_cast<int>(doc.Image()[0x7F5]), 0x5A);
    QVERIFY(!doc.IsModified());
    auto* count = run.Frame()->View()->findChild<QLineEdit*>(QStringLiteral("programmedChannels"));
    QCOMPARE(count->text(), QStringLiteral("6"));
    // The read was backed up on its own.
    const std::vector<BackupEntry> backups = ListBackups();
    QVERIFY(!backups.empty());
    QCOMPARE(QString::fromStdString(backups.front().strDirection), QStringLiteral("read"));
    QCOMPARE(QString::fromStdString(backups.front().strPort), QStringLiteral("COM1"));
    QCOMPARE(backups.front().nProgrammedChannels, 6);
  }

  void writeWithoutVerificationClosesWithoutAMessage() {
    RunningApp run;
    run.SetLine("setup", "verify", "0");
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    auto radio = StartRadio({}, sim::BlankImage());
    UseRadio(run, 1, *radio);
    sim::RadioImage edited{};
    std::copy(doc.Image().begin(), doc.Image().end(), edited.begin());
    sim::FillDemoChannels(edited);
    qorrin::test::SetImage(doc, edited);
    qorrin::test::SetByte(doc, 0x7D0, 0);  // stale index field: the dialog brings it up to date first
    ModalScript script({[](QWidget* m) {
                          auto* dialog = qobject_cast<CTransferDlg*>(m);
                          QVERIFY(!dialog->VerifyBox()->isChecked());
                          QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
                        },
                        [](QWidget* m) { m->close(); }});  // any message would land here
    const auto start = Clock::now();
    run.Frame()->ExecuteCommand(cmd::kWriteData);
    QCOMPARE(script.Seen(), 1);
    QVERIFY(Clock::now() - start >= std::chrono::milliseconds(900));  // the settle second
    const auto written = radio->Image();
    QVERIFY(std::equal(edited.begin(), edited.begin() + 0x7F0, written.begin()));
    QVERIFY(std::equal(written.begin(), written.begin() + 0x7F0, doc.Image().begin()));
    // Backed up just before the first block went out: what was sent.
    const std::vector<BackupEntry> backups = ListBackups();
    QVERIFY(!backups.empty());
    QCOMPARE(QString::fromStdString(backups.front().strDirection), QStringLiteral("write"));
    const std::string backup = ImageOfFile(backups.front().strPath);
    QCOMPARE(backup.size(), std::size_t{4096});
    QVERIFY(std::equal(written.begin(), written.begin() + 0x7F0, backup.begin(),
                       [](std::uint8_t sent, char kept) { return sent == static_cast<std::uint8_t>(kept); }));
  }

  void writeOfAnImageOfNoKnownModelAsksFirst() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    auto radio = StartRadio({}, DemoRadio(run));
    UseRadio(run, 1, *radio);
    qorrin::test::SetImage(doc, std::string(kImageSize, '\0'));  // what a failed open once left
    bool cancelIsDefault = false;
    {
      ModalScript script({[&](QWidget* m) {
                            auto* box = qobject_cast<QMessageBox*>(m);
                            cancelIsDefault = box && box->defaultButton() == box->button(QMessageBox::Cancel);
                            ClickCancel(m);
                          },
                          [](QWidget* m) { m->close(); }});  // a transfer dialog would land here
      run.Frame()->ExecuteCommand(cmd::kWriteData);
      QCOMPARE(script.Seen(), 1);
      QVERIFY(script.Text().startsWith(QStringLiteral("The frequency range of this data matches no model")));
    }
    QVERIFY(cancelIsDefault);
    QCOMPARE(PcBytes(*radio), 0L);
    // OK goes on to the write dialog.
    ModalScript script({ClickOk, [](QWidget* m) {
                          QVERIFY(qobject_cast<CTransferDlg*>(m));
                          m->close();
                        }});
    run.Frame()->ExecuteCommand(cmd::kWriteData);
    QVERIFY(script.Done());
  }

  // Verification is on unless switched off: the radio is read back and the dialog says
  // how it went; a radio that stores a block wrongly is caught and named.
  void verifiedWriteSaysWhetherTheRadioHoldsWhatWasSent() {
    for (const bool corrupt : {false, true}) {
      RunningApp run;
      QVERIFY(run.Start());
      sim::SimConfig config;
      if (corrupt) config.faults.corruptedWrites.push_back({0x300});
      auto radio = StartRadio(config, sim::BlankImage());
      UseRadio(run, 1, *radio);
      CQorrinDoc& doc = run.app->Document();
      sim::RadioImage edited{};
      std::copy(doc.Image().begin(), doc.Image().end(), edited.begin());
      sim::FillDemoChannels(edited);
      qorrin::test::SetImage(doc, edited);
      QString outcome, details;
      int result = -1;
      ModalScript script([&](QWidget* m) {
        auto* dialog = qobject_cast<CTransferDlg*>(m);
        QVERIFY(dialog->VerifyBox()->isVisible() && dialog->VerifyBox()->isChecked());
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->OkButton()->isEnabled(), 30000);
        outcome = dialog->Text()->text();
        details = dialog->Details()->isVisible() ? dialog->Details()->toPlainText() : QString();
        connect(dialog, &QDialog::finished, dialog, [&](int code) { result = code; });
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      });
      run.Frame()->ExecuteCommand(cmd::kWriteData);
      QVERIFY(script.Done());
      if (corrupt) {
        QCOMPARE(outcome, QStringLiteral("Verification failed: the radio does not hold what was sent."));
        QVERIFY2(details.contains(QStringLiteral("0x0300 (channel 48)")), qPrintable(details));
        QCOMPARE(result, int(QDialog::Rejected));
      } else {
        QCOMPARE(outcome, QStringLiteral("Written and verified: the radio holds what was sent."));
        QVERIFY(details.isEmpty());
        QCOMPARE(result, int(QDialog::Accepted));
      }
      QVERIFY(run.dir.read("setting.ini").find("verify=") == std::string::npos);  // left as it was
    }
  }

  // A backup that cannot be saved never stops the read; it is told once the run is over,
  // in a box with the language's own button text.
  void aBackupThatCannotBeSavedIsToldAfterTheRun() {
    RunningApp run;
    run.SetLine("Resource", "1", "Fine", "english.lang");
    QVERIFY(run.Start());
    const auto radioImage = DemoRadio(run);
    auto radio = StartRadio({}, radioImage);
    UseRadio(run, 1, *radio);
    // The data folder is a file, so no backup folder can be made in it.
    const QByteArray home = qgetenv("XDG_DATA_HOME");
    run.dir.write("not-a-folder", "x");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(run.dir.file("not-a-folder")));
    ModalScript script({[](QWidget* m) { QTest::mouseClick(qobject_cast<CTransferDlg*>(m)->OkButton(), Qt::LeftButton); },
                        [](QWidget* m) { ClickOk(m); }});
    PressKey(run, Qt::Key_R, Qt::ControlModifier);
    qputenv("XDG_DATA_HOME", home);
    QCOMPARE(script.Seen(), 2);
    QVERIFY2(script.Text(1).startsWith(QStringLiteral("The automatic backup could not be saved:")),
             qPrintable(script.Text(1)));
    QCOMPARE(script.Buttons(1), QStringList{QStringLiteral("Fine")});
    QVERIFY(std::equal(radioImage.begin(), radioImage.begin() + 0x7F0, run.app->Document().Image().begin()));
  }

  void portAndTypeErrorsAreReportedAndEndTheDialog() {
    RunningApp run;
    QVERIFY(run.Start());
    const std::string before = run.Image();
    for (bool silent : {true, false}) {
      sim::SimConfig config;
      config.faults.silent = silent;
      if (!silent) config.faults.ident = {'V', 'L', 'M', 'N', 'X'};  // one 'N' only
      auto radio = StartRadio(config, sim::BlankImage());
      UseRadio(run, 1, *radio);
      ModalScript script({[](QWidget* m) { QTest::mouseClick(qobject_cast<CTransferDlg*>(m)->OkButton(), Qt::LeftButton); },
                          ClickOk});
      run.Frame()->ExecuteCommand(cmd::kReadData);
      QVERIFY(script.Done());
      QCOMPARE(script.Title(1), QStringLiteral("Error"));
      QCOMPARE(script.Text(1), silent ? QStringLiteral("The radio does not answer.\nCheck that the radio is switched on, the programming cable is plugged in and the right port is selected.")
                                      : QStringLiteral("The connected radio is not a VLM-7Q, or its model is not supported."));
      QVERIFY(QApplication::activeModalWidget() == nullptr);
      QVERIFY(!run.app->Port()->IsOpen());
    }
    // A port whose device is not there (the cable's adapter unplugged) is named as such.
    run.SetLine("ports", "1", run.dir.file("ttyGONE"));
    {
      ModalScript script({[](QWidget* m) { QTest::mouseClick(qobject_cast<CTransferDlg*>(m)->OkButton(), Qt::LeftButton); },
                          ClickOk});
      run.Frame()->ExecuteCommand(cmd::kReadData);
      QVERIFY(script.Done());
      QVERIFY2(script.Text(1).endsWith(QStringLiteral("\n\nThe device of COM1 (") +
                                       QString::fromStdString(run.dir.file("ttyGONE")) +
                                       QStringLiteral(") does not exist.\nCheck that the programming cable is plugged in.")),
               qPrintable(script.Text(1)));
    }
    // Only the index-field update may have touched the document.
    std::string updated = before;
    UpdateIndexFields(std::span<std::uint8_t, 4096>(reinterpret_cast<std::uint8_t*>(updated.data()), 4096));
    QCOMPARE(run.Image(), updated);
  }

  void failedRunsOfferAWholeNewRun() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    const std::string before = run.Image();
    sim::SimConfig broken;
    broken.faults.shortReplies = {{0x400}};  // every read of that block comes short
    broken.faults.droppedWriteAcks = {{0x200}};
    auto bad = StartRadio(broken, DemoRadio(run));
    auto good = StartRadio({}, DemoRadio(run));
    UseRadio(run, 1, *bad);

    // Read: fails, the document stays, OK starts again on the mended line and succeeds.
    QString failText;
    ModalScript script([&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(dialog->OkButton()->isEnabled(), 30000);
      failText = dialog->Text()->text();
      QCOMPARE(run.Image(), std::string(doc.Image().begin(), doc.Image().end()));
      UseRadio(run, 1, *good);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    run.Frame()->ExecuteCommand(cmd::kReadData);
    QCOMPARE(failText, QStringLiteral("Reading failed. Press OK to try again."));
    QVERIFY(run.Image() != before);
    const auto demo = DemoRadio(run);
    QVERIFY(std::equal(demo.begin(), demo.begin() + 0x7F0, doc.Image().begin()));

    // Write: a block never acknowledged; the text says so and OK is offered again.
    UseRadio(run, 1, *bad);
    ModalScript write([&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(dialog->OkButton()->isEnabled(), 30000);
      failText = dialog->Text()->text();
      dialog->reject();
    });
    run.Frame()->ExecuteCommand(cmd::kWriteData);
    QCOMPARE(failText, QStringLiteral("Writing failed. Press OK to try again."));
  }

  void cancelEndsAtOnceDuringTheSearchAndTheTransfer() {
    RunningApp run;
    QVERIFY(run.Start());
    sim::SimConfig silent;
    silent.faults.silent = true;
    auto quiet1 = StartRadio(silent, sim::BlankImage());
    auto quiet2 = StartRadio(silent, sim::BlankImage());
    sim::SimConfig paced;
    paced.paceBaud = 9600;
    auto slow = StartRadio(paced, DemoRadio(run));
    UseRadio(run, 1, *quiet1, true);
    UseRadio(run, 2, *quiet2, true);
    const std::string before = run.Image();

    // During the search: the text counts the port, the pane follows it; Cancel ends it.
    double cancelMs = 0;
    ModalScript search([&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(dialog->Text()->text().startsWith(QStringLiteral("Searching for the radio")), 20000);
      QTRY_COMPARE_WITH_TIMEOUT(dialog->Text()->text(), QStringLiteral("Searching for the radio.."), 20000);
      QCOMPARE(run.Frame()->PortPane()->text(), QStringLiteral("COM2"));
      const auto start = Clock::now();
      QTest::keyClick(dialog, Qt::Key_Escape);
      cancelMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    });
    run.Frame()->ExecuteCommand(cmd::kReadData);
    QVERIFY(search.Done());
    QVERIFY2(cancelMs < 500, qPrintable(QString::number(cancelMs)));
    QVERIFY(!run.app->Port()->IsOpen());
    const long sent = PcBytes(*quiet2);
    QTest::qWait(400);
    QVERIFY(PcBytes(*quiet2) - sent <= 1);  // nothing more, but a byte already on the wire
    QCOMPARE(PcBytes(*quiet1) + PcBytes(*quiet2) > 0, true);

    // During a read at the cable's pace: Cancel at some percent, the document unchanged.
    UseRadio(run, 1, *slow, false);
    ModalScript transfer([&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(dialog->Progress()->value() >= 100, 20000);
      QVERIFY(dialog->Text()->text().startsWith(QStringLiteral("Reading data... ")));
      QVERIFY(dialog->Text()->text().endsWith(u'%'));
      QTest::mouseClick(dialog->findChildren<QPushButton*>().at(1), Qt::LeftButton);
    });
    run.Frame()->ExecuteCommand(cmd::kReadData);
    QVERIFY(transfer.Done());
    std::string updated = before;
    UpdateIndexFields(std::span<std::uint8_t, 4096>(reinterpret_cast<std::uint8_t*>(updated.data()), 4096));
    QCOMPARE(run.Image(), updated);
    const long atCancel = PcBytes(*slow);
    QTest::qWait(400);
    QVERIFY(PcBytes(*slow) - atCancel <= 2);  // at most the byte already on the wire
  }

  void closingTheWindowDuringAReadEndsCleanly() {
    RunningApp run;
    QVERIFY(run.Start());
    sim::SimConfig paced;
    paced.paceBaud = 9600;
    auto slow = StartRadio(paced, DemoRadio(run));
    UseRadio(run, 1, *slow);
    ModalScript script([&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(dialog->Progress()->value() > 0, 20000);
      QTimer::singleShot(0, run.Frame(), [&] { run.Frame()->close(); });
    });
    run.Frame()->ExecuteCommand(cmd::kReadData);
    QVERIFY(script.Done());
    QTRY_VERIFY(!run.Frame()->isVisible());
    const auto start = Clock::now();
    run.app.reset();  // joins the worker
    QVERIFY(Clock::now() - start < std::chrono::seconds(1));
  }

  void portDialogShowsPresentPortsAndStoresTheChoice() {
    RunningApp run;
    auto radio1 = StartRadio({}, sim::BlankImage());
    auto radio3 = StartRadio({}, sim::BlankImage());
    run.SetLine("setup", "com", "2");
    run.SetLine("ports", "1", radio1->DevicePath());
    run.SetLine("ports", "3", radio3->DevicePath());
    run.SetLine("ports", "enumerate", "0");
    std::string ini = run.dir.read("setting.ini");
    ini.erase(ini.find("searchcom=1\n"), 12);  // missing: the box is checked
    run.dir.write("setting.ini", ini);
    QVERIFY(run.Start());
    {
      CPortDlg dialog(*run.app, run.Frame());
      QVERIFY(dialog.PortButton(2)->isChecked());
      QVERIFY(!dialog.PortButton(2)->isEnabled());
      QVERIFY(dialog.PortButton(1)->isEnabled() && !dialog.PortButton(1)->isChecked());
      QVERIFY(dialog.PortButton(3)->isEnabled());
      QVERIFY(dialog.PortButton(3)->text().contains(QString::fromStdString(radio3->DevicePath())));
      for (int n = 4; n <= 8; ++n) QVERIFY(!dialog.PortButton(n)->isEnabled());
      QVERIFY(!dialog.SearchBox()->isHidden());  // the search switch is reachable
      QVERIFY(dialog.SearchBox()->isChecked());
    }
    // Unticking search is stored at once, even when the dialog is then cancelled; COM3
    // and OK stores com=3 and the pane shows it.
    ModalScript cancel([](QWidget* m) {
      auto* dialog = qobject_cast<CPortDlg*>(m);
      ClickIndicator(dialog->SearchBox());
      ClickIndicator(dialog->PortButton(3));
      ClickCancel(m);
    });
    PressKey(run, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(cancel.Done());
    ini = run.dir.read("setting.ini");
    QVERIFY2(ini.find("searchcom=0\n") != std::string::npos, ini.c_str());
    QVERIFY(ini.find("com=2\n") != std::string::npos);
    ModalScript ok([](QWidget* m) {
      ClickIndicator(qobject_cast<CPortDlg*>(m)->PortButton(3));
      ClickButton(m, "OK");
    });
    run.Frame()->ExecuteCommand(cmd::kPort);
    QVERIFY(ok.Done());
    QVERIFY(run.dir.read("setting.ini").find("com=3\n") != std::string::npos);
    QCOMPARE(run.Frame()->PortPane()->text(), QStringLiteral("COM3"));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::TransferDialogTest)
#include "TransferDialogTest.moc"
