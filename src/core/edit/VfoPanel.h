#pragma once
// The two VFO panels of the main form. VFO A (record 122) serves the lower band, VFO B
// (record 121) the upper band; both panels follow the same rules, so every function takes
// the record. A record number other than 121 or 122 is never written.
//
// Which VFO is in use depends on the model's band limits:
//   two bands (m_nSplitLow not 0)   both; VFO A below the gap, VFO B above it
//   one band below 200 MHz          VFO A only
//   one band at 200 MHz or above    VFO B only
// A VFO that is not in use is emptied by leaving one of its edits, silently (the document
// is not marked modified).
#include <cstddef>
#include <string>
#include <string_view>

#include "core/edit/EditResult.h"
#include "core/edit/OptionPanel.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

// The receive and transmit edits accept at most this many characters.
inline constexpr std::size_t kVfoEditMaxChars = 9;

enum class VfoEdit { Receive, Transmit };

// The texts of the two frequency edits of a panel.
struct VfoTexts {
  std::string strReceive;
  std::string strTransmit;
  bool operator==(const VfoTexts&) const = default;
};

// The transmit edit's text: empty when the receive and offset texts are equal (letter case
// ignored; receive-only, or both empty); otherwise receive - offset for shift direction 1,
// receive + offset for direction 2, in MHz with five decimals and no leading zeros
// ("146.10000", "50.00000"); the receive text itself for direction 0.
std::string GetVfoTransmitText(const CQorrinDoc& doc, int record);
// What the two edits show: the stored receive text and the transmit text above.
VfoTexts GetVfoTexts(const CQorrinDoc& doc, int record);

// Everything a panel shows, for one fill of its controls. The tone lists are
// GetToneListItems (item = tone code), power GetPowerItems, bandwidth GetBandwidthItems.
struct VfoPanelState {
  VfoTexts texts;
  int nReceiveTone = 0;   // decode tone code
  int nTransmitTone = 0;  // encode tone code
  int nPower = 0;         // 0 low, 1 high
  int nBandwidth = 0;     // 0 narrow, 1 wide
  OptionListState step;   // [Step] items and the stored step index (-1 when not listed)
};
VfoPanelState GetVfoPanelState(const CQorrinDoc& doc, int record);

// The items of the step lists: language-file section [Step].
std::vector<std::string> GetStepItems();

bool IsVfoInUse(const CQorrinDoc& doc, int record);
bool IsVfoInUse(const BandLimits& limits, int record);
// The frequency-range texts ("Freq%d") of the models that use the VFO: what a panel that
// the current model leaves unused tells the user.
std::vector<std::string> RangesUsingVfo(int record);
// The frequency an empty (or, on a two-band model, wrong-band) entry is replaced by:
// the upper band's lower edge for VFO B of a two-band model, else the lowest frequency.
int GetVfoBandStart(const CQorrinDoc& doc, int record);
int GetVfoBandStart(const BandLimits& limits, int record);

// A frequency (10 Hz units) on the raster of a step index. Indices 1 and 3: the 6.25 kHz
// point (value + 75) / 625 * 625, unless that point differs from the value in the hundreds
// of hertz and the value lies nearer the 5 kHz point above it than the one below, which
// is then taken. Other indices: the nearer 5 kHz point (an exact half rounds down).
int SnapToVfoStep(int value, int stepIndex);

struct VfoCommitResult {
  bool bStored = false;
  bool bModified = false;
  VfoTexts texts;  // what the two edits show afterwards
};

// One of the panel's frequency edits lost the focus; `shown` holds what both edits show
// now (the typed text in the one that lost the focus).
// In use: an empty entry, and on a two-band model an entry on the other VFO's side of the
// gap, is replaced by GetVfoBandStart; then the VFO is stored (StoreVfo) and shown again.
// Not in use: that edit is emptied and its field (receive or offset) stored empty; the
// other edit keeps its text; not modified.
VfoCommitResult CommitVfoEdit(CQorrinDoc& doc, int record, VfoEdit edit, const VfoTexts& shown);

// The VFO store: each text outside the band limits becomes the limit it crossed (an empty
// receive text becomes GetVfoBandStart); both frequencies are snapped as receive
// frequencies and then brought onto the raster of the VFO's step index; the receive
// frequency is stored and the transmit frequency kept as shift direction and offset (an
// empty transmit text gives the receive-only form). Always modified.
VfoCommitResult StoreVfo(CQorrinDoc& doc, int record, const VfoTexts& typed);

// The drop-downs of a panel; each store marks the document modified. An index that the
// list does not offer writes nothing. A step change does not move the stored frequencies:
// the new raster applies at the next store.
EditResult CommitVfoTone(CQorrinDoc& doc, int record, bool receive, int index);
EditResult CommitVfoPower(CQorrinDoc& doc, int record, int index);      // 0 low, 1 high
EditResult CommitVfoBandwidth(CQorrinDoc& doc, int record, int index);  // 0 narrow, 1 wide
EditResult CommitVfoStep(CQorrinDoc& doc, int record, int index);       // item of [Step]

}  // namespace qorrin
