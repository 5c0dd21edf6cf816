// New, Open, Save, Save As and closing, driven through the window's commands and keys,
// answered as a user answers the questions; the files are checked byte by byte.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include <filesystem>

#include "GuiTestSupport.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/CMainFrame.h"
#include "support/DocumentBytes.h"
#include "gui/lang/ControlIds.h"

namespace qorrin::gui::test {

namespace {

const QString kSaveUntitled = QStringLiteral("To save changes to Item?");
const QStringList kSaveButtons = {QStringLiteral("&Yes"), QStringLiteral("&No"), QStringLiteral("Cancel")};

// Programs channel 7 without the index-field update, so Save and Save As differ.
void EditSomething(CQorrinDoc& doc) {
  qorrin::test::Poke(doc, [&](ImageSpan image, const BandLimits& limits) { SetFrequencyText(image, limits, 7, true, "145.50000"); });
  qorrin::test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetFmPreset(image, 3, 42); });
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
    qorrin::test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetFmPreset(image, 3, 42); });  // an unmodified document with something to lose
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
    QCOMPARE(GetFmPreset(doc.Image(), 3), 0);
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
    QCOMPARE(GetFmPreset(doc.Image(), 3), 0);

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
    QCOMPARE(GetFmPreset(doc.Image(), 3), 0);
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
    QCOMPARE(run.app->OpenDocumentFile(first), CQorrinApp::OpenOutcome::Opened);
    QVERIFY(GetFmPreset(doc.Image(), 1) == 0);
    {
      ModalScript clear(ClickOk);
      run.Frame()->ExecuteCommand(cmd::kFileNew);
    }
    qorrin::test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetFmPreset(image, 1, 9); });
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
    qorrin::test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetFmPreset(image, 1, 9); });
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
    QCOMPARE(GetFmPreset(doc.Image(), 1), 9);
  }

  void aFailedOpenChangesNothing() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    const QString saved = QString::fromStdString(run.dir.file("saved.7Q"));
    QVERIFY(doc.OnSaveDocument(saved.toStdString()).bOk);
    for (const QString& entry : run.app->Recent().Entries()) run.app->Recent().Remove(entry);  // room for one more
    run.app->Recent().Add(saved);
    EditSomething(doc);
    const std::string image = run.Image();
    const QStringList recent = run.app->Recent().Entries();
    auto unchanged = [&] {
      return run.Image() == image && doc.GetPathName() == saved.toStdString() && doc.IsModified() &&
             run.app->Recent().Entries() == recent;
    };
    const QString notProject = QStringLiteral("This file is not a VLM-7Q data file and cannot be opened.");

    // Not a project file: told at once, before any save question, and nothing changes.
    std::string noise(4096, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) >> 3);
    run.dir.write("text.7Q", "CH,Frequency\n1,146.52\n");
    run.dir.write("empty.7Q", "");
    run.dir.write("noise.7Q", noise);
    for (const char* name : {"text.7Q", "empty.7Q", "noise.7Q"}) {
      const QString path = QString::fromStdString(run.dir.file(name));
      ModalScript script({[&](QWidget* m) { ChooseFile(m, path); }, ClickOk});
      run.Frame()->ExecuteCommand(cmd::kFileOpen);
      QVERIFY(script.Done());
      QCOMPARE(script.Text(1), notProject);
      QVERIFY2(unchanged(), name);
    }
    // The same for a file dropped on the window.
    {
      QMimeData data;
      data.setUrls({QUrl::fromLocalFile(QString::fromStdString(run.dir.file("noise.7Q")))});
      QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(run.Frame(), &enter);
      QVERIFY(enter.isAccepted());
      QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      ModalScript script(ClickOk);
      QApplication::sendEvent(run.Frame(), &drop);
      QVERIFY(script.Done());
      QCOMPARE(script.Text(), notProject);
      QVERIFY(unchanged());
    }

    // A recent entry whose file is gone is offered for removal; nothing else changes.
    const QString gone = QString::fromStdString(run.dir.file("gone.7Q"));
    QVERIFY(doc.OnSaveDocument(gone.toStdString()).bOk);
    doc.SetPathName(saved.toStdString());
    doc.SetModifiedFlag(true);
    run.app->Recent().Add(gone);
    run.Frame()->UpdateRecentFileMenu();
    std::filesystem::remove(gone.toStdString());
    QAction* entry = nullptr;
    for (QAction* action : qobject_cast<QMenu*>(run.Frame()->MenuAction(cmd::kFileNew)->parent())->actions()) {
      if (CommandId(action) == cmd::kFileMruFirst) entry = action;
    }
    QVERIFY(entry && entry->text().endsWith(gone));
    {
      ModalScript script(ClickOk);
      entry->trigger();
      QVERIFY(script.Done());
      QCOMPARE(script.Text(), QStringLiteral("The file %1 no longer exists.\nRemove it from the list of recent files?").arg(gone));
    }
    QVERIFY(!run.app->Recent().Entries().contains(gone));
    QVERIFY(unchanged());

    // A short project file opens after the save question, with a warning, as modified.
    std::string header("VLM-7Q Radio Program data v1.09");
    header.resize(48, '\0');
    run.dir.write("short.7Q", header + std::string(100, '\x11'));
    const QString shortFile = QString::fromStdString(run.dir.file("short.7Q"));
    {
      ModalScript script({[](QWidget* m) { ClickButton(m, "&No"); }, ClickOk});
      QCOMPARE(run.app->OpenDocumentFile(shortFile), CQorrinApp::OpenOutcome::Opened);
      QVERIFY(script.Done());
      QCOMPARE(script.Text(), kSaveUntitled.arg(QString()).replace(QStringLiteral("Item"), QStringLiteral("saved.7Q")));
      QVERIFY(script.Text(1).startsWith(QStringLiteral("This file is incomplete: 3996 of its 4144 bytes are missing.")));
    }
    QCOMPARE(run.Image(), ShownImage(std::string(100, '\x11') + std::string(3996, '\0')));
    QCOMPARE(doc.GetPathName(), shortFile.toStdString());
    QVERIFY(doc.IsModified());
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
