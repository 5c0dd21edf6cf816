#include "core/interchange/ImportTexts.h"

#include <utility>

#include "core/lang/ShellTexts.h"

namespace qorrin {

namespace {

struct NoteText {
  ImportNoteKind kind;
  const char* key;
  const char* english;
};

constexpr NoteText kNoteTexts[] = {
    {ImportNoteKind::UnclosedQuote, "IDS_CSV_UNCLOSED_QUOTE",
     "a quote opened on line %1 is not closed before the next rows: the file is damaged here"},
    {ImportNoteKind::RowIncomplete, "IDS_CSV_INCOMPLETE", "the row ends before its %1 column: it is incomplete"},
    {ImportNoteKind::UnreadableTransmit, "IDS_CSV_TX_UNREADABLE", "transmit frequency \"%1\" is not a frequency"},
    {ImportNoteKind::UnknownBandwidth, "IDS_CSV_BANDWIDTH", "bandwidth \"%1\" is neither wide nor narrow"},
    {ImportNoteKind::UnknownTone, "IDS_CSV_TONE", "tone \"%1\" is not one the radio knows"},
    {ImportNoteKind::NameClash, "IDS_CSV_NAME_CLASH", "name \"%1\" is not unique: also on line %2"},
    {ImportNoteKind::ModeEmpty, "IDS_CSV_MODE_EMPTY", "Mode empty: stored as FM (wide)"},
    {ImportNoteKind::PowerEmptyHigh, "IDS_CSV_POWER_EMPTY_HIGH", "Power empty: high power"},
    {ImportNoteKind::PowerEmptyLow, "IDS_CSV_POWER_EMPTY_LOW", "Power empty: low power"},
    {ImportNoteKind::PowerUnreadableLow, "IDS_CSV_POWER_LOW", "Power \"%1\" not understood: low power"},
    {ImportNoteKind::NoModeColumn, "IDS_CSV_NO_MODE_COLUMN", "no Mode column: channels stored as FM (wide)"},
    {ImportNoteKind::NoPowerColumnHigh, "IDS_CSV_NO_POWER_HIGH",
     "no Power column: channels stored at high power"},
    {ImportNoteKind::NoPowerColumnLow, "IDS_CSV_NO_POWER_LOW",
     "no Power column: channels stored at low power"},
    {ImportNoteKind::OtherRangeFits, "IDS_CSV_OTHER_RANGE",
     "the frequency range %1 would take %2 rows of this list"},
    {ImportNoteKind::NoFrequency, "IDS_CSV_NO_FREQUENCY", "no readable frequency: \"%1\""},
    {ImportNoteKind::ReceiveOutsideBand, "IDS_CSV_RX_OUTSIDE", "%1 MHz is outside %2 MHz"},
    {ImportNoteKind::TransmitOutsideBand, "IDS_CSV_TX_OUTSIDE", "transmit %1 MHz is outside %2 MHz"},
    {ImportNoteKind::UnknownDuplex, "IDS_CSV_DUPLEX", "Duplex \"%1\" is not empty, +, -, split or off"},
    {ImportNoteKind::UnreadableOffset, "IDS_CSV_OFFSET", "Offset \"%1\" is not a frequency"},
    {ImportNoteKind::UnknownMode, "IDS_CSV_MODE", "Mode %1: the radio has FM and NFM only"},
    {ImportNoteKind::ReverseSquelch, "IDS_CSV_REVERSE", "Tone %1: the radio has no reverse squelch"},
    {ImportNoteKind::UnknownToneMode, "IDS_CSV_TONE_MODE", "Tone \"%1\" is not Tone, TSQL, DTCS or Cross"},
    {ImportNoteKind::UnknownCrossMode, "IDS_CSV_CROSS_MODE", "CrossMode \"%1\" is not known"},
    {ImportNoteKind::UnknownCtcss, "IDS_CSV_CTCSS", "%1 Hz is not a CTCSS tone of the radio"},
    {ImportNoteKind::UnknownDcs, "IDS_CSV_DCS", "DCS code \"%1\" is not one the radio knows"},
    {ImportNoteKind::UnknownPolarity, "IDS_CSV_POLARITY", "DtcsPolarity \"%1\" is not NN, NR, RN or RR"},
    {ImportNoteKind::NoLocation, "IDS_CSV_LOCATION", "Location \"%1\" is not a channel number"},
    {ImportNoteKind::ChannelOutside, "IDS_CSV_CHANNEL_OUTSIDE", "channel %1 is outside 1-99"},
    {ImportNoteKind::DuplicateChannel, "IDS_CSV_DUPLICATE", "channel %1 was named before, on line %2"},
    {ImportNoteKind::ReceiveMoved, "IDS_CSV_RX_MOVED", "%1 MHz moved onto the channel raster: %2"},
    {ImportNoteKind::TransmitMoved, "IDS_CSV_TX_MOVED", "transmit %1 MHz moved onto the channel raster: %2"},
    {ImportNoteKind::TransmitReadsOff, "IDS_CSV_TX_READS_OFF",
     "transmit %1 MHz is twice the receive frequency, which the radio reads as receive-only"},
    {ImportNoteKind::NameShortened, "IDS_CSV_NAME", "name \"%1\" stored as \"%2\""},
    {ImportNoteKind::NameNotStored, "IDS_CSV_NAME_OFF", "name \"%1\" not stored: channel names are switched off"},
    {ImportNoteKind::TransmitToneDropped, "IDS_CSV_TX_TONE", "encode tone %1 dropped: the channel is receive-only"},
    {ImportNoteKind::PowerUnreadable, "IDS_CSV_POWER", "Power \"%1\" not understood: high power"},
    {ImportNoteKind::SkipNotKept, "IDS_CSV_SKIP", "Skip \"%1\" not kept"},
    {ImportNoteKind::StepNotKept, "IDS_CSV_STEP", "TStep \"%1\" not kept (channels follow the 5 and 6.25 kHz raster)"},
    {ImportNoteKind::CommentNotKept, "IDS_CSV_COMMENT", "Comment \"%1\" not kept"},
};
static_assert(std::size(kNoteTexts) == kImportNoteKindCount);

struct LineText {
  std::string ImportTexts::*member;
  const char* key;
  const char* english;
};

const LineText kLineTexts[] = {
    {&ImportTexts::strLine, "IDS_CSV_LINE", "line %1"},
    {&ImportTexts::strLineLocation, "IDS_CSV_LINE_LOCATION", "line %1 (Location %2)"},
    {&ImportTexts::strLineChannel, "IDS_CSV_LINE_CHANNEL", "line %1 (channel %2)"},
    {&ImportTexts::strRefused, "IDS_CSV_REFUSED", "%1: refused: %2"},
    {&ImportTexts::strChanged, "IDS_CSV_CHANGED", "%1: changed: %2"},
    {&ImportTexts::strSummaryNone, "IDS_CSV_SUMMARY_NONE", "no rows imported"},
    {&ImportTexts::strSummaryOne, "IDS_CSV_SUMMARY_ONE", "1 row imported into channel %2"},
    {&ImportTexts::strSummaryMany, "IDS_CSV_SUMMARY_MANY", "%1 rows imported into channels %2"},
    {&ImportTexts::strSummaryCounts, "IDS_CSV_SUMMARY_COUNTS", "; %1 refused; %2 changed"},
};

template <typename Lookup>
ImportTexts MakeTexts(Lookup lookup) {
  ImportTexts texts;
  for (const NoteText& note : kNoteTexts) {
    texts.notes[static_cast<std::size_t>(note.kind)] = lookup(note.key, note.english);
  }
  for (const LineText& line : kLineTexts) texts.*line.member = lookup(line.key, line.english);
  return texts;
}

}  // namespace

ImportTexts EnglishImportTexts() {
  return MakeTexts([](const char*, const char* english) { return std::string(english); });
}

ImportTexts LoadImportTexts() {
  return MakeTexts([](const char* key, const char* english) { return LoadLangStringOr(key, english); });
}

std::string FillTemplate(const std::string& pattern, const std::string& first, const std::string& second) {
  std::string text;
  text.reserve(pattern.size() + first.size() + second.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      text += pattern[i + 1] == '1' ? first : second;
      ++i;
    } else {
      text.push_back(pattern[i]);
    }
  }
  return text;
}

}  // namespace qorrin
