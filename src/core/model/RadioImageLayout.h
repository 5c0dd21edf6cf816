#pragma once
// Where things live in the 4096-byte radio image, and the span types through which the
// field accessors see an image (the document's own, or the transfer worker's copy).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace qorrin {

inline constexpr std::size_t kImageSize = 4096;
inline constexpr std::size_t kRecordSize = 16;
// Offsets 0x000..0x7EF travel over the link; the rest of the image is the PC's own.
inline constexpr std::size_t kLinkedImageSize = 0x7F0;

using ImageSpan = std::span<std::uint8_t, kImageSize>;
using ConstImageSpan = std::span<const std::uint8_t, kImageSize>;

// Memory records: 1..99 are channels, 121 is VFO B (upper band), 122 VFO A (lower band).
inline constexpr int kFirstChannel = 1;
inline constexpr int kLastChannel = 99;
inline constexpr int kChannelCount = 99;
inline constexpr int kVfoBRecord = 121;
inline constexpr int kVfoARecord = 122;

// Offsets inside a memory record.
inline constexpr std::size_t kRecRxFreq = 0;   // 4 bytes, packed BCD
inline constexpr std::size_t kRecRxTone = 4;
inline constexpr std::size_t kRecOffset = 5;   // 4 bytes, packed BCD
inline constexpr std::size_t kRecTxTone = 9;
inline constexpr std::size_t kRecFlags = 10;
inline constexpr std::size_t kRecStep = 11;
inline constexpr std::size_t kRecName = 12;    // 4 name codes

// Bits of the flag byte.
inline constexpr std::uint8_t kFlagShiftMask = 0x03;
inline constexpr std::uint8_t kFlagRxInverted = 0x08;
inline constexpr std::uint8_t kFlagNamePresent = 0x10;
inline constexpr std::uint8_t kFlagTxInverted = 0x20;
inline constexpr std::uint8_t kFlagWide = 0x40;
inline constexpr std::uint8_t kFlagHighPower = 0x80;

// Image-wide areas.
inline constexpr std::size_t kBandInfo = 0x780;      // 8 bytes: band below 200 MHz, then above
inline constexpr std::size_t kBandInfoUpper = 0x784;
inline constexpr std::size_t kBandInfoSize = 8;
inline constexpr std::size_t kIdentTag = 0x7B0;      // "ZENTORIX", no terminator
inline constexpr std::size_t kOptSquelch = 0x7C2;
inline constexpr std::size_t kOptVox = 0x7C3;
inline constexpr std::size_t kOptTxTimeLimit = 0x7C4;
inline constexpr std::size_t kOptFlags1 = 0x7C5;     // channel flag, lock-out, beep, display, power save
inline constexpr std::size_t kOptFlags2 = 0x7C6;     // priority scan, scan mode, back light
inline constexpr std::size_t kIdxFirstChannel = 0x7C7;
inline constexpr std::size_t kFmCurrent = 0x7C8;
inline constexpr std::size_t kIdxFirstFmPreset = 0x7C9;
inline constexpr std::size_t kOptPriorityChannel = 0x7CA;
inline constexpr std::size_t kChannelBitmap = 0x7D0;  // 13 bytes
inline constexpr std::size_t kFmPresets = 0x7E0;      // 15 bytes
inline constexpr int kFmPresetCount = 15;
inline constexpr int kFmIndexMax = 210;               // 108.0 MHz

inline constexpr char kIdentTagText[] = "ZENTORIX";

// Byte offset of a memory record, or nothing for a number outside 1..122, so that no
// accessor can reach outside the image whatever number it is handed.
constexpr std::optional<std::size_t> RecordOffset(int record) {
  if (record < 1 || record > kVfoARecord) return std::nullopt;
  return static_cast<std::size_t>(record) * kRecordSize;
}

}  // namespace qorrin
