#pragma once
// SHA-256 (FIPS 180-4), for the fingerprints of radio images in the station's log: two
// radios hold the same configuration exactly when their fingerprints agree.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qorrin {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest Sha256(const std::uint8_t* data, std::size_t size);

// The digest as 64 lower-case hexadecimal digits, as sha256sum prints it.
std::string Sha256Hex(const std::uint8_t* data, std::size_t size);

}  // namespace qorrin
