// New, Open, Save, Save As and closing, driven through the window's commands and keys,
// answered as a user answers the questions; the files are checked byte by byte.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

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

// An edit for the commands to save or drop.
void EditSomething(CQorrinDoc& doc) {
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
  // New asks to clear, and first to save a modified document; Save As asks nothing but
  // the name; Save asks to overwrite; closing asks to save under the file's own name.
  // What each writes is the document's to test.
  void newSaveAndCloseAskFirst() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    qorrin::test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetFmPreset(image, 3, 42); });  // an unmodified document with something to lose
    {
      ModalScript clear(ClickCancel);
      PressKey(run, Qt::Key_N, Qt::ControlModifier);
      QCOMPARE(clear.Text(), QStringLiteral("All channels and settings of the current data will be cleared.\nDo you want to continue?"));
      QCOMPARE(clear.Title(), QStringLiteral("Warning"));
    }
    QCOMPARE(GetFmPreset(doc.Image(), 3), 42);

    // Modified: the save question first; Cancel: nothing else is asked.
    EditSomething(doc);
    {
      ModalScript save(ClickCancel);
      run.Frame()->MenuAction(cmd::kFileNew)->trigger();
      QCOMPARE(save.Seen(), 1);
      QCOMPARE(save.Text(), kSaveUntitled);
      QCOMPARE(Sorted(save.Buttons()), Sorted(kSaveButtons));
      QCOMPARE(save.Title(), QStringLiteral("qorrin"));
    }
    QVERIFY(doc.IsModified());
    // No: the edit is dropped after the clear question.
    QCOMPARE(RunCommand(run, cmd::kFileNew, {[](QWidget* m) { ClickButton(m, "&No"); }, ClickOk})->Title(1),
             QStringLiteral("Warning"));
    QCOMPARE(GetFmPreset(doc.Image(), 3), 0);

    // Yes on an untitled document asks for a name, saves, then clears.
    EditSomething(doc);
    const QString kept = QString::fromStdString(run.dir.file("kept.7Q"));
    RunCommand(run, cmd::kFileNew,
               {[](QWidget* m) { ClickButton(m, "&Yes"); }, [&](QWidget* m) { ChooseFile(m, kept); }, ClickOk});
    QVERIFY(!ImageOfFile(kept.toStdString()).empty());
    QCOMPARE(GetFmPreset(doc.Image(), 3), 0);
    QCOMPARE(run.app->Recent().Entries().value(0), kept);

    EditSomething(doc);
    const std::string unsaved = run.Image();
    const QString path = QString::fromStdString(run.dir.file("radio.7Q"));
    RunCommand(run, cmd::kFileSaveAs, {[&](QWidget* m) { ChooseFile(m, path); }});
    QCOMPARE(ImageOfFile(path.toStdString()), unsaved);
    {
      ModalScript overwrite(ClickOk);
      PressKey(run, Qt::Key_S, Qt::ControlModifier);
      QCOMPARE(overwrite.Text(), QStringLiteral("Overwrite this file with the current data?\n") + path);
    }
    QVERIFY(!doc.IsModified());

    EditSomething(doc);
    {
      ModalScript save(ClickCancel);
      QVERIFY(!run.Frame()->close());
      QCOMPARE(save.Text(), QStringLiteral("To save changes to radio.7Q?"));
    }
    QVERIFY(run.Frame()->isVisible());
    {
      ModalScript save([&](QWidget* m) { ClickButton(m, "&Yes"); });
      QVERIFY(run.Frame()->close());
      QCOMPARE(save.Seen(), 1);
    }
    QVERIFY(!doc.IsModified());
  }

  // Files that cannot be opened change nothing; the recent list reopens a file after the
  // save question; a file that cannot be written is reported and the edit stays.
  void openAndSaveFailuresAndTheRecentList() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    const QString saved = QString::fromStdString(run.dir.file("saved.7Q"));
    QVERIFY(doc.OnSaveDocument(saved.toStdString()).bOk);
    const std::string savedImage = run.Image();
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

    // Not a project file (which ones are is the document's to test): told at once, before
    // any save question, and nothing changes; the same for a file dropped on the window.
    run.dir.write("text.7Q", "CH,Frequency\n1,146.52\n");
    const QString text = QString::fromStdString(run.dir.file("text.7Q"));
    QCOMPARE(RunCommand(run, cmd::kFileOpen, {[&](QWidget* m) { ChooseFile(m, text); }, ClickOk})->Text(1), notProject);
    {
      ModalScript script(ClickOk);
      QVERIFY(DropFile(run, text.toStdString()));
      QCOMPARE(script.Text(), notProject);
    }
    QVERIFY(unchanged());

    // A recent entry whose file is gone is offered for removal; nothing else changes.
    const QString gone = QString::fromStdString(run.dir.file("gone.7Q"));
    run.app->Recent().Add(gone);
    run.Frame()->UpdateRecentFileMenu();
    QAction* entry = FirstRecentEntry(run);
    QVERIFY(entry && entry->text().endsWith(gone));
    {
      ModalScript script(ClickOk);
      entry->trigger();
      QCOMPARE(script.Text(), QStringLiteral("The file %1 no longer exists.\nRemove it from the list of recent files?").arg(gone));
    }
    QVERIFY(!run.app->Recent().Entries().contains(gone));
    QVERIFY(unchanged());
    QAction* recentEntry = FirstRecentEntry(run);
    QVERIFY(recentEntry && recentEntry->text().endsWith(saved));
    {
      ModalScript save([&](QWidget* m) { ClickButton(m, "&No"); });
      recentEntry->trigger();
      QVERIFY(save.Done());
    }
    QCOMPARE(run.Image(), savedImage);
    QVERIFY(!doc.IsModified());

    // A file whose folder has gone cannot be written: an error box (what it says is the
    // document's to test), and the edit stays.
    std::filesystem::create_directory(run.dir.path() / "gone");
    const std::string lost = run.dir.file("gone/lost.7Q");
    QVERIFY(doc.OnSaveDocument(lost).bOk);
    std::filesystem::remove_all(run.dir.path() / "gone");
    EditSomething(doc);
    {
      ModalScript script({ClickOk, ClickOk});
      PressKey(run, Qt::Key_S, Qt::ControlModifier);
      QVERIFY2(script.Text(1).startsWith(QStringLiteral("The file could not be saved.")), qPrintable(script.Text(1)));
    }
    QVERIFY(doc.IsModified());
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
