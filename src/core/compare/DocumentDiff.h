#pragma once
// What differs between two documents, in the user's terms, one difference per entry:
//   channel 5 RX: 146.52000 -> 146.55000
//   squelch: 5 -> 3
//   FM preset 3: 87M0 -> 100M5
// Every text is the one the window shows: channel cells are the channel table's own row
// texts (GetChannelRow, names always shown), options the option panel's list items, VFOs
// the VFO panels' texts, FM frequencies the FM list's items. Stored bytes that no field
// shows (or that read the same after the read rules) are not lost either: they are listed
// as byte runs of the area that holds them. The command line prints the entries; the
// window can show the same list.
#include <string>
#include <vector>

#include "core/model/CQorrinDoc.h"

namespace qorrin {

enum class DiffArea {
  Header,          // the project file's 48-byte header
  FrequencyRange,  // the model (band information bytes)
  Option,          // option panel: lists, check boxes, priority channel
  Vfo,             // nItem 122 (VFO A) or 121 (VFO B)
  Channel,         // nItem 1..99
  Fm,              // nItem 0 (current frequency) or 1..15 (preset)
  Bytes,           // stored bytes that no field above accounts for
};

struct DocumentDifference {
  DiffArea area = DiffArea::Bytes;
  int nItem = 0;
  std::string strWhat;    // "channel 5 RX", "squelch", "FM preset 3", "bytes 0x7CC-0x7CF (option block)"
  std::string strBefore;  // as shown for the first document; "(none)" for a blank cell,
  std::string strAfter;   // "(empty)" for a channel that is not programmed
};

// "WHAT: BEFORE -> AFTER"
std::string FormatDifference(const DocumentDifference& difference);

struct DiffOptions {
  bool bCompareHeader = true;   // off for a radio, which has no header
  bool bComparePcBytes = true;  // offsets 0x7F0-0xFFF, which never travel to the radio
};

// The differences from `before` to `after`, in the order the window shows things: header,
// frequency range, options, VFO A, VFO B, channels 1..99, FM, then unexplained bytes.
// Empty when the documents are equal in every compared byte. Reads the language file and
// setting.ini for the texts (UI thread).
std::vector<DocumentDifference> DiffDocuments(const CQorrinDoc& before, const CQorrinDoc& after,
                                              const DiffOptions& options = {});

// The document as a write would send it (index fields brought up to date) against the
// image a radio gave (its offsets 0x000-0x7EF; the rest never travels): what the window's
// and the command line's compare with the radio list. A file and a radio that agree show
// no difference.
std::vector<DocumentDifference> DiffWithRadio(const CQorrinDoc& doc, ConstImageSpan radioImage);

}  // namespace qorrin
