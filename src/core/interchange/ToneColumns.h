#pragma once
// A channel's two tone codes as the tone columns of a channel list describe them: a mode
// (Tone), the CTCSS tones (rToneFreq for transmit, cToneFreq for squelch), the DCS codes
// (DtcsCode, RxDtcsCode) with their polarities (DtcsPolarity: transmit letter, then
// receive letter, N normal, R inverted) and, for mixed settings, CrossMode "TX->RX".
//
//   no tones                      Tone ""
//   CTCSS on transmit only        Tone "Tone", rToneFreq
//   the same CTCSS both ways      Tone "TSQL", cToneFreq (rToneFreq the same)
//   the same DCS code both ways   Tone "DTCS", DtcsCode, DtcsPolarity
//   anything else                 Tone "Cross", CrossMode of Tone / DTCS / empty per side
// Columns that do not count are written with neutral values (88.5, 023, NN, Tone->Tone).
#include <optional>
#include <string>
#include <string_view>

#include "core/interchange/ImportNotes.h"
#include "core/interchange/ListVocabulary.h"

namespace qorrin {

struct ToneCells {
  std::string strTone;
  std::string strTxCtcss;    // rToneFreq
  std::string strRxCtcss;    // cToneFreq
  std::string strTxDcs;      // DtcsCode
  std::string strPolarity;   // DtcsPolarity
  std::string strRxDcs;      // RxDtcsCode
  std::string strCrossMode;  // CrossMode
};

// The cells of a channel with these receive (decode) and transmit (encode) tone codes.
ToneCells WriteToneCells(int rxCode, int txCode);

// What a row's tone cells say: the codes, or why the row cannot be stored. Empty cells
// take the neutral values, but TSQL with an empty cToneFreq takes rToneFreq.
struct ToneReading {
  int nRxCode = 0;
  int nTxCode = 0;
  std::optional<ImportNote> refusal;
};
ToneReading ReadToneCells(const ToneCells& cells, bool decimalComma);

// The tone code of a CTCSS tone in Hz ("88.5", "88.50", "88,5" with decimal commas, with
// or without " Hz"); nothing when the radio does not know it.
std::optional<int> CtcssToneCode(std::string_view text, bool decimalComma);
// The tone code of a DCS code ("023", "23") with normal or inverted polarity.
std::optional<int> DcsToneCode(std::string_view text, bool inverted);

// The tone code of a decode or encode cell as the channel table shows it: empty or a
// language's word for off, a CTCSS tone ("88.5"), a DCS code with its polarity ("D023N",
// "D023I"); nothing for anything else.
std::optional<int> TableToneCode(std::string_view text, bool decimalComma, const ListVocabulary& words);

}  // namespace qorrin
