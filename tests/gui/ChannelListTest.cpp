// Channel lists in the window: File > Import Channels with its preview and choices, a CSV
// file dropped on the window, File > Export Channels, in both languages, driven as a user
// does it; what is checked is the bytes of the radio image and of the written file.
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QUrl>

#include "GuiTestSupport.h"
#include "core/interchange/ListSamples.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/lang/ControlIds.h"
#include "support/DocumentBytes.h"

namespace qorrin::gui::test {
namespace {

constexpr int kResultColumn = 9;

// The 16 bytes of channel n of an image, as hex.
QString Record(const std::string& image, int channel) {
  return QByteArray::fromStdString(image.substr(static_cast<std::size_t>(channel) * 16, 16)).toHex(' ').toUpper();
}

const QString kEmptyRecord = QStringLiteral("FF FF FF FF 00 FF FF FF FF 00 C0 00 FF FF FF FF");

QPushButton* OkButton(QWidget* dialog) { return WidgetWithId<QPushButton>(dialog, ctl::kOk); }

// A click on the box or circle of a check box or radio button (a button stretched by its
// layout takes clicks on its box and its text only).
void ClickChoice(QWidget* dialog, int id) {
  auto* button = WidgetWithId<QAbstractButton>(dialog, id);
  QVERIFY(button);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
}

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
    QCOMPARE(run.Frame()->MenuAction(cmd::kImportChannels)->text(), QStringLiteral("&Import Channels..."));
    const std::string path = run.dir.file("plan.csv");
    run.dir.write("plan.csv", qorrin::test::kSpreadsheetList + "3;WX;162,400000;;0;;88,5;88,5;023;NN;023;;WFM;;;;;;;;\r\n");
    const std::string before = run.Image();

