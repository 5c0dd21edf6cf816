#pragma once
// Tests set a document's bytes directly, as a radio or a file might hold them, through the
// document's one entry for changes, as bookkeeping: no change of the user's, no view told.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "core/model/CQorrinDoc.h"

namespace qorrin::test {

// `write(image, limits)` writes what the test needs.
template <typename Write>
void Poke(CQorrinDoc& doc, Write&& write) {
  doc.EditImage(ImageChange::Bookkeeping, [&](ImageSpan image, const BandLimits& limits) {
    write(image, limits);
    return false;
  });
}

// The same as a change of the user's: the document becomes modified, the history has a
// step and the views hear of it. With nothing written, an edit that stores what was
// there (a list item picked again), which still counts.
template <typename Write>
void EditAsUser(CQorrinDoc& doc, Write&& write) {
  doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits& limits) {
    write(image, limits);
    return true;
  });
}
inline void EditAsUser(CQorrinDoc& doc) {
  EditAsUser(doc, [](ImageSpan, const BandLimits&) {});
}

// Programs a record's receive frequency (snapped as a commit snaps it) and its offset field,
// in one bookkeeping change.
inline void SetFrequencies(CQorrinDoc& doc, int record, std::string_view receive, std::string_view offset = "000.00000") {
  Poke(doc, [&](ImageSpan image, const BandLimits& limits) {
    SetFrequencyText(image, limits, record, true, receive);
    SetFrequencyText(image, limits, record, false, offset);
  });
}

inline void SetByte(CQorrinDoc& doc, std::size_t offset, std::uint8_t value) {
  Poke(doc, [&](ImageSpan image, const BandLimits&) { image[offset] = value; });
}

// The whole image, or the start of it when `bytes` is shorter.
inline void SetImage(CQorrinDoc& doc, std::span<const std::uint8_t> bytes) {
  Poke(doc, [&](ImageSpan image, const BandLimits&) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
  });
}
inline void SetImage(CQorrinDoc& doc, std::string_view bytes) {
  SetImage(doc, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace qorrin::test
