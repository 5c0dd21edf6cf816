#include "core/link/CableChips.h"

#include "core/settings/TextCase.h"

namespace qorrin::link {
namespace {

struct Chip {
  const char* vendorId;
  const char* productId;
  const char* name;
};

// The chips of the usual programming cables.
constexpr Chip kChips[] = {
    {"0403", "6001", "FTDI FT232R"},         {"0403", "6015", "FTDI FT231X"},
    {"0403", "6010", "FTDI FT2232"},         {"0403", "6014", "FTDI FT232H"},
    {"067b", "2303", "Prolific PL2303"},     {"1a86", "7523", "WCH CH340"},
    {"1a86", "5523", "WCH CH341"},           {"1a86", "55d4", "WCH CH9102"},
    {"10c4", "ea60", "Silicon Labs CP210x"}, {"10c4", "ea70", "Silicon Labs CP2105"},
};

struct Maker {
  const char* vendorId;
  const char* name;
};
constexpr Maker kMakers[] = {{"0403", "FTDI"}, {"067b", "Prolific"}, {"1a86", "WCH"}, {"10c4", "Silicon Labs"}};

}  // namespace

std::string ChipName(const std::string& vendorId, const std::string& productId) {
  for (const Chip& chip : kChips) {
    if (EqualNoCase(vendorId, chip.vendorId) && EqualNoCase(productId, chip.productId)) return chip.name;
  }
  return {};
}

std::string MakerName(const std::string& vendorId) {
  for (const Maker& maker : kMakers) {
    if (EqualNoCase(vendorId, maker.vendorId)) return maker.name;
  }
  return {};
}

std::string ChipText(const SerialDevice& device) {
  const std::string ids = device.vendorId.empty() ? std::string() : device.vendorId + ":" + device.productId;
  const std::string name = ChipName(device.vendorId, device.productId);
  if (!name.empty()) return name + " (" + ids + ")";
  if (!device.description.empty()) return device.description;
  if (ids.empty()) return {};
  const std::string maker = MakerName(device.vendorId);
  return maker.empty() ? ids : maker + " (" + ids + ")";
}

bool IsBrailleClaimedChip(const std::string& vendorId, const std::string& productId) {
  return (EqualNoCase(vendorId, "1a86") && EqualNoCase(productId, "7523")) ||
         (EqualNoCase(vendorId, "10c4") && EqualNoCase(productId, "ea60"));
}

}  // namespace qorrin::link
