#pragma once
// The frequency-range models listed in section ModelInfo of setting.ini ("data%d" band
// code, "Freq%d" display text, N = 0..15, ending at the first missing or empty code), and
// how the band information bytes of an image (0x780-0x787) tie an image to one of them.
// Every call sees the settings file (g_strIniFile) as it is on disk at that moment.
//
// A band code is 8 hexadecimal digits (one band) or 16 (two bands); further characters
// are ignored. An entry whose code is shorter than it needs to be, or has a character
// that is not a hexadecimal digit within those 8 or 16, is not usable: it never matches
// an image, gives no limits and writes no band bytes, but it does not end the list.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/BandLimits.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

inline constexpr int kMaxModels = 16;
// Value lengths the callers read the band code with (buffer sizes 32 and 60).
inline constexpr std::size_t kModelCodeSearchBuffer = 32;
inline constexpr std::size_t kModelCodeLimitsBuffer = 60;
inline constexpr std::size_t kModelTextBuffer = 30;

// Pairs of characters to bytes: a character up to '9' gives its code minus 0x30, any other
// its code minus 0x37 ('A' = 10; lower case works through the masking), the first of a
// pair shifted left 4 and kept to 8 bits, the second masked to 4 bits. Converts the first
// `count` characters (at most text.size(), an odd last one ignored).
std::vector<std::uint8_t> HexToBytes(std::string_view text, std::size_t count);

struct BandCode {
  bool bTwoBand = false;
  std::array<std::uint8_t, kBandInfoSize> bytes{};  // first 4 (one band) or all 8 used
  std::size_t nByteCount = 4;
  std::size_t nImageOffset = kBandInfo;  // where the bytes live in the image
  int nLow1 = 0, nHigh1 = 0, nLow2 = 0, nHigh2 = 0;  // band edges, whole MHz
};

// Nothing when the code is not usable (see above).
std::optional<BandCode> ParseBandCode(std::string_view code);

// "data%d" of ModelInfo, cut to bufferSize - 1 characters; "" when missing.
std::string ReadModelCode(int index, std::size_t bufferSize);

// The last usable entry whose band bytes equal the image's; 0 when none matches.
int FindModelIndex(ConstImageSpan image);
// Whether some usable entry's band bytes equal the image's. An image that matches none
// (an all-zero image, say) is shown as model 0 but is no configuration any radio holds.
bool MatchesAnyModel(ConstImageSpan image);

// Limits of the model FindModelIndex finds; 100-520 MHz without a gap when that entry is
// missing or unusable.
BandLimits ComputeBandLimits(ConstImageSpan image);

// Limits of entry `index` as an image of that model gets them (the fallback for a
// missing or unusable entry).
BandLimits ModelLimits(int index);

// Writes the band bytes of entry `index` (a one-band code leaves the other four bytes
// alone). False, with nothing written, when the entry is missing, unusable, or not part
// of the list (index above 15, or after a missing code).
bool WriteModelBandInfo(ImageSpan image, int index);

struct ModelEntry {
  int nIndex = 0;
  std::string strText;   // "Freq%d", "" when missing
  std::string strCode;   // "data%d" as read
  bool bUsable = false;  // the code parses
};

// Entries N = 0.. up to the first missing or empty code (at most 16): the models that
// FindModelIndex and SetModelInfo know.
std::vector<ModelEntry> ListModels();

// The frequency-range drop-down's items: "Freq%d" N = 0.. up to the first missing one
// (at most 16), so that the item index is the model index.
std::vector<std::string> LoadModelRangeTexts();

// Section ModelInfo of one version of the settings file, read and parsed once: the
// functions above are each one look at it. A caller that needs several answers (the model
// of an image and its text) takes one table and asks it, so that all come from the same
// version of the file.
class ModelTable {
 public:
  // The table of g_strIniFile as it is on disk now: one stat, and the table is built
  // again only when the file changed.
  static std::shared_ptr<const ModelTable> Load();

  int FindModelIndex(ConstImageSpan image) const;
  std::optional<int> MatchModel(ConstImageSpan image) const;  // nothing when none matches
  BandLimits ComputeBandLimits(ConstImageSpan image) const;
  BandLimits LimitsOf(int index) const;
  bool WriteModelBandInfo(ImageSpan image, int index) const;
  const std::vector<ModelEntry>& Models() const { return m_models; }
  const std::vector<std::string>& RangeTexts() const { return m_rangeTexts; }

  // Built by Load from the file's values.
  struct Row {
    std::string strCode;                 // "data%d" cut as FindModelIndex reads it
    std::optional<BandCode> searchBand;  // that code parsed
    std::optional<BandCode> limitsBand;  // the code cut as ComputeBandLimits reads it, parsed
    std::string strText;                 // "Freq%d"
  };
  explicit ModelTable(std::array<Row, kMaxModels> rows);

 private:
  std::array<Row, kMaxModels> m_rows;
  std::vector<ModelEntry> m_models;
  std::vector<std::string> m_rangeTexts;
};

}  // namespace qorrin
