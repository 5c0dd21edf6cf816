#pragma once
// The bytes of the programming protocol as the PC sends and expects them. Multi-byte
// values go most significant byte first; no frame carries a checksum.
#include <array>
#include <cstddef>
#include <cstdint>

namespace qorrin::link {

inline constexpr std::array<std::uint8_t, 8> kEntryCommand = {0x05, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kIdentifyRequest = 0x02;
inline constexpr std::uint8_t kIdentMark = 0x4E;  // 'N'
inline constexpr std::uint8_t kReadCommand = 0x52;  // 'R'
inline constexpr std::uint8_t kDataFrameTag = 0x57;  // 'W'
inline constexpr std::uint8_t kEndCommand = 0x62;  // 'b'

inline constexpr int kBlockSize = 16;
inline constexpr int kBlockCount = 127;  // 0x000..0x7EF; 0x7F0..0xFFF never travel
inline constexpr int kTransferBytes = kBlockSize * kBlockCount;
inline constexpr int kReadRequestSize = 4;
inline constexpr int kDataFrameSize = 4 + kBlockSize;

inline constexpr std::uint8_t HighByte(int address) { return static_cast<std::uint8_t>((address >> 8) & 0xFF); }
inline constexpr std::uint8_t LowByte(int address) { return static_cast<std::uint8_t>(address & 0xFF); }

inline constexpr std::array<std::uint8_t, kReadRequestSize> ReadRequest(int address) {
  return {kReadCommand, HighByte(address), LowByte(address), static_cast<std::uint8_t>(kBlockSize)};
}

// Whole percent of the transfer done after block k (0-based), rounded down.
inline constexpr int BlockProgress(int k) { return (100 * kBlockSize * (k + 1)) / kTransferBytes; }

}  // namespace qorrin::link
