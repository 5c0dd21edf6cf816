#pragma once
// The tone texts: three compiled-in tables of 8-byte NUL-padded slots, byte for byte the
// tone resources 136 (CTCSS, 50 slots), 135 (DCS normal, 104) and 134 (DCS inverted, 104),
// and the tone list built from them, whose item index is the tone code.
#include <span>
#include <string>
#include <vector>

namespace qorrin {

inline constexpr int kToneResourceCtcss = 136;
inline constexpr int kToneResourceDcsNormal = 135;
inline constexpr int kToneResourceDcsInverted = 134;
inline constexpr std::size_t kToneSlotSize = 8;

// The raw bytes of tone resource 134, 135 or 136; empty for any other id.
std::span<const char> ToneResource(int id);

// 259 texts in tone-code order: LoadLangString("IDS_OFF"), then the 50 CTCSS, 104 DCS
// normal and 104 DCS inverted slot texts.
std::vector<std::string> FillToneList();

// The table text of one tone code ("67.0", "D023N", "D754I"); "" for off and for codes
// outside 0..258. Needs no language file.
std::string GetToneText(int code);

}  // namespace qorrin
