#include "core/model/OptionFields.h"

#include <algorithm>

namespace qorrin {

namespace {

void Store(ImageSpan image, std::size_t at, int value) { image[at] = static_cast<std::uint8_t>(value); }

std::optional<std::size_t> PresetOffset(int preset) {
  if (preset < 1 || preset > kFmPresetCount) return std::nullopt;
  return kFmPresets + static_cast<std::size_t>(preset - 1);
}

}  // namespace

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
