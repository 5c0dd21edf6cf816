// Printing the channel table to PDF through the real printing code, read back with
// pdftotext: pages, which channels stand on which page and in what order, the date line,
// where the table lies on the paper; and the three commands of the window with their
// dialogs.
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <numeric>

#include "GuiTestSupport.h"
#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelTableLayout.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"
#include "gui/app/CMainFrame.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"
#include "gui/views/ChannelPrinter.h"
#include "gui/views/PrintCommands.h"

namespace qorrin::gui::test {

namespace {

// Each channel gets a receive frequency of its own, so a line of text names its channel.
std::string FrequencyOf(const CQorrinDoc& doc, int channel) {
  return FormatFrequency(doc.GetBandLimits().m_nFreqMin + channel * 10000);
}

// Exactly these channels programmed (a new document has channel 1 programmed).
void Program(CQorrinDoc& doc, const std::vector<int>& channels) {
  for (int ch = 1; ch <= 99; ++ch) CommitReceiveFrequency(doc, ch, "");
  QCOMPARE(ProgrammedChannelCount(doc.Image()), 0);
  for (int ch : channels) QVERIFY(CommitReceiveFrequency(doc, ch, FrequencyOf(doc, ch)).bStored);
}

// The first n channels of 1..99 with every fourth one left empty, so a page must close
// the gaps.
std::vector<int> ChannelsWithGaps(int n) {
  std::vector<int> channels;
  for (int ch = 1; ch <= 99 && static_cast<int>(channels.size()) < n; ++ch) {
    if (ch % 4 != 0) channels.push_back(ch);
  }
  return channels;
}

const QDateTime kMonday(QDate(2011, 3, 7), QTime(14, 5));

bool PrintToPdf(const ChannelPrintout& printout, const QString& path, QPrinter& printer,
                int from = 0, int to = 0, PrintClock clock = [] { return kMonday; }) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  return PrintChannelTable(printer, printout, from, to, clock);
}

QString RunPdfToText(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page, laid out as on the paper.
QStringList PdfPages(const QString& path) {
  // Compatibility forms folded: the PDF's text map may give a CJK radical for an
  // ideograph of the same shape.
  QStringList pages = RunPdfToText({QStringLiteral("-layout"), path, QStringLiteral("-")})
                          .normalized(QString::NormalizationForm_KC)
                          .split(u'\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// Channel rows of a page, top to bottom: lines that begin with a channel number followed
// by that channel's receive frequency.
std::vector<int> ChannelsOnPage(const CQorrinDoc& doc, const QString& page) {
  std::vector<int> channels;
  for (const QString& line : page.split(u'\n')) {
    const QStringList words = line.simplified().split(u' ');
    bool ok = false;
    const int ch = words.value(0).toInt(&ok);
    if (ok && words.size() > 1 && words[1] == Qt(FrequencyOf(doc, ch))) channels.push_back(ch);
  }
  return channels;
}

struct Word {
  QString text;
  QRectF box;  // points, y downwards from the top of the page
};
struct PdfPage {
  QSizeF size;
  QList<Word> words;
  QRectF Find(const QString& text) const {
    for (const Word& w : words) {
      if (w.text == text) return w.box;
    }
    return {};
  }
};

QList<PdfPage> PdfWords(const QString& path) {
  const QString html = RunPdfToText({QStringLiteral("-bbox"), path, QStringLiteral("-")});
  QList<PdfPage> pages;
  static const QRegularExpression tag(QStringLiteral(
      R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (!m.captured(1).isEmpty()) {
      pages.append({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
    } else if (!pages.isEmpty()) {
      pages.last().words.append({m.captured(7), QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                                                       QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()))});
    }
  }
  return pages;
}

constexpr int kTableWidth = std::accumulate(kChannelColumnWidths.begin(), kChannelColumnWidths.end(), 0);

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase() {
    QVERIFY2(QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) == 0,
             "pdftotext (Debian poppler-utils) is needed");
  }

  // 35 channels with gaps, on A4 upright and on its side (too short for them at the
  // width's scale): one page under the date line, the rows in channel order one below the
  // other straight under the heading, one row height apart, each frequency centred under
  // its heading; the last row stays on the sheet, and the table is centred on it.
  void pagesOnAnyPaperInEitherLanguage() {
    qorrin::test::TempDir dir;
    dir.installDataFiles();
    CQorrinDoc doc;
    doc.SetModelInfo(0);
    const std::vector<int> channels = ChannelsWithGaps(35);
    Program(doc, channels);
    QTemporaryDir out;
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
      const QString path = out.filePath(QStringLiteral("page%1.pdf").arg(orientation));
      QPrinter printer(QPrinter::HighResolution);
      printer.setPageSize(QPageSize(QPageSize::A4));
      printer.setPageOrientation(orientation);
      QVERIFY(PrintToPdf(LoadChannelPrintout(doc), path, printer));
      const QStringList pages = PdfPages(path);
      QCOMPARE(pages.size(), 1);
      QVERIFY2(pages[0].contains(QStringLiteral("Bandwidth")), qPrintable(pages[0]));
      QCOMPARE(ChannelsOnPage(doc, pages[0]), channels);
      const QList<PdfPage> words = PdfWords(path);
      QCOMPARE(words.size(), 1);
      const QRectF paper = printer.pageLayout().paintRect(QPageLayout::Point);
      const QRectF rx = words[0].Find(QStringLiteral("RX"));
      const QRectF frequency = words[0].Find(QStringLiteral("Frequency"));  // RX's, the first
      const QRectF first = words[0].Find(Qt(FrequencyOf(doc, channels[0])));
      const QRectF second = words[0].Find(Qt(FrequencyOf(doc, channels[1])));
      const QRectF last = words[0].Find(Qt(FrequencyOf(doc, channels[34])));
      const QRectF date = words[0].Find(QStringLiteral("2011-03-07"));
      QVERIFY(!rx.isNull() && !frequency.isNull() && !first.isNull() && !second.isNull() && !last.isNull());
      const double pitch = second.center().y() - first.center().y();
      QVERIFY(pitch > first.height());
      QVERIFY(std::abs(last.center().y() - first.center().y() - 34 * pitch) < 1.5);
      QVERIFY(first.top() > rx.bottom() && first.center().y() - rx.center().y() < 2 * pitch);
      QVERIFY(std::abs(first.center().x() - (rx.left() + frequency.right()) / 2) < 1);
      QVERIFY(last.bottom() <= paper.bottom());
      QVERIFY(date.top() < rx.top() && date.left() > paper.left());
      const ChannelPageLayout layout = MeasureChannelPage(printer);
      const double rightMargin = layout.nPrintableWidth - layout.dLeft - kTableWidth * layout.dScale;
      QVERIFY(std::abs(layout.dLeft - rightMargin) < 1);
    }

    // Every page reads the clock as it is drawn; the day name follows the language file's
    // locale, as do the headings and the cell texts. A range of pages, copies the PDF printer
    // cannot make itself, and the reversed order.
    const std::vector<int> many = ChannelsWithGaps(71);
    Program(doc, many);
    int calls = 0;
    const PrintClock clock = [&calls] {
      ++calls;
      return kMonday.addSecs((60 * 60 * 24 + 60) * (calls - 1));
    };
    for (const bool english : {false, true}) {
      g_strLangFile = dir.file(english ? "english.lang" : "chinese.lang");
      calls = 0;
      QPrinter printer(QPrinter::HighResolution);
      const QString path = out.filePath(QStringLiteral("dates%1.pdf").arg(english));
      QVERIFY(PrintToPdf(LoadChannelPrintout(doc), path, printer, 0, 0, clock));
      const QStringList pages = PdfPages(path);
      QCOMPARE(pages.size(), 3);
      QCOMPARE(calls, 3);
      for (int p = 0; p < 3; ++p) {
        const auto first = many.begin() + p * 35;
        QCOMPARE(ChannelsOnPage(doc, pages[p]), std::vector<int>(first, p == 2 ? many.end() : first + 35));
      }
      QVERIFY2(pages[0].contains(english ? QStringLiteral("2011-03-07 Monday 14:05") : QStringLiteral("2011-03-07 星期一 14:05")),
               qPrintable(pages[0]));
      QVERIFY(pages[2].contains(english ? QStringLiteral("2011-03-09 Wednesday 14:07") : QStringLiteral("2011-03-09 星期三 14:07")));
      QVERIFY(pages[0].contains(english ? QStringLiteral("RX Frequency") : QStringLiteral("接收频率")));
      QVERIFY(pages[0].contains(english ? QStringLiteral("Off") : QStringLiteral("关闭")));
    }
    const ChannelPrintout printout = LoadChannelPrintout(doc);
    const auto firstChannels = [&](const QString& path) {
      std::vector<int> firsts;
      for (const QString& page : PdfPages(path)) firsts.push_back(ChannelsOnPage(doc, page).front());
      return firsts;
    };
    const int p2 = many[35];
    const int p3 = many[70];
    QPrinter printer(QPrinter::HighResolution);
    QVERIFY(PrintToPdf(printout, out.filePath("range.pdf"), printer, 2, 9));
    QCOMPARE(firstChannels(out.filePath("range.pdf")), (std::vector<int>{p2, p3}));
    printer.setCopyCount(2);
    printer.setCollateCopies(true);
    QVERIFY(PrintToPdf(printout, out.filePath("collated.pdf"), printer, 2, 3));
    QCOMPARE(firstChannels(out.filePath("collated.pdf")), (std::vector<int>{p2, p3, p2, p3}));
    printer.setCollateCopies(false);
    printer.setPageOrder(QPrinter::LastPageFirst);
    QVERIFY(PrintToPdf(printout, out.filePath("uncollated.pdf"), printer, 2, 3));
    QCOMPARE(firstChannels(out.filePath("uncollated.pdf")), (std::vector<int>{p3, p3, p2, p2}));

    // No channel at all: the page all the same.
    Program(doc, {});
    QPrinter blank(QPrinter::HighResolution);
    QVERIFY(PrintToPdf(LoadChannelPrintout(doc), out.filePath(QStringLiteral("none.pdf")), blank));
    const QStringList none = PdfPages(out.filePath(QStringLiteral("none.pdf")));
    QCOMPARE(none.size(), 1);
    QVERIFY(none[0].contains(QStringLiteral("RX Frequency")));
  }

  // The window's commands: Print (Ctrl+P) through the print dialog to a PDF file, Print
  // Preview one page at a time with every page, Print Setup,
  // and an error box when the printer cannot be opened.
  void windowCommandsOpenTheirDialogs() {
    RunningApp run;
    QVERIFY(run.Start());
    CQorrinDoc& doc = run.app->Document();
    Program(doc, ChannelsWithGaps(36));
    doc.UpdateAllViews();
    QTemporaryDir out;
    ChannelPrintCommands& printing = ChannelPrintCommands::Of(run.Frame());
    printing.SetClock([] { return kMonday; });
    QPrinter& printer = printing.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out.filePath("command.pdf"));
    {
      ModalScript print([](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Print"));
        QCOMPARE(dialog->maxPage(), 2);
        ClickOk(modal);
      });
      PressKey(run, Qt::Key_P, Qt::ControlModifier);
      QVERIFY(print.Done());
    }
    const QStringList pages = PdfPages(out.filePath("command.pdf"));
    QCOMPARE(pages.size(), 2);

    RunCommand(run, cmd::kFilePrintPreview, {[](QWidget* modal) {
      auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal);
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Print Preview"));
      auto* pagesView = dialog->findChild<QPrintPreviewWidget*>();
      QVERIFY(pagesView);
      QTRY_COMPARE(pagesView->pageCount(), 2);
      QCOMPARE(pagesView->viewMode(), QPrintPreviewWidget::SinglePageView);
      dialog->reject();
    }});
    RunCommand(run, cmd::kFilePrintSetup, {[](QWidget* modal) {
      QVERIFY(qobject_cast<QPageSetupDialog*>(modal));
      QCOMPARE(modal->windowTitle(), QStringLiteral("Print Setup"));
      qobject_cast<QDialog*>(modal)->reject();
    }});
    // A file that cannot be created: the print fails with the language's error box.
    printer.setOutputFileName(out.filePath("missing-folder/command.pdf"));
    const auto failing = RunCommand(run, cmd::kFilePrint, {ClickOk, ClickOk});
    QCOMPARE(failing->Title(1), QStringLiteral("Error"));
    QCOMPARE(failing->Text(1), QStringLiteral("The printer could not be opened. Nothing was printed."));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::PrintTest)
#include "PrintTest.moc"
