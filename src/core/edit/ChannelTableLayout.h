#pragma once
// The shape of the channel table: one header row, one row per channel (row r shows channel
// r), a fixed column of channel numbers and seven data columns, their pixel sizes and the
// column headings from the language file.
#include <array>
#include <string>

namespace qorrin {

// Data columns of the table; column 0 is the fixed column of channel numbers.
enum ChannelColumn : int {
  kColChannel = 0,
  kColRxFrequency = 1,
  kColRxTone = 2,       // decode tone
  kColTxFrequency = 3,  // derived from receive frequency, offset and shift direction
  kColTxTone = 4,       // encode tone
  kColBandwidth = 5,
  kColPower = 6,
  kColName = 7,
};

inline constexpr int kChannelTableRows = 100;  // header row + channels 1..99
inline constexpr int kChannelTableColumns = 8;
inline constexpr std::array<int, kChannelTableColumns> kChannelColumnWidths{40, 100, 90, 100,
                                                                            90, 70,  70, 70};
inline constexpr int kChannelHeaderRowHeight = 28;
inline constexpr int kChannelRowHeight = 21;

// The eight headings: [ChText] IDS_ChText0..7 of the current language file, each cut to
// 29 bytes; a missing key repeats the heading of the column before it (column 0: empty).
std::array<std::string, kChannelTableColumns> LoadChannelHeadings();

}  // namespace qorrin
