#pragma once
// The production line's words in the window, from the language file: what a port is
// doing, each radio's result, the tally; and the colour its status is shown in.
#include <QString>

#include "core/transfer/StationTypes.h"

namespace qorrin::gui {

QString StationResultText(RadioResult result);
// "Waiting for a radio", "Writing 37%", "Done: programmed", "Failed: wrong model".
QString StationStatusText(const StationPortView& port);
QString StationTallyText(const StationTally& tally);

enum class StatusTone {
  Quiet,  // no cable, waiting
  Busy,   // a transfer runs (its percent shows as a bar)
  Good,   // the radio holds the plan
  Bad,    // the radio failed, or the port cannot be opened
};
StatusTone StationStatusTone(const StationPortView& port);

}  // namespace qorrin::gui
