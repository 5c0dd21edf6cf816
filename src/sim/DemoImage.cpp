#include "sim/DemoImage.h"

#include "core/model/BandLimits.h"
#include "core/model/IndexFields.h"
#include "core/model/RecordFields.h"

namespace qorrin::sim {
namespace {

struct DemoChannel {
  int number;
  const char* rx;
  const char* offset;  // "" for simplex
  int shift;           // 0 none, 1 minus, 2 plus
  int rxTone, txTone;  // tone-list codes (0 off, 1-50 CTCSS, 51-258 DCS)
  bool wide, high;
  const char* name;
};

constexpr DemoChannel kChannels[] = {
    {1, "145.50000", "", 0, 0, 0, true, true, "CALL"},
    {2, "145.62500", "000.60000", 1, 13, 13, true, true, "RPT1"},
    {3, "146.52000", "", 0, 0, 9, false, false, "SMPX"},
    {4, "147.30000", "000.60000", 2, 60, 60, true, true, "DCS1"},
    {5, "156.80000", "", 0, 0, 0, true, true, "CH16"},
    {9, "162.55000", "", 0, 0, 0, false, false, "WX7"},
};

}  // namespace

void FillDemoChannels(RadioImage& image) {
  const BandLimits vhf{0, 0, 13600000, 17399500};
  for (const DemoChannel& ch : kChannels) {
    SetFrequencyText(image, vhf, ch.number, true, ch.rx);
    // The offset field holds the transmit offset, or the receive frequency again for simplex.
    SetFrequencyText(image, vhf, ch.number, false, *ch.offset ? ch.offset : ch.rx);
    SetShiftDirection(image, ch.number, ch.shift);
    SetToneCode(image, ch.number, true, ch.rxTone);
    SetToneCode(image, ch.number, false, ch.txTone);
    SetWide(image, ch.number, ch.wide);
    SetHighPower(image, ch.number, ch.high);
    SetChannelName(image, ch.number, ch.name);
    UpdateNamePresentBit(image, ch.number);
  }
  UpdateIndexFields(image);
}

}  // namespace qorrin::sim
