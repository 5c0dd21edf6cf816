// New, Open, Save, Save As and closing, driven through the window's commands and keys,
// answered as a user answers the questions; the files are checked byte by byte.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QFileDialog>
#include <QMessageBox>

#include <filesystem>

#include "GuiTestSupport.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/lang/ControlIds.h"

namespace qorrin::gui::test {

namespace {

const QString kSaveUntitled = QStringLiteral("To save changes to Item?");
const QStringList kSaveButtons = {QStringLiteral("&Yes"), QStringLiteral("&No"), QStringLiteral("Cancel")};

// Programs channel 7 without the index-field update, so Save and Save As differ.
void EditSomething(CQorrinDoc& doc) {
  doc.SetFrequencyText(7, true, "145.50000");
  doc.SetFmPreset(3, 42);
  doc.SetModifiedFlag(true);
}

QStringList Sorted(QStringList list) {
  list.sort();
  return list;
}

}  // namespace

class DocumentCommandsTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void newAsksToClearAndCancelKeepsEverything() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    doc.SetFmPreset(3, 42);  // an unmodified document with something to lose
    const std::string before = run.Image();
    {
      ModalScript clear(ClickCancel);
      PressKey(run, Qt::Key_N, Qt::ControlModifier);
      QVERIFY(clear.Seen());
      QCOMPARE(clear.Text(), QStringLiteral("All channels and settings of the current data will be cleared.\nDo you want to continue?"));
      QCOMPARE(clear.Title(), QStringLiteral("Warning"));
    }
    QCOMPARE(run.Image(), before);
    {
      ModalScript clear(ClickOk);
      run.Frame()->MenuAction(cmd::kFileNew)->trigger();
      QVERIFY(clear.Seen());
    }
    QCOMPARE(doc.GetFmPreset(3), 0);
  }

  void saveChangesOnNewYesNoCancel() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();

    // Cancel: nothing else is asked and nothing changes.
    EditSomething(doc);
    const std::string edited = run.Image();
    {
      ModalScript save(ClickCancel);
      run.Frame()->ExecuteCommand(cmd::kFileNew);
      QVERIFY(save.Seen());
      QCOMPARE(save.Text(), kSaveUntitled);
      QCOMPARE(Sorted(save.Buttons()), Sorted(kSaveButtons));
      QCOMPARE(save.Title(), QStringLiteral("qorrin"));
    }
    QCOMPARE(run.Image(), edited);
    QVERIFY(doc.IsModified());

    // No: the edit is dropped after the clear question.
    {
      ModalScript script({[](QWidget* m) { ClickButton(m, "&No"); }, ClickOk});
      run.Frame()->ExecuteCommand(cmd::kFileNew);
      QVERIFY(script.Done());
      QCOMPARE(script.Text(0), kSaveUntitled);
      QCOMPARE(script.Title(1), QStringLiteral("Warning"));
    }
    QCOMPARE(doc.GetFmPreset(3), 0);

    // Yes on an untitled document asks for a name and writes the image as it stands
    // (no index update, no overwrite question), then clears.
    EditSomething(doc);
    const std::string unsaved = run.Image();
    const QString path = QString::fromStdString(run.dir.file("kept.7Q"));
    {
      ModalScript script({[](QWidget* m) { ClickButton(m, "&Yes"); },
                          [&](QWidget* m) { ChooseFile(m, path); }, ClickOk});
      run.Frame()->ExecuteCommand(cmd::kFileNew);
      QVERIFY(script.Done());
      QCOMPARE(script.Text(2).left(12), QStringLiteral("All channels"));
    }
    QCOMPARE(ImageOfFile(path.toStdString()), unsaved);
    QCOMPARE(doc.GetFmPreset(3), 0);
    QCOMPARE(run.app->Recent().Entries().value(0), path);
  }

  void savedDocumentIsNamedAndClosingCanBeCancelled() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    const QString path = QString::fromStdString(run.dir.file("radio.7Q"));
    {
      ModalScript name([&](QWidget* m) { ChooseFile(m, path); });
      run.Frame()->ExecuteCommand(cmd::kFileSaveAs);
      QVERIFY(name.Seen());
    }
    EditSomething(doc);
    {
      ModalScript save(ClickCancel);
      QVERIFY(!run.Frame()->close());
      QCOMPARE(save.Text(), QStringLiteral("To save changes to radio.7Q?"));
    }
    QVERIFY(run.Frame()->isVisible());
    // Yes saves under the file's own name without the overwrite question.
    const std::string edited = run.Image();
    {
      ModalScript save([&](QWidget* m) { ClickButton(m, "&Yes"); });
      QVERIFY(run.Frame()->close());
      QVERIFY(save.Seen());
    }
    QCOMPARE(ImageOfFile(path.toStdString()), edited);
  }

  void saveUpdatesIndexFieldsAndAsksSaveAsDoesNeither() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    EditSomething(doc);
    const QString plain = QString::fromStdString(run.dir.file("plain.7Q"));
    {
      // A second question would be answered by the second action.
      ModalScript script({[&](QWidget* m) { ChooseFile(m, plain); }, [](QWidget* m) { m->close(); }});
      run.Frame()->ExecuteCommand(cmd::kFileSaveAs);
      QTest::qWait(30);
      QCOMPARE(script.Seen(), 1);
    }
    const std::string asIs = ImageOfFile(plain.toStdString());

    // Save on a named document: the overwrite question with the path; Cancel writes nothing.
    {
      ModalScript overwrite(ClickCancel);
      PressKey(run, Qt::Key_S, Qt::ControlModifier);
      QVERIFY(overwrite.Seen());
      QCOMPARE(overwrite.Text(), QStringLiteral("Overwrite this file with the current data?\n") + plain);
    }
    QCOMPARE(ImageOfFile(plain.toStdString()), asIs);
    {
      ModalScript overwrite(ClickOk);
      run.Frame()->ExecuteCommand(cmd::kFileSave);
      QVERIFY(overwrite.Seen());
    }
    const std::string indexed = ImageOfFile(plain.toStdString());
    QVERIFY(indexed != asIs);
    QCOMPARE(indexed, run.Image());
    QCOMPARE(static_cast<unsigned char>(indexed[0x7D0]), 0x41);  // channels 1 and 7 in use
  }

  void openFromTheRecentListAndAFileThatCannotBeWritten() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    const QString first = QString::fromStdString(run.dir.file("first.7Q"));
    QVERIFY(doc.SaveWithIndexFields(first.toStdString()).bOk);
    const std::string firstImage = run.Image();
    {
      ModalScript clear(ClickOk);
      run.Frame()->ExecuteCommand(cmd::kFileNew);
    }
    QVERIFY(run.app->OpenDocumentFile(first));
    QVERIFY(doc.GetFmPreset(1) == 0);
    {
      ModalScript clear(ClickOk);
      run.Frame()->ExecuteCommand(cmd::kFileNew);
    }
    doc.SetFmPreset(1, 9);
    doc.SetModifiedFlag(true);

    // The recent entry: after the save question (No) the file opens again.
    QAction* recent = nullptr;
    for (QAction* action : qobject_cast<QMenu*>(run.Frame()->MenuAction(cmd::kFileNew)->parent())->actions()) {
      if (CommandId(action) == cmd::kFileMruFirst) recent = action;
    }
    QVERIFY(recent);
    QVERIFY(recent->text().endsWith(first));
    {
      ModalScript save([&](QWidget* m) { ClickButton(m, "&No"); });
      recent->trigger();
      QVERIFY(save.Seen());
    }
    QCOMPARE(run.Image(), firstImage);
    QCOMPARE(doc.GetPathName(), first.toStdString());

    // A file whose folder has gone cannot be written: the message names it and says
    // why, and the edit stays.
    std::filesystem::create_directory(run.dir.path() / "gone");
    const std::string lost = run.dir.file("gone/lost.7Q");
    QVERIFY(doc.OnSaveDocument(lost).bOk);
    std::filesystem::remove_all(run.dir.path() / "gone");
    doc.SetFmPreset(1, 9);
    doc.SetModifiedFlag(true);
    {
      ModalScript script({ClickOk, ClickOk});
      PressKey(run, Qt::Key_S, Qt::ControlModifier);
      QVERIFY(script.Done());
      QVERIFY(script.Text(1).startsWith(QStringLiteral("The file could not be saved.")));
      QVERIFY(script.Text(1).contains(QString::fromStdString(lost)));
      QVERIFY(script.Text(1).contains(QStringLiteral("No such file or directory")));
    }
    QVERIFY(doc.IsModified());
    QCOMPARE(doc.GetFmPreset(1), 9);
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
