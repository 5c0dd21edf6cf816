// The focus ring from start-up on, on every kind of control, in Fusion and "Windows": the
// pixels of the focused control carry it, the others' do not.

#include "GuiTestSupport.h"
#include "gui/app/FocusRingStyle.h"
#include "gui/views/BulkEditDlg.h"

namespace qorrin::gui::test {
namespace {

// How many pixels of the widget's picture are in the highlight colour.
int RingPixels(QWidget* widget) {
  QApplication::processEvents();
  const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb ring = widget->palette().color(QPalette::Active, QPalette::Highlight).rgb();
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == ring;
  }
  return count;
}

// Whether the middle of each edge of the widget's picture is in the highlight colour.
bool RingedAround(QWidget* widget) {
  const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb ring = widget->palette().color(QPalette::Active, QPalette::Highlight).rgb();
  const int w = image.width(), h = image.height();
  return image.pixel(w / 2, 0) == ring && image.pixel(w / 2, h - 1) == ring && image.pixel(0, h / 2) == ring &&
         image.pixel(w - 1, h / 2) == ring;
}

}  // namespace

class FocusRingTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void theFocusShowsOnEveryControlInBothStyles() {
    for (const char* style : {"Fusion", "Windows"}) {
      QApplication::setStyle(QString::fromLatin1(style));
      RunningApp run;
      QVERIFY(run.Start());
      QVERIFY(qobject_cast<FocusRingStyle*>(QApplication::style()));
      // At start the frequency range has the focus, shown before any key was pressed.
      auto* range = WidgetWithId<QComboBox>(run.Frame()->View(), ctl::kRangeList);
      QCOMPARE(QApplication::focusWidget(), range);
      QVERIFY2(RingedAround(range), style);
      // A drop-down, an edit field and the table ringed while focused, not after.
      auto* squelch = WidgetWithId<QComboBox>(run.Frame()->View(), EntryOf(OptionField::Squelch).controlId);
      QLineEdit* field = run.Frame()->View()->findChildren<QLineEdit*>().first();
      CGridCtrl* grid = ChannelGrid(run);
      for (QWidget* control : std::initializer_list<QWidget*>{squelch, field, grid}) {
        control->setFocus(Qt::MouseFocusReason);  // a click: the styles themselves would show nothing
        QVERIFY2(RingedAround(control), qPrintable(QString::fromLatin1(style) + " " + control->metaObject()->className()));
      }
      QVERIFY(!RingedAround(range) && RingPixels(squelch) == 0);

      // Set for Selected opens on its first check box, its focus shown; the next one has none.
      grid->SetFocusCell(1, 1);
      RunCommand(run, cmd::kEditSetSelected, {[&](QWidget* m) {
        auto* dialog = qobject_cast<BulkEditDlg*>(m);
        QCOMPARE(QApplication::focusWidget(), dialog->Box(BulkEditDlg::kDecode));
        QVERIFY2(RingPixels(dialog->Box(BulkEditDlg::kDecode)) > 2 * dialog->Box(BulkEditDlg::kDecode)->height(), style);
        QCOMPARE(RingPixels(dialog->Box(BulkEditDlg::kEncode)), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(RingPixels(dialog->Box(BulkEditDlg::kEncode)) > 0);
        // The buttons: ringed when focused.
        auto* ok = WidgetWithId<QPushButton>(m, ctl::kOk);
        const int unfocused = RingPixels(ok);
        ok->setFocus(Qt::MouseFocusReason);
        QVERIFY2(RingedAround(ok) || RingPixels(ok) > unfocused + 2 * ok->height(), style);
        ClickCancel(m);
      }});
    }
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::FocusRingTest)
#include "FocusRingTest.moc"
