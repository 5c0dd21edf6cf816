#include "core/model/ModelDefaults.h"

#include <algorithm>

#include "core/model/FrequencyCodec.h"
#include "core/model/RecordFields.h"

namespace qorrin {

namespace {

constexpr char kNoOffset[] = "000.00000";

void SetSimplex(ImageSpan image, const BandLimits& limits, int record, int frequency) {
  SetFrequencyText(image, limits, record, true, FormatFrequency(frequency));
  SetFrequencyText(image, limits, record, false, kNoOffset);
}

}  // namespace

void ApplyModelDefaults(ImageSpan image, const BandLimits& limits) {
  for (int n = kFirstChannel; n <= kLastChannel; ++n) ClearRecord(image, n);
  ClearRecord(image, kVfoBRecord);
  ClearRecord(image, kVfoARecord);

  SetSimplex(image, limits, kFirstChannel, limits.m_nFreqMin);
  // Each VFO the model uses starts at the lower edge of its band.
  if (limits.UsesVfoA()) SetSimplex(image, limits, kVfoARecord, limits.m_nFreqMin);
  if (limits.UsesVfoB()) SetSimplex(image, limits, kVfoBRecord, limits.IsTwoBand() ? limits.m_nSplitHigh : limits.m_nFreqMin);

  std::copy_n(kIdentTagText, 8, image.begin() + static_cast<std::ptrdiff_t>(kIdentTag));
  image[0x7C0] = 0x76;  // not interpreted; the values a new radio image carries
  image[0x7C1] = 0x95;
  image[kOptSquelch] = 0x05;
  image[kOptVox] = 0x05;
  image[kOptTxTimeLimit] = 0x06;  // 180 s
  image[kOptFlags1] = 0x80;       // power save on
  image[kOptFlags2] = 0x48;       // back light 1, priority scan on
  image[0x7CB] = 0x05;
}

}  // namespace qorrin
