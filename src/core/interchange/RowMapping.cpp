#include "core/interchange/RowMapping.h"

#include <algorithm>
#include <array>
#include <climits>

#include "core/interchange/ListFieldText.h"
#include "core/interchange/NameShortening.h"
#include "core/interchange/ToneColumns.h"
#include "core/model/FrequencyCodec.h"
#include "core/model/FrequencyUnits.h"
#include "core/model/ToneCodec.h"
#include "core/model/ToneTables.h"

namespace qorrin {

namespace {

// Steps that channels follow anyway: the 5 kHz and 6.25 kHz rasters (10 Hz units, the
// hundredths of kHz a TStep cell is read in).
constexpr std::int64_t kRasterSteps[] = {kCoarseStep, kFineStep};

// What the table's range check and raster do to a frequency: inside the limits, and not
// in the gap of a two-band model, which storing would move to the lowest frequency.
bool InsideBand(std::int64_t value, const BandLimits& limits) {
  return value >= limits.m_nFreqMin && value <= limits.m_nFreqMax && !limits.InGap(value);
}

// The receive cell's text of a stored value (the table decodes the field).
std::string ReceiveCellText(int value) {
  std::array<std::uint8_t, 4> field{};
  EncodeFrequencyField(field, FormatFrequency(value), false, BandLimits{});
  return DecodeFrequencyField(field);
}

// MHz with three decimals, or with the five a frequency value holds when it needs them.
std::string MHzText(std::int32_t value) { return FormatFixedPoint(value, kFrequencyDecimals, 1, 3); }

class RowMapper {
 public:
  RowMapper(const ChannelList& list, const ChannelListRow& row, const BandLimits& limits, NameColumnMode names,
            bool highPowerDefault)
      : m_list(list),
        m_row(row),
        m_bDecimalComma(list.bDecimalComma),
        m_limits(limits),
        m_names(names),
        m_bHighPowerDefault(highPowerDefault) {}

  RowMapping Map() {
    if (ReadFrequencies() && ReadMode() && ReadTones()) {
      ReadPower();
      ReadName();
      NoteWhatIsNotKept();
    }
    if (m_result.refusal) m_result.changes.clear();
    return std::move(m_result);
  }

 private:
  std::string_view Cell(ListColumn column) const { return TrimSpacesAndTabs(m_row.Cell(column)); }

  bool Refuse(ImportNoteKind kind, std::string_view first, std::string second = {}) {
    m_result.refusal = ImportNote{kind, std::string(first), std::move(second)};
    return false;
  }
  void Change(ImportNoteKind kind, std::string_view first = {}, std::string second = {}) {
    m_result.changes.push_back(ImportNote{kind, std::string(first), std::move(second)});
  }

  // Checks a frequency in Hz against the band; gives the value in 10 Hz units.
  std::optional<int> InBand(std::int64_t hz, ImportNoteKind outside) {
    const std::int64_t value = hz / kHzPerUnit;
    if (hz < 0 || value > INT_MAX || !InsideBand(value, m_limits)) {
      Refuse(outside, FormatListFrequency(hz), BandLimitsText(m_limits));
      return std::nullopt;
    }
    return static_cast<int>(value);
  }

  // The transmit frequency in Hz, from the table's transmit column or from the Duplex
  // and Offset columns: nothing for receive-only. False when the row is refused.
  bool ReadTransmit(std::int64_t rxHz, std::optional<std::int64_t>& txHz) {
    if (m_list.HasColumn(ListColumn::TableTransmit)) {
      const std::string_view cell = Cell(ListColumn::TableTransmit);
      if (cell.empty()) return true;
      txHz = ParseListFrequency(cell, m_bDecimalComma);
      return txHz ? true : Refuse(ImportNoteKind::UnreadableTransmit, cell);
    }
    const std::string_view duplex = Cell(ListColumn::Duplex);
    if (duplex.empty()) {
      txHz = rxHz;
    } else if (duplex == "+" || duplex == "-" || EqualNoCase(duplex, "split")) {
      const std::string_view offsetCell = Cell(ListColumn::Offset);
      const bool split = EqualNoCase(duplex, "split");
      // A shift without an offset is none; a split needs its transmit frequency.
      const std::optional<std::int64_t> offset =
          offsetCell.empty() && !split ? std::optional<std::int64_t>(0) : ParseListFrequency(offsetCell, m_bDecimalComma);
      if (!offset) return Refuse(ImportNoteKind::UnreadableOffset, offsetCell);
      txHz = split ? *offset : duplex == "+" ? rxHz + *offset : rxHz - *offset;
    } else if (!EqualNoCase(duplex, "off")) {
      return Refuse(ImportNoteKind::UnknownDuplex, duplex);
    }
    return true;
  }

