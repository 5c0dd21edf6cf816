#pragma once
// The memories of a simulated fleet of radios for a production-line run: every radio of
// the plan's frequency range but each holding something of its own (channel 1 named
// "R001", "R002", ..., its squelch level), so no two are alike and none is the plan,
// except the one that holds the plan already; and, on request, one of another frequency
// range.
#include <vector>

#include "sim/RadioProtocol.h"

namespace qorrin::sim {

// `holdsPlan` and `otherRange` count from 1; 0 for none.
std::vector<RadioImage> FleetImages(const RadioImage& plan, int count, int holdsPlan, int otherRange = 0);

}  // namespace qorrin::sim
