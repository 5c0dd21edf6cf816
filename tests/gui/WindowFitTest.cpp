// On the screen QORRIN_TEST_SCREEN names, in both languages: the window within the free
// area, what does not fit scrolling inside the form.

#include "GuiTestSupport.h"

namespace qorrin::gui::test {
namespace {

QAbstractScrollArea* FormArea(const RunningApp& run) {
  return run.Frame()->findChild<QAbstractScrollArea*>(QStringLiteral("FormScrollArea"));
}

QString Describe(const QRect& r) { return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void fitsTheScreenAfterStartAndEachLanguageSwitch() {
    RunningApp run;
    run.SetLine("setup", "language", "chinese");
    QVERIFY(run.Start());
    const QRect area = run.Frame()->screen()->availableGeometry();
    QTest::qWait(50);  // the start-up placement runs once the window is shown
    for (int step = 0; step < 3; ++step) {
      const QRect outer = run.Frame()->frameGeometry();
      QVERIFY2(area.contains(outer), qPrintable(Describe(outer) + QStringLiteral(" on ") + Describe(area)));
      CGridCtrl* grid = run.Frame()->View()->Channels()->Grid();
      QScrollBar* formBar = FormArea(run)->horizontalScrollBar();
      const bool formFits = QRect({}, FormArea(run)->viewport()->size()).contains(QRect({}, run.Frame()->View()->sizeHint()));
      if (formFits) {
        // Room enough: every column of the table in view, nothing to scroll.
        QCOMPARE(formBar->maximum(), 0);
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        QVERIFY(grid->IsCellShown(1, 7));
      } else {
        // Too small a screen: the window stops at its edge and the form scrolls inside.
        QVERIFY(FormArea(run)->verticalScrollBar()->maximum() > 0 || formBar->maximum() > 0 ||
                grid->horizontalScrollBar()->maximum() > 0);
        QVERIFY(outer.height() >= area.height() - 40 || outer.width() >= area.width() - 40);
      }
      run.Frame()->ExecuteCommand(cmd::kNextLanguage);  // chinese -> english -> chinese
      QTest::qWait(20);
    }
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::WindowFitTest)
#include "WindowFitTest.moc"
