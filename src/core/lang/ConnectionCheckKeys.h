#pragma once
// The [String] keys of the connection check (core/transfer/ConnectionCheck.h) and of what
// its front ends show; part of RequiredStringKeys().
#include <string>
#include <vector>

namespace qorrin {

const std::vector<std::string>& ConnectionCheckKeys();

}  // namespace qorrin
