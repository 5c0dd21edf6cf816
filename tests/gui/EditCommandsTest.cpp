// The Edit menu driven through its keys: undo and redo of what the user did in the window,
// back to the saved state; the image bytes are checked after each step.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>

#include "GuiTestSupport.h"
#include "core/edit/ChannelCommits.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/views/CQorrinView.h"
#include "gui/views/ChannelTable.h"

namespace qorrin::gui::test {
namespace {

QString MenuText(const RunningApp& run, int command) { return run.Frame()->MenuAction(command)->text(); }

}  // namespace

class EditCommandsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void undoAndRedoWalkBackToTheSavedState() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    CGridCtrl* grid = run.Frame()->View()->Channels()->Grid();
    QCOMPARE(MenuText(run, cmd::kEditUndo), QStringLiteral("&Undo\tCtrl+Z"));
    QVERIFY(!run.Frame()->MenuAction(cmd::kEditUndo)->isEnabled());
    const std::string fresh = run.Image();

    // A cell typed, saved; then an option picked.
    grid->setFocus();
    grid->SetFocusCell(5, 1);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("146.52"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const std::string typed = run.Image();
    QVERIFY(typed != fresh);
    QCOMPARE(MenuText(run, cmd::kEditUndo), QStringLiteral("&Undo Edit of channel 5\tCtrl+Z"));
    QVERIFY(doc.SaveWithIndexFields(run.dir.file("saved.7Q")).bOk);
    run.app->History().MarkSaved();
    const std::string saved = run.Image();
    auto* squelch = WidgetWithId<QComboBox>(run.Frame()->View(), SpecOf(OptionField::Squelch).controlId);
    squelch->setFocus();
    QTest::keyClick(squelch, Qt::Key_Down);  // a pick of the next level
    const std::string picked = run.Image();
    QVERIFY(picked != saved && doc.IsModified());
    QCOMPARE(MenuText(run, cmd::kEditUndo), QStringLiteral("&Undo Option change\tCtrl+Z"));

    // Undo back to what was saved: unmodified; once more: modified again; Redo with both
    // of its keys goes forward.
    grid->setFocus();
    PressKey(run, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(run.Image(), saved);
    QVERIFY(!doc.IsModified());
    QCOMPARE(MenuText(run, cmd::kEditRedo), QStringLiteral("&Redo Option change\tCtrl+Y"));
    PressKey(run, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(run.Image(), fresh);
    QVERIFY(doc.IsModified());
    QVERIFY(!run.Frame()->MenuAction(cmd::kEditUndo)->isEnabled());
    PressKey(run, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(run.Image(), saved);
    QVERIFY(!doc.IsModified());
    PressKey(run, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(run.Image(), picked);
    QVERIFY(doc.IsModified());
    QCOMPARE(squelch->currentIndex(), ReadOptionField(doc.Image(), OptionField::Squelch));

    // New starts a new history.
    ModalScript answers({[](QWidget* m) { ClickButton(m, "&No"); }, ClickOk});
    run.Frame()->ExecuteCommand(cmd::kFileNew);
    QVERIFY(answers.Done());
    QVERIFY(!run.Frame()->MenuAction(cmd::kEditUndo)->isEnabled());
    QVERIFY(!run.Frame()->MenuAction(cmd::kEditRedo)->isEnabled());
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::EditCommandsTest)
#include "EditCommandsTest.moc"
