#include "core/interchange/ToneColumns.h"

#include <array>

#include "core/interchange/ListFieldText.h"
#include "core/model/ToneCodec.h"
#include "core/model/ToneTables.h"

namespace qorrin {

namespace {

constexpr int kFirstDcsCode = kLastCtcssCode + 1;
constexpr int kDcsCount = kLastDcsNormalCode - kLastCtcssCode;

constexpr char kNeutralCtcss[] = "88.5";
constexpr char kNeutralDcs[] = "023";
constexpr char kNeutralPolarity[] = "NN";
constexpr char kNeutralCrossMode[] = "Tone->Tone";

bool IsCtcss(int code) { return code >= 1 && code <= kLastCtcssCode; }
bool IsDcs(int code) { return code >= kFirstDcsCode && code <= kLastToneCode; }
bool IsInverted(int code) { return code >= kFirstDcsInvertedCode; }
// 0..103: the position of the code in the DCS list, whatever its polarity.
int DcsIndex(int code) { return (IsInverted(code) ? code - kDcsInvertedShift : code) - kFirstDcsCode; }

std::string CtcssText(int code) { return GetToneText(code); }                // "88.5"
std::string DcsText(int code) { return GetToneText(code).substr(1, 3); }   // "023"
char PolarityLetter(int code) { return IsDcs(code) && IsInverted(code) ? 'R' : 'N'; }

std::string SideMode(int code) { return IsCtcss(code) ? "Tone" : IsDcs(code) ? "DTCS" : ""; }

}  // namespace

ToneCells WriteToneCells(int rxCode, int txCode) {
  ToneCells cells{"", kNeutralCtcss, kNeutralCtcss, kNeutralDcs, kNeutralPolarity, kNeutralDcs,
                  kNeutralCrossMode};
  if (rxCode == kToneOff && txCode == kToneOff) return cells;
  if (IsCtcss(txCode) && rxCode == kToneOff) {
    cells.strTone = "Tone";
    cells.strTxCtcss = CtcssText(txCode);
  } else if (IsCtcss(txCode) && rxCode == txCode) {
    cells.strTone = "TSQL";
    cells.strTxCtcss = cells.strRxCtcss = CtcssText(txCode);
  } else if (IsDcs(txCode) && IsDcs(rxCode) && DcsIndex(txCode) == DcsIndex(rxCode)) {
    cells.strTone = "DTCS";
    cells.strTxDcs = DcsText(txCode);
    cells.strPolarity = {PolarityLetter(txCode), PolarityLetter(rxCode)};
  } else {
    cells.strTone = "Cross";
    cells.strCrossMode = SideMode(txCode) + "->" + SideMode(rxCode);
    if (IsCtcss(txCode)) cells.strTxCtcss = CtcssText(txCode);
    if (IsCtcss(rxCode)) cells.strRxCtcss = CtcssText(rxCode);
    if (IsDcs(txCode)) cells.strTxDcs = DcsText(txCode);
    if (IsDcs(rxCode)) cells.strRxDcs = DcsText(rxCode);
    cells.strPolarity = {PolarityLetter(txCode), PolarityLetter(rxCode)};
  }
  return cells;
}

std::optional<int> CtcssToneCode(std::string_view text, bool decimalComma) {
  static const std::array<std::int64_t, kLastCtcssCode + 1> tenths = [] {
    std::array<std::int64_t, kLastCtcssCode + 1> table{};
    for (int code = 1; code <= kLastCtcssCode; ++code) {
      table[static_cast<std::size_t>(code)] = ParseScaledDecimal(CtcssText(code), 1, false).value_or(-1);
    }
    return table;
  }();
  const std::optional<std::int64_t> value = ParseScaledDecimal(WithoutUnit(text, "Hz"), 1, decimalComma);
  if (!value) return std::nullopt;
  for (int code = 1; code <= kLastCtcssCode; ++code) {
    if (tenths[static_cast<std::size_t>(code)] == *value) return code;
  }
  return std::nullopt;
}

std::optional<int> DcsToneCode(std::string_view text, bool inverted) {
  static const std::array<int, kDcsCount> codes = [] {
    std::array<int, kDcsCount> table{};
    for (int i = 0; i < kDcsCount; ++i) {
      table[static_cast<std::size_t>(i)] = ParseDigits(DcsText(kFirstDcsCode + i)).value_or(-1);
    }
    return table;
  }();
  const std::optional<int> value = ParseDigits(text);
  if (!value) return std::nullopt;
  for (int i = 0; i < kDcsCount; ++i) {
    if (codes[static_cast<std::size_t>(i)] == *value) {
      return kFirstDcsCode + i + (inverted ? kDcsInvertedShift : 0);
    }
  }
  return std::nullopt;
}

namespace {

enum class SideKind { None, Ctcss, Dcs };

std::optional<SideKind> ReadSide(std::string_view text) {
  text = TrimSpacesAndTabs(text);
  if (text.empty()) return SideKind::None;
  if (EqualNoCase(text, "Tone")) return SideKind::Ctcss;
  if (EqualNoCase(text, "DTCS")) return SideKind::Dcs;
  return std::nullopt;
}

std::string_view OrNeutral(std::string_view cell, std::string_view neutral) {
  cell = TrimSpacesAndTabs(cell);
  return cell.empty() ? neutral : cell;
}

// Reads the codes of a row step by step; the first problem refuses the row.
class ToneCellReader {
 public:
  ToneCellReader(const ToneCells& cells, bool decimalComma) : m_cells(cells), m_bDecimalComma(decimalComma) {}

