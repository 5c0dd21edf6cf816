#pragma once
// The bookkeeping bytes the radio reads to find its way through the image: the tag
// "ZENTORIX", the channel-in-use bitmap, the first programmed channel and the first used
// FM preset. Recomputed before every transfer and by the Save command; a free function so
// that the transfer worker can run it on its own copy of the image.
#include "core/model/RadioImageLayout.h"

namespace qorrin {

void UpdateIndexFields(ImageSpan image);

// Bit of channel 1..99 in the channel-in-use bitmap as stored (false for other numbers).
bool IsChannelInUse(ConstImageSpan image, int channel);

}  // namespace qorrin
