#pragma once
// A radio worth reading for a demonstration: a handful of programmed channels with
// tones, shifts and names, written into a VHF (136-174 MHz) image.
#include "sim/ImageFile.h"

namespace qorrin::sim {

void FillDemoChannels(RadioImage& image);

}  // namespace qorrin::sim
