#pragma once
// The option block's priority channel and index bytes, and the FM broadcast bytes
// (current frequency at 0x7C8, 15 presets at 0x7E0). Reads clamp or reset values above
// their range; writes store the value.
#include <cstdint>

#include "core/model/OptionFieldTable.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

// The settings of the option panel (squelch to priority scan) are read and written by
// field through OptionFieldTable.h.

int GetPriorityChannel(ConstImageSpan image);  // 0 off, 1..99; above 99 reads 0
void SetPriorityChannel(ImageSpan image, int channel);

// Index fields as stored (kept up to date by UpdateIndexFields).
int GetFirstChannelIndex(ConstImageSpan image);   // 0x7C7, zero-based
int GetFirstFmPresetIndex(ConstImageSpan image);  // 0x7C9, zero-based

// FM indices: value v means 87.0 + 0.1 * v MHz; above 210 reads 210 (108.0 MHz).
int GetFmFrequency(ConstImageSpan image);
void SetFmFrequency(ImageSpan image, int index);
int GetFmPreset(ConstImageSpan image, int preset);  // preset 1..15; other numbers read 0
void SetFmPreset(ImageSpan image, int preset, int index);  // other numbers are ignored

}  // namespace qorrin
