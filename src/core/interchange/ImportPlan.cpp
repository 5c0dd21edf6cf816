#include "core/interchange/ImportPlan.h"

#include <algorithm>

#include "core/interchange/ListFieldText.h"
#include "core/interchange/NameClash.h"
#include "core/model/ModelInfo.h"
#include "core/model/RadioImageLayout.h"

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

int ImportPlan::BeyondLastChannelCount() const {
  return static_cast<int>(std::ranges::count_if(rows, [](const PlannedRow& row) {
    return row.refusal && row.refusal->kind == ImportNoteKind::ChannelOutside && !row.bByLocation;
  }));
}

namespace {

// What makes a row unreadable before anything in it is looked at.
std::optional<ImportNote> DamageOf(const ChannelList& list, const ChannelListRow& row) {
  if (row.nUnclosedQuoteLine != 0) {
    return ImportNote{ImportNoteKind::UnclosedQuote, std::to_string(row.nUnclosedQuoteLine), {}};
  }
  if (row.missing) return ImportNote{ImportNoteKind::RowIncomplete, list.ColumnNameOf(*row.missing), {}};
  return std::nullopt;
}

void Map(PlannedRow& planned, const ChannelList& list, const ChannelListRow& row, const BandLimits& limits,
         NameColumnMode names, const PlacementOptions& placement) {
  RowMapping mapping = MapListRow(list, row, limits, names, placement.bHighPower);
  planned.refusal = std::move(mapping.refusal);
  planned.changes = std::move(mapping.changes);
  planned.channel = std::move(mapping.channel);
}

std::vector<PlannedRow> PlanRows(const ChannelList& list, const BandLimits& limits, NameColumnMode names,
                                 const PlacementOptions& placement) {
  std::vector<PlannedRow> rows(list.rows.size());
  for (std::size_t i = 0; i < list.rows.size(); ++i) {
    rows[i].nLine = list.rows[i].nLine;
    rows[i].strLocation = std::string(TrimSpacesAndTabs(list.rows[i].Cell(ListColumn::Location)));
    rows[i].refusal = DamageOf(list, list.rows[i]);
  }
  if (PlacesInOrder(list, placement)) {
    int next = placement.bFromChannel ? placement.nFirstChannel : kFirstChannel;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
      PlannedRow& row = rows[i];
      if (row.IsRefused()) continue;
      Map(row, list, list.rows[i], limits, names, placement);
      if (row.IsRefused()) continue;
      if (next > kLastChannel) {
        row.refusal = ImportNote{ImportNoteKind::ChannelOutside, std::to_string(next), {}};
        row.changes.clear();
      }
      row.nChannel = next++;
    }
  } else {
    const std::vector<RowPlace> places = PlaceRowsByLocation(list);
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
      PlannedRow& row = rows[i];
      row.bByLocation = true;
      row.nChannel = places[i].nChannel;
      if (row.IsRefused()) continue;
      if (places[i].refusal) {
        row.refusal = places[i].refusal;
      } else {
        Map(row, list, list.rows[i], limits, names, placement);
      }
    }
  }
  ResolveNameClashes(rows);
  return rows;
}

int StoredCount(const std::vector<PlannedRow>& rows) {
  return static_cast<int>(std::ranges::count_if(rows, [](const PlannedRow& row) { return !row.IsRefused(); }));
}

bool OutsideBand(const PlannedRow& row) {
  return row.refusal && (row.refusal->kind == ImportNoteKind::ReceiveOutsideBand ||
                         row.refusal->kind == ImportNoteKind::TransmitOutsideBand);
}

// The frequency range of the settings that would store the most rows, when that is more
// than the document's own range stores.
std::optional<ImportNote> OtherRangeThatFits(const ChannelList& list, const std::vector<PlannedRow>& rows,
                                             const BandLimits& limits, NameColumnMode names,
                                             const PlacementOptions& placement) {
  if (std::ranges::none_of(rows, OutsideBand)) return std::nullopt;
  const int stored = StoredCount(rows);
  std::optional<ImportNote> best;
  int bestCount = stored;
  for (const ModelEntry& model : ListModels()) {
    if (!model.bUsable) continue;
    const BandLimits other = ModelLimits(model.nIndex);
    if (other == limits) continue;
    const int count = StoredCount(PlanRows(list, other, names, placement));
    if (count > bestCount) {
      bestCount = count;
      best = ImportNote{ImportNoteKind::OtherRangeFits, model.strText, std::to_string(count)};
    }
  }
  return best;
}

}  // namespace

ImportPlan PlanChannelImport(const ChannelList& list, const BandLimits& limits, NameColumnMode names,
                             const PlacementOptions& placement) {
  ImportPlan plan;
  plan.placement = placement;
  plan.rows = PlanRows(list, limits, names, placement);
  // Said once, when some row that is stored has no such cell at all.
  const auto storedWithout = [&](std::initializer_list<ListColumn> columns) {
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
      const ChannelListRow& row = list.rows[i];
      if (!plan.rows[i].IsRefused() &&
          std::ranges::none_of(columns, [&](ListColumn column) { return row.HasCell(column); })) {
        return true;
      }
    }
    return false;
  };
  if (storedWithout({ListColumn::Mode, ListColumn::TableBandwidth})) {
    plan.assumptions.push_back(ImportNote{ImportNoteKind::NoModeColumn, {}, {}});
  }
  if (storedWithout({ListColumn::Power})) {
    plan.assumptions.push_back(ImportNote{
        placement.bHighPower ? ImportNoteKind::NoPowerColumnHigh : ImportNoteKind::NoPowerColumnLow, {}, {}});
  }
  if (std::optional<ImportNote> other = OtherRangeThatFits(list, plan.rows, limits, names, placement)) {
    plan.assumptions.push_back(std::move(*other));
  }
  return plan;
}

}  // namespace qorrin
