#include "core/model/ModelInfo.h"

#include "core/model/FrequencyUnits.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "core/settings/AppPaths.h"
#include "core/settings/TextCase.h"
#include "core/settings/ProfileFile.h"

namespace qorrin {

namespace {

constexpr char kSection[] = "ModelInfo";
constexpr std::size_t kOneBandChars = 8;
constexpr std::size_t kTwoBandChars = 16;

std::string Key(const char* prefix, int index) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%d", prefix, index);
  return buf;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Leading decimal digits of a short text; 0 when it starts with none.
int ReadDigits(std::string_view s) {
  int v = 0;
  for (char c : s) {
    if (!IsAsciiDigit(c)) break;
    v = v * 10 + (c - '0');
  }
  return v;
}

// A band edge in whole MHz from the characters of a little-endian BCD pair: hundreds and
// tens from the second byte, units from the first; the tenths digit takes no part.
int EdgeMHz(std::string_view code, std::size_t at) {
  const char digits[3] = {code[at + 2], code[at + 3], code[at]};
  return ReadDigits(std::string_view(digits, 3));
}

}  // namespace

std::vector<std::uint8_t> HexToBytes(std::string_view text, std::size_t count) {
  count = std::min(count, text.size());
  std::vector<std::uint8_t> bytes;
  bytes.reserve(count / 2);
  // Unsigned arithmetic: characters below '0' give "negative" values that simply wrap.
  auto value = [](char c) -> unsigned {
    const unsigned code = static_cast<unsigned char>(c);
    return c <= '9' ? code - 0x30u : code - 0x37u;
  };
  for (std::size_t i = 0; i + 1 < count; i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(((value(text[i]) << 4) | (value(text[i + 1]) & 0x0Fu)) & 0xFFu));
  }
  return bytes;
}

std::optional<BandCode> ParseBandCode(std::string_view code) {
  BandCode band;
  // Two bands when the eight characters after the first band read as a non-zero number.
  band.bTwoBand = code.size() > kOneBandChars &&
                  ReadDigits(code.substr(kOneBandChars, kOneBandChars)) != 0;
  const std::size_t needed = band.bTwoBand ? kTwoBandChars : kOneBandChars;
  if (code.size() < needed || !std::all_of(code.begin(), code.begin() + static_cast<std::ptrdiff_t>(needed), IsHexDigit)) {
    return std::nullopt;
  }
  const std::vector<std::uint8_t> bytes = HexToBytes(code, needed);
  std::copy(bytes.begin(), bytes.end(), band.bytes.begin());
  band.nByteCount = bytes.size();
  band.nLow1 = EdgeMHz(code, 0);
  band.nHigh1 = EdgeMHz(code, 4);
  if (band.bTwoBand) {
    band.nLow2 = EdgeMHz(code, 8);
    band.nHigh2 = EdgeMHz(code, 12);
    band.nImageOffset = kBandInfo;
  } else {
    band.nImageOffset = band.nHigh1 < 200 ? kBandInfo : kBandInfoUpper;
  }
  return band;
}

std::string ReadModelCode(int index, std::size_t bufferSize) {
  return ReadProfileString(kSection, Key("data", index), "", bufferSize, g_strIniFile);
}

ModelTable::ModelTable(std::array<Row, kMaxModels> rows) : m_rows(std::move(rows)) {
  for (int n = 0; n < kMaxModels; ++n) {
    const Row& row = m_rows[static_cast<std::size_t>(n)];
    if (row.strCode.empty()) break;
    m_models.push_back(ModelEntry{n, row.strText, row.strCode, row.searchBand.has_value()});
  }
  for (const Row& row : m_rows) {
    if (row.strText.empty()) break;
    m_rangeTexts.push_back(row.strText);
  }
}

