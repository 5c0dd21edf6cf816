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

// QORRIN_KEEP_PRINTS=1 keeps the printed files for a look at them.
void KeepIfAsked(QTemporaryDir& dir) {
  if (qEnvironmentVariableIsSet("QORRIN_KEEP_PRINTS")) {
    dir.setAutoRemove(false);
    qInfo("printed files kept in %s", qPrintable(dir.path()));
  }
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

  // 0, 35, 36 and 71 programmed channels with gaps between them: 1, 1, 2 and 3 pages,
  // 35 to a page in channel order, each page under the date line and the heading.
  void pagesHoldThirtyFiveProgrammedChannelsEach() {
    qorrin::test::TempDir dir;
    dir.installDataFiles();
    QTemporaryDir out;
    KeepIfAsked(out);
    for (const int n : {0, 35, 36, 71}) {
      CQorrinDoc doc;
      doc.SetModelInfo(0);
      const std::vector<int> channels = ChannelsWithGaps(n);
      QCOMPARE(static_cast<int>(channels.size()), n);
      Program(doc, channels);
      const ChannelPrintout printout = LoadChannelPrintout(doc);
      const int expectedPages = n == 0 ? 1 : (n + 34) / 35;
      QCOMPARE(printout.PageCount(), expectedPages);

      const QString path = out.filePath(QStringLiteral("table%1.pdf").arg(n));
      QPrinter printer(QPrinter::HighResolution);
      QVERIFY(PrintToPdf(printout, path, printer));
      const QStringList pages = PdfPages(path);
      QCOMPARE(pages.size(), expectedPages);
      for (int p = 0; p < expectedPages; ++p) {
        const QString& page = pages[p];
        QVERIFY2(page.contains(QStringLiteral("2011-03-07 Monday 14:05")), qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("RX Frequency")));
        QVERIFY(page.contains(QStringLiteral("Bandwidth")));
        const auto first = channels.begin() + std::min<std::ptrdiff_t>(p * 35, n);
        const auto last = channels.begin() + std::min<std::ptrdiff_t>((p + 1) * 35, n);
        QCOMPARE(ChannelsOnPage(doc, page), std::vector<int>(first, last));
      }
      if (n == 71) QCOMPARE(ChannelsOnPage(doc, pages[2]), std::vector<int>{channels[70]});
    }
  }

  // Channels 2, 10 and 99 alone: one page, the three rows straight below the heading, one
  // row height apart; the table spans the paper's width less the two margins.
  void scatteredChannelsStandOneBelowTheOther() {
    qorrin::test::TempDir dir;
    dir.installDataFiles();
    CQorrinDoc doc;
    doc.SetModelInfo(0);
    Program(doc, {2, 10, 99});
    const ChannelPrintout printout = LoadChannelPrintout(doc);
    QTemporaryDir out;
    KeepIfAsked(out);
    const QString path = out.filePath(QStringLiteral("three.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QVERIFY(PrintToPdf(printout, path, printer));
    const ChannelPageLayout layout = MeasureChannelPage(printer);

    const QStringList pages = PdfPages(path);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(ChannelsOnPage(doc, pages[0]), (std::vector<int>{2, 10, 99}));

    const QList<PdfPage> words = PdfWords(path);
    QCOMPARE(words.size(), 1);
    const double pointsPerUnit = layout.dScale * 72.0 / printer.resolution();
    const double origin = printer.pageLayout().paintRect(QPageLayout::Point).left();
    const double top = printer.pageLayout().paintRect(QPageLayout::Point).top();
    const QRectF heading = words[0].Find(QStringLiteral("RX"));
    const QRectF row2 = words[0].Find(Qt(FrequencyOf(doc, 2)));
    const QRectF row10 = words[0].Find(Qt(FrequencyOf(doc, 10)));
    const QRectF row99 = words[0].Find(Qt(FrequencyOf(doc, 99)));
    QVERIFY(!heading.isNull() && !row2.isNull() && !row10.isNull() && !row99.isNull());
    // Centres of the rows: the heading's middle is 1.5 heading heights down (below the date
    // band), the first row a half heading and a half row further, then one row each.
    const double headingMiddle = top + 1.5 * kChannelHeaderRowHeight * pointsPerUnit;
    QVERIFY(std::abs(heading.center().y() - headingMiddle) < 2);
    const double pitch = kChannelRowHeight * pointsPerUnit;
    const double firstRow = headingMiddle + (kChannelHeaderRowHeight + kChannelRowHeight) / 2.0 * pointsPerUnit;
    QVERIFY(std::abs(row2.center().y() - firstRow) < 2);
    QVERIFY(std::abs(row10.center().y() - row2.center().y() - pitch) < 0.5);
    QVERIFY(std::abs(row99.center().y() - row10.center().y() - pitch) < 0.5);
    // Receive frequencies centred in column 1; the date line starts at the left margin.
    const double column1Middle = origin + layout.dLeft * 72.0 / printer.resolution() +
                                 (kChannelColumnWidths[0] + kChannelColumnWidths[1] / 2.0) * pointsPerUnit;
    QVERIFY(std::abs(row2.center().x() - column1Middle) < 1);
    const QRectF date = words[0].Find(QStringLiteral("2011-03-07"));
    QVERIFY(std::abs(date.left() - (origin + layout.dLeft * 72.0 / printer.resolution())) < 1);
    // Scaled to the width: margin, table, margin fill the printable width exactly.
    QCOMPARE(layout.nPageWidth, kTableWidth + 2 * 4 * layout.nCharWidth);
    QVERIFY(layout.nCharWidth >= 3 && layout.nCharWidth <= 6);
    QVERIFY(std::abs(layout.nPageWidth * layout.dScale - layout.nPrintableWidth) < 1);
    QVERIFY(std::abs(layout.dLeft - layout.MarginWidth() * layout.dScale) < 1);
  }

  // Paper too short for 35 rows at the width's scale (landscape): the page is scaled to the
  // height, so the 35th row still stands on the sheet, and the table is centred.
  void landscapeKeepsEveryRowOnTheSheet() {
    qorrin::test::TempDir dir;
    dir.installDataFiles();
    CQorrinDoc doc;
    doc.SetModelInfo(0);
    const std::vector<int> channels = ChannelsWithGaps(35);
    Program(doc, channels);
    QTemporaryDir out;
    KeepIfAsked(out);
    const QString path = out.filePath(QStringLiteral("landscape.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QVERIFY(PrintToPdf(LoadChannelPrintout(doc), path, printer));
    const ChannelPageLayout layout = MeasureChannelPage(printer);
    QVERIFY(layout.nPageHeight < 28 + 28 + 35 * 21);
    QVERIFY((28 + 28 + 35 * 21) * layout.dScale <= layout.nPrintableHeight + 1);
    const double tableLeft = layout.dLeft;
    const double tableRight = layout.dLeft + kTableWidth * layout.dScale;
    QVERIFY(std::abs(tableLeft - (layout.nPrintableWidth - tableRight)) < 1);

    const QList<PdfPage> words = PdfWords(path);
    QCOMPARE(words.size(), 1);
    const QRectF last = words[0].Find(Qt(FrequencyOf(doc, channels.back())));
    QVERIFY(!last.isNull());
    QVERIFY(last.bottom() < words[0].size.height());
    QCOMPARE(ChannelsOnPage(doc, PdfPages(path).value(0)), channels);
  }

  // Every page reads the clock as it is drawn; the day name follows the language file's
  // locale, as do the headings and the cell texts.
  void dateLinePerPageInTheLanguagesLocale() {
    qorrin::test::TempDir dir;
    dir.installDataFiles();
    CQorrinDoc doc;
    doc.SetModelInfo(0);
    Program(doc, ChannelsWithGaps(71));
    QTemporaryDir out;
    KeepIfAsked(out);
    int calls = 0;
    const PrintClock clock = [&calls] {
      ++calls;
      return kMonday.addSecs((60 * 60 * 24 + 60) * (calls - 1));
    };
    {
      QPrinter printer(QPrinter::HighResolution);
      const QString path = out.filePath(QStringLiteral("english.pdf"));
      QVERIFY(PrintToPdf(LoadChannelPrintout(doc), path, printer, 0, 0, clock));
      const QStringList pages = PdfPages(path);
      QCOMPARE(pages.size(), 3);
      QVERIFY(pages[0].contains(QStringLiteral("2011-03-07 Monday 14:05")));
      QVERIFY(pages[1].contains(QStringLiteral("2011-03-08 Tuesday 14:06")));
      QVERIFY(pages[2].contains(QStringLiteral("2011-03-09 Wednesday 14:07")));
      QCOMPARE(calls, 3);
    }
    g_strLangFile = dir.file("chinese.lang");
    calls = 0;
    {
      QPrinter printer(QPrinter::HighResolution);
      const QString path = out.filePath(QStringLiteral("chinese.pdf"));
      QVERIFY(PrintToPdf(LoadChannelPrintout(doc), path, printer, 0, 0, clock));
      const QStringList pages = PdfPages(path);
      QCOMPARE(pages.size(), 3);
      QVERIFY2(pages[0].contains(QStringLiteral("2011-03-07 星期一 14:05")), qPrintable(pages[0]));
      QVERIFY(pages[1].contains(QStringLiteral("2011-03-08 星期二 14:06")));
      QVERIFY(pages[0].contains(QStringLiteral("接收频率")));
      QVERIFY(pages[0].contains(QStringLiteral("关闭")));
      QCOMPARE(ChannelsOnPage(doc, pages[2]), std::vector<int>{ChannelsWithGaps(71).back()});
    }
  }

  // A range of pages, copies the PDF printer cannot make itself, and the reversed order.
  void pageRangeCopiesAndOrder() {
    qorrin::test::TempDir dir;
    dir.installDataFiles();
    CQorrinDoc doc;
    doc.SetModelInfo(0);
    const std::vector<int> channels = ChannelsWithGaps(71);
    Program(doc, channels);
    const ChannelPrintout printout = LoadChannelPrintout(doc);
    QTemporaryDir out;
    KeepIfAsked(out);
    const auto firstChannels = [&](const QString& path) {
      std::vector<int> firsts;
      for (const QString& page : PdfPages(path)) firsts.push_back(ChannelsOnPage(doc, page).front());
      return firsts;
    };
    const int p2 = channels[35];
    const int p3 = channels[70];
    {
      QPrinter printer(QPrinter::HighResolution);
      QVERIFY(PrintToPdf(printout, out.filePath("range.pdf"), printer, 2, 9));
      QCOMPARE(firstChannels(out.filePath("range.pdf")), (std::vector<int>{p2, p3}));
    }
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setCopyCount(2);
      printer.setCollateCopies(true);
      QVERIFY(PrintToPdf(printout, out.filePath("collated.pdf"), printer, 2, 3));
      QCOMPARE(firstChannels(out.filePath("collated.pdf")), (std::vector<int>{p2, p3, p2, p3}));
      printer.setCollateCopies(false);
      printer.setPageOrder(QPrinter::LastPageFirst);
      QVERIFY(PrintToPdf(printout, out.filePath("uncollated.pdf"), printer, 2, 3));
      QCOMPARE(firstChannels(out.filePath("uncollated.pdf")), (std::vector<int>{p3, p3, p2, p2}));
    }
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
    KeepIfAsked(out);
    ChannelPrintCommands& printing = ChannelPrintCommands::Of(run.Frame());
    QCOMPARE(&ChannelPrintCommands::Of(run.Frame()), &printing);
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
    QCOMPARE(ChannelsOnPage(doc, pages[1]), std::vector<int>{ChannelsWithGaps(36).back()});

    {
      ModalScript preview([](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Print Preview"));
        auto* pagesView = dialog->findChild<QPrintPreviewWidget*>();
        QVERIFY(pagesView);
        QTRY_COMPARE(pagesView->pageCount(), 2);
        QCOMPARE(pagesView->viewMode(), QPrintPreviewWidget::SinglePageView);
        dialog->reject();
      });
      run.Frame()->ExecuteCommand(cmd::kFilePrintPreview);
      QVERIFY(preview.Done());
    }
    {
      ModalScript setup([](QWidget* modal) {
        QVERIFY(qobject_cast<QPageSetupDialog*>(modal));
        QCOMPARE(modal->windowTitle(), QStringLiteral("Print Setup"));
        qobject_cast<QDialog*>(modal)->reject();
      });
      run.Frame()->MenuAction(cmd::kFilePrintSetup)->trigger();
      QVERIFY(setup.Done());
    }
    // A file that cannot be created: the print fails with the language's error box.
    printer.setOutputFileName(out.filePath("missing-folder/command.pdf"));
    {
      ModalScript failing({ClickOk, ClickOk});
      run.Frame()->ExecuteCommand(cmd::kFilePrint);
      QVERIFY(failing.Done());
      QCOMPARE(failing.Title(1), QStringLiteral("Error"));
      QCOMPARE(failing.Text(1), QStringLiteral("The printer could not be opened. Nothing was printed."));
    }
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::PrintTest)
#include "PrintTest.moc"
