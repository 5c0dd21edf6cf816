#include "gui/views/ChannelPrinter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPaintDevice>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/edit/ChannelTableLayout.h"
#include "core/edit/NameColumnSetting.h"
#include "core/lang/ShellTexts.h"
#include "core/model/CQorrinDoc.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

// Face and heights (ascent plus descent, in table units) of the two fonts of the
// printout: the one the margins are measured with and the one of the date line.
const QString kPrintFontFamily = QStringLiteral("Times New Roman");
constexpr double kMeasuringFontHeight = 9;
constexpr double kDateFontHeight = 11;
const QString kMeasuringLetters =
    QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");

// Colours of the printed grid: those of the table on a light desktop, fixed so that a dark
// desktop theme does not print white on black.
const QColor kPaperColour(0xff, 0xff, 0xff);
const QColor kTextColour(0x00, 0x00, 0x00);
const QColor kGreyTextColour(0x6d, 0x6d, 0x6d);
const QColor kButtonFaceColour(0xf0, 0xf0, 0xf0);
const QColor kShadowColour(0xa0, 0xa0, 0xa0);
const QColor kHighlightColour(0xff, 0xff, 0xff);
constexpr double kLineWidth = 0.5;  // table units

constexpr int kTableWidth =
    std::accumulate(kChannelColumnWidths.begin(), kChannelColumnWidths.end(), 0);
// A full page from the top of the date band to the bottom of the 35th row.
constexpr int kFullPageHeight =
    kChannelHeaderRowHeight + kChannelHeaderRowHeight + kChannelsPerPage * kChannelRowHeight;

QFont PrintFont() {
  QFont font(kPrintFontFamily);
  font.setStyleHint(QFont::Serif);
  font.setWeight(QFont::Normal);
  return font;
}

// Em size of `font` whose ascent plus descent is `cellHeight`, measured at a size where
// rounding does not matter.
double EmForCellHeight(QFont font, double cellHeight, QPaintDevice* device) {
  constexpr int kProbe = 1000;
  font.setPixelSize(kProbe);
  const double height = QFontMetricsF(font, device).height();
  return height > 0 ? cellHeight * kProbe / height : cellHeight;
}

// The table's font on screen with its size in screen pixels, which are table units.
QFont TableFont() {
  QFont font = QApplication::font();
  if (font.pixelSize() <= 0) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0))));
  }
  return font;
}

// Table units to device pixels for one layout.
struct PageMapper {
  const ChannelPageLayout& layout;
  QRectF Rect(double x, double y, double w, double h) const {
    return {layout.dLeft + x * layout.dScale, y * layout.dScale, w * layout.dScale, h * layout.dScale};
  }
  double Length(double units) const { return units * layout.dScale; }
  // A font of `emUnits` table units as device pixels.
  QFont Font(QFont font, double emUnits) const {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(emUnits * layout.dScale))));
    return font;
  }
};

