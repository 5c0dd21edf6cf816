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
  const OptionFieldSpec& spec = SpecOf(field);
  const int value = (image[spec.byte] & spec.mask) >> ShiftOf(spec.mask);
  return std::min(value, spec.maxValue);
}

void WriteOptionField(ImageSpan image, OptionField field, int value) {
  const OptionFieldSpec& spec = SpecOf(field);
  const std::uint8_t bits =
      std::popcount(spec.mask) == 1 ? (value != 0 ? spec.mask : 0)
                                    : static_cast<std::uint8_t>((value << ShiftOf(spec.mask)) & spec.mask);
  image[spec.byte] = static_cast<std::uint8_t>((image[spec.byte] & ~spec.mask) | bits);
}

}  // namespace qorrin
