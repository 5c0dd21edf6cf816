#include "core/interchange/ImportPlan.h"

#include <algorithm>

#include "core/interchange/ListFieldText.h"

namespace qorrin {

int ImportPlan::ImportedCount() const {
  return static_cast<int>(std::ranges::count_if(rows, [](const PlannedRow& row) { return !row.IsRefused(); }));
}

int ImportPlan::RefusedCount() const {
  return static_cast<int>(std::ranges::count_if(rows, &PlannedRow::IsRefused));
}

int ImportPlan::ChangedCount() const {
  return static_cast<int>(std::ranges::count_if(rows, &PlannedRow::IsChanged));
}

std::vector<int> ImportPlan::ImportedChannels() const {
  std::vector<int> channels;
  for (const PlannedRow& row : rows) {
    if (!row.IsRefused()) channels.push_back(row.nChannel);
  }
  std::ranges::sort(channels);
  return channels;
}

ImportPlan PlanChannelImport(const ChannelList& list, const BandLimits& limits, NameColumnMode names,
                             const PlacementOptions& placement) {
  ImportPlan plan;
  plan.placement = placement;
  const std::vector<RowPlace> places = PlaceRows(list, placement);
  plan.rows.reserve(list.rows.size());
  for (std::size_t i = 0; i < list.rows.size(); ++i) {
    const ChannelListRow& row = list.rows[i];
    PlannedRow planned;
    planned.nLine = row.nLine;
    planned.strLocation = std::string(TrimSpacesAndTabs(row.Cell(ListColumn::Location)));
    planned.nChannel = places[i].nChannel;
    if (places[i].refusal) {
      planned.refusal = places[i].refusal;
    } else {
      RowMapping mapping = MapListRow(row, list.bDecimalComma, limits, names);
      planned.refusal = std::move(mapping.refusal);
      planned.changes = std::move(mapping.changes);
      planned.channel = std::move(mapping.channel);
    }
    plan.rows.push_back(std::move(planned));
  }
  return plan;
}

}  // namespace qorrin
