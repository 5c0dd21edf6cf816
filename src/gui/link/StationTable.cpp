#include "gui/link/StationTable.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "gui/lang/QtText.h"
#include "gui/link/StationTexts.h"

namespace qorrin::gui {
namespace {

constexpr int kPercentRole = Qt::UserRole;
constexpr int kToneRole = Qt::UserRole + 1;
constexpr double kStatusScale = 1.8;  // the status font against the table's

// The status cell: the tone's colour, a bar for the percent of a transfer, the text
// large and bold in the middle.
class StatusDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& given, const QModelIndex& index) const override {
    QStyleOptionViewItem option = given;
    initStyleOption(&option, index);  // the item's own (large) font
    painter->save();
    const auto tone = static_cast<StatusTone>(index.data(kToneRole).toInt());
    QRect area = option.rect.adjusted(2, 2, -2, -2);
    QColor text = option.palette.color(QPalette::Text);
    if (tone == StatusTone::Good || tone == StatusTone::Bad) {
      painter->fillRect(area, tone == StatusTone::Good ? QColor(0x2E, 0x7D, 0x32) : QColor(0xC6, 0x28, 0x28));
      text = Qt::white;
    } else if (tone == StatusTone::Busy) {
      const int percent = std::clamp(index.data(kPercentRole).toInt(), 0, 100);
      painter->fillRect(area, QColor(0xE3, 0xF2, 0xFD));
      painter->fillRect(QRect(area.topLeft(), QSize(area.width() * percent / 100, area.height())),
                        QColor(0x90, 0xCA, 0xF9));
    }
    QFont font = option.font;
    font.setBold(true);
    painter->setFont(font);
    painter->setPen(text);
    painter->drawText(area.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, index.data().toString());
    painter->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& given, const QModelIndex& index) const override {
    QStyleOptionViewItem option = given;
    initStyleOption(&option, index);
    QFont font = option.font;
    font.setBold(true);
    const QFontMetrics metrics(font);
    return QSize(metrics.horizontalAdvance(index.data().toString()) + 24, metrics.height() * 3 / 2);
  }
};

QTableWidgetItem* Item(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  return item;
}

// A link in a watched folder is known by its own name; ports and devices as given.
QString PortName(const StationPortView& port) {
  const QString name = Qt(port.name);
  return name.contains(u'/') || name.contains(u'\\') ? QFileInfo(name).fileName() : name;
}

}  // namespace

StationTable::StationTable(QWidget* parent) : QTableWidget(0, kColumns, parent) {
  setObjectName("StationTable");
  setItemDelegateForColumn(kStatus, new StatusDelegate(this));
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  verticalHeader()->setVisible(false);
  horizontalHeader()->setSectionResizeMode(kStatus, QHeaderView::Stretch);
  horizontalHeader()->setSectionResizeMode(kPort, QHeaderView::ResizeToContents);
  horizontalHeader()->setSectionResizeMode(kCable, QHeaderView::ResizeToContents);
  horizontalHeader()->setSectionResizeMode(kRadios, QHeaderView::ResizeToContents);
  horizontalHeader()->setSectionResizeMode(kLast, QHeaderView::ResizeToContents);
  QFont big = font();
  big.setPointSizeF(big.pointSizeF() * kStatusScale);
  big.setBold(true);
  verticalHeader()->setDefaultSectionSize(QFontMetrics(big).height() * 3 / 2);
  Localize();
}

void StationTable::Localize() {
  setHorizontalHeaderLabels({LangText("IDS_STATION_COL_PORT"), LangText("IDS_STATION_COL_CABLE"),
                             LangText("IDS_STATION_COL_STATUS"), LangText("IDS_STATION_COL_RADIOS"),
                             LangText("IDS_STATION_COL_LAST")});
  setAccessibleName(LangText("IDS_STATION_TABLE"));
  for (const StationPortView& port : m_ports) FillRow(port);
}

void StationTable::Clear() {
  m_ports.clear();
  setRowCount(0);
}

void StationTable::ShowPort(const StationPortView& port) {
  const std::size_t row = static_cast<std::size_t>(port.row);
  if (row >= m_ports.size()) m_ports.resize(row + 1);
  m_ports[row] = port;
  FillRow(port);
}

void StationTable::FillRow(const StationPortView& port) {
  if (port.row >= rowCount()) setRowCount(port.row + 1);
  QTableWidgetItem* name = Item(PortName(port));
  name->setToolTip(QDir::toNativeSeparators(Qt(port.name)) +
                   (port.device.empty() ? QString() : QStringLiteral("\n") + QDir::toNativeSeparators(Qt(port.device))));
  setItem(port.row, kPort, name);
  setItem(port.row, kCable, Item(Qt(port.cable)));
  QTableWidgetItem* status = Item(StationStatusText(port));
  QFont big = font();
  big.setPointSizeF(big.pointSizeF() * kStatusScale);
  status->setFont(big);
  status->setData(kPercentRole, port.percent);
  status->setData(kToneRole, static_cast<int>(StationStatusTone(port)));
  setItem(port.row, kStatus, status);
  setItem(port.row, kRadios, Item(QString::number(port.radios)));
  setItem(port.row, kLast, Item(port.result ? StationResultText(*port.result) : QString()));
}

}  // namespace qorrin::gui
