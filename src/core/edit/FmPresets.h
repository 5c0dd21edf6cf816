#pragma once
// The FM broadcast receiver's current frequency and its 15 presets, as the FM dialog edits
// them. An FM index v means 87.0 + 0.1 * v MHz, v = 0..210; a stored byte above 210 reads
// as 210. Both drop-downs of the dialog (the current frequency and the preset cell editor)
// carry the same unsorted list, so that the item index is the FM index.
#include <array>
#include <string>
#include <vector>

#include "core/edit/EditResult.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

inline constexpr int kFmListSize = kFmIndexMax + 1;  // 211 items

// The FM list: "87M0", "87M1", ..., "107M9", "108M0" (the M stands for the decimal point).
const std::vector<std::string>& GetFmFrequencyItems();
// One item; "" for an index outside 0..210.
std::string GetFmFrequencyText(int index);

// The preset grid: a header row and 15 preset rows; column 0 the preset number, column 1
// its frequency.
inline constexpr int kFmGridRows = kFmPresetCount + 1;
inline constexpr int kFmGridColumns = 2;
inline constexpr std::array<int, kFmGridColumns> kFmColumnWidths{40, 100};
inline constexpr int kFmHeaderRowHeight = 28;
inline constexpr int kFmRowHeight = 21;

// [RadiogramText] IDS_RadiogramText0..1, cut to 29 bytes; a missing key repeats the
// title before it (column 0: empty), a key with an empty value gives an empty title.
std::array<std::string, kFmGridColumns> LoadFmPresetHeadings();

// The item the current-frequency list selects (the clamped byte 0x7C8).
int GetFmCurrentIndex(const CQorrinDoc& doc);
// The item of preset 1..15 and the text of its grid cell ("108M0" for a stored FF);
// preset numbers outside 1..15 read as index 0.
int GetFmPresetIndex(const CQorrinDoc& doc, int preset);
std::string GetFmPresetText(const CQorrinDoc& doc, int preset);

// A pick in the current-frequency list: stored at once, modified.
EditResult CommitFmCurrent(CQorrinDoc& doc, int index);

// The preset cell editor was left (a pick closes it, so a pick stores at once): the
// editor's selected index is stored as the preset and the document marked modified, also
// when the editor is left without a new pick and the index is the one already shown.
// An index outside the list (no selection) or a preset outside 1..15 writes nothing.
EditResult CommitFmPreset(CQorrinDoc& doc, int preset, int index);

}  // namespace qorrin
