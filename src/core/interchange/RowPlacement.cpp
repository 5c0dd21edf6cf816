#include "core/interchange/RowPlacement.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/interchange/ListFieldText.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

bool PlacesInOrder(const ChannelList& list, const PlacementOptions& options) {
  return options.bFromChannel || !list.HasColumn(ListColumn::Location);
}

std::vector<RowPlace> PlaceRowsByLocation(const ChannelList& list) {
  const bool countsFromZero = std::ranges::any_of(
      list.rows, [](const ChannelListRow& row) { return ParseDigits(row.Cell(ListColumn::Location)) == 0; });
  std::array<int, kLastChannel + 1> namedOnLine{};  // 0: no row has named the channel yet
  std::vector<RowPlace> places;
  places.reserve(list.rows.size());
  for (const ChannelListRow& row : list.rows) {
    RowPlace place;
    const std::string_view cell = row.Cell(ListColumn::Location);
    const std::optional<int> location = ParseDigits(cell);
    if (!location) {
      place.refusal = ImportNote{ImportNoteKind::NoLocation, std::string(TrimSpacesAndTabs(cell)), {}};
    } else {
      place.nChannel = *location + (countsFromZero ? 1 : 0);
      if (place.nChannel < kFirstChannel || place.nChannel > kLastChannel) {
        place.refusal = ImportNote{ImportNoteKind::ChannelOutside, std::to_string(place.nChannel), {}};
      } else if (int& line = namedOnLine[static_cast<std::size_t>(place.nChannel)]; line != 0) {
        place.refusal =
            ImportNote{ImportNoteKind::DuplicateChannel, std::to_string(place.nChannel), std::to_string(line)};
      } else {
        line = row.nLine;
      }
    }
    places.push_back(std::move(place));
  }
  return places;
}

}  // namespace qorrin
