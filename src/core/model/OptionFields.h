#pragma once
// The radio-wide option block (0x7C2-0x7CA) and the FM broadcast bytes (current frequency
// at 0x7C8, 15 presets at 0x7E0). Reads clamp or reset values above their range; writes
// store the value (a bit is set by any non-zero value), keeping the other bits of a
// shared byte.
#include <cstdint>

#include "core/model/RadioImageLayout.h"

namespace qorrin {

int GetSquelch(ConstImageSpan image);          // 0..9, above reads 9
void SetSquelch(ImageSpan image, int level);
int GetVoxLevel(ConstImageSpan image);         // 0..9, above reads 9
void SetVoxLevel(ImageSpan image, int level);
int GetTxTimeLimit(ConstImageSpan image);      // 0 off, 1..6 = 30..180 s, above reads 6
void SetTxTimeLimit(ImageSpan image, int limit);

int GetChannelFlag(ConstImageSpan image);      // 0x7C5 bit 0: item of "ChannelFlag"
void SetChannelFlag(ImageSpan image, int value);
bool IsBusyLockout(ConstImageSpan image);      // 0x7C5 bit 1
void SetBusyLockout(ImageSpan image, bool on);
bool IsKeyBeep(ConstImageSpan image);          // 0x7C5 bit 3
void SetKeyBeep(ImageSpan image, bool on);
int GetChannelDisplay(ConstImageSpan image);   // 0x7C5 bit 4: item of "ShowChannel"
void SetChannelDisplay(ImageSpan image, int value);
bool IsPowerSave(ConstImageSpan image);        // 0x7C5 bit 7
void SetPowerSave(ImageSpan image, bool on);

bool IsPriorityScan(ConstImageSpan image);     // 0x7C6 bit 3
void SetPriorityScan(ImageSpan image, bool on);
int GetScanMode(ConstImageSpan image);         // 0x7C6 bit 4: item of "ScanMode"
void SetScanMode(ImageSpan image, int value);
int GetBackLight(ConstImageSpan image);        // 0x7C6 bits 6-7: 0..2, 3 reads 2
void SetBackLight(ImageSpan image, int value); // bits 0-5 kept

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