    QStringList results;
    QString title;
    bool okBefore = false;
    QStringList unnamed;
    ModalScript script({[&](QWidget* m) { ChooseFile(m, QString::fromStdString(path)); },
                        [&](QWidget* dialog) {
                          title = dialog->windowTitle();
                          auto* preview = WidgetWithId<QTableWidget>(dialog, ctl::kImportPreview);
                          for (int r = 0; r < preview->rowCount(); ++r) results << preview->item(r, kResultColumn)->text();
                          okBefore = OkButton(dialog)->isEnabled();
                          unnamed = UnnamedControls(dialog);
                          // From channel 10 on, typed into the number field.
                          auto* first = WidgetWithId<QSpinBox>(dialog, ctl::kImportFirstChannel);
                          first->selectAll();
                          QTest::keyClicks(first, "10");
                          QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
                        }});
    run.Frame()->ExecuteCommand(cmd::kImportChannels);
    QVERIFY(script.Done());
    QCOMPARE(title, QStringLiteral("Import Channels - plan.csv"));
    QVERIFY(okBefore);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));
    QCOMPARE(results.size(), 3);
    QVERIFY2(results[0].startsWith(QStringLiteral("changed: name \"Relais Nord\" stored as \"RELA\"")), qPrintable(results[0]));
    QCOMPARE(results[2], QStringLiteral("refused: Mode WFM: the radio has FM and NFM only"));

    const std::string image = run.Image();
    QCOMPARE(Record(image, 10), QStringLiteral("00 25 57 14 00 00 00 06 00 09 D1 00 1D 10 17 0C"));
    QCOMPARE(Record(image, 11), QStringLiteral("00 00 55 14 00 00 00 00 00 00 10 00 1E 14 18 1B"));
    QCOMPARE(Record(image, 12), Record(before, 12));  // the refused row stored nothing
    QCOMPARE(Record(image, 1), Record(before, 1));    // merged: channel 1 keeps its own
    QVERIFY(run.app->Document().IsModified());
  }

  void replaceClearsTheOthersAndCancelStoresNothing() {
    RunningApp run;
    QVERIFY(run.Start());
    run.dir.write("two.csv", qorrin::test::kSpreadsheetList);
    const std::string before = run.Image();
    {
      ModalScript cancel({[&](QWidget* m) { ChooseFile(m, QString::fromStdString(run.dir.file("two.csv"))); },
                          [](QWidget* dialog) {
                            ClickChoice(dialog, ctl::kImportReplace);
                            ClickCancel(dialog);
                          }});
      run.Frame()->ExecuteCommand(cmd::kImportChannels);
      QVERIFY(cancel.Done());
    }
    QCOMPARE(run.Image(), before);
    QVERIFY(!run.app->Document().IsModified());

    // Channel 50 is programmed first; "replace" clears it, and the file's rows go to 1-2.
    qorrin::test::SetByte(run.app->Document(), 50 * 16 + 3, 0x14);
    ModalScript replace({[&](QWidget* m) { ChooseFile(m, QString::fromStdString(run.dir.file("two.csv"))); },
                         [](QWidget* dialog) {
                           ClickChoice(dialog, ctl::kImportFromChannel);
                           ClickChoice(dialog, ctl::kImportAsInFile);
                           ClickChoice(dialog, ctl::kImportReplace);
                           QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
                         }});
    run.Frame()->ExecuteCommand(cmd::kImportChannels);
    QVERIFY(replace.Done());
    const std::string image = run.Image();
    QCOMPARE(Record(image, 1), QStringLiteral("00 25 57 14 00 00 00 06 00 09 D1 00 1D 10 17 0C"));
    QCOMPARE(Record(image, 50), kEmptyRecord);
  }

  void aFileWithNothingToImportLeavesOkDisabled() {
    RunningApp run;
    QVERIFY(run.Start());
    run.dir.write("bad.csv", "Location,Frequency,Mode\n1,52.525,FM\n2,146.52,AM\n");
    bool okEnabled = true;
    QString summary;
    ModalScript script({[&](QWidget* m) { ChooseFile(m, QString::fromStdString(run.dir.file("bad.csv"))); },
                        [&](QWidget* dialog) {
                          okEnabled = OkButton(dialog)->isEnabled();
                          summary = WidgetWithId<QLabel>(dialog, 1187)->text();
                          ClickCancel(dialog);
                        }});
    run.Frame()->ExecuteCommand(cmd::kImportChannels);
    QVERIFY(script.Done());
    QVERIFY(!okEnabled);
    QCOMPARE(summary, QStringLiteral("no row can be imported; 2 refused; 0 changed"));

    // A header without Frequency: a message instead of the preview.
    run.dir.write("names.csv", "Location,Name\n1,A\n");
    ModalScript message({[&](QWidget* m) { ChooseFile(m, QString::fromStdString(run.dir.file("names.csv"))); }, ClickOk});
    run.Frame()->ExecuteCommand(cmd::kImportChannels);
    QVERIFY(message.Done());
    QVERIFY2(message.Text(1).contains(QStringLiteral("no Frequency column")), qPrintable(message.Text(1)));
  }

  void aDroppedCsvFileOpensTheImport() {
    RunningApp run;
    QVERIFY(run.Start());
    run.dir.write("drop.csv", "Frequency\n146.52\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(run.dir.file("drop.csv")))});
    // As a drag arrives: it enters the window, then drops.
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(run.Frame(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    ModalScript script([](QWidget* dialog) { QTest::mouseClick(OkButton(dialog), Qt::LeftButton); });
    QApplication::sendEvent(run.Frame(), &drop);
    QVERIFY(script.Done());
    QCOMPARE(script.Title(), QStringLiteral("Import Channels - drop.csv"));
    QCOMPARE(Record(run.Image(), 1), QStringLiteral("00 20 65 14 00 00 00 00 00 00 C0 00 FF FF FF FF"));
    QVERIFY(run.app->Document().GetPathName().empty());  // still the same, untitled document
  }

  void exportWritesTheProgrammedChannels() {
    RunningApp run;
    QVERIFY(run.Start());
    const std::string path = run.dir.file("out.csv");
    ModalScript script([&](QWidget* m) { ChooseFile(m, QString::fromStdString(path)); });
    run.Frame()->ExecuteCommand(cmd::kExportChannels);
    QVERIFY(script.Done());
    QCOMPARE(run.dir.read("out.csv"),
             qorrin::test::kFullHeader + "\r\n1,,136.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n");
  }

  void theDialogSpeaksChinese() {
    RunningApp run;
    run.SetLine("setup", "language", "chinese");
    QVERIFY(run.Start());
    QCOMPARE(run.Frame()->MenuAction(cmd::kExportChannels)->text(), QStringLiteral("导出信道(&E)..."));
    run.dir.write("zh.csv", "Location,Frequency\n1,52.525\n2,146.52\n");
    QString result;
    QString replaceText;
    QString firstName;
    QStringList unnamed;
    ModalScript script({[&](QWidget* m) { ChooseFile(m, QString::fromStdString(run.dir.file("zh.csv"))); },
                        [&](QWidget* dialog) {
                          result = WidgetWithId<QTableWidget>(dialog, ctl::kImportPreview)->item(0, kResultColumn)->text();
                          replaceText = WidgetWithId<QCheckBox>(dialog, ctl::kImportReplace)->text();
                          firstName = WidgetWithId<QSpinBox>(dialog, ctl::kImportFirstChannel)->accessibleName();
                          unnamed = UnnamedControls(dialog);
                          ClickCancel(dialog);
                        }});
    run.Frame()->ExecuteCommand(cmd::kImportChannels);
    QVERIFY(script.Done());
    QCOMPARE(script.Title(1), QStringLiteral("导入信道 - zh.csv"));
    QCOMPARE(result, QStringLiteral("拒绝：52.525000 MHz 超出 136.000-174.000 MHz 范围"));
    QCOMPARE(replaceText, QStringLiteral("替换全部信道（清除文件中未指定的信道）(&R)"));
    QCOMPARE(firstName, QStringLiteral("从以下信道开始(F)："));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::ChannelListTest)
#include "ChannelListTest.moc"
