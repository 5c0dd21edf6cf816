#include "core/model/ToneTables.h"

#include <array>
#include <string_view>

#include "core/lang/LangText.h"
#include "core/model/ToneCodec.h"

namespace qorrin {

namespace {

constexpr std::size_t kCtcssCount = 50;
constexpr std::size_t kDcsCount = 104;

template <std::size_t N>
using SlotTable = std::array<char, N * kToneSlotSize>;

constexpr const char* kCtcssTexts[kCtcssCount] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

// The DCS codes as their three octal digits; both DCS tables list them in this order.
constexpr const char* kDcsCodes[kDcsCount] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

constexpr SlotTable<kCtcssCount> MakeCtcssTable() {
  SlotTable<kCtcssCount> t{};
  for (std::size_t i = 0; i < kCtcssCount; ++i) {
    for (std::size_t k = 0; kCtcssTexts[i][k] != '\0'; ++k) t[i * kToneSlotSize + k] = kCtcssTexts[i][k];
  }
  return t;
}

// "D" + octal code + 'N' or 'I', NUL-padded to the slot.
constexpr SlotTable<kDcsCount> MakeDcsTable(char polarity) {
  SlotTable<kDcsCount> t{};
  for (std::size_t i = 0; i < kDcsCount; ++i) {
    char* slot = t.data() + i * kToneSlotSize;
    slot[0] = 'D';
    for (std::size_t k = 0; k < 3; ++k) slot[1 + k] = kDcsCodes[i][k];
    slot[4] = polarity;
  }
  return t;
}

constexpr SlotTable<kCtcssCount> kResource136 = MakeCtcssTable();
constexpr SlotTable<kDcsCount> kResource135 = MakeDcsTable('N');
constexpr SlotTable<kDcsCount> kResource134 = MakeDcsTable('I');

// Text of one slot: up to its first NUL, never past the slot.
std::string SlotText(std::span<const char> table, std::size_t slot) {
  const std::string_view text(table.data() + slot * kToneSlotSize, kToneSlotSize);
  return std::string(text.substr(0, text.find('\0')));
}

}  // namespace

std::span<const char> ToneResource(int id) {
  switch (id) {
    case kToneResourceCtcss: return kResource136;
    case kToneResourceDcsNormal: return kResource135;
    case kToneResourceDcsInverted: return kResource134;
    default: return {};
  }
}

std::string GetToneText(int code) {
  if (code <= kToneOff || code > kLastToneCode) return {};
  if (code <= kLastCtcssCode) return SlotText(kResource136, static_cast<std::size_t>(code - 1));
  if (code <= kLastDcsNormalCode) {
    return SlotText(kResource135, static_cast<std::size_t>(code - kLastCtcssCode - 1));
  }
  return SlotText(kResource134, static_cast<std::size_t>(code - kFirstDcsInvertedCode));
}

std::vector<std::string> FillToneList() {
  std::vector<std::string> list;
  list.reserve(kToneCodeCount);
  list.push_back(LoadLangString("IDS_OFF"));
  for (int id : {kToneResourceCtcss, kToneResourceDcsNormal, kToneResourceDcsInverted}) {
    const std::span<const char> table = ToneResource(id);
    for (std::size_t slot = 0; slot < table.size() / kToneSlotSize; ++slot) {
      list.push_back(SlotText(table, slot));
    }
  }
  return list;
}

}  // namespace qorrin
