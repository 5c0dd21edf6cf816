#include "gui/views/PrintCommands.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QWidget>

#include <filesystem>

#include "core/model/CQorrinDoc.h"
#include "core/platform/Utf8Path.h"
#include "gui/app/GuiPrompts.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

// A dialog's caption from the menu text of its command: "Print Pre&view" -> "Print
// Preview", "打印设置(&R)..." -> "打印设置".
QString CommandCaption(const char* menuKey) {
  QString text = LangText(menuKey);
  text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  text = PlainText(text).trimmed();
  while (text.endsWith(u'.') || text.endsWith(u'…')) text.chop(1);
  return text.trimmed();
}

}  // namespace

ChannelPrintCommands& ChannelPrintCommands::Of(QWidget* window) {
  auto* found = window->findChild<ChannelPrintCommands*>(QString(), Qt::FindDirectChildrenOnly);
  return found ? *found : *new ChannelPrintCommands(window);
}

ChannelPrintCommands::ChannelPrintCommands(QWidget* window) : QObject(window), m_window(window) {}

void ChannelPrintCommands::StartJob(const CQorrinDoc& doc) {
  // The job's name, which the print dialog also proposes for a PDF file.
  const std::filesystem::path title = platform::Utf8Path(doc.GetTitle());
  m_printer.setDocName(Qt(platform::PathUtf8(title.stem())));
  // Each job starts on all pages; the page count may have changed since the last one.
  m_printer.setPrintRange(QPrinter::AllPages);
  m_printer.setFromTo(0, 0);
}

void ChannelPrintCommands::PrintPages(const ChannelPrintout& printout) {
  int from = 0;
  int to = 0;
  if (m_printer.printRange() == QPrinter::PageRange) {
    from = m_printer.fromPage();
    to = m_printer.toPage();
  }
  if (!PrintChannelTable(m_printer, printout, from, to, m_clock)) {
    ShowErrorBox(m_window, LangText("IDS_ERROR"), LangText("IDS_PRINT_FAILED"));
  }
}

void ChannelPrintCommands::Print(const CQorrinDoc& doc) {
  const ChannelPrintout printout = LoadChannelPrintout(doc);
  StartJob(doc);
  QPrintDialog dialog(&m_printer, m_window);
  dialog.setWindowTitle(CommandCaption("Menu_File_Print"));
  dialog.setMinMax(1, printout.PageCount());
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintPages(printout);
}

void ChannelPrintCommands::PrintPreview(const CQorrinDoc& doc) {
  const ChannelPrintout printout = LoadChannelPrintout(doc);
  StartJob(doc);
  m_printer.setCopyCount(1);
  QPrintPreviewDialog preview(&m_printer, m_window);
  preview.setWindowTitle(CommandCaption("Menu_File_Print_Preview"));
  if (m_window) preview.resize(m_window->size());
  // The preview draws every page; its print button prints the range chosen there.
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this, &printout](QPrinter*) { PrintPages(printout); });
  if (auto* pages = preview.findChild<QPrintPreviewWidget*>()) {
    pages->setViewMode(QPrintPreviewWidget::SinglePageView);
    pages->setZoomMode(QPrintPreviewWidget::FitInView);
  }
  preview.exec();
}

void ChannelPrintCommands::PrintSetup() {
  QPageSetupDialog dialog(&m_printer, m_window);
  dialog.setWindowTitle(CommandCaption("Menu_File_Print_Setup"));
  dialog.exec();
}

}  // namespace qorrin::gui