  bool ReadFrequencies() {
    const std::optional<std::int64_t> rxHz = ParseListFrequency(Cell(ListColumn::Frequency), m_bDecimalComma);
    if (!rxHz) return Refuse(ImportNoteKind::NoFrequency, Cell(ListColumn::Frequency));
    const std::optional<int> rx = InBand(*rxHz, ImportNoteKind::ReceiveOutsideBand);
    if (!rx) return false;
    std::optional<std::int64_t> txHz;
    if (!ReadTransmit(*rxHz, txHz)) return false;

    PlannedChannel& channel = m_result.channel;
    const int rxStored = SnapToChannelStep(*rx, m_limits);
    channel.strReceiveTyped = FormatFrequency(*rx);
    channel.strReceive = ReceiveCellText(rxStored);
    if (rxStored * kHzPerUnit != *rxHz) Change(ImportNoteKind::ReceiveMoved, FormatListFrequency(*rxHz), channel.strReceive);
    if (!txHz) return true;  // receive-only

    const std::optional<int> tx = InBand(*txHz, ImportNoteKind::TransmitOutsideBand);
    if (!tx) return false;
    const int txStored = SnapToChannelStep(*tx, m_limits);
    channel.strTransmitTyped = FormatFrequency(*tx);
    channel.strTransmit = FormatFrequency(txStored);
    if (txStored * kHzPerUnit != *txHz) Change(ImportNoteKind::TransmitMoved, FormatListFrequency(*txHz), channel.strTransmit);
    // An offset equal to the receive frequency is how the radio marks receive-only.
    if (static_cast<std::int64_t>(txStored) == 2 * static_cast<std::int64_t>(rxStored)) {
      Change(ImportNoteKind::TransmitReadsOff, FormatListFrequency(*txHz));
      channel.strTransmit.clear();
    }
    return true;
  }

  // FM or NFM, or the table's words for wide and narrow. An empty cell is FM (wide), and
  // said; a row without either cell is FM (said once, for the list).
  bool ReadMode() {
    bool& wide = m_result.channel.bWide;
    if (m_row.HasCell(ListColumn::Mode)) {
      const std::string_view mode = Cell(ListColumn::Mode);
      if (mode.empty()) {
        Change(ImportNoteKind::ModeEmpty);
        return true;
      }
      if (EqualNoCase(mode, "FM")) return true;
      if (EqualNoCase(mode, "NFM")) {
        wide = false;
        return true;
      }
      return Refuse(ImportNoteKind::UnknownMode, mode);
    }
    if (m_row.HasCell(ListColumn::TableBandwidth)) {
      const std::string_view cell = Cell(ListColumn::TableBandwidth);
      if (cell.empty()) {
        Change(ImportNoteKind::ModeEmpty);
        return true;
      }
      const std::optional<bool> read = m_list.words.ReadWide(cell);
      if (!read) return Refuse(ImportNoteKind::UnknownBandwidth, cell);
      wide = *read;
    }
    return true;
  }

  bool ReadTones() {
    ToneReading tones;
    if (m_list.HasColumn(ListColumn::TableDecode) || m_list.HasColumn(ListColumn::TableEncode)) {
      tones = ReadTableTones();
    } else {
      const ToneCells cells{std::string(Cell(ListColumn::Tone)),         std::string(Cell(ListColumn::rToneFreq)),
                            std::string(Cell(ListColumn::cToneFreq)),    std::string(Cell(ListColumn::DtcsCode)),
                            std::string(Cell(ListColumn::DtcsPolarity)), std::string(Cell(ListColumn::RxDtcsCode)),
                            std::string(Cell(ListColumn::CrossMode))};
      tones = ReadToneCells(cells, m_bDecimalComma);
    }
    if (tones.refusal) {
      m_result.refusal = tones.refusal;
      return false;
    }
    PlannedChannel& channel = m_result.channel;
    channel.nRxTone = tones.nRxCode;
    channel.nTxTone = tones.nTxCode;
    if (!channel.Transmits() && channel.nTxTone != kToneOff) {
      Change(ImportNoteKind::TransmitToneDropped, GetToneText(channel.nTxTone));
      channel.nTxTone = kToneOff;
    }
    return true;
  }

