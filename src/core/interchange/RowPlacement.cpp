#include "core/interchange/RowPlacement.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

#include "core/interchange/ListFieldText.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

namespace {

// The channel a row asks for before the duplicate check; nothing with the refusal set
// when the Location cell is no number.
RowPlace AskedChannel(const ChannelList& list, std::size_t index, const PlacementOptions& options,
                      bool countsFromZero) {
  RowPlace place;
  const bool fromOrder = options.bFromChannel || !list.HasColumn(ListColumn::Location);
  if (fromOrder) {
    const long long first = options.bFromChannel ? options.nFirstChannel : kFirstChannel;
    const long long channel = first + static_cast<long long>(index);
    place.nChannel = static_cast<int>(std::clamp<long long>(channel, INT_MIN, INT_MAX));
    return place;
  }
  const std::string_view cell = list.rows[index].Cell(ListColumn::Location);
  const std::optional<int> location = ParseDigits(cell);
  if (!location) {
    place.refusal = ImportNote{ImportNoteKind::NoLocation, std::string(TrimSpacesAndTabs(cell)), {}};
    return place;
  }
  place.nChannel = *location + (countsFromZero ? 1 : 0);
  return place;
}

}  // namespace

std::vector<RowPlace> PlaceRows(const ChannelList& list, const PlacementOptions& options) {
  const bool countsFromZero =
      !options.bFromChannel && std::ranges::any_of(list.rows, [](const ChannelListRow& row) {
        return ParseDigits(row.Cell(ListColumn::Location)) == 0;
      });
  std::array<int, kLastChannel + 1> namedOnLine{};  // 0: no row has named the channel yet
  std::vector<RowPlace> places;
  places.reserve(list.rows.size());
  for (std::size_t i = 0; i < list.rows.size(); ++i) {
    RowPlace place = AskedChannel(list, i, options, countsFromZero);
    if (!place.refusal) {
      if (place.nChannel < kFirstChannel || place.nChannel > kLastChannel) {
        place.refusal = ImportNote{ImportNoteKind::ChannelOutside, std::to_string(place.nChannel), {}};
      } else if (int& line = namedOnLine[static_cast<std::size_t>(place.nChannel)]; line != 0) {
        place.refusal = ImportNote{ImportNoteKind::DuplicateChannel, std::to_string(place.nChannel),
                                   std::to_string(line)};
      } else {
        line = list.rows[i].nLine;
      }
    }
    places.push_back(std::move(place));
  }
  return places;
}

}  // namespace qorrin
