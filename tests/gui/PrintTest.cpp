// The channel table printed to PDF and read back with pdftotext; the print commands.
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "GuiTestSupport.h"
#include "core/settings/AppPaths.h"
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

// The first n channels with every fourth one left empty, so a page must close the gaps.
std::vector<int> ChannelsWithGaps(int n) {
  std::vector<int> channels;
  for (int ch = 1; ch <= 99 && static_cast<int>(channels.size()) < n; ++ch)
    if (ch % 4 != 0) channels.push_back(ch);
  return channels;
}

const QDateTime kMonday(QDate(2011, 3, 7), QTime(14, 5));

// The text of each page as laid out; compatibility forms folded, as the PDF's text map may
// give a CJK radical for an ideograph of the same shape.
QStringList PdfPages(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) qWarning("pdftotext (Debian poppler-utils) is needed");
  QStringList pages =
      QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).split(u'\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// The pages of a print to a PDF file; none when the printer could not be opened.
QStringList Print(const ChannelPrintout& printout, QPrinter& printer, int from = 0, int to = 0,
                  const PrintClock& clock = [] { return kMonday; }) {
  static QTemporaryDir out;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(out.filePath(QStringLiteral("printed.pdf")));
  return PrintChannelTable(printer, printout, from, to, clock) ? PdfPages(printer.outputFileName()) : QStringList();
}

// Channel rows of a page: lines starting with a channel number and its receive frequency.
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

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // Channels with gaps fill pages of 35 in order, each page reading the clock as drawn;
  // day names, headings and cells follow the language.
  void pagesRowsAndDatesInEitherLanguage() {
    qorrin::test::TempDir dir;
    dir.installDataFiles();
    CQorrinDoc doc;
    doc.SetModelInfo(0);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const std::vector<int> many = ChannelsWithGaps(71);
    Program(doc, many);
    int calls = 0;
    const PrintClock clock = [&calls] { return kMonday.addSecs((60 * 60 * 24 + 60) * calls++); };
    for (const bool english : {false, true}) {
      g_strLangFile = dir.file(english ? "english.lang" : "chinese.lang");
      calls = 0;
      const QStringList pages = Print(LoadChannelPrintout(doc), printer, 0, 0, clock);
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

    // A range of pages, copies the PDF printer cannot make itself, and the reversed order.
    const ChannelPrintout printout = LoadChannelPrintout(doc);
    const auto firstChannels = [&](int from, int to) {
      std::vector<int> firsts;
      for (const QString& page : Print(printout, printer, from, to)) firsts.push_back(ChannelsOnPage(doc, page).front());
      return firsts;
    };
    QCOMPARE(firstChannels(2, 9), (std::vector<int>{many[35], many[70]}));
    printer.setCopyCount(2);
    printer.setCollateCopies(true);
    QCOMPARE(firstChannels(2, 3), (std::vector<int>{many[35], many[70], many[35], many[70]}));
    printer.setCollateCopies(false);
    printer.setPageOrder(QPrinter::LastPageFirst);
    QCOMPARE(firstChannels(2, 3), (std::vector<int>{many[70], many[70], many[35], many[35]}));

    // No channel at all: the page all the same.
    Program(doc, {});
    QPrinter blank(QPrinter::HighResolution);
    const QStringList none = Print(LoadChannelPrintout(doc), blank);
    QVERIFY(none.size() == 1 && none[0].contains(QStringLiteral("RX Frequency")));
  }

  // Print (Ctrl+P) to a PDF file, Print Preview page by page, Print Setup, and an error
  // box when the printer cannot be opened.
  void windowCommandsOpenTheirDialogs() {
    QORRIN_START_APP(run, doc);
    Program(doc, ChannelsWithGaps(36));
    doc.UpdateAllViews();
    QTemporaryDir out;
    ChannelPrintCommands& printing = ChannelPrintCommands::Of(run.Frame());
    printing.SetClock([] { return kMonday; });
    QPrinter& printer = printing.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out.filePath("command.pdf"));
    PressKey(run, Qt::Key_P, Qt::ControlModifier, {[](QWidget* modal) {
      auto* dialog = qobject_cast<QPrintDialog*>(modal);
      QVERIFY(dialog && dialog->windowTitle() == QStringLiteral("Print") && dialog->maxPage() == 2);
      ClickOk(modal);
    }});
    QCOMPARE(PdfPages(out.filePath("command.pdf")).size(), 2);

    RunCommand(run, cmd::kFilePrintPreview, {[](QWidget* modal) {
      auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal);
      QVERIFY(dialog && dialog->windowTitle() == QStringLiteral("Print Preview"));
      auto* pagesView = dialog->findChild<QPrintPreviewWidget*>();
      QVERIFY(pagesView);
      QTRY_COMPARE(pagesView->pageCount(), 2);
      QCOMPARE(pagesView->viewMode(), QPrintPreviewWidget::SinglePageView);
      dialog->reject();
    }});
    RunCommand(run, cmd::kFilePrintSetup, {[](QWidget* modal) {
      QVERIFY(qobject_cast<QPageSetupDialog*>(modal) && modal->windowTitle() == QStringLiteral("Print Setup"));
      qobject_cast<QDialog*>(modal)->reject();
    }});
    // A file that cannot be created: the print fails with the language's error box.
    printer.setOutputFileName(out.filePath("missing-folder/command.pdf"));
    const auto failing = RunCommand(run, cmd::kFilePrint, {ClickOk, ClickOk});
    QCOMPARE(failing->Title(1) + u':' + failing->Text(1), QStringLiteral("Error:The printer could not be opened. Nothing was printed."));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::PrintTest)
#include "PrintTest.moc"
