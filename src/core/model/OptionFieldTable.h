#pragma once
// The radio-wide settings of the option panel, one row each: where the radio image keeps
// the value and how it reads, which control shows it and where its items and label come
// from, and the names the compare list and the two dumps give it. The field accessors, the
// option panel, the compare list, the dumps and the language-file checks all read this
// one table.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/lang/ResourceIds.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

enum class OptionField {
  Squelch,         // 0x7C2: 0..9
  VoxLevel,        // 0x7C3: 0..9
  TxTimeLimit,     // 0x7C4: off, 30..180 s
  ChannelFlag,     // 0x7C5 bit 0
  ChannelDisplay,  // 0x7C5 bit 4
  ScanMode,        // 0x7C6 bit 4
  BackLight,       // 0x7C6 bits 6-7: 0..2
  BusyLockout,     // 0x7C5 bit 1
  KeyBeep,         // 0x7C5 bit 3
  PowerSave,       // 0x7C5 bit 7
  PriorityScan,    // 0x7C6 bit 3
};

enum class OptionControl { List, CheckBox };

// Where the items of a list come from; the item index is the value stored.
enum class OptionItems {
  None,        // a check box
  Levels,      // "0".."9"
  TimeLimits,  // IDS_OFF, then "30".."180"
  Section,     // the numbered list of a language-file section
};

struct OptionFieldEntry {
  OptionField field;
  OptionControl control;
  std::size_t byte;
  std::uint8_t mask;      // the bits of `byte` the value takes, from the lowest one up
  int maxValue;           // a stored value above reads as this
  OptionItems items;
  const char* section;    // the language section of OptionItems::Section
  int groupId;            // the form's group that holds the control
  int labelId;            // the label's id; 0 for a check box, whose text is its own
  int controlId;
  const char* builtInText;  // label or check-box text before localisation
  const char* compareName;  // as the compare list names it: "squelch"
  const char* jsonKey;      // as the JSON dump names it: "squelch"
  const char* dumpLabel;    // as the text dump labels its line: "squelch level"
};

// In the order the compare list and the dump show the fields: the lists, then the boxes.
inline constexpr std::array<OptionFieldEntry, 11> kOptionFields{{
    {OptionField::Squelch, OptionControl::List, kOptSquelch, 0xFF, 9, OptionItems::Levels, nullptr,
     ctl::kOptionGroup, 1030, 1031, "静噪等级", "squelch", "squelch", "squelch level"},
    {OptionField::VoxLevel, OptionControl::List, kOptVox, 0xFF, 9, OptionItems::Levels, nullptr,
     ctl::kOptionGroup, 1032, 1033, "声控等级", "VOX level", "vox", "VOX level"},
    {OptionField::TxTimeLimit, OptionControl::List, kOptTxTimeLimit, 0xFF, 6, OptionItems::TimeLimits, nullptr,
     ctl::kOptionGroup, 1034, 1035, "发射限时[秒]", "TX time limit", "txTimeLimit", "TX time limit"},
    {OptionField::ChannelFlag, OptionControl::List, kOptFlags1, 0x01, 1, OptionItems::Section, "ChannelFlag",
     ctl::kOptionGroup, 1036, 1037, "信道标志", "channel flag", "channelFlag", "channel flag"},
    {OptionField::ChannelDisplay, OptionControl::List, kOptFlags1, 0x10, 1, OptionItems::Section, "ShowChannel",
     ctl::kOptionGroup, 1040, 1041, "信道显示方式", "channel display", "channelDisplay", "channel display"},
    {OptionField::ScanMode, OptionControl::List, kOptFlags2, 0x10, 1, OptionItems::Section, "ScanMode",
     ctl::kScanGroup, 1044, 1045, "扫描模式", "scan mode", "scanMode", "scan mode"},
    {OptionField::BackLight, OptionControl::List, kOptFlags2, 0xC0, 2, OptionItems::Section, "BackLight",
     ctl::kOptionGroup, 1046, 1047, "背景灯", "backlight", "backLight", "back light"},
    {OptionField::BusyLockout, OptionControl::CheckBox, kOptFlags1, 0x02, 1, OptionItems::None, nullptr,
     ctl::kOptionGroup, 0, 1038, "繁忙锁定", "busy channel lockout", "busyLockout", "busy lockout"},
    {OptionField::KeyBeep, OptionControl::CheckBox, kOptFlags1, 0x08, 1, OptionItems::None, nullptr,
     ctl::kOptionGroup, 0, 1039, "按键音", "key beep", "keyBeep", "key beep"},
    {OptionField::PowerSave, OptionControl::CheckBox, kOptFlags1, 0x80, 1, OptionItems::None, nullptr,
     ctl::kOptionGroup, 0, 1042, "省电功能", "battery save", "powerSave", "power save"},
    {OptionField::PriorityScan, OptionControl::CheckBox, kOptFlags2, 0x08, 1, OptionItems::None, nullptr,
     ctl::kScanGroup, 0, 1043, "优先扫描", "priority scan", "priorityScan", "priority scan"},
}};

constexpr const OptionFieldEntry& EntryOf(OptionField field) {
  return kOptionFields[static_cast<std::size_t>(field)];
}

// The stored value with the read rule (a value above the field's maximum reads as it).
int ReadOptionField(ConstImageSpan image, OptionField field);
// Stores the value into the field's bits, keeping the other bits of the byte; a one-bit
// field is set by any non-zero value.
void WriteOptionField(ImageSpan image, OptionField field, int value);

}  // namespace qorrin
