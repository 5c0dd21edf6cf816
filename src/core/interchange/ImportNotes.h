#pragma once
// Why a row of a channel list is refused, or what was changed to make it fit the radio,
// and what an import assumed for the whole list. Notes carry their values as text;
// ImportTexts.h turns them into sentences in English (command line) or in the current
// language (the window).
#include <string>

namespace qorrin {

enum class ImportNoteKind : int {
  // Refusals: the row is skipped and nothing of it is stored.
  UnclosedQuote,        // first: the line where the quote opened
  RowIncomplete,        // first: the column the row ends before
  NoFrequency,          // first: the Frequency cell
  ReceiveOutsideBand,   // first: the frequency (MHz), second: the accepted ranges
  TransmitOutsideBand,  // likewise for the transmit frequency
  UnknownDuplex,        // first: the Duplex cell
  UnreadableOffset,     // first: the Offset cell
  UnreadableTransmit,   // first: the transmit cell of a list in the table's columns
  UnknownMode,          // first: the Mode cell
  UnknownBandwidth,     // first: the bandwidth cell of a list in the table's columns
  ReverseSquelch,       // first: the Tone cell (TSQL-R, DTCS-R)
  UnknownToneMode,      // first: the Tone cell
  UnknownCrossMode,     // first: the CrossMode cell
  UnknownCtcss,         // first: the tone cell
  UnknownDcs,           // first: the code cell
  UnknownPolarity,      // first: the DtcsPolarity cell
  UnknownTone,          // first: a decode or encode cell of a list in the table's columns
  NoLocation,           // first: the Location cell
  ChannelOutside,       // first: the channel number
  DuplicateChannel,     // first: the channel, second: the line that named it first
  // Changes: the row is stored, but not exactly as the file has it.
  ReceiveMoved,         // first: the frequency (MHz), second: where it was stored
  TransmitMoved,        // likewise for the transmit frequency
  TransmitReadsOff,     // first: the transmit frequency; stored, but it reads as receive-only
  NameShortened,        // first: the name, second: what was stored
  NameNotStored,        // first: the name (the name column is switched off)
  NameClash,            // first: the stored name, second: the other lines that store it
  TransmitToneDropped,  // first: the tone (a receive-only channel has no encode tone)
  ModeEmpty,            // the Mode cell is empty: FM (wide) was stored
  PowerEmptyHigh,       // the Power cell is empty: high power was stored
  PowerEmptyLow,        // likewise, low power
  PowerUnreadable,      // first: the Power cell (high power was stored)
  PowerUnreadableLow,   // likewise, low power
  SkipNotKept,          // first: the Skip cell
  StepNotKept,          // first: the TStep cell
  CommentNotKept,       // first: the Comment cell
  // Assumptions: said once for the whole list.
  NoModeColumn,         // every channel stored as FM (wide)
  NoPowerColumnHigh,    // every channel stored at high power
  NoPowerColumnLow,     // every channel stored at low power
  OtherRangeFits,       // first: a frequency range's text, second: how many rows it takes
};

inline constexpr int kImportNoteKindCount = static_cast<int>(ImportNoteKind::OtherRangeFits) + 1;

inline constexpr bool IsRefusal(ImportNoteKind kind) { return kind <= ImportNoteKind::DuplicateChannel; }

struct ImportNote {
  ImportNoteKind kind = ImportNoteKind::NoFrequency;
  std::string strFirst;
  std::string strSecond;
  bool operator==(const ImportNote&) const = default;
};

}  // namespace qorrin
