// New, Open, Save, Save As and closing through the window's commands and keys.

#include "GuiTestSupport.h"

namespace qorrin::gui::test {

namespace {

// An edit for the commands to save or drop.
void EditSomething(CQorrinDoc& doc) {
  qorrin::test::EditAsUser(doc, [&](ImageSpan image, const BandLimits&) { SetFmPreset(image, 3, 42); });
}

}  // namespace

class DocumentCommandsTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // Each answer to the boxes reaches the document (which question when: CQorrinDocTest).
  void newSaveAndCloseAskFirst() {
    QORRIN_START_APP(run, doc);
    // Modified: the save question first; Cancel ends it, No drops the edit after the next.
    EditSomething(doc);
    const auto save = Answering([&] { run.Frame()->MenuAction(cmd::kFileNew)->trigger(); }, {ClickCancel});
    QCOMPARE(save->Text(), QStringLiteral("To save changes to Item?"));
    QVERIFY(doc.IsModified());
    const auto cleared = PressKey(run, Qt::Key_N, Qt::ControlModifier, {ClickNo, ClickOk});
    QVERIFY(cleared->Text(1).startsWith(QStringLiteral("All channels and settings of the current data will be cleared.")));
    QCOMPARE(GetFmPreset(doc.Image(), 3), 0);

    EditSomething(doc);
    const std::string unsaved = run.Image();
    const QString path = run.File("radio.7Q");
    RunCommand(run, cmd::kFileSaveAs, {Choosing(path)});
    QCOMPARE(qorrin::test::ReadFileBytes(path.toStdString()).substr(48), unsaved);  // after the header
    QCOMPARE(run.app->Recent().Entries().value(0), path);
    QCOMPARE(PressKey(run, Qt::Key_S, Qt::ControlModifier, {ClickOk})->Text(),
             QStringLiteral("Overwrite this file with the current data?\n") + path);
    QVERIFY(!doc.IsModified());

    EditSomething(doc);
    const auto closing = Answering([&] { QVERIFY(!run.Frame()->close()); }, {ClickCancel});
    QCOMPARE(closing->Text(), QStringLiteral("To save changes to radio.7Q?"));
    QVERIFY(run.Frame()->isVisible());
    Answering([&] { QVERIFY(run.Frame()->close()); }, {[](QWidget* m) { ClickButton(m, "&Yes"); }});
    QVERIFY(!doc.IsModified());
  }

  // Files that cannot be opened change nothing; recent files reopen after the save
  // question; an unwritable file is reported and the edit stays (a short file's warning
  // and the rest of loading are CQorrinDocTest's).
  void openAndSaveFailuresAndTheRecentList() {
    QORRIN_START_APP(run, doc);
    const QString saved = run.File("saved.7Q");
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

    // Not a project file: told before any save question, nothing changes.
    run.dir.write("text.7Q", "CH,Frequency\n1,146.52\n");
    const QString text = run.File("text.7Q");
    QCOMPARE(RunCommand(run, cmd::kFileOpen, {Choosing(text), ClickOk})->Text(1), notProject);
    QVERIFY(unchanged());

    // A recent entry whose file is gone is offered for removal; nothing else changes.
    const QString gone = run.File("gone.7Q");
    run.app->Recent().Add(gone);
    run.Frame()->UpdateRecentFileMenu();
    QAction* entry = FirstRecentEntry(run);
    QVERIFY(entry && entry->text().endsWith(gone));
    QCOMPARE(Answering([&] { entry->trigger(); }, {ClickOk})->Text(),
             QStringLiteral("The file %1 no longer exists.\nRemove it from the list of recent files?").arg(gone));
    QVERIFY(!run.app->Recent().Entries().contains(gone));
    QVERIFY(unchanged());
    entry = FirstRecentEntry(run);
    QVERIFY(entry && entry->text().endsWith(saved));
    Answering([&] { entry->trigger(); }, {ClickNo});
    QCOMPARE(run.Image(), savedImage);
    QVERIFY(!doc.IsModified());

    // A file whose folder has gone: an error box, and the edit stays.
    std::filesystem::create_directory(run.dir.path() / "gone");
    QVERIFY(doc.OnSaveDocument(run.dir.file("gone/lost.7Q")).bOk);
    std::filesystem::remove_all(run.dir.path() / "gone");
    EditSomething(doc);
    const auto failed = PressKey(run, Qt::Key_S, Qt::ControlModifier, {ClickOk, ClickOk});
    QVERIFY2(failed->Text(1).startsWith(QStringLiteral("The file could not be saved.")), qPrintable(failed->Text(1)));
    QVERIFY(doc.IsModified());
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
