// The read and write dialogs and the port dialog against the simulated radio on real
// pseudo-terminals: what the user sees and answers, and where the outcome lands. What the
// transfer itself sends, retries and backs up is the link tests' to check.
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

#include "GuiTestSupport.h"
#include "core/backup/BackupStore.h"
#include "core/link/CSerialPort.h"
#include "core/model/CQorrinDoc.h"
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

std::unique_ptr<sim::SimRadio> StartRadio(const sim::SimConfig& config, const sim::RadioImage& image) {
  auto radio = std::make_unique<sim::SimRadio>(config, image);
  std::string error;
  if (!radio->Start(&error)) qWarning("radio: %s", error.c_str());
  return radio;
}

// The document's image with the demonstration channels: a VHF radio's memory.
sim::RadioImage DemoRadio(const RunningApp& run) {
  sim::RadioImage image{};
  std::copy(run.app->Document().Image().begin(), run.app->Document().Image().end(), image.begin());
  sim::FillDemoChannels(image);
  return image;
}

// Port n of the program is the given radio.
void UseRadio(const RunningApp& run, int n, const sim::SimRadio& radio, bool search = false) {
  run.SetLine("ports", std::to_string(n), radio.DevicePath());
  run.SetLine("setup", "searchcom", search ? "1" : "0");
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
  // Nothing starts before OK; the read replaces the document, refreshes the window,
  // keeps the modified flag and leaves a backup. A backup that cannot be saved never
  // stops a read: it is told once the run is over, in a box with the language's button.
  void readPromptsThenReplacesTheDocument() {
    RunningApp run;
    run.SetLine("Resource", "1", "Fine", "english.lang");
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    const auto radioImage = DemoRadio(run);
    auto radio = StartRadio({}, radioImage);
    UseRadio(run, 1, *radio);
    doc.SetModifiedFlag(false);
    ModalScript script([&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Read from Radio"));
      QCOMPARE(dialog->Text()->text(), QString());
      QCOMPARE(dialog->Progress()->value(), 0);
      QVERIFY(!run.app->Port()->IsOpen());
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QVERIFY(!dialog->OkButton()->isEnabled());
    });
    PressKey(run, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(script.Done());
    QVERIFY(DocumentHolds(run, radioImage));
    QVERIFY(!doc.IsModified());
    auto* count = run.Frame()->View()->findChild<QLineEdit*>(QStringLiteral("programmedChannels"));
    QCOMPARE(count->text(), QStringLiteral("6"));
    QVERIFY(!ListBackups().empty());

    // The data folder is a file, so no backup folder can be made in it.
    qorrin::test::SetImage(doc, sim::BlankImage());
    const QByteArray home = qgetenv("XDG_DATA_HOME");
    run.dir.write("not-a-folder", "x");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(run.dir.file("not-a-folder")));
    ModalScript failed({PressOk, ClickOk});
    PressKey(run, Qt::Key_R, Qt::ControlModifier);
    qputenv("XDG_DATA_HOME", home);
    QCOMPARE(failed.Seen(), 2);
    QVERIFY2(failed.Text(1).startsWith(QStringLiteral("The automatic backup could not be saved:")),
             qPrintable(failed.Text(1)));
    QCOMPARE(failed.Buttons(1), QStringList{QStringLiteral("Fine")});
    QVERIFY(DocumentHolds(run, radioImage));
  }

  // The verify box starts from the setting and is remembered as soon as it is clicked.
  // Without verification the dialog closes on its own; with it, it shows whether the
  // radio holds what was sent (naming a wrong block) until OK. Never a message box.
  void writeWithAndWithoutVerification() {
    enum Mode { kUnverified, kVerified, kCorrupted };
    for (const Mode mode : {kUnverified, kVerified, kCorrupted}) {
      RunningApp run;
      QVERIFY(run.Start());
      sim::SimConfig config;
      if (mode == kCorrupted) config.faults.corruptedWrites.push_back({0x300});
      auto radio = StartRadio(config, sim::BlankImage());
      UseRadio(run, 1, *radio);
      qorrin::test::SetImage(run.app->Document(), DemoRadio(run));
      int result = -1;
      ModalScript script({[&](QWidget* m) {
                            auto* dialog = qobject_cast<CTransferDlg*>(m);
                            QVERIFY(dialog->VerifyBox()->isVisible() && dialog->VerifyBox()->isChecked());
                            connect(dialog, &QDialog::finished, dialog, [&](int code) { result = code; });
                            if (mode == kUnverified) ClickBox(dialog->VerifyBox());
                            if (mode == kUnverified) return PressOk(m);
                            ExpectOutcome(m, mode == kVerified
                                                 ? QStringLiteral("Written and verified: the radio holds what was sent.")
                                                 : QStringLiteral("Verification failed: the radio does not hold what was sent."));
                            QCOMPARE(dialog->Details()->isVisible(), mode == kCorrupted);
                            if (mode == kCorrupted) QVERIFY(dialog->Details()->toPlainText().contains("0x0300 (channel 48)"));
                            PressOk(m);
                          },
                          [](QWidget* m) { m->close(); }});  // any message would land here
      run.Frame()->ExecuteCommand(cmd::kWriteData);
      QCOMPARE(script.Seen(), 1);
      QCOMPARE(result, int(mode == kCorrupted ? QDialog::Rejected : QDialog::Accepted));
      QCOMPARE(run.dir.read("setting.ini").find("verify=0\n") != std::string::npos, mode == kUnverified);
      QVERIFY(mode == kCorrupted || DocumentHolds(run, radio->Image()));
    }
  }

  // A radio that does not answer, one of another model and a port whose device is gone
  // (the cable's adapter unplugged): an error box each, the dialog ended, the port shut.
  // A failed transfer offers a new run; a write of data of no known model asks first.
  void errorsAndFailuresAreTold() {
    RunningApp run;
    QVERIFY(run.Start());
    sim::SimConfig silent, foreign;
    silent.faults.silent = true;
    foreign.faults.ident = {'V', 'L', 'M', 'N', 'X'};  // one 'N' only
    auto quiet = StartRadio(silent, sim::BlankImage());
    auto other = StartRadio(foreign, sim::BlankImage());
    const std::string gone = run.dir.file("ttyGONE");
    const struct {
      std::string device;
      QString text;
    } cases[] = {{quiet->DevicePath(), QStringLiteral("The radio does not answer.\nCheck that the radio is switched on")},
                 {other->DevicePath(), QStringLiteral("The connected radio is not a VLM-7Q, or its model is not supported.")},
                 {gone, QStringLiteral("\n\nThe device of COM1 (%1) does not exist.\n").arg(QString::fromStdString(gone))}};
    for (const auto& c : cases) {
      run.SetLine("ports", "1", c.device);
      const auto script = RunCommand(run, cmd::kReadData, {PressOk, ClickOk});
      QCOMPARE(script->Title(1), QStringLiteral("Error"));
      QVERIFY2(script->Text(1).contains(c.text), qPrintable(script->Text(1)));
      QVERIFY(!run.app->Port()->IsOpen());
    }

    // A failed read leaves the document alone and OK starts a whole new run, here on the
    // mended line; a failed write says so.
    sim::SimConfig broken;
    broken.faults.shortReplies = {{0x400}};  // every read of that block comes short
    broken.faults.droppedWriteAcks = {{0x200}};
    const auto demo = DemoRadio(run);
    auto bad = StartRadio(broken, demo);
    auto good = StartRadio({}, demo);
    UseRadio(run, 1, *bad);
    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      ExpectOutcome(m, QStringLiteral("Reading failed. Press OK to try again."));
      QVERIFY(!DocumentHolds(run, demo));
      UseRadio(run, 1, *good);
      PressOk(m);
    }});
    QVERIFY(DocumentHolds(run, demo));
    UseRadio(run, 1, *bad);
    RunCommand(run, cmd::kWriteData, {[&](QWidget* m) {
      ExpectOutcome(m, QStringLiteral("Writing failed. Press OK to try again."));
      qobject_cast<QDialog*>(m)->reject();
    }});

    // Data of no known model (what a failed open once left): Cancel, the default, ends it.
    qorrin::test::SetImage(run.app->Document(), std::string(kImageSize, '\0'));
    {
      ModalScript script({[](QWidget* m) {
                            auto* box = qobject_cast<QMessageBox*>(m);
                            QVERIFY(box && box->defaultButton() == box->button(QMessageBox::Cancel));
                            ClickCancel(m);
                          },
                          [](QWidget* m) { m->close(); }});  // a transfer dialog would land here
      run.Frame()->ExecuteCommand(cmd::kWriteData);
      QCOMPARE(script.Seen(), 1);
      QVERIFY(script.Text().startsWith(QStringLiteral("The frequency range of this data matches no model")));
    }
    RunCommand(run, cmd::kWriteData, {ClickOk, [](QWidget* m) {
                                        QVERIFY(qobject_cast<CTransferDlg*>(m));
                                        m->close();
                                      }});
  }

  // The search counts in the text and the port pane follows it; a read at the cable's
  // pace shows its percent. Cancel ends either at once and leaves the document alone;
  // closing the window during a read ends the program cleanly.
  void cancelAndCloseEndARunAtOnce() {
    RunningApp run;
    QVERIFY(run.Start());
    sim::SimConfig silent, paced;
    silent.faults.silent = true;
    paced.paceBaud = 9600;
    auto quiet1 = StartRadio(silent, sim::BlankImage());
    auto quiet2 = StartRadio(silent, sim::BlankImage());
    auto slow = StartRadio(paced, DemoRadio(run));
    UseRadio(run, 1, *quiet1, true);
    UseRadio(run, 2, *quiet2, true);
    double cancelMs = 0;
    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QTRY_COMPARE_WITH_TIMEOUT(dialog->Text()->text(), QStringLiteral("Searching for the radio.."), 20000);
      QCOMPARE(run.Frame()->PortPane()->text(), QStringLiteral("COM2"));
      const auto start = Clock::now();
      QTest::keyClick(dialog, Qt::Key_Escape);
      cancelMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }});
    QVERIFY2(cancelMs < 500, qPrintable(QString::number(cancelMs)));
    QVERIFY(!run.app->Port()->IsOpen());

    const std::string before = run.Image();
    UseRadio(run, 1, *slow, false);
    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(dialog->Progress()->value() >= 100, 20000);
      QVERIFY(dialog->Text()->text().startsWith(QStringLiteral("Reading data... ")));
      QVERIFY(dialog->Text()->text().endsWith(u'%'));
      QTest::mouseClick(dialog->findChildren<QPushButton*>().at(1), Qt::LeftButton);
    }});
    QCOMPARE(run.Image(), before);
    QVERIFY(!run.app->Port()->IsOpen());

    RunCommand(run, cmd::kReadData, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CTransferDlg*>(m);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(dialog->Progress()->value() > 0, 20000);
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
    ModalScript cancel([&](QWidget* m) {
      auto* dialog = qobject_cast<CPortDlg*>(m);
      QVERIFY(dialog->PortButton(2)->isChecked() && !dialog->PortButton(2)->isEnabled());
      QVERIFY(dialog->PortButton(1)->isEnabled() && !dialog->PortButton(1)->isChecked());
      QVERIFY(dialog->PortButton(3)->text().contains(QString::fromStdString(radio3->DevicePath())));
      for (int n = 4; n <= 8; ++n) QVERIFY(!dialog->PortButton(n)->isEnabled());
      QVERIFY(dialog->SearchBox()->isVisible() && dialog->SearchBox()->isChecked());
      ClickBox(dialog->SearchBox());
      ClickBox(dialog->PortButton(3));
      ClickCancel(m);
    });
    PressKey(run, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(cancel.Done());
    std::string ini = run.dir.read("setting.ini");
    QVERIFY2(ini.find("searchcom=0\n") != std::string::npos, ini.c_str());
    QVERIFY(ini.find("com=2\n") != std::string::npos);
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
