#pragma once
// What a freshly chosen model puts into the image: empty channels except channel 1 on the
// lowest frequency, the VFO(s) of the model's band(s) on their lowest frequencies, the tag
// and the default option bytes. Everything else (FM presets, VFO name bytes, unused bytes)
// keeps its value.
#include "core/model/BandLimits.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

void ApplyModelDefaults(ImageSpan image, const BandLimits& limits);

}  // namespace qorrin
