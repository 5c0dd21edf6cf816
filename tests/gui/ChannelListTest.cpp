// Channel lists in the window: File > Import Channels with its preview and choices, a CSV
// file dropped on the window, File > Export Channels, in both languages, driven as a user
// does it; what is checked is the bytes of the radio image and of the written file.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include "GuiTestSupport.h"
#include "core/interchange/ListSamples.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/RecordFields.h"
#include "gui/app/CMainFrame.h"
#include "gui/lang/ControlIds.h"
#include "support/DocumentBytes.h"

namespace qorrin::gui::test {
namespace {

constexpr int kResultColumn = 9;

QPushButton* OkButton(QWidget* dialog) { return WidgetWithId<QPushButton>(dialog, ctl::kOk); }

void ClickChoice(QWidget* dialog, int id) { ClickBox(WidgetWithId<QAbstractButton>(dialog, id)); }

// Every control a user can reach from the keyboard carries a name for screen readers.
QStringList UnnamedControls(QWidget* dialog) {
  QStringList unnamed;
  for (QWidget* widget : dialog->findChildren<QWidget*>()) {
    // The text field inside a spin box is the spin box's own part.
    const bool part = widget->parentWidget() && widget->parentWidget()->inherits("QAbstractSpinBox");
    if (widget->isVisible() && widget->focusPolicy() != Qt::NoFocus && widget->accessibleName().isEmpty() && !part) {
      unnamed << QString::fromLatin1(widget->metaObject()->className());
    }
  }
  return unnamed;
}

}  // namespace

class ChannelListTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void importPreviewsTheRowsAndStoresThemFromTheChosenChannel() {
    RunningApp run;
    QVERIFY(run.Start());
    const std::string path = run.dir.file("plan.csv");
    run.dir.write("plan.csv", qorrin::test::kSpreadsheetList + "3;WX;162,400000;;0;;88,5;88,5;023;NN;023;;WFM;;;;;;;;\r\n");
    const std::string before = run.Image();

