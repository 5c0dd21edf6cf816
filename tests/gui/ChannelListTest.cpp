// Import Channels with its preview and choices, a dropped CSV file, Export Channels; what
// the rows become is ChannelImportTest's, here the choices reach them.

#include "GuiTestSupport.h"
#include "gui/lang/QtText.h"
#include "core/interchange/ListSamples.h"

namespace qorrin::gui::test {
namespace {

constexpr int kResultColumn = 9;

QPushButton* OkButton(QWidget* dialog) { return WidgetWithId<QPushButton>(dialog, ctl::kOk); }

void ClickChoice(QWidget* dialog, int id) { ClickBox(WidgetWithId<QAbstractButton>(dialog, id)); }

}  // namespace

class ChannelListTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Cancel stores nothing; a file without a Frequency column gets a message instead of the
  // preview; "replace" clears the rest. Which rows land how is ChannelImportTest's.
  void importChoicesDropAndExport() {
    QORRIN_START_APP(run, doc);
    run.dir.write("two.csv", qorrin::test::kSpreadsheetList);
    run.dir.write("names.csv", "Location,Name\n1,A\n");
    QString message;  // of the last import's second window
    const auto import = [&](const char* file, ModalScript::Action answer) {
      message = RunCommand(run, cmd::kImportChannels, {Choosing(run.File(file)), answer})->Text(1);
    };
    const std::string before = run.Image();
    import("two.csv", [](QWidget* dialog) {
      ClickChoice(dialog, ctl::kImportReplace);
      ClickCancel(dialog);
    });
    QCOMPARE(run.Image(), before);
    QVERIFY(!doc.IsModified());
    import("names.csv", ClickOk);
    QVERIFY2(message.contains(QStringLiteral("no Frequency column")), qPrintable(message));

    // "Replace" clears the programmed channel 50; the preview marks the row that lands on
    // channel 1, and OK asks first: Cancel there keeps the preview, OK stores.
    qorrin::test::SetByte(doc, 50 * 16 + 3, 0x14);
    const std::string programmed = run.Image();
    import("two.csv", [&](QWidget* dialog) {
      ClickChoice(dialog, ctl::kImportFromChannel);
      ClickChoice(dialog, ctl::kImportAsInFile);
      auto* preview = WidgetWithId<QTableWidget>(dialog, ctl::kImportPreview);
      QVERIFY(preview->item(0, kResultColumn)->text().startsWith(QStringLiteral("replaces a programmed channel")));
      QVERIFY(preview->item(1, kResultColumn)->text().startsWith(QStringLiteral("changed: ")));
      ClickChoice(dialog, ctl::kImportReplace);
      ModalScript no(ClickCancel);
      QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
      QCOMPARE(no.Text(), QStringLiteral("Programmed channels the import replaces: 2 (1, 50).\nDo you want to continue?"));
      QVERIFY(dialog->isVisible());
      QCOMPARE(run.Image(), programmed);
      ModalScript yes(ClickOk);
      QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
      QVERIFY(yes.Done());
    });
    QCOMPARE(RecordHex(run.Image(), 1), QStringLiteral("00 25 57 14 00 00 00 06 00 09 D1 00 1D 10 17 0C"));
    QVERIFY(IsRecordEmpty(doc.Image(), 50));

    // A dropped CSV file opens the import for the same, untitled document; export writes
    // the programmed channels (what it writes is ChannelExportTest's).
    RunCommand(run, cmd::kFileNew, {ClickNo, ClickOk});
    run.dir.write("drop.csv", "Frequency\n146.52\n");
    // The list has no power: the user picks the one it gets, and the summary says so.
    ModalScript script([](QWidget* dialog) {
      Pick(WidgetWithId<QComboBox>(dialog, ctl::kImportPower), 1);
      const QString summary = WidgetWithId<QLabel>(dialog, ctl::kImportSummary)->text();
      QVERIFY2(summary.contains(QStringLiteral("no Power column: channels stored at low power")), qPrintable(summary));
      ModalScript question(ClickOk);  // the new document's channel 1 is programmed
      QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
    });
    QVERIFY(DropFile(run, run.dir.file("drop.csv")));
    QCOMPARE(script.Title(), QStringLiteral("Import Channels - drop.csv"));
    QCOMPARE(RecordHex(run.Image(), 1), QStringLiteral("00 20 65 14 00 00 00 00 00 00 40 00 FF FF FF FF"));
    QVERIFY(doc.GetPathName().empty());
    RunCommand(run, cmd::kExportChannels, {Choosing(run.File("out.csv"))});
    QCOMPARE(run.dir.read("out.csv"),
             qorrin::test::kFullHeader + "\r\n1,,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,1.0W,,,,,\r\n");

  }

  // File dialogs start in the project's folder, else the one used last; none is stored.
  void fileDialogsStartInTheProjectsFolder() {
    QORRIN_START_APP(run, doc);
    const QString lists = run.File("lists");
    const QString project = run.File("project");
    QVERIFY(QDir().mkpath(lists) && QDir().mkpath(project));
    run.dir.write("lists/a.csv", "Frequency\n146.52\n");
    QStringList folders;  // where each dialog started
    const auto seen = [&](ModalScript::Action answer) {
      return [&folders, answer](QWidget* m) {
        folders << qobject_cast<QFileDialog*>(m)->directory().absolutePath();
        answer(m);
      };
    };
    // Untitled, nothing used yet: the home folder; a list chosen there is imported.
    RunCommand(run, cmd::kImportChannels, {seen(Choosing(lists + QStringLiteral("/a.csv"))), ClickCancel});
    RunCommand(run, cmd::kExportChannels, {seen(ClickCancel)});
    QVERIFY(doc.OnSaveDocument(Std(project + QStringLiteral("/radio.7Q"))).bOk);
    RunCommand(run, cmd::kImportChannels, {seen(ClickCancel)});
    QCOMPARE(folders, (QStringList{QDir::homePath(), lists, project}));
    QVERIFY(!run.SettingsHold("lists"));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::ChannelListTest)
#include "ChannelListTest.moc"
