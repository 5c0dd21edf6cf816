#include "core/model/IndexFields.h"

#include <algorithm>

#include "core/model/OptionFields.h"
#include "core/model/RecordFields.h"

namespace qorrin {

namespace {

std::size_t BitmapByte(int channel) { return kChannelBitmap + static_cast<std::size_t>(channel - 1) / 8; }
std::uint8_t BitmapBit(int channel) { return static_cast<std::uint8_t>(1u << ((channel - 1) % 8)); }

}  // namespace

void UpdateIndexFields(ImageSpan image) {
  std::copy_n(kIdentTagText, 8, image.begin() + kIdentTag);

  int firstChannel = 0;
  bool found = false;
  for (int n = kFirstChannel; n <= kLastChannel; ++n) {
    const bool used = !IsRecordEmpty(image, n);
    std::uint8_t& byte = image[BitmapByte(n)];
    byte = static_cast<std::uint8_t>(used ? (byte | BitmapBit(n)) : (byte & ~BitmapBit(n)));
    if (used && !found) {
      firstChannel = n - 1;
      found = true;
    }
  }
  image[kIdxFirstChannel] = static_cast<std::uint8_t>(firstChannel);

  int firstPreset = 0;
  for (int j = 1; j <= kFmPresetCount; ++j) {
    if (GetFmPreset(image, j) < kFmIndexMax) {
      firstPreset = j - 1;
      break;
    }
  }
  image[kIdxFirstFmPreset] = static_cast<std::uint8_t>(firstPreset);
}

bool IsChannelInUse(ConstImageSpan image, int channel) {
  if (channel < kFirstChannel || channel > kLastChannel) return false;
  return (image[BitmapByte(channel)] & BitmapBit(channel)) != 0;
}

}  // namespace qorrin