    QStringList results;
    QString title;
    QStringList unnamed;
    RunCommand(run, cmd::kImportChannels,
               {[&](QWidget* m) { ChooseFile(m, QString::fromStdString(path)); },
                [&](QWidget* dialog) {
                  title = dialog->windowTitle();
                  auto* preview = WidgetWithId<QTableWidget>(dialog, ctl::kImportPreview);
                  for (int r = 0; r < preview->rowCount(); ++r) results << preview->item(r, kResultColumn)->text();
                  unnamed = UnnamedControls(dialog);
                  // From channel 10 on, typed into the number field.
                  auto* first = WidgetWithId<QSpinBox>(dialog, ctl::kImportFirstChannel);
                  first->selectAll();
                  QTest::keyClicks(first, "10");
                  QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
                }});
    QCOMPARE(title, QStringLiteral("Import Channels - plan.csv"));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));
    QCOMPARE(results.size(), 3);
    QVERIFY2(results[2].startsWith(QStringLiteral("refused: ")), qPrintable(results[2]));

    const std::string image = run.Image();
    QCOMPARE(RecordHex(image, 10), QStringLiteral("00 25 57 14 00 00 00 06 00 09 D1 00 1D 10 17 0C"));
    QCOMPARE(RecordHex(image, 1), RecordHex(before, 1));    // merged: channel 1 keeps its own
    QVERIFY(run.app->Document().IsModified());
  }

  // Cancel stores nothing; a file with nothing to import leaves OK disabled, one without
  // a Frequency column gets a message instead of the preview; "replace" clears the rest.
  void cancelNothingToImportAndReplace() {
    RunningApp run;
    QVERIFY(run.Start());
    run.dir.write("two.csv", qorrin::test::kSpreadsheetList);
    run.dir.write("bad.csv", "Location,Frequency,Mode\n1,52.525,FM\n2,146.52,AM\n");
    run.dir.write("names.csv", "Location,Name\n1,A\n");
    QString message;  // of the last import's second window
    const auto import = [&](const char* file, ModalScript::Action answer) {
      message = RunCommand(run, cmd::kImportChannels,
                           {[&](QWidget* m) { ChooseFile(m, QString::fromStdString(run.dir.file(file))); }, answer})
                    ->Text(1);
    };
    const std::string before = run.Image();
    import("two.csv", [](QWidget* dialog) {
      ClickChoice(dialog, ctl::kImportReplace);
      ClickCancel(dialog);
    });
    QCOMPARE(run.Image(), before);
    QVERIFY(!run.app->Document().IsModified());
    bool okEnabled = true;
    import("bad.csv", [&](QWidget* dialog) {
      okEnabled = OkButton(dialog)->isEnabled();
      ClickCancel(dialog);
    });
    QVERIFY(!okEnabled);
    import("names.csv", ClickOk);
    QVERIFY2(message.contains(QStringLiteral("no Frequency column")), qPrintable(message));

    // Channel 50 is programmed first; "replace" clears it, and the file's rows go to 1-2.
    qorrin::test::SetByte(run.app->Document(), 50 * 16 + 3, 0x14);
    import("two.csv", [](QWidget* dialog) {
      ClickChoice(dialog, ctl::kImportFromChannel);
      ClickChoice(dialog, ctl::kImportAsInFile);
      ClickChoice(dialog, ctl::kImportReplace);
      QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
    });
    QCOMPARE(RecordHex(run.Image(), 1), QStringLiteral("00 25 57 14 00 00 00 06 00 09 D1 00 1D 10 17 0C"));
    QVERIFY(IsRecordEmpty(run.app->Document().Image(), 50));
  }

  // A CSV file dropped on the window opens the import for the same, untitled document;
  // export writes the programmed channels; the dialog speaks the chosen language.
  void droppedFileImportsExportWritesInEitherLanguage() {
    RunningApp run;
    QVERIFY(run.Start());
    run.dir.write("drop.csv", "Frequency\n146.52\n");
    ModalScript script([](QWidget* dialog) { QTest::mouseClick(OkButton(dialog), Qt::LeftButton); });
    QVERIFY(DropFile(run, run.dir.file("drop.csv")));
    QCOMPARE(script.Title(), QStringLiteral("Import Channels - drop.csv"));
    QCOMPARE(RecordHex(run.Image(), 1), QStringLiteral("00 20 65 14 00 00 00 00 00 00 C0 00 FF FF FF FF"));
    QVERIFY(run.app->Document().GetPathName().empty());

    RunCommand(run, cmd::kExportChannels, {[&](QWidget* m) { ChooseFile(m, QString::fromStdString(run.dir.file("out.csv"))); }});
    QCOMPARE(run.dir.read("out.csv"),
             qorrin::test::kFullHeader + "\r\n1,,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n");

    // In the other language the dialog and what it says of each row are that language's.
    run.Frame()->ExecuteCommand(cmd::kNextLanguage);
    run.dir.write("zh.csv", "Location,Frequency\n1,52.525\n2,146.52\n");
    QString result, replaceText;
    const auto chinese = RunCommand(run, cmd::kImportChannels,
                                    {[&](QWidget* m) { ChooseFile(m, QString::fromStdString(run.dir.file("zh.csv"))); },
                                     [&](QWidget* dialog) {
                                       result = WidgetWithId<QTableWidget>(dialog, ctl::kImportPreview)->item(0, kResultColumn)->text();
                                       replaceText = WidgetWithId<QCheckBox>(dialog, ctl::kImportReplace)->text();
                                       ClickCancel(dialog);
                                     }});
    QCOMPARE(chinese->Title(1), QStringLiteral("导入信道 - zh.csv"));
    QVERIFY2(result.startsWith(QStringLiteral("拒绝：")), qPrintable(result));
    QCOMPARE(replaceText, QStringLiteral("替换全部信道（清除文件中未指定的信道）(&R)"));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::ChannelListTest)
#include "ChannelListTest.moc"
