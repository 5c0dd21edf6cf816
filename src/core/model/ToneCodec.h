#pragma once
// Tone codes (0 off, 1-50 CTCSS, 51-154 DCS normal, 155-258 DCS inverted) as they are kept
// in a memory record: one byte for codes 0..154 plus an "inverted" flag bit that adds the
// inverted half.
#include <cstdint>

namespace qorrin {

inline constexpr int kToneOff = 0;
inline constexpr int kLastCtcssCode = 50;
inline constexpr int kLastDcsNormalCode = 154;
inline constexpr int kFirstDcsInvertedCode = 155;
inline constexpr int kLastToneCode = 258;
inline constexpr int kToneCodeCount = 259;
inline constexpr int kDcsInvertedShift = 104;

struct StoredTone {
  std::uint8_t byte = 0;
  bool inverted = false;
};

// Codes of 155 and above store code - 104 with the flag set; others store the code with
// the flag clear. No range check: the byte keeps the low eight bits of what is computed.
StoredTone EncodeToneCode(int code);

// b <= 50: b (flag ignored); 51..154: b + 104 with the flag, else b; 155: 155 (flag
// ignored); above 155: off.
int DecodeToneByte(std::uint8_t b, bool inverted);

}  // namespace qorrin
