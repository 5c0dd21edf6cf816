#pragma once
// Why a row of a channel list is refused, or what was changed to make it fit the radio.
// Notes carry their values as text; ImportTexts.h turns them into sentences in English
// (command line) or in the current language (the window).
#include <string>

namespace qorrin {

enum class ImportNoteKind : int {
  // Refusals: the row is skipped and nothing of it is stored.
  NoFrequency,          // first: the Frequency cell
  ReceiveOutsideBand,   // first: the frequency (MHz), second: the band limits
  TransmitOutsideBand,  // likewise for the transmit frequency
  UnknownDuplex,        // first: the Duplex cell
  UnreadableOffset,     // first: the Offset cell
  UnknownMode,          // first: the Mode cell
  ReverseSquelch,       // first: the Tone cell (TSQL-R, DTCS-R)
  UnknownToneMode,      // first: the Tone cell
  UnknownCrossMode,     // first: the CrossMode cell
  UnknownCtcss,         // first: the tone cell
  UnknownDcs,           // first: the code cell
  UnknownPolarity,      // first: the DtcsPolarity cell
  NoLocation,           // first: the Location cell
  ChannelOutside,       // first: the channel number
  DuplicateChannel,     // first: the channel, second: the line that named it first
  // Changes: the row is stored, but not exactly as the file has it.
  ReceiveMoved,         // first: the frequency (MHz), second: where it was stored
  TransmitMoved,        // likewise for the transmit frequency
  TransmitReadsOff,     // first: the transmit frequency; stored, but it reads as receive-only
  NameShortened,        // first: the name, second: what was stored
  NameNotStored,        // first: the name (the name column is switched off)
  TransmitToneDropped,  // first: the tone (a receive-only channel has no encode tone)
  PowerUnreadable,      // first: the Power cell (high power was stored)
  SkipNotKept,          // first: the Skip cell
  StepNotKept,          // first: the TStep cell
  CommentNotKept,       // first: the Comment cell
};

inline constexpr int kImportNoteKindCount = static_cast<int>(ImportNoteKind::CommentNotKept) + 1;

inline constexpr bool IsRefusal(ImportNoteKind kind) { return kind <= ImportNoteKind::DuplicateChannel; }

struct ImportNote {
  ImportNoteKind kind = ImportNoteKind::NoFrequency;
  std::string strFirst;
  std::string strSecond;
  bool operator==(const ImportNote&) const = default;
};

}  // namespace qorrin
