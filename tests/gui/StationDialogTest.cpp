// Program > Production Line against simulated radios plugged into a folder of links: the
// rows, their colours and the tally as the radios come, the window's link commands greyed
// while the line runs, the log beside the plan or where the user says for a new plan.

#include "GuiTestSupport.h"
#include "core/transfer/StationLog.h"
#include "gui/lang/QtText.h"
#include "gui/link/CStationDlg.h"
#include "gui/link/StationTable.h"
#include "sim/FleetImages.h"
#include "sim/SimRadio.h"

namespace qorrin::gui::test {

namespace {

// A radio whose cable's link is in `folder`.
std::unique_ptr<sim::SimRadio> PlugIn(const QString& folder, const QString& cable, const sim::RadioImage& image) {
  sim::SimConfig config;
  config.linkPath = Std(folder + QStringLiteral("/") + cable);
  auto radio = std::make_unique<sim::SimRadio>(config, image);
  std::string error;
  if (!radio->Start(&error)) qWarning("radio: %s", error.c_str());
  return radio;
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
  // Two cables at once: one radio is programmed (green "Done"), the other is of another
  // frequency range (red "Failed"); the tally and the log say so; Stop ends the line and
  // gives the window its link commands back. Every control is named for assistive tools.
  void twoCablesAtOnce() {
    RunningApp run;
    QVERIFY(run.Start());
    QVERIFY(run.SaveAside());  // the plan has a file: the log goes beside it
    const QString links = QString::fromStdString(run.dir.file("links"));
    QDir().mkpath(links);
    sim::RadioImage plan{};
    std::copy(run.app->Document().Image().begin(), run.app->Document().Image().end(), plan.begin());
    const std::vector<sim::RadioImage> fleet = sim::FleetImages(plan, 2, 0, 2);
    std::unique_ptr<sim::SimRadio> good, other;
    RunCommand(run, cmd::kProductionLine, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CStationDlg*>(m);
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Production Line"));
      QCOMPARE(dialog->LogName()->text(), QDir::toNativeSeparators(gui::Qt(DefaultStationLogPath(run.dir.file("saved.7Q")))));
      for (QWidget* control : dialog->findChildren<QWidget*>()) {
        if (control->isVisible() && control->focusPolicy() != Qt::NoFocus) {
          QVERIFY2(!control->accessibleName().isEmpty(), control->metaObject()->className());
        }
      }
      QCOMPARE(LinkCommandsEnabled(run), 5);
      dialog->UseFolder(links);
      QTest::mouseClick(dialog->StartButton(), Qt::LeftButton);
      QVERIFY(dialog->Running());
      QCOMPARE(LinkCommandsEnabled(run), 0);
      QVERIFY(!run.Frame()->MenuAction(cmd::kProductionLine)->isEnabled());
      QVERIFY(!dialog->CloseButton()->isEnabled() && !dialog->Ports()->isEnabled());
      good = PlugIn(links, QStringLiteral("usb-Bench_Cable_GOOD-if00-port0"), fleet[0]);
      other = PlugIn(links, QStringLiteral("usb-Bench_Cable_UHF-if00-port0"), fleet[1]);
      QTRY_VERIFY_WITH_TIMEOUT(RowOf(dialog, QStringLiteral("usb-Bench_Cable_GOOD-if00-port0")) >= 0 &&
                                   RowOf(dialog, QStringLiteral("usb-Bench_Cable_UHF-if00-port0")) >= 0, 30000);
      const int goodRow = RowOf(dialog, QStringLiteral("usb-Bench_Cable_GOOD-if00-port0"));
      const int otherRow = RowOf(dialog, QStringLiteral("usb-Bench_Cable_UHF-if00-port0"));
      QTRY_COMPARE_WITH_TIMEOUT(Status(dialog, goodRow), QStringLiteral("Done: programmed"), 60000);
      QTRY_COMPARE_WITH_TIMEOUT(Status(dialog, otherRow), QStringLiteral("Failed: wrong model"), 60000);
      QCOMPARE(dialog->Table()->item(goodRow, StationTable::kCable)->text(), QStringLiteral("GOOD"));
      QCOMPARE(dialog->Table()->item(goodRow, StationTable::kRadios)->text(), QStringLiteral("1"));
      QTRY_COMPARE_WITH_TIMEOUT(dialog->Tally()->text(),
                                QStringLiteral("Programmed: 1    Already programmed: 0    Failed: 1"), 10000);
      QTest::mouseClick(dialog->StopButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 30000);
      QCOMPARE(dialog->Notice()->text(), QStringLiteral("The production line has ended."));
      QCOMPARE(LinkCommandsEnabled(run), 5);
      QVERIFY(dialog->CloseButton()->isEnabled());
      QTest::mouseClick(dialog->CloseButton(), Qt::LeftButton);
    }});
    const auto& sent = run.app->Document().Image();  // as a write sends it: index fields up to date
    QVERIFY(std::equal(sent.begin(), sent.begin() + kLinkedImageSize, good->Image().begin()));
    QVERIFY(std::equal(fleet[1].begin(), fleet[1].end(), other->Image().begin()));
    const std::string log = run.dir.read("saved-station.csv");
    QCOMPARE(std::count(log.begin(), log.end(), '\n'), 3);
    QVERIFY(!run.app->Document().IsModified());
  }

  // A plan never saved: Start asks where the log goes, and Cancel there starts nothing.
  // Closing the window's dialog while the line runs does not end it.
  void newPlanAsksForTheLog() {
    RunningApp run;
    QVERIFY(run.Start());
    const QString log = QString::fromStdString(run.dir.file("bench.csv"));
    RunCommand(run, cmd::kProductionLine, {[&](QWidget* m) {
      auto* dialog = qobject_cast<CStationDlg*>(m);
      QCOMPARE(dialog->LogName()->text(), QStringLiteral("(asked for when the line starts)"));
      dialog->UseFolder(QString::fromStdString(run.dir.file("links")));
      Answering([&] { QTest::mouseClick(dialog->StartButton(), Qt::LeftButton); }, {ClickCancel});
      QVERIFY(!dialog->Running());
      const auto asked = Answering([&] { QTest::mouseClick(dialog->StartButton(), Qt::LeftButton); },
                                   {[&](QWidget* box) { ChooseFile(box, log); }});
      QCOMPARE(asked->Title(), QStringLiteral("Where should the log of the radios go?"));
      QVERIFY(dialog->Running());
      QCOMPARE(dialog->LogName()->text(), QDir::toNativeSeparators(log));
      QTest::keyClick(dialog, Qt::Key_Escape);
      QVERIFY(dialog->isVisible() && dialog->Running());
      QTest::mouseClick(dialog->StopButton(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 30000);
      QTest::keyClick(dialog, Qt::Key_Escape);
    }});
    QCOMPARE(QString::fromStdString(run.dir.read("bench.csv")), QString::fromStdString(StationLog::Heading()));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::StationDialogTest)
#include "StationDialogTest.moc"