  ToneReading ReadTableTones() const {
    ToneReading tones;
    for (const ListColumn column : {ListColumn::TableDecode, ListColumn::TableEncode}) {
      const std::optional<int> code = TableToneCode(Cell(column), m_bDecimalComma, m_list.words);
      if (!code) {
        tones.refusal = ImportNote{ImportNoteKind::UnknownTone, std::string(Cell(column)), {}};
        return tones;
      }
      (column == ListColumn::TableDecode ? tones.nRxCode : tones.nTxCode) = *code;
    }
    return tones;
  }

  // Watts (2.5 W and above is high), the words High, Low, H, L, or the table's words in
  // any language. An empty cell or one not understood stores the default, and says so.
  void ReadPower() {
    bool& high = m_result.channel.bHighPower;
    high = m_bHighPowerDefault;
    if (!m_row.HasCell(ListColumn::Power)) return;
    const std::string_view power = Cell(ListColumn::Power);
    if (power.empty()) {
      Change(m_bHighPowerDefault ? ImportNoteKind::PowerEmptyHigh : ImportNoteKind::PowerEmptyLow);
      return;
    }
    if (EqualNoCase(power, "High") || EqualNoCase(power, "H")) {
      high = true;
      return;
    }
    if (EqualNoCase(power, "Low") || EqualNoCase(power, "L")) {
      high = false;
      return;
    }
    if (const std::optional<bool> word = m_list.words.ReadHigh(power)) {
      high = *word;
      return;
    }
    constexpr std::int64_t kHighFromMilliwatts = 2500;
    const std::optional<std::int64_t> milliwatts = ParseScaledDecimal(WithoutUnit(power, "W"), 3, m_bDecimalComma);
    if (milliwatts) {
      high = *milliwatts >= kHighFromMilliwatts;
    } else {
      Change(m_bHighPowerDefault ? ImportNoteKind::PowerUnreadable : ImportNoteKind::PowerUnreadableLow, power);
    }
  }

  void ReadName() {
    // Names keep their spaces: a name of the radio may begin or end with one.
    const std::string_view name = m_row.Cell(ListColumn::Name);
    PlannedChannel& channel = m_result.channel;
    channel.strSourceName = name;
    channel.strName = ShortenChannelName(name);
    if (m_names == NameColumnMode::Off) {
      channel.bStoreName = false;
      if (!channel.strName.empty()) Change(ImportNoteKind::NameNotStored, name);
      return;
    }
    if (name != channel.strName) Change(ImportNoteKind::NameShortened, name, channel.strName);
  }

  void NoteWhatIsNotKept() {
    if (const std::string_view skip = Cell(ListColumn::Skip); !skip.empty()) {
      Change(ImportNoteKind::SkipNotKept, skip);
    }
    if (const std::string_view step = Cell(ListColumn::TStep); !step.empty()) {
      const std::optional<std::int64_t> hundredths = ParseScaledDecimal(WithoutUnit(step, "kHz"), 2, m_bDecimalComma);
      if (!hundredths || std::ranges::find(kRasterSteps, *hundredths) == std::end(kRasterSteps)) {
        Change(ImportNoteKind::StepNotKept, step);
      }
    }
    if (const std::string_view comment = Cell(ListColumn::Comment); !comment.empty()) {
      Change(ImportNoteKind::CommentNotKept, comment);
    }
  }

  const ChannelList& m_list;
  const ChannelListRow& m_row;
  bool m_bDecimalComma;
  const BandLimits& m_limits;
  NameColumnMode m_names;
  bool m_bHighPowerDefault;
  RowMapping m_result;
};

}  // namespace

RowMapping MapListRow(const ChannelList& list, const ChannelListRow& row, const BandLimits& limits,
                      NameColumnMode names, bool highPowerDefault) {
  return RowMapper(list, row, limits, names, highPowerDefault).Map();
}

std::string BandLimitsText(const BandLimits& limits) {
  // The gap's own edges are accepted: only what lies strictly between them is not.
  if (limits.IsTwoBand() && limits.InGap(static_cast<std::int64_t>(limits.m_nSplitLow) + 1)) {
    return MHzText(limits.m_nFreqMin) + "-" + MHzText(limits.m_nSplitLow) + ", " + MHzText(limits.m_nSplitHigh) +
           "-" + MHzText(limits.m_nFreqMax);
  }
  return MHzText(limits.m_nFreqMin) + "-" + MHzText(limits.m_nFreqMax);
}

}  // namespace qorrin
