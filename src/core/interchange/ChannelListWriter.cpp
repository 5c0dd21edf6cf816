#include "core/interchange/ChannelListWriter.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "core/interchange/DelimitedText.h"
#include "core/interchange/ListFieldText.h"
#include "core/interchange/ToneColumns.h"
#include "core/model/FrequencyCodec.h"
#include "core/model/FrequencyUnits.h"
#include "core/model/RecordFields.h"
#include "core/model/ToneCodec.h"

namespace qorrin {

namespace {

std::string Hz(std::int64_t value) { return FormatListFrequency(value * kHzPerUnit); }

// 0 below 200 MHz, 1 at or above; a one-band model has a single band.
int BandOf(std::int64_t value, const BandLimits& limits) {
  return limits.IsTwoBand() && value >= kUpperBandStart ? 1 : 0;
}

void SetCell(std::array<std::string, kWrittenColumnCount>& cells, ListColumn column, std::string text) {
  cells[ColumnIndex(column)] = std::move(text);
}

// The duplex and offset cells, from the transmit frequency as the table derives it;
// whether the channel transmits.
bool SetDuplex(std::array<std::string, kWrittenColumnCount>& cells, ConstImageSpan image, const BandLimits& limits,
               int channel) {
  const std::optional<std::int64_t> tx =
      IsRecordEmpty(image, channel) ? std::nullopt : TransmitFrequencyValue(image, channel);
  std::string duplex = "off";
  std::int64_t offset = 0;
  if (tx) {
    const std::int64_t rx = ParseFrequencyText(GetFrequencyText(image, channel, true));
    duplex.clear();
    if (BandOf(rx, limits) != BandOf(*tx, limits)) {
      duplex = "split";
      offset = *tx;
    } else if (*tx != rx) {
      duplex = *tx > rx ? "+" : "-";
      offset = *tx > rx ? *tx - rx : rx - *tx;
    }
  }
  SetCell(cells, ListColumn::Duplex, duplex);
  SetCell(cells, ListColumn::Offset, Hz(offset));
  return tx.has_value();
}

}  // namespace

std::array<std::string, kWrittenColumnCount> ChannelListCells(ConstImageSpan image, const BandLimits& limits,
                                                           int channel) {
  std::array<std::string, kWrittenColumnCount> cells;
  SetCell(cells, ListColumn::Location, std::to_string(channel));
  SetCell(cells, ListColumn::Name, GetChannelName(image, channel));
  SetCell(cells, ListColumn::Frequency, Hz(ParseFrequencyText(GetFrequencyText(image, channel, true))));
  const bool transmits = SetDuplex(cells, image, limits, channel);
  const ToneCells tones =
      WriteToneCells(GetToneCode(image, channel, true), transmits ? GetToneCode(image, channel, false) : kToneOff);
  SetCell(cells, ListColumn::Tone, tones.strTone);
  SetCell(cells, ListColumn::rToneFreq, tones.strTxCtcss);
  SetCell(cells, ListColumn::cToneFreq, tones.strRxCtcss);
  SetCell(cells, ListColumn::DtcsCode, tones.strTxDcs);
  SetCell(cells, ListColumn::DtcsPolarity, tones.strPolarity);
  SetCell(cells, ListColumn::RxDtcsCode, tones.strRxDcs);
  SetCell(cells, ListColumn::CrossMode, tones.strCrossMode);

  SetCell(cells, ListColumn::Mode, IsWide(image, channel) ? "FM" : "NFM");
  SetCell(cells, ListColumn::TStep, "5.00");
  // Other tools take power only in watts.
  SetCell(cells, ListColumn::Power, IsHighPower(image, channel) ? "5.0W" : "1.0W");
  return cells;
}

std::string WriteChannelList(ConstImageSpan image, const BandLimits& limits, std::span<const int> channels,
                             const ListFormat& format) {
  std::string text;
  const std::vector<std::string> header(kListColumnNames.begin(), kListColumnNames.end());
  AppendDelimitedRecord(text, header, format.separator, format.lineEnd);
  for (int channel : channels) {
    if (channel < kFirstChannel || channel > kLastChannel || IsRecordEmpty(image, channel)) continue;
    AppendDelimitedRecord(text, ChannelListCells(image, limits, channel), format.separator, format.lineEnd);
  }
  return text;
}

std::string WriteChannelTable(ConstImageSpan image, const BandLimits& limits, const ListFormat& format) {
  std::vector<int> channels;
  for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) channels.push_back(channel);
  return WriteChannelList(image, limits, channels, format);
}

}  // namespace qorrin
