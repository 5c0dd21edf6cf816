// Comparing with a file and with the radio, and opening an automatic backup.

#include "GuiTestSupport.h"
#include "core/backup/BackupStore.h"

namespace qorrin::gui::test {
namespace {

struct Shown {
  QString summary, sides, lines;
};

// Reads what the differences dialog shows, then closes it.
ModalScript::Action ReadDifferences(Shown& shown) {
  return [&shown](QWidget* modal) {
    if (auto* summary = modal->findChild<QLabel*>(QStringLiteral("summary"))) shown.summary = summary->text();
    if (auto* sides = modal->findChild<QLabel*>(QStringLiteral("sides")); sides && sides->isVisible()) {
      shown.sides = sides->text();
    }
    auto* list = modal->findChild<QPlainTextEdit*>(QStringLiteral("differences"));
    if (list && list->isVisible()) shown.lines = list->toPlainText();
    ClickOk(modal);
  };
}

}  // namespace

class CompareTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // With the radio: read aside, listed, and backed up.
  void withTheRadioAndAFileListWhatDiffersAndChangeNothing() {
    QORRIN_START_APP(run, doc);
    const sim::RadioImage image = DemoRadio(run);
    const auto radio = RadioOnPort1(run, image);
    const std::string before = run.Image();
    Shown shown;
    QCOMPARE(RunCommand(run, cmd::kCompareRadio, {StartTransfer, ReadDifferences(shown)})->Title(1),
             QStringLiteral("Compare with Radio"));
    QVERIFY2(shown.lines.contains(QStringLiteral("channel 2")), qPrintable(shown.lines));
    QCOMPARE(shown.sides, QStringLiteral("document -> radio"));
    QCOMPARE(run.Image(), before);  // the radio's image went to the list only
    QVERIFY(!doc.IsModified());

    // The read was backed up: the backups command opens that folder and the file.
    const std::vector<BackupEntry> backups = ListBackups();
    QVERIFY(!backups.empty());
    QString folder;
    RunCommand(run, cmd::kFileBackups, {[&](QWidget* m) {
      folder = qobject_cast<QFileDialog*>(m)->directory().absolutePath();
      auto* view = m->findChild<QTreeView*>();
      QVERIFY(view && view->isVisible());
      QTRY_COMPARE(view->model()->index(0, 0, view->rootIndex()).data().toString(),
                   QString::fromStdString(backups.front().strFileName));
      ChooseFile(m, QString::fromStdString(backups.front().strPath));
    }});
    QCOMPARE(folder, QString::fromStdString(BackupFolder()));
    QCOMPARE(doc.GetPathName(), backups.front().strPath);
    QVERIFY(std::equal(image.begin(), image.begin() + 0x7F0, doc.Image().begin()));

    // With a file (what differs is DocumentDiffTest's): counted, sides named, nothing changed.
    const std::string path = run.dir.file("saved.7Q");
    QVERIFY(doc.OnSaveDocument(path).bOk);
    const auto compare = [&](Shown& into) {
      QCOMPARE(RunCommand(run, cmd::kCompareFile, {Choosing(QString::fromStdString(path)), ReadDifferences(into)})
                   ->Title(1), QStringLiteral("Compare with File: saved.7Q"));
    };
    Shown one;
    qorrin::test::EditAsUser(doc, [](ImageSpan image, const BandLimits&) { image[kOptSquelch] = 3; });
    const std::string compared = run.Image();
    compare(one);
    QCOMPARE(one.summary, QStringLiteral("1 difference:"));
    QVERIFY2(one.lines.startsWith(QStringLiteral("squelch: 3 -> ")) && !one.lines.contains(QLatin1Char('\n')),
             qPrintable(one.lines));
    QCOMPARE(one.sides, QStringLiteral("document -> saved.7Q"));
    QCOMPARE(run.Image(), compared);
    QCOMPARE(doc.GetPathName(), path);
    QVERIFY(doc.IsModified());
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::CompareTest)
#include "CompareTest.moc"
