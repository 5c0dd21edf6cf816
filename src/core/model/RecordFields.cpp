#include "core/model/RecordFields.h"

#include <algorithm>

#include "core/model/FrequencyCodec.h"
#include "core/model/NameCodec.h"
#include "core/model/ToneCodec.h"

namespace qorrin {

namespace {

constexpr int kStepIndexMax = 5;

std::uint8_t ToneFlag(bool receive) { return receive ? kFlagRxInverted : kFlagTxInverted; }
std::size_t ToneByte(bool receive) { return receive ? kRecRxTone : kRecTxTone; }
std::size_t FreqByte(bool first) { return first ? kRecRxFreq : kRecOffset; }

bool FlagBit(ConstImageSpan image, int record, std::uint8_t bit) {
  const auto at = RecordOffset(record);
  return at && (image[*at + kRecFlags] & bit) != 0;
}

void SetFlagBit(ImageSpan image, int record, std::uint8_t bit, bool on) {
  const auto at = RecordOffset(record);
  if (!at) return;
  std::uint8_t& flags = image[*at + kRecFlags];
  flags = static_cast<std::uint8_t>(on ? (flags | bit) : (flags & ~bit));
}

}  // namespace

RecordBytes GetRecordBytes(ConstImageSpan image, int record) {
  RecordBytes bytes{};
  if (const auto at = RecordOffset(record)) {
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(*at), kRecordSize, bytes.begin());
  }
  return bytes;
}

std::string GetFrequencyText(ConstImageSpan image, int record, bool first) {
  const auto at = RecordOffset(record);
  if (!at) return {};
  return DecodeFrequencyField(ConstFreqField(image.data() + *at + FreqByte(first), 4));
}

void SetFrequencyText(ImageSpan image, const BandLimits& limits, int record, bool first,
                      std::string_view text) {
  const auto at = RecordOffset(record);
  if (!at) return;
  EncodeFrequencyField(FreqField(image.data() + *at + FreqByte(first), 4), text, first, limits);
}

std::optional<std::int64_t> TransmitFrequencyValue(ConstImageSpan image, int record) {
  const std::string rx = GetFrequencyText(image, record, true);
  const std::string offset = GetFrequencyText(image, record, false);
  if (SameFrequencyText(rx, offset)) return std::nullopt;  // receive-only, or both empty
  // Both texts carry five decimals (or are empty), so parsing them gives 10 Hz units.
  const std::int64_t r = ParseFrequencyText(rx);
  const std::int64_t o = ParseFrequencyText(offset);  // an empty field reads 0
  return ShiftedFrequency(r, GetShiftDirection(image, record), o);
}

std::int64_t ShiftedFrequency(std::int64_t receive, int direction, std::int64_t offset) {
  switch (direction) {
    case 1: return receive - offset;
    case 2: return receive + offset;
    default: return receive;
  }
}

void ClearRecord(ImageSpan image, int record) {
  const std::optional<std::size_t> at = RecordOffset(record);
  if (!at) return;
  constexpr std::uint8_t kClearedFlags = 0xC0;
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(*at + kRecRxFreq), 4, std::uint8_t{0xFF});
  image[*at + kRecRxTone] = kToneOff;
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(*at + kRecOffset), 4, std::uint8_t{0xFF});
  image[*at + kRecTxTone] = kToneOff;
  image[*at + kRecFlags] = kClearedFlags;
  if (record == kVfoARecord || record == kVfoBRecord) {
    image[*at + kRecStep] = 0x00;
  } else {
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(*at + kRecName), 4, std::uint8_t{0xFF});
  }
}

std::string GetTransmitFrequencyText(ConstImageSpan image, int record) {
  if (IsRecordEmpty(image, record)) return {};
  const std::optional<std::int64_t> tx = TransmitFrequencyValue(image, record);
  // Each field is below 1000 MHz, so the value fits an int.
  return tx ? FormatFrequency(static_cast<int>(*tx)) : std::string();
}

bool IsRecordEmpty(ConstImageSpan image, int record) {
  const auto at = RecordOffset(record);
  return !at || image[*at + kRecRxFreq + 3] > 0x99;
}

