#pragma once
// Every pause, time-out and count of the programming protocol, in one place. The radio
// was built around these numbers, so they are part of the wire contract: change none of
// them without a radio to try it on.
#include <chrono>

namespace qorrin::link {

using Millis = std::chrono::milliseconds;

inline constexpr int kBaudRate = 9600;  // the only rate the radio speaks

inline constexpr int kSettleAfterOpenMs = 100;     // after opening a port (first and each search step)
inline constexpr int kEntryBytePauseMs = 25;       // before each byte of the entry command
inline constexpr int kEntryAckTimeoutMs = 50;      // for the acknowledgement of the entry command
inline constexpr int kFramePauseMs = 1;            // before every other frame or single byte
inline constexpr int kIdentByteTimeoutMs = 50;     // each byte of the identification reply
inline constexpr int kIgnoredByteTimeoutMs = 50;   // the byte after our 0x06 (confirm, block ack)
inline constexpr int kReadReplyTimeoutMs = 500;    // a whole 20-byte read reply
inline constexpr int kWriteAckTimeoutMs = 100;     // acknowledgement of a written block
inline constexpr int kSettleAfterWriteMs = 1000;   // after the end command of a write
inline constexpr int kQuietBeforeRetryMs = 20;     // line silence before a block is tried again
inline constexpr int kQuietBeforeRetryBytes = 64;  // bytes discarded at most while waiting for it

inline constexpr int kEntryAttempts = 10;          // entry commands per port
inline constexpr int kIdentReads = 12;             // identification bytes examined at most
inline constexpr int kIdentMarksNeeded = 2;        // bytes 0x4E that identify the radio
inline constexpr int kBlockAttempts = 3;           // tries per block
inline constexpr int kHighestSearchPort = 255;     // the search ends after this port number

}  // namespace qorrin::link
