#pragma once
// Channels written as a channel list: the header row, then one row per programmed channel
// in the order asked, with all 21 columns (ListColumns.h) filled so that other tools that
// read the layout find no empty required cell.
//
//   Location   the channel number        Frequency  receive, MHz with six decimals
//   Name       as the table shows it     Duplex, Offset:
//     ""  and 0.000000 for simplex; "+" / "-" and the shift in MHz when transmit lies in
//     the same band of the model as receive; "split" and the transmit frequency when it
//     lies in the other band of a two-band model; "off" for receive-only
//   tone columns as ToneColumns.h (a receive-only channel has no encode tone)
//   Mode FM (wide) or NFM (narrow); TStep 5.00; Power 5.0W (high) or 1.0W (low);
//   Skip, Comment and the digital-voice columns empty.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/interchange/ListColumns.h"
#include "core/model/BandLimits.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

struct ListFormat {
  char separator = ',';
  std::string_view lineEnd = "\r\n";
};

// The file layout: comma-separated, header, CRLF (UTF-8 without byte-order mark).
inline constexpr ListFormat kCsvListFormat{};
// What spreadsheets take from the clipboard: tab-separated, header, CRLF.
inline constexpr ListFormat kTabListFormat{'\t', "\r\n"};

// The cells of one channel's row (of an empty channel too, which the lists leave out).
std::array<std::string, kWrittenColumnCount> ChannelListCells(ConstImageSpan image, const BandLimits& limits,
                                                           int channel);

// The rows of the given channels in the given order; empty channels and numbers outside
// 1-99 are left out.
std::string WriteChannelList(ConstImageSpan image, const BandLimits& limits, std::span<const int> channels,
                             const ListFormat& format = kCsvListFormat);

// Every programmed channel, ascending: what the export writes.
std::string WriteChannelTable(ConstImageSpan image, const BandLimits& limits,
                              const ListFormat& format = kCsvListFormat);

}  // namespace qorrin
