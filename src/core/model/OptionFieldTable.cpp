#include "core/model/OptionFieldTable.h"

#include <algorithm>
#include <bit>

namespace qorrin {

namespace {

int ShiftOf(std::uint8_t mask) { return std::countr_zero(mask); }

}  // namespace

// The table lists every field once, in the order of the enumeration.
static_assert([] {
  for (std::size_t i = 0; i < kOptionFields.size(); ++i) {
    if (static_cast<std::size_t>(kOptionFields[i].field) != i) return false;
  }
  return true;
}());

int ReadOptionField(ConstImageSpan image, OptionField field) {
  const OptionFieldEntry& entry = EntryOf(field);
  const int value = (image[entry.byte] & entry.mask) >> ShiftOf(entry.mask);
  return std::min(value, entry.maxValue);
}

void WriteOptionField(ImageSpan image, OptionField field, int value) {
  const OptionFieldEntry& entry = EntryOf(field);
  const std::uint8_t bits =
      std::popcount(entry.mask) == 1 ? (value != 0 ? entry.mask : 0)
                                    : static_cast<std::uint8_t>((value << ShiftOf(entry.mask)) & entry.mask);
  image[entry.byte] = static_cast<std::uint8_t>((image[entry.byte] & ~entry.mask) | bits);
}

}  // namespace qorrin
