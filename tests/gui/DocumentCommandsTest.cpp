// New, Open, Save, Save As and closing, driven through the window's commands and keys,
// answered as a user answers the questions.

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
  // New, Save As, Save and closing ask what they ask; which question comes when and what
  // each writes is CQorrinDocTest's: here each answer reaches the document from the boxes.
  void newSaveAndCloseAskFirst() {
    QORRIN_START_APP(run, doc);
    const auto ctrl = [&](Qt::Key key) { return [&run, key] { PressKey(run, key, Qt::ControlModifier); }; };
    // Modified: the save question first; Cancel: nothing else is asked. No: the edit is
    // dropped after the clear question (Cancel there changes nothing: CQorrinDocTest).
    EditSomething(doc);
    const auto save = Answering([&] { run.Frame()->MenuAction(cmd::kFileNew)->trigger(); }, {ClickCancel});
    QCOMPARE(save->Text(), QStringLiteral("To save changes to Item?"));
    QVERIFY(doc.IsModified());
    const auto cleared = Answering(ctrl(Qt::Key_N), {[](QWidget* m) { ClickButton(m, "&No"); }, ClickOk});
    QVERIFY(cleared->Text(1).startsWith(QStringLiteral("All channels and settings of the current data will be cleared.")));
    QCOMPARE(GetFmPreset(doc.Image(), 3), 0);

    EditSomething(doc);
    const std::string unsaved = run.Image();
    const QString path = QString::fromStdString(run.dir.file("radio.7Q"));
    RunCommand(run, cmd::kFileSaveAs, {[&](QWidget* m) { ChooseFile(m, path); }});
    QCOMPARE(qorrin::test::ReadFileBytes(path.toStdString()).substr(48), unsaved);  // after the header
    QCOMPARE(run.app->Recent().Entries().value(0), path);
    QCOMPARE(Answering(ctrl(Qt::Key_S), {ClickOk})->Text(),
             QStringLiteral("Overwrite this file with the current data?\n") + path);
    QVERIFY(!doc.IsModified());

    EditSomething(doc);
    const auto closing = Answering([&] { QVERIFY(!run.Frame()->close()); }, {ClickCancel});
    QCOMPARE(closing->Text(), QStringLiteral("To save changes to radio.7Q?"));
    QVERIFY(run.Frame()->isVisible());
    Answering([&] { QVERIFY(run.Frame()->close()); }, {[](QWidget* m) { ClickButton(m, "&Yes"); }});
    QVERIFY(!doc.IsModified());
  }

  // Files that cannot be opened change nothing; the recent list reopens a file after the
  // save question; a short file opens with a warning; a file that cannot be written is
  // reported and the edit stays.
  void openAndSaveFailuresAndTheRecentList() {
    QORRIN_START_APP(run, doc);
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
    const auto ctrl = [&](Qt::Key key) { return [&run, key] { PressKey(run, key, Qt::ControlModifier); }; };

    // Not a project file (which ones are is the document's to test): told at once, before
    // any save question, and nothing changes; the same for a file dropped on the window.
    run.dir.write("text.7Q", "CH,Frequency\n1,146.52\n");
    const QString text = QString::fromStdString(run.dir.file("text.7Q"));
    QCOMPARE(RunCommand(run, cmd::kFileOpen, {[&](QWidget* m) { ChooseFile(m, text); }, ClickOk})->Text(1), notProject);
    QCOMPARE(Answering([&] { QVERIFY(DropFile(run, text.toStdString())); }, {ClickOk})->Text(), notProject);
    QVERIFY(unchanged());

    // A recent entry whose file is gone is offered for removal; nothing else changes.
    const QString gone = QString::fromStdString(run.dir.file("gone.7Q"));
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
    Answering([&] { entry->trigger(); }, {[](QWidget* m) { ClickButton(m, "&No"); }});
    QCOMPARE(run.Image(), savedImage);
    QVERIFY(!doc.IsModified());

    // A short project file opens after the save question, with a warning, as modified.
    std::string header("VLM-7Q Radio Program data v1.09");
    header.resize(48, '\0');
    run.dir.write("short.7Q", header + std::string(100, '\x11'));
    const QString shortFile = QString::fromStdString(run.dir.file("short.7Q"));
    EditSomething(doc);
    const auto warned = RunCommand(run, cmd::kFileOpen, {[&](QWidget* m) { ChooseFile(m, shortFile); },
                                                         [](QWidget* m) { ClickButton(m, "&No"); }, ClickOk});
    QVERIFY2(warned->Text(2).startsWith(QStringLiteral("This file is incomplete")), qPrintable(warned->Text(2)));
    QCOMPARE(doc.GetPathName(), shortFile.toStdString());
    QVERIFY(doc.IsModified());

    // A file whose folder has gone cannot be written: an error box (what it says is the
    // document's to test), and the edit stays.
    std::filesystem::create_directory(run.dir.path() / "gone");
    QVERIFY(doc.OnSaveDocument(run.dir.file("gone/lost.7Q")).bOk);
    std::filesystem::remove_all(run.dir.path() / "gone");
    EditSomething(doc);
    const auto failed = Answering(ctrl(Qt::Key_S), {ClickOk, ClickOk});
    QVERIFY2(failed->Text(1).startsWith(QStringLiteral("The file could not be saved.")), qPrintable(failed->Text(1)));
    QVERIFY(doc.IsModified());
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
