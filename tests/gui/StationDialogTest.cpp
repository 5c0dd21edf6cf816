// Program > Production Line against simulated radios plugged into a folder of links.

#include "GuiTestSupport.h"
#include "core/transfer/StationLog.h"
#include "gui/lang/QtText.h"
#include "gui/link/CStationDlg.h"
#include "gui/link/StationTable.h"
#include "sim/FleetImages.h"

namespace qorrin::gui::test {

namespace {

// A radio whose cable's link is in `folder`.
std::unique_ptr<sim::SimRadio> PlugIn(const QString& folder, const QString& cable, const sim::RadioImage& image) {
  sim::SimConfig config;
  config.linkPath = Std(folder + QStringLiteral("/") + cable);
  return StartRadio(image, config);
}

QString Status(CStationDlg* dialog, int row) {
  QTableWidgetItem* item = dialog->Table()->item(row, StationTable::kStatus);
  return item ? item->text() : QString();
}

// The row of the port whose name (a link's own name) is given, -1 while there is none.
int RowOf(CStationDlg* dialog, const QString& cable) {
  for (int row = 0; row < dialog->Table()->rowCount(); ++row) {
    if (QTableWidgetItem* item = dialog->Table()->item(row, StationTable::kPort); item && item->text() == cable) return row;
  }
  return -1;
}

// How many of the five commands that use the window's port are enabled.
int LinkCommandsEnabled(const RunningApp& run) {
  int enabled = 0;
  for (int id : {cmd::kReadData, cmd::kWriteData, cmd::kCompareRadio, cmd::kCheckConnection, cmd::kPort}) {
    enabled += run.Frame()->MenuAction(id)->isEnabled() ? 1 : 0;
  }
  return enabled;
}

}  // namespace

class StationDialogTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // An unsaved plan: Start asks for the log (Cancel starts nothing); Escape does not stop
  // the line. Saved: a radio plugged in is programmed, as the table, the tally and the log
  // say; the window's link commands greyed until Stop. Several cables and failed radios
  // are StationPosixTest's and the link tests' StationTest.
  void logPlaceAndAProgrammedRadio() {
    QORRIN_START_APP(run, doc);
    const QString links = run.File("links");
    QDir().mkpath(links);
    const QString bench = run.File("bench.csv");
    RunCommand(run, cmd::kProductionLine, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CStationDlg*>(m);
      QCOMPARE(dialog->LogName()->text(), QStringLiteral("(asked for when the line starts)"));
      dialog->UseFolder(links);
      const auto start = [&] { QTest::mouseClick(dialog->StartButton(), Qt::LeftButton); };
      Answering(start, {ClickCancel});
      QVERIFY(!dialog->Running());
      QCOMPARE(Answering(start, {Choosing(bench)})->Title(), QStringLiteral("Where should the log of the radios go?"));
      QVERIFY(dialog->Running());
      QCOMPARE(dialog->LogName()->text(), QDir::toNativeSeparators(bench));
      QTest::keyClick(dialog, Qt::Key_Escape);
      QVERIFY(dialog->isVisible() && dialog->Running());
      QTest::mouseClick(dialog->StopButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 30000);
      QTest::keyClick(dialog, Qt::Key_Escape);
    }});
    QCOMPARE(QString::fromStdString(run.dir.read("bench.csv")), QString::fromStdString(StationLog::Heading()));

    QVERIFY(run.SaveAside());  // the plan has a file: the log goes beside it
    const std::vector<sim::RadioImage> fleet = sim::FleetImages(DocumentImage(run), 1, 0);
    std::unique_ptr<sim::SimRadio> good;
    RunCommand(run, cmd::kProductionLine, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CStationDlg*>(m);
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Production Line"));
      QCOMPARE(dialog->LogName()->text(), QDir::toNativeSeparators(gui::Qt(DefaultStationLogPath(run.dir.file("saved.7Q")))));
      QCOMPARE(LinkCommandsEnabled(run), 5);
      dialog->UseFolder(links);
      QTest::mouseClick(dialog->StartButton(), Qt::LeftButton);
      QVERIFY(dialog->Running());
      QCOMPARE(LinkCommandsEnabled(run), 0);
      QVERIFY(!run.Frame()->MenuAction(cmd::kProductionLine)->isEnabled());
      QVERIFY(!dialog->CloseButton()->isEnabled() && !dialog->Ports()->isEnabled());
      const QString goodCable = QStringLiteral("usb-Bench_Cable_GOOD-if00-port0");
      good = PlugIn(links, goodCable, fleet[0]);
      QTRY_VERIFY_WITH_TIMEOUT(RowOf(dialog, goodCable) >= 0, 30000);
      const int goodRow = RowOf(dialog, goodCable);
      QTRY_COMPARE_WITH_TIMEOUT(Status(dialog, goodRow), QStringLiteral("Done: programmed"), 60000);
      QCOMPARE(dialog->Table()->item(goodRow, StationTable::kCable)->text(), QStringLiteral("GOOD"));
      QCOMPARE(dialog->Table()->item(goodRow, StationTable::kRadios)->text(), QStringLiteral("1"));
      QTRY_COMPARE_WITH_TIMEOUT(dialog->Tally()->text(),
                                QStringLiteral("Programmed: 1    Already programmed: 0    Failed: 0"), 10000);
      QTest::mouseClick(dialog->StopButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 30000);
      QCOMPARE(dialog->Notice()->text(), QStringLiteral("The production line has ended."));
      QCOMPARE(LinkCommandsEnabled(run), 5);
      QVERIFY(dialog->CloseButton()->isEnabled());
      QTest::mouseClick(dialog->CloseButton(), Qt::LeftButton);
    }});
    const auto& sent = doc.Image();  // as a write sends it: index fields up to date
    QVERIFY(std::equal(sent.begin(), sent.begin() + kLinkedImageSize, good->Image().begin()));
    const std::string log = run.dir.read("saved-station.csv");
    QCOMPARE(std::count(log.begin(), log.end(), '\n'), 2);
    QVERIFY(!doc.IsModified());
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::StationDialogTest)
#include "StationDialogTest.moc"
