#include "core/model/ToneCodec.h"

namespace qorrin {

StoredTone EncodeToneCode(int code) {
  if (code >= kFirstDcsInvertedCode) {
    return {static_cast<std::uint8_t>(code - kDcsInvertedShift), true};
  }
  return {static_cast<std::uint8_t>(code), false};
}

int DecodeToneByte(std::uint8_t b, bool inverted) {
  if (b <= kLastCtcssCode) return b;
  if (b <= kLastDcsNormalCode) return inverted ? b + kDcsInvertedShift : b;
  if (b == kFirstDcsInvertedCode) return kFirstDcsInvertedCode;
  return kToneOff;
}

}  // namespace qorrin
