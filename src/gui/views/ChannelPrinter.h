#pragma once
// The printout of the channel table: on every page a date line, the table's header row
// and up to 35 programmed channels, one below the other with no gaps for empty channels,
// the table scaled to the width of the paper with a margin of four average character
// widths on either side. Units are the table's own pixel sizes (column widths, row
// heights); one transform maps them onto the printer.
//
// The page texts are the channel table's own row texts from core/edit, taken from the
// document once when a job starts, so the printout shows exactly what the window shows.
#include <QDateTime>
#include <QFont>
#include <QLocale>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/edit/ChannelRow.h"

class QPainter;
class QPaintDevice;
class QPrinter;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

inline constexpr int kChannelsPerPage = 35;
inline constexpr int kPrintMarginChars = 4;  // left and right margin, in average character widths

struct ChannelPrintout {
  std::array<std::string, kChannelTableColumns> headings;
  std::vector<ChannelRow> rows;  // the programmed channels, in channel order
  QLocale locale;                // gives the day name of the date line
  QFont cellFont;                // the table's font; its pixel size is in table units

  // The programmed channels divided by 35, rounded up; at least 1 (an empty table still
  // prints its date line and header row).
  int PageCount() const;
  // Indices into `rows` of page `page` (1-based): [first, last).
  int FirstRowOfPage(int page) const;
  int EndRowOfPage(int page) const;
};

// The current language's headings and the programmed channels of the document, as the
// table shows them with the current name setting; the locale named by the language file
// (IDS_LOCALE), else the system's.
ChannelPrintout LoadChannelPrintout(const CQorrinDoc& doc);

// Where the table lands on one printer.
struct ChannelPageLayout {
  int nCharWidth = 0;        // average width of the 52 letters in the 9-unit measuring font
  int nPrintableWidth = 0;   // of the device, in device pixels
  int nPrintableHeight = 0;
  int nPageWidth = 0;        // table width plus both margins, in table units
  int nPageHeight = 0;       // the same scale over the printable height
  double dScale = 0;         // device pixels per table unit
  double dLeft = 0;          // device x of the table's left edge
  int MarginWidth() const { return kPrintMarginChars * nCharWidth; }
};
ChannelPageLayout MeasureChannelPage(QPaintDevice& device);

// Draws page `page` (1-based) onto a painter that is active on the device the layout was
// measured on; `now` is the time the date line shows.
void DrawChannelPage(QPainter& painter, const ChannelPrintout& printout,
                     const ChannelPageLayout& layout, int page, const QDateTime& now);

// The date line: "2011-03-08 Tuesday 14:05" with the locale's day name.
QString PrintDateText(const QDateTime& now, const QLocale& locale);

using PrintClock = std::function<QDateTime()>;

// Prints pages fromPage..toPage (1-based, clamped to the printout; 0 and 0 for all of
// them) on a started-from-scratch job of `printer`, honouring its copy count, collation
// and page order where the printer cannot do them itself. Each page's date line is read
// from `clock` (default: the local time) just before that page is drawn. False when the
// printer could not be opened.
bool PrintChannelTable(QPrinter& printer, const ChannelPrintout& printout, int fromPage = 0,
                       int toPage = 0, const PrintClock& clock = {});

}  // namespace qorrin::gui