// One line of cell text, centred in the cell less its margin, clipped to the cell.
void DrawCellText(QPainter& painter, const QRectF& cell, double margin, const QString& text) {
  if (text.isEmpty()) return;
  painter.save();
  painter.setClipRect(cell, Qt::IntersectClip);
  painter.drawText(cell.adjusted(margin, 0, -margin, 0),
                   Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
  painter.restore();
}

void DrawHeaderRow(QPainter& painter, const PageMapper& map, const ChannelPrintout& printout,
                   double top, double margin) {
  double x = 0;
  for (int c = 0; c < kChannelTableColumns; ++c) {
    const double w = kChannelColumnWidths[static_cast<std::size_t>(c)];
    const QRectF cell = map.Rect(x, top, w, kChannelHeaderRowHeight);
    painter.fillRect(cell, kButtonFaceColour);
    // The raised edge of a heading cell: light along the top and left, shadow along the
    // bottom and right.
    const double inset = map.Length(kLineWidth);
    painter.setPen(QPen(kHighlightColour, map.Length(kLineWidth)));
    painter.drawLine(QLineF(cell.left() + inset, cell.top() + inset, cell.right() - inset, cell.top() + inset));
    painter.drawLine(QLineF(cell.left() + inset, cell.top() + inset, cell.left() + inset, cell.bottom() - inset));
    painter.setPen(QPen(kShadowColour, map.Length(kLineWidth)));
    painter.drawLine(QLineF(cell.left() + inset, cell.bottom() - inset, cell.right() - inset, cell.bottom() - inset));
    painter.drawLine(QLineF(cell.right() - inset, cell.top() + inset, cell.right() - inset, cell.bottom() - inset));
    painter.setPen(kTextColour);
    DrawCellText(painter, cell, margin, Qt(printout.headings[static_cast<std::size_t>(c)]));
    x += w;
  }
}

void DrawChannelRow(QPainter& painter, const PageMapper& map, const ChannelRow& row, double top,
                    double margin) {
  double x = 0;
  for (int c = 0; c < kChannelTableColumns; ++c) {
    const double w = kChannelColumnWidths[static_cast<std::size_t>(c)];
    const QRectF cell = map.Rect(x, top, w, kChannelRowHeight);
    painter.fillRect(cell, c == kColName && row.bNameButtonFace ? kButtonFaceColour : kPaperColour);
    painter.setPen(row.IsGrey(c) ? kGreyTextColour : kTextColour);
    DrawCellText(painter, cell, margin, Qt(row.Text(c)));
    x += w;
  }
}

// Grid lines over the heading and `rows` channel rows: along the top of the heading,
// the bottom of every row and both sides of every column.
void DrawGridLines(QPainter& painter, const PageMapper& map, double top, int rows) {
  const double height = kChannelHeaderRowHeight + rows * kChannelRowHeight;
  QPen pen(kShadowColour, map.Length(kLineWidth));
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  const auto line = [&](double x1, double y1, double x2, double y2) {
    const QRectF a = map.Rect(x1, y1, 0, 0);
    const QRectF b = map.Rect(x2, y2, 0, 0);
    painter.drawLine(a.topLeft(), b.topLeft());
  };
  line(0, top, kTableWidth, top);
  for (int r = 0; r <= rows; ++r) {
    const double y = top + kChannelHeaderRowHeight + r * kChannelRowHeight;
    line(0, y, kTableWidth, y);
  }
  double x = 0;
  line(x, top, x, top + height);
  for (const int w : kChannelColumnWidths) {
    x += w;
    line(x, top, x, top + height);
  }
}

}  // namespace

int ChannelPrintout::PageCount() const {
  const int n = static_cast<int>(rows.size());
  return std::max(1, (n + kChannelsPerPage - 1) / kChannelsPerPage);
}

int ChannelPrintout::FirstRowOfPage(int page) const {
  return std::clamp((page - 1) * kChannelsPerPage, 0, static_cast<int>(rows.size()));
}

int ChannelPrintout::EndRowOfPage(int page) const {
  return std::clamp(page * kChannelsPerPage, FirstRowOfPage(page), static_cast<int>(rows.size()));
}

ChannelPrintout LoadChannelPrintout(const CQorrinDoc& doc) {
  ChannelPrintout printout;
  printout.headings = LoadChannelHeadings();
  const NameColumnMode mode = ReadNameColumnMode();
  const ChannelCellTexts texts = LoadChannelCellTexts();
  for (int r = 1; r < kChannelTableRows; ++r) {
    ChannelRow row = GetChannelRow(doc, r, mode, texts);
    // A programmed channel is one whose receive-frequency cell shows a text.
    if (!row.Text(kColRxFrequency).empty()) printout.rows.push_back(std::move(row));
  }
  const std::string locale = LoadLangStringOr("IDS_LOCALE", "");
  printout.locale = locale.empty() ? QLocale::system() : QLocale(Qt(locale));
  printout.cellFont = TableFont();
  return printout;
}

