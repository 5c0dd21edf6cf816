#pragma once
// Byte-level comparison of two radio images, as a write's verification needs it: runs of
// differing bytes, each inside one memory record or area, named the way a technician
// knows the memory ("channel 5", "VFO A", "option block").
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/RadioImageLayout.h"

namespace qorrin {

struct ImageDifference {
  std::size_t nFirst = 0;  // offsets of the first and last differing byte of the run
  std::size_t nLast = 0;
  std::vector<std::uint8_t> expected;  // the bytes of the first image, nFirst..nLast
  std::vector<std::uint8_t> actual;    // those of the second
};

// The differing runs in offsets [begin, end); a run never crosses a 16-byte record
// boundary. Default: the part of the image that travels over the link (0x000-0x7EF).
std::vector<ImageDifference> CompareImages(ConstImageSpan expected, ConstImageSpan actual,
                                           std::size_t begin = 0, std::size_t end = kLinkedImageSize);

// What lives at an offset: "channel 5", "VFO A", "VFO B", "band information",
// "identification tag", "option block", "channel bitmap", "FM presets", "record 0",
// "record 107", "PC-side bytes".
std::string ImageAreaName(std::size_t offset);

// "00 20 65 14"
std::string HexBytes(const std::vector<std::uint8_t>& bytes);

// "0x0050-0x0053 (channel 5): sent 00 20 65 14, radio holds 00 20 65 15"; a single byte
// names one offset. The two words say what the images are.
std::string DescribeDifference(const ImageDifference& difference, const std::string& expectedWord = "sent",
                               const std::string& actualWord = "radio holds");

}  // namespace qorrin
