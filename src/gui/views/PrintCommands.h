#pragma once
// The main window's printing commands: Print (the print dialog, then the pages chosen;
// printing to a PDF file is one of the dialog's printers), Print Preview (one page at a
// time, with the preview's own print button) and Print Setup (paper, orientation,
// margins). One printer object per window keeps the user's choices from job to job.
#include <QObject>
#include <QPrinter>

#include "gui/views/ChannelPrinter.h"

class QWidget;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class ChannelPrintCommands : public QObject {
  Q_OBJECT
 public:
  // The window's printing commands, made on first use and owned by the window.
  static ChannelPrintCommands& Of(QWidget* window);

  void Print(const CQorrinDoc& doc);
  void PrintPreview(const CQorrinDoc& doc);
  void PrintSetup();

  QPrinter& Printer() { return m_printer; }
  // The date lines of the pages printed from now on (tests fix the time).
  void SetClock(PrintClock clock) { m_clock = std::move(clock); }

 private:
  explicit ChannelPrintCommands(QWidget* window);
  void StartJob(const CQorrinDoc& doc);
  // Prints the printer's page range; an error box when the printer cannot be opened.
  void PrintPages(const ChannelPrintout& printout);

  QWidget* m_window;
  QPrinter m_printer{QPrinter::HighResolution};
  PrintClock m_clock;
};

}  // namespace qorrin::gui
