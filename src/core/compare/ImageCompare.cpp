#include "core/compare/ImageCompare.h"

#include <algorithm>
#include <cstdio>

namespace qorrin {

std::vector<ImageDifference> CompareImages(ConstImageSpan expected, ConstImageSpan actual, std::size_t begin,
                                           std::size_t end) {
  std::vector<ImageDifference> runs;
  end = std::min(end, kImageSize);
  for (std::size_t i = begin; i < end; ++i) {
    if (expected[i] == actual[i]) continue;
    const bool extends = !runs.empty() && runs.back().nLast + 1 == i && i % kRecordSize != 0;
    if (!extends) {
      runs.push_back({i, i, {}, {}});
    }
    ImageDifference& run = runs.back();
    run.nLast = i;
    run.expected.push_back(expected[i]);
    run.actual.push_back(actual[i]);
  }
  return runs;
}

std::string ImageAreaName(std::size_t offset) {
  const int record = static_cast<int>(offset / kRecordSize);
  if (offset >= kLinkedImageSize) return "PC-side bytes";
  if (record >= kFirstChannel && record <= kLastChannel) return "channel " + std::to_string(record);
  if (record == kVfoARecord) return "VFO A";
  if (record == kVfoBRecord) return "VFO B";
  if (offset >= kBandInfo && offset < kBandInfo + kBandInfoSize) return "band information";
  if (offset >= kIdentTag && offset < kIdentTag + 8) return "identification tag";
  if (offset >= 0x7C0 && offset < 0x7D0) return "option block";
  if (offset >= kChannelBitmap && offset < kChannelBitmap + 13) return "channel bitmap";
  if (offset >= kFmPresets && offset < kFmPresets + kFmPresetCount) return "FM presets";
  if (record == 0 || (record >= 100 && record <= 119)) return "record " + std::to_string(record);
  return "unused bytes";
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  char hex[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(hex, sizeof hex, "%02X", b);
    if (!text.empty()) text += ' ';
    text += hex;
  }
  return text;
}

std::string DescribeDifference(const ImageDifference& difference, const std::string& expectedWord,
                               const std::string& actualWord) {
  char where[32];
  if (difference.nFirst == difference.nLast) {
    std::snprintf(where, sizeof where, "0x%04zX", difference.nFirst);
  } else {
    std::snprintf(where, sizeof where, "0x%04zX-0x%04zX", difference.nFirst, difference.nLast);
  }
  return std::string(where) + " (" + ImageAreaName(difference.nFirst) + "): " + expectedWord + " " +
         HexBytes(difference.expected) + ", " + actualWord + " " + HexBytes(difference.actual);
}

}  // namespace qorrin
