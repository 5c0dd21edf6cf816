// Comparing the document with a file and with the radio, and opening an automatic backup,
// as a user does it through the commands and their dialogs.
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "GuiTestSupport.h"
#include "core/backup/BackupStore.h"
#include "core/edit/ChannelCommits.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/RadioImageLayout.h"
#include "gui/app/CMainFrame.h"
#include "gui/lang/ControlIds.h"
#include "gui/link/CTransferDlg.h"
#include "sim/DemoImage.h"
#include "sim/SimRadio.h"

namespace qorrin::gui::test {
namespace {

struct Shown {
  QString summary;
  QString lines;
};

// Reads what the differences dialog shows, then closes it.
ModalScript::Action ReadDifferences(Shown& shown) {
  return [&shown](QWidget* modal) {
    if (auto* summary = modal->findChild<QLabel*>(QStringLiteral("summary"))) shown.summary = summary->text();
    auto* list = modal->findChild<QPlainTextEdit*>(QStringLiteral("differences"));
    if (list && list->isVisible()) shown.lines = list->toPlainText();
    ClickOk(modal);
  };
}

}  // namespace

class CompareTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void withAFileListsWhatDiffersAndChangesNothing() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    const std::string path = run.dir.file("saved.7Q");
    QVERIFY(doc.OnSaveDocument(path).bOk);
    doc.m_image[kOptSquelch] = 3;
    CommitReceiveFrequency(doc, 5, "146.52");
    const std::string before = run.Image();
    Shown shown;
    {
      ModalScript script({[&](QWidget* m) { ChooseFile(m, QString::fromStdString(path)); }, ReadDifferences(shown)});
      run.Frame()->ExecuteCommand(cmd::kCompareFile);
      QVERIFY(script.Done());
      QCOMPARE(script.Title(1), QStringLiteral("Compare: saved.7Q"));
    }
    QVERIFY2(shown.lines.contains(QStringLiteral("squelch: 3 -> ")), qPrintable(shown.lines));
    QVERIFY2(shown.lines.contains(QStringLiteral("channel 5")), qPrintable(shown.lines));
    QVERIFY(shown.summary.endsWith(QStringLiteral("differences:")));
    QCOMPARE(run.Image(), before);
    QCOMPARE(doc.GetPathName(), path);

    // The same file against itself: nothing differs.
    QVERIFY(doc.OnSaveDocument(path).bOk);
    Shown same;
    ModalScript again({[&](QWidget* m) { ChooseFile(m, QString::fromStdString(path)); }, ReadDifferences(same)});
    run.Frame()->ExecuteCommand(cmd::kCompareFile);
    QVERIFY(again.Done());
    QCOMPARE(same.summary, QStringLiteral("No differences."));
    QVERIFY(same.lines.isEmpty());
  }

  void withTheRadioReadsAsideAndOpensItsBackup() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    sim::RadioImage image{};
    std::copy(doc.m_image.begin(), doc.m_image.end(), image.begin());
    sim::FillDemoChannels(image);
    sim::SimRadio radio({}, image);
    std::string error;
    QVERIFY2(radio.Start(&error), error.c_str());
    run.SetLine("ports", "1", radio.DevicePath());
    run.SetLine("setup", "searchcom", "0");
    const std::string before = run.Image();
    Shown shown;
    {
      ModalScript script({[](QWidget* m) { QTest::mouseClick(qobject_cast<CTransferDlg*>(m)->OkButton(), Qt::LeftButton); },
                          ReadDifferences(shown)});
      run.Frame()->ExecuteCommand(cmd::kCompareRadio);
      QVERIFY(script.Done());
    }
    QVERIFY2(shown.lines.contains(QStringLiteral("channel 2")), qPrintable(shown.lines));
    QCOMPARE(run.Image(), before);  // the radio's image went to the list only
    QVERIFY(!doc.IsModified());

    // The read was backed up; the backups command opens that folder and the file.
    const std::vector<BackupEntry> backups = ListBackups();
    QVERIFY(!backups.empty());
    QString folder;
    ModalScript open([&](QWidget* m) {
      folder = qobject_cast<QFileDialog*>(m)->directory().absolutePath();
      ChooseFile(m, QString::fromStdString(backups.front().strPath));
    });
    run.Frame()->ExecuteCommand(cmd::kFileBackups);
    QVERIFY(open.Done());
    QCOMPARE(folder, QString::fromStdString(BackupFolder()));
    QCOMPARE(doc.GetPathName(), backups.front().strPath);
    QVERIFY(std::equal(image.begin(), image.begin() + 0x7F0, doc.m_image.begin()));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::CompareTest)
#include "CompareTest.moc"