ChannelPageLayout MeasureChannelPage(QPaintDevice& device) {
  ChannelPageLayout layout;
  // The average width of the letters in the measuring font, each letter's advance rounded
  // to whole units as a 9-unit font lays them out.
  QFont font = PrintFont();
  constexpr int kProbe = 1000;
  font.setPixelSize(kProbe);
  const QFontMetricsF metrics(font, &device);
  const double perUnit = metrics.height() > 0 ? kMeasuringFontHeight / metrics.height() : 0;
  long total = 0;
  for (const QChar ch : kMeasuringLetters) total += std::lround(metrics.horizontalAdvance(ch) * perUnit);
  layout.nCharWidth = static_cast<int>(total / kMeasuringLetters.size());

  layout.nPrintableWidth = device.width();
  layout.nPrintableHeight = device.height();
  layout.nPageWidth = kTableWidth + 2 * layout.MarginWidth();
  if (layout.nPrintableWidth <= 0 || layout.nPrintableHeight <= 0) return layout;
  layout.nPageHeight = static_cast<int>(std::lround(static_cast<double>(layout.nPageWidth) *
                                                    layout.nPrintableHeight / layout.nPrintableWidth));
  layout.dScale = static_cast<double>(layout.nPrintableWidth) / layout.nPageWidth;
  // Paper that is too short for 35 rows at the width's scale (landscape, letter size):
  // the whole page is scaled down to the height and centred, so no row falls off.
  if (layout.nPageHeight < kFullPageHeight) {
    layout.dScale = static_cast<double>(layout.nPrintableHeight) / kFullPageHeight;
  }
  layout.dLeft = (layout.nPrintableWidth - layout.nPageWidth * layout.dScale) / 2 +
                 layout.MarginWidth() * layout.dScale;
  return layout;
}

QString PrintDateText(const QDateTime& now, const QLocale& locale) {
  return locale.toString(now, QStringLiteral("yyyy-MM-dd dddd HH:mm"));
}

void DrawChannelPage(QPainter& painter, const ChannelPrintout& printout,
                     const ChannelPageLayout& layout, int page, const QDateTime& now) {
  if (layout.dScale <= 0) return;
  const PageMapper map{layout};
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);

  // The date band: as high as the heading row, the date at its top left.
  const QFont dateFont = PrintFont();
  painter.setFont(map.Font(dateFont, EmForCellHeight(dateFont, kDateFontHeight, painter.device())));
  painter.setPen(kTextColour);
  painter.drawText(map.Rect(0, 0, kTableWidth, kChannelHeaderRowHeight),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, PrintDateText(now, printout.locale));

  // Heading and rows, in the table's font; a cell's text keeps a space's width from its sides.
  const double top = kChannelHeaderRowHeight;
  const double margin = map.Length(QFontMetricsF(printout.cellFont).horizontalAdvance(QLatin1Char(' ')));
  painter.setFont(map.Font(printout.cellFont, printout.cellFont.pixelSize()));
  DrawHeaderRow(painter, map, printout, top, margin);
  const int first = printout.FirstRowOfPage(page);
  const int end = printout.EndRowOfPage(page);
  double y = top + kChannelHeaderRowHeight;
  for (int i = first; i < end; ++i) {
    DrawChannelRow(painter, map, printout.rows[static_cast<std::size_t>(i)], y, margin);
    y += kChannelRowHeight;
  }
  DrawGridLines(painter, map, top, end - first);
  painter.restore();
}

bool PrintChannelTable(QPrinter& printer, const ChannelPrintout& printout, int fromPage, int toPage,
                       const PrintClock& clock) {
  const int pages = printout.PageCount();
  const int from = fromPage <= 0 ? 1 : std::min(fromPage, pages);
  const int to = toPage <= 0 ? pages : std::clamp(toPage, from, pages);
  std::vector<int> order;
  for (int p = from; p <= to; ++p) order.push_back(p);
  if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(order.begin(), order.end());
  // Copies the printer does not make itself are printed here, as sets or page by page.
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  std::vector<int> sequence;
  if (printer.collateCopies()) {
    for (int c = 0; c < copies; ++c) sequence.insert(sequence.end(), order.begin(), order.end());
  } else {
    for (const int p : order) sequence.insert(sequence.end(), static_cast<std::size_t>(copies), p);
  }

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const ChannelPageLayout layout = MeasureChannelPage(printer);
  bool firstSheet = true;
  for (const int page : sequence) {
    if (!firstSheet) printer.newPage();
    firstSheet = false;
    DrawChannelPage(painter, printout, layout, page, clock ? clock() : QDateTime::currentDateTime());
  }
  return painter.end();
}

}  // namespace qorrin::gui
