#pragma once
// What a USB programming cable is made of, in words a user can look up: the serial chip
// by its vendor and product ids. Names and ids are the same in every language; the
// sentences around them are the callers' (language files).
#include <string>

#include "core/link/SerialDevices.h"

namespace qorrin::link {

// "WCH CH340" for 1a86:7523 (ids in any letter case): a chip of the usual programming
// cables; empty for any other.
std::string ChipName(const std::string& vendorId, const std::string& productId);
// The maker of a chip of a known maker ("WCH"); empty for an unknown one.
std::string MakerName(const std::string& vendorId);

// The chip of a device's cable with its ids, "WCH CH340 (1a86:7523)"; for another chip the
// system's own description, else the maker and the ids; empty for a device without either.
std::string ChipText(const SerialDevice& device);

// Chips that the braille-display service brltty claims for its own (the port then
// vanishes right after the cable is plugged in).
bool IsBrailleClaimedChip(const std::string& vendorId, const std::string& productId);

}  // namespace qorrin::link