int ProgrammedChannelCount(ConstImageSpan image) {
  int count = 0;
  for (int ch = kFirstChannel; ch <= kLastChannel; ++ch) count += IsRecordEmpty(image, ch) ? 0 : 1;
  return count;
}

bool IsOffsetEmpty(ConstImageSpan image, int record) {
  const auto at = RecordOffset(record);
  return !at || image[*at + kRecOffset + 3] > 0x99;
}

bool IsTransmitOff(ConstImageSpan image, int record) {
  if (IsRecordEmpty(image, record)) return true;
  const std::size_t at = *RecordOffset(record);
  return std::equal(image.begin() + static_cast<std::ptrdiff_t>(at + kRecRxFreq),
                    image.begin() + static_cast<std::ptrdiff_t>(at + kRecRxFreq + 4),
                    image.begin() + static_cast<std::ptrdiff_t>(at + kRecOffset));
}

int GetToneCode(ConstImageSpan image, int record, bool receive) {
  const auto at = RecordOffset(record);
  if (!at) return kToneOff;
  return DecodeToneByte(image[*at + ToneByte(receive)], IsToneInverted(image, record, receive));
}

void SetToneCode(ImageSpan image, int record, bool receive, int code) {
  const auto at = RecordOffset(record);
  if (!at) return;
  const StoredTone tone = EncodeToneCode(code);
  image[*at + ToneByte(receive)] = tone.byte;
  SetToneInverted(image, record, receive, tone.inverted);
}

bool IsToneInverted(ConstImageSpan image, int record, bool receive) {
  return FlagBit(image, record, ToneFlag(receive));
}

void SetToneInverted(ImageSpan image, int record, bool receive, bool on) {
  SetFlagBit(image, record, ToneFlag(receive), on);
}

int GetShiftDirection(ConstImageSpan image, int record) {
  const auto at = RecordOffset(record);
  if (!at) return 0;
  const int direction = image[*at + kRecFlags] & kFlagShiftMask;
  return direction == 3 ? 0 : direction;
}

void SetShiftDirection(ImageSpan image, int record, int direction) {
  const auto at = RecordOffset(record);
  if (!at) return;
  std::uint8_t& flags = image[*at + kRecFlags];
  flags = static_cast<std::uint8_t>((flags & ~kFlagShiftMask) | (direction & kFlagShiftMask));
}

bool IsNamePresent(ConstImageSpan image, int record) {
  return FlagBit(image, record, kFlagNamePresent);
}
void SetNamePresent(ImageSpan image, int record, bool on) {
  SetFlagBit(image, record, kFlagNamePresent, on);
}
bool IsWide(ConstImageSpan image, int record) { return FlagBit(image, record, kFlagWide); }
void SetWide(ImageSpan image, int record, bool on) { SetFlagBit(image, record, kFlagWide, on); }
bool IsHighPower(ConstImageSpan image, int record) {
  return FlagBit(image, record, kFlagHighPower);
}
void SetHighPower(ImageSpan image, int record, bool on) {
  SetFlagBit(image, record, kFlagHighPower, on);
}

int GetStepIndex(ConstImageSpan image, int record) {
  const auto at = RecordOffset(record);
  if (!at) return 0;
  const int step = image[*at + kRecStep];
  return step > kStepIndexMax ? 0 : step;
}

void SetStepIndex(ImageSpan image, int record, int step) {
  if (const auto at = RecordOffset(record)) image[*at + kRecStep] = static_cast<std::uint8_t>(step);
}

std::string GetChannelName(ConstImageSpan image, int record) {
  const auto at = RecordOffset(record);
  if (!at) return {};
  return DecodeNameCodes(std::span<const std::uint8_t, 4>(image.data() + *at + kRecName, 4));
}

void SetChannelName(ImageSpan image, int record, std::string_view text) {
  const auto at = RecordOffset(record);
  if (!at) return;
  const NameCodes codes = EncodeNameCodes(text);
  std::copy(codes.begin(), codes.end(), image.begin() + static_cast<std::ptrdiff_t>(*at + kRecName));
}

std::string UpdateNamePresentBit(ImageSpan image, int record) {
  std::string name = GetChannelName(image, record);
  SetNamePresent(image, record, !name.empty());
  return name;
}

}  // namespace qorrin
