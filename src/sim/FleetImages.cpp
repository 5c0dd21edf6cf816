#include "sim/FleetImages.h"

#include <algorithm>
#include <string>

#include "core/model/IndexFields.h"
#include "core/model/RadioImageLayout.h"
#include "core/model/RecordFields.h"

namespace qorrin::sim {
namespace {

constexpr std::size_t kSquelch = 0x7C2;

// The band bytes of 136-174 MHz (below 200 MHz, the first four) and of 400-470 MHz (the
// last four): a radio of the one range for a plan of the other.
constexpr std::uint8_t kVhf[4] = {0x60, 0x13, 0x40, 0x17};
constexpr std::uint8_t kUhf[4] = {0x00, 0x40, 0x00, 0x47};

void MakeOtherRange(RadioImage& image) {
  const bool vhf = std::equal(std::begin(kVhf), std::end(kVhf), image.begin() + kBandInfo);
  for (std::size_t i = 0; i < 4; ++i) {
    image[kBandInfo + i] = vhf ? 0xFF : kVhf[i];
    image[kBandInfo + 4 + i] = vhf ? kUhf[i] : 0xFF;
  }
}

}  // namespace

std::vector<RadioImage> FleetImages(const RadioImage& plan, int count, int holdsPlan, int otherRange) {
  RadioImage planned = plan;
  UpdateIndexFields(planned);  // as a write sends it
  std::vector<RadioImage> images;
  for (int n = 1; n <= count; ++n) {
    RadioImage image = planned;
    if (n != holdsPlan) {
      std::string name = std::to_string(n % 1000);
      name = "R" + std::string(3 - name.size(), '0') + name;
      SetChannelName(image, 1, name);
      UpdateNamePresentBit(image, 1);
      image[kSquelch] = static_cast<std::uint8_t>((planned[kSquelch] + n) % 10);
      if (n == otherRange) MakeOtherRange(image);
    }
    images.push_back(image);
  }
  return images;
}

}  // namespace qorrin::sim
