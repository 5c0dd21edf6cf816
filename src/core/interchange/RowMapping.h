#pragma once
// What one row of a channel list becomes in the radio, worked out without touching any
// document: the values that the channel table's commits will be given, what the table
// will show afterwards, and why the row is refused or what had to change.
//
// The table's own rules decide: frequencies within the band limits (an import refuses a
// frequency the table would move to a band edge or out of the gap between two bands),
// snapped to the channel raster; the tone lists; four-character names.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/edit/NameColumnSetting.h"
#include "core/interchange/ChannelListReader.h"
#include "core/interchange/ImportNotes.h"
#include "core/model/BandLimits.h"

namespace qorrin {

struct PlannedChannel {
  // Given to the commits.
  std::string strReceiveTyped;   // receive frequency, "%03d.%05d" MHz
  std::string strTransmitTyped;  // transmit frequency; "" makes the channel receive-only
  int nRxTone = 0;               // tone codes
  int nTxTone = 0;               // stored only when the channel transmits
  bool bWide = true;
  bool bHighPower = true;
  std::string strName;           // already shortened to what the radio shows
  std::string strSourceName;     // the Name cell as the list has it
  bool bStoreName = true;        // false while the name column is switched off

  // What the channel table shows once stored.
  std::string strReceive;   // receive cell, for example 146.52000
  std::string strTransmit;  // transmit cell; "" for receive-only
  bool Transmits() const { return !strTransmit.empty(); }
};

struct RowMapping {
  std::optional<ImportNote> refusal;
  std::vector<ImportNote> changes;
  PlannedChannel channel;  // meaningful only without a refusal
};

// `row` is one of `list`'s rows. A Power cell that is empty or not understood, and a
// list without a Power column, store `highPowerDefault`.
RowMapping MapListRow(const ChannelList& list, const ChannelListRow& row, const BandLimits& limits,
                      NameColumnMode names, bool highPowerDefault = true);

// The frequencies the band limits accept, as a report names them, in MHz with three
// decimals (more where an edge needs them): "136.000-173.995", and both bands of a
// two-band model, "136.000-174.000, 400.000-469.995".
std::string BandLimitsText(const BandLimits& limits);

}  // namespace qorrin
