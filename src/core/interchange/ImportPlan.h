#pragma once
// A channel list laid onto the table before anything is stored: for every row, the
// channel it goes to and what that channel will hold, or why the row is refused, and what
// had to change to make it fit; and, once for the whole list, what was assumed for a
// column the list does not have. The window shows the plan as its preview, the command
// line prints it as its report; ApplyChannelImport (ImportApply.h) stores it.
//
// After each row is mapped, the list is looked at as a whole: rows whose different names
// shorten to the same four characters are shortened again together (NameClash.h).
#include <string>
#include <vector>

#include "core/edit/NameColumnSetting.h"
#include "core/interchange/ChannelListReader.h"
#include "core/interchange/RowMapping.h"
#include "core/interchange/RowPlacement.h"
#include "core/model/BandLimits.h"

namespace qorrin {

struct PlannedRow {
  int nLine = 0;            // where the row starts in the text
  std::string strLocation;  // its Location cell, trimmed ("" when it has none)
  bool bByLocation = false; // the channel is the one its Location names
  int nChannel = 0;         // the channel it goes to; 0 for a refused row with no place
  std::optional<ImportNote> refusal;
  std::vector<ImportNote> changes;
  PlannedChannel channel;   // what the channel will hold, when not refused

  bool IsRefused() const { return refusal.has_value(); }
  bool IsChanged() const { return !IsRefused() && !changes.empty(); }
};

struct ImportPlan {
  PlacementOptions placement;
  std::vector<PlannedRow> rows;
  // Said once for the list: a Mode or Power column it lacks, a frequency range of the
  // settings that would take rows this one refuses.
  std::vector<ImportNote> assumptions;

  int ImportedCount() const;
  int RefusedCount() const;
  int ChangedCount() const;
  // The channels that rows will be stored in, ascending.
  std::vector<int> ImportedChannels() const;
  // Rows refused only because they fall past channel 99.
  int BeyondLastChannelCount() const;
};

// `limits` and `names` are those of the document the plan will be applied to (its band
// limits, the name setting as ReadNameColumnMode gives it). When rows lie outside the
// limits, the frequency ranges of setting.ini are tried for one that takes more rows.
ImportPlan PlanChannelImport(const ChannelList& list, const BandLimits& limits, NameColumnMode names,
                             const PlacementOptions& placement);

}  // namespace qorrin
