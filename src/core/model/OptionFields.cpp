#include "core/model/OptionFields.h"

#include <algorithm>

namespace qorrin {

namespace {

constexpr int kLevelMax = 9;
constexpr int kTxTimeLimitMax = 6;
constexpr int kBackLightMax = 2;
constexpr std::uint8_t kChannelFlagBit = 0x01;
constexpr std::uint8_t kBusyLockoutBit = 0x02;
constexpr std::uint8_t kKeyBeepBit = 0x08;
constexpr std::uint8_t kChannelDisplayBit = 0x10;
constexpr std::uint8_t kPowerSaveBit = 0x80;
constexpr std::uint8_t kPriorityScanBit = 0x08;
constexpr std::uint8_t kScanModeBit = 0x10;
constexpr int kBackLightShift = 6;

bool Bit(ConstImageSpan image, std::size_t at, std::uint8_t bit) { return (image[at] & bit) != 0; }

void SetBit(ImageSpan image, std::size_t at, std::uint8_t bit, bool on) {
  image[at] = static_cast<std::uint8_t>(on ? (image[at] | bit) : (image[at] & ~bit));
}

void Store(ImageSpan image, std::size_t at, int value) { image[at] = static_cast<std::uint8_t>(value); }

std::optional<std::size_t> PresetOffset(int preset) {
  if (preset < 1 || preset > kFmPresetCount) return std::nullopt;
  return kFmPresets + static_cast<std::size_t>(preset - 1);
}

}  // namespace

int GetSquelch(ConstImageSpan image) { return std::min<int>(image[kOptSquelch], kLevelMax); }
void SetSquelch(ImageSpan image, int level) { Store(image, kOptSquelch, level); }
int GetVoxLevel(ConstImageSpan image) { return std::min<int>(image[kOptVox], kLevelMax); }
void SetVoxLevel(ImageSpan image, int level) { Store(image, kOptVox, level); }
int GetTxTimeLimit(ConstImageSpan image) {
  return std::min<int>(image[kOptTxTimeLimit], kTxTimeLimitMax);
}
void SetTxTimeLimit(ImageSpan image, int limit) { Store(image, kOptTxTimeLimit, limit); }

int GetChannelFlag(ConstImageSpan image) { return Bit(image, kOptFlags1, kChannelFlagBit) ? 1 : 0; }
void SetChannelFlag(ImageSpan image, int value) {
  SetBit(image, kOptFlags1, kChannelFlagBit, value != 0);
}
bool IsBusyLockout(ConstImageSpan image) { return Bit(image, kOptFlags1, kBusyLockoutBit); }
void SetBusyLockout(ImageSpan image, bool on) { SetBit(image, kOptFlags1, kBusyLockoutBit, on); }
bool IsKeyBeep(ConstImageSpan image) { return Bit(image, kOptFlags1, kKeyBeepBit); }
void SetKeyBeep(ImageSpan image, bool on) { SetBit(image, kOptFlags1, kKeyBeepBit, on); }
int GetChannelDisplay(ConstImageSpan image) {
  return Bit(image, kOptFlags1, kChannelDisplayBit) ? 1 : 0;
}
void SetChannelDisplay(ImageSpan image, int value) {
  SetBit(image, kOptFlags1, kChannelDisplayBit, value != 0);
}
bool IsPowerSave(ConstImageSpan image) { return Bit(image, kOptFlags1, kPowerSaveBit); }
void SetPowerSave(ImageSpan image, bool on) { SetBit(image, kOptFlags1, kPowerSaveBit, on); }

bool IsPriorityScan(ConstImageSpan image) { return Bit(image, kOptFlags2, kPriorityScanBit); }
void SetPriorityScan(ImageSpan image, bool on) { SetBit(image, kOptFlags2, kPriorityScanBit, on); }
int GetScanMode(ConstImageSpan image) { return Bit(image, kOptFlags2, kScanModeBit) ? 1 : 0; }
void SetScanMode(ImageSpan image, int value) { SetBit(image, kOptFlags2, kScanModeBit, value != 0); }
int GetBackLight(ConstImageSpan image) {
  return std::min(image[kOptFlags2] >> kBackLightShift, kBackLightMax);
}
void SetBackLight(ImageSpan image, int value) {
  image[kOptFlags2] = static_cast<std::uint8_t>((image[kOptFlags2] & 0x3F) |
                                                ((value & 0x03) << kBackLightShift));
}

int GetPriorityChannel(ConstImageSpan image) {
  const int channel = image[kOptPriorityChannel];
  return channel > kLastChannel ? 0 : channel;
}
void SetPriorityChannel(ImageSpan image, int channel) { Store(image, kOptPriorityChannel, channel); }

int GetFirstChannelIndex(ConstImageSpan image) { return image[kIdxFirstChannel]; }
int GetFirstFmPresetIndex(ConstImageSpan image) { return image[kIdxFirstFmPreset]; }

int GetFmFrequency(ConstImageSpan image) { return std::min<int>(image[kFmCurrent], kFmIndexMax); }
void SetFmFrequency(ImageSpan image, int index) { Store(image, kFmCurrent, index); }

int GetFmPreset(ConstImageSpan image, int preset) {
  const auto at = PresetOffset(preset);
  return at ? std::min<int>(image[*at], kFmIndexMax) : 0;
}

void SetFmPreset(ImageSpan image, int preset, int index) {
  if (const auto at = PresetOffset(preset)) Store(image, *at, index);
}

}  // namespace qorrin