std::shared_ptr<const ModelTable> ModelTable::Load() {
  // The table of the last file version looked at; the parsed file stays the same object
  // while the file is unchanged, so it tells whether the table still holds. Keeping a
  // reference to it means a later version can never be mistaken for it.
  static std::mutex mutex;
  static std::shared_ptr<const ParsedProfile> source;
  static std::shared_ptr<const ModelTable> table;

  const ProfileSnapshot file(g_strIniFile);
  {
    std::lock_guard lock(mutex);
    if (table && source == file.Parsed()) return table;
  }
  std::array<Row, kMaxModels> rows;
  for (int n = 0; n < kMaxModels; ++n) {
    Row& row = rows[static_cast<std::size_t>(n)];
    row.strCode = file.ReadString(kSection, Key("data", n), "", kModelCodeSearchBuffer);
    row.searchBand = ParseBandCode(row.strCode);
    row.limitsBand = ParseBandCode(file.ReadString(kSection, Key("data", n), "", kModelCodeLimitsBuffer));
    row.strText = file.ReadString(kSection, Key("Freq", n), "", kModelTextBuffer);
  }
  auto built = std::make_shared<const ModelTable>(std::move(rows));
  std::lock_guard lock(mutex);
  source = file.Parsed();
  table = built;
  return built;
}

int ModelTable::FindModelIndex(ConstImageSpan image) const { return MatchModel(image).value_or(0); }

std::optional<int> ModelTable::MatchModel(ConstImageSpan image) const {
  std::optional<int> result;
  for (const ModelEntry& entry : m_models) {
    const std::optional<BandCode>& band = m_rows[static_cast<std::size_t>(entry.nIndex)].searchBand;
    if (!band) continue;
    if (std::equal(band->bytes.begin(), band->bytes.begin() + static_cast<std::ptrdiff_t>(band->nByteCount),
                   image.begin() + static_cast<std::ptrdiff_t>(band->nImageOffset))) {
      result = entry.nIndex;  // the last match wins
    }
  }
  return result;
}

BandLimits ModelTable::ComputeBandLimits(ConstImageSpan image) const { return LimitsOf(FindModelIndex(image)); }

BandLimits ModelTable::LimitsOf(int index) const {
  BandLimits limits;  // the 100-520 MHz fallback
  if (index < 0 || index >= kMaxModels) return limits;
  const std::optional<BandCode>& band = m_rows[static_cast<std::size_t>(index)].limitsBand;
  if (!band) return limits;
  limits.m_nFreqMin = band->nLow1 * kUnitsPerMHz;
  int up = band->nHigh1;
  if (band->bTwoBand) {
    limits.m_nSplitLow = band->nHigh1 * kUnitsPerMHz;
    limits.m_nSplitHigh = band->nLow2 * kUnitsPerMHz;
    up = band->nHigh2;
  }
  limits.m_nFreqMax = up * kUnitsPerMHz - kUpperEdgeMargin;
  return limits;
}

bool ModelTable::WriteModelBandInfo(ImageSpan image, int index) const {
  // Only entries of the list count: an index past a missing code (or past 15) would give
  // band bytes that FindModelIndex can never find again.
  if (index < 0 || index >= static_cast<int>(m_models.size())) return false;
  const std::optional<BandCode>& band = m_rows[static_cast<std::size_t>(index)].searchBand;
  if (!band) return false;
  std::copy_n(band->bytes.begin(), band->nByteCount,
              image.begin() + static_cast<std::ptrdiff_t>(band->nImageOffset));
  return true;
}

int FindModelIndex(ConstImageSpan image) { return ModelTable::Load()->FindModelIndex(image); }

bool MatchesAnyModel(ConstImageSpan image) { return ModelTable::Load()->MatchModel(image).has_value(); }

BandLimits ComputeBandLimits(ConstImageSpan image) { return ModelTable::Load()->ComputeBandLimits(image); }

bool WriteModelBandInfo(ImageSpan image, int index) { return ModelTable::Load()->WriteModelBandInfo(image, index); }

BandLimits ModelLimits(int index) { return ModelTable::Load()->LimitsOf(index); }

std::vector<ModelEntry> ListModels() { return ModelTable::Load()->Models(); }

std::vector<std::string> LoadModelRangeTexts() { return ModelTable::Load()->RangeTexts(); }

}  // namespace qorrin
