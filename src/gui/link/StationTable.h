#pragma once
// The production line's table: a row per port (its name, its cable, what it is doing,
// its radios so far, the last radio's result), the status large enough to read from
// across the bench: green when the radio is done, red when it failed, a bar filling
// behind the text while a transfer runs.
#include <QTableWidget>

#include "core/transfer/StationTypes.h"

namespace qorrin::gui {

class StationTable : public QTableWidget {
  Q_OBJECT
 public:
  enum Column { kPort, kCable, kStatus, kRadios, kLast, kColumns };

  explicit StationTable(QWidget* parent = nullptr);
  // Headings and every row's texts in the current language.
  void Localize();
  void ShowPort(const StationPortView& port);
  void Clear();

 private:
  void FillRow(const StationPortView& port);
  std::vector<StationPortView> m_ports;  // by row, for a change of language
};

}  // namespace qorrin::gui
