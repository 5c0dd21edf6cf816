#pragma once
// Field accessors of the 16-byte memory records (channels 1..99, VFO B 121, VFO A 122).
// Reads apply the read rules (a shift direction of 3 reads 0, a step above 5 reads 0, tone
// bytes above 155 read off); writes store what they are given. A record number outside
// 1..122 reads as an empty record (empty texts, 0, false) and is never written.
// The "first" / "receive" arguments select the receive pair (receive frequency, receive
// tone, flag bit 3) when true and the transmit pair (offset field, transmit tone, bit 5)
// when false.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/BandLimits.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

using RecordBytes = std::array<std::uint8_t, kRecordSize>;

// The record's 16 bytes as stored (all zero for an invalid number).
RecordBytes GetRecordBytes(ConstImageSpan image, int record);

// Decoded receive frequency (first) or offset field; "" when that field is empty.
std::string GetFrequencyText(ConstImageSpan image, int record, bool first);
// Receive frequency: snapped to the channel raster with the limits; offset: stored as
// given. Empty text stores FF FF FF FF.
void SetFrequencyText(ImageSpan image, const BandLimits& limits, int record, bool first,
                      std::string_view text);

// The transmit frequency the fields give (10 Hz units): nothing when the receive and
// offset texts are the same (receive-only, or both empty); otherwise receive -/+ offset
// by the shift direction, or the receive frequency for direction 0 (an empty field reads
// as 0). The one rule behind the channel table's and the VFO fields' transmit texts.
std::optional<std::int64_t> TransmitFrequencyValue(ConstImageSpan image, int record);
// Receive -/+ offset by the shift direction (1 below, 2 above, otherwise the receive).
std::int64_t ShiftedFrequency(std::int64_t receive, int direction, std::int64_t offset);

// The text the channel table shows as transmit frequency: "" for an empty record and for
// receive-only (receive and offset texts equal); otherwise receive -/+ offset by the shift
// direction, or the receive frequency itself for direction 0, in canonical form.
std::string GetTransmitFrequencyText(ConstImageSpan image, int record);

// Empties a record: both frequency fields FF, tones off, the flag byte of a cleared record
// (wide, high power, simplex, normal tones, no name). A channel also loses its name and
// keeps its step byte; a VFO gets step 0 (its name bytes are not its own).
void ClearRecord(ImageSpan image, int record);

bool IsRecordEmpty(ConstImageSpan image, int record);   // byte +3 above 0x99
int ProgrammedChannelCount(ConstImageSpan image);        // channels 1..99 not empty
bool IsOffsetEmpty(ConstImageSpan image, int record);   // byte +8 above 0x99
bool IsTransmitOff(ConstImageSpan image, int record);   // empty, or bytes 0-3 == 5-8

int GetToneCode(ConstImageSpan image, int record, bool receive);
void SetToneCode(ImageSpan image, int record, bool receive, int code);
bool IsToneInverted(ConstImageSpan image, int record, bool receive);
void SetToneInverted(ImageSpan image, int record, bool receive, bool on);

// 0 none, 1 transmit = receive - offset, 2 transmit = receive + offset (3 reads as 0).
int GetShiftDirection(ConstImageSpan image, int record);
void SetShiftDirection(ImageSpan image, int record, int direction);  // bits 0-1 only

bool IsNamePresent(ConstImageSpan image, int record);
void SetNamePresent(ImageSpan image, int record, bool on);
bool IsWide(ConstImageSpan image, int record);
void SetWide(ImageSpan image, int record, bool on);
bool IsHighPower(ConstImageSpan image, int record);
void SetHighPower(ImageSpan image, int record, bool on);

int GetStepIndex(ConstImageSpan image, int record);  // 0..5, above 5 reads 0
void SetStepIndex(ImageSpan image, int record, int step);

std::string GetChannelName(ConstImageSpan image, int record);
void SetChannelName(ImageSpan image, int record, std::string_view text);  // name codes only
// Bookkeeping done whenever a name is shown: the name-present bit follows whether the name
// decodes to at least one character. Returns the decoded name.
std::string UpdateNamePresentBit(ImageSpan image, int record);

}  // namespace qorrin