  ToneReading Read() {
    const std::string_view mode = TrimSpacesAndTabs(m_cells.strTone);
    if (mode.empty()) return m_result;
    if (EqualNoCase(mode, "Tone")) {
      m_result.nTxCode = Ctcss(m_cells.strTxCtcss);
    } else if (EqualNoCase(mode, "TSQL")) {
      // The squelch tone; files that give only rToneFreq mean that one (both are the same).
      const std::string_view squelch = TrimSpacesAndTabs(m_cells.strRxCtcss).empty() ? m_cells.strTxCtcss : m_cells.strRxCtcss;
      m_result.nTxCode = m_result.nRxCode = Ctcss(squelch);
    } else if (EqualNoCase(mode, "DTCS")) {
      ReadPolarity();
      m_result.nTxCode = Dcs(m_cells.strTxDcs, m_bTxInverted);
      m_result.nRxCode = Dcs(m_cells.strTxDcs, m_bRxInverted);
    } else if (EqualNoCase(mode, "Cross")) {
      ReadCross();
    } else if (EqualNoCase(mode, "TSQL-R") || EqualNoCase(mode, "DTCS-R")) {
      Refuse(ImportNoteKind::ReverseSquelch, mode);
    } else {
      Refuse(ImportNoteKind::UnknownToneMode, mode);
    }
    return m_result;
  }

 private:
  void Refuse(ImportNoteKind kind, std::string_view value) {
    if (!m_result.refusal) m_result.refusal = ImportNote{kind, std::string(value), {}};
  }

  int Ctcss(std::string_view cell) {
    const std::string_view text = OrNeutral(cell, kNeutralCtcss);
    const std::optional<int> code = CtcssToneCode(text, m_bDecimalComma);
    if (!code) Refuse(ImportNoteKind::UnknownCtcss, text);
    return code.value_or(kToneOff);
  }

  int Dcs(std::string_view cell, bool inverted) {
    const std::string_view text = OrNeutral(cell, kNeutralDcs);
    const std::optional<int> code = DcsToneCode(text, inverted);
    if (!code) Refuse(ImportNoteKind::UnknownDcs, text);
    return code.value_or(kToneOff);
  }

  void ReadPolarity() {
    const std::string_view text = OrNeutral(m_cells.strPolarity, kNeutralPolarity);
    const auto letter = [](char c) -> std::optional<bool> {
      if (c == 'N' || c == 'n') return false;
      if (c == 'R' || c == 'r') return true;
      return std::nullopt;
    };
    const std::optional<bool> tx = text.size() == 2 ? letter(text[0]) : std::nullopt;
    const std::optional<bool> rx = text.size() == 2 ? letter(text[1]) : std::nullopt;
    if (!tx || !rx) {
      Refuse(ImportNoteKind::UnknownPolarity, text);
      return;
    }
    m_bTxInverted = *tx;
    m_bRxInverted = *rx;
  }

  void ReadCross() {
    const std::string_view text = OrNeutral(m_cells.strCrossMode, kNeutralCrossMode);
    const std::size_t arrow = text.find("->");
    const std::optional<SideKind> tx = arrow == std::string_view::npos ? std::nullopt : ReadSide(text.substr(0, arrow));
    const std::optional<SideKind> rx = arrow == std::string_view::npos ? std::nullopt : ReadSide(text.substr(arrow + 2));
    if (!tx || !rx) {
      Refuse(ImportNoteKind::UnknownCrossMode, text);
      return;
    }
    if (*tx == SideKind::Dcs || *rx == SideKind::Dcs) ReadPolarity();
    if (*tx == SideKind::Ctcss) m_result.nTxCode = Ctcss(m_cells.strTxCtcss);
    if (*tx == SideKind::Dcs) m_result.nTxCode = Dcs(m_cells.strTxDcs, m_bTxInverted);
    if (*rx == SideKind::Ctcss) m_result.nRxCode = Ctcss(m_cells.strRxCtcss);
    if (*rx == SideKind::Dcs) m_result.nRxCode = Dcs(m_cells.strRxDcs, m_bRxInverted);
  }

  const ToneCells& m_cells;
  bool m_bDecimalComma;
  bool m_bTxInverted = false;
  bool m_bRxInverted = false;
  ToneReading m_result;
};

}  // namespace

ToneReading ReadToneCells(const ToneCells& cells, bool decimalComma) {
  ToneReading reading = ToneCellReader(cells, decimalComma).Read();
  if (reading.refusal) reading.nRxCode = reading.nTxCode = kToneOff;
  return reading;
}

std::optional<int> TableToneCode(std::string_view text, bool decimalComma, const ListVocabulary& words) {
  text = TrimSpacesAndTabs(text);
  if (text.empty() || words.IsOff(text)) return kToneOff;
  for (int code = kToneOff + 1; code < kToneCodeCount; ++code) {
    if (EqualNoCase(text, GetToneText(code))) return code;
  }
  return CtcssToneCode(text, decimalComma);
}

}  // namespace qorrin
