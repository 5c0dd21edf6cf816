#include "core/transfer/LineFindings.h"

#include <algorithm>

#include "core/model/RadioImageLayout.h"

namespace qorrin {
namespace {

static_assert(kBandInfo >= kBandBlockAddress && kBandInfo + kBandInfoSize <= kBandBlockAddress + 16,
              "the band code lies in the one block the check reads");

std::string BandCodeText(const LineTalk& talk) {
  const std::size_t at = kBandInfo - kBandBlockAddress;
  std::string code;
  for (std::size_t i = 0; i < kBandInfoSize; ++i) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    code += kHex[talk.block[at + i] >> 4];
    code += kHex[talk.block[at + i] & 0x0F];
  }
  return code;
}

// The range of the model whose band bytes the block holds.
std::optional<std::string> RangeOf(const LineTalk& talk, const ModelTable* models) {
  if (models == nullptr) return std::nullopt;
  std::array<std::uint8_t, kImageSize> image{};
  std::copy(talk.block.begin(), talk.block.end(), image.begin() + kBandBlockAddress);
  const std::optional<int> index = models->MatchModel(image);
  if (!index) return std::nullopt;
  const auto& ranges = models->RangeTexts();
  const auto at = static_cast<std::size_t>(*index);
  return at < ranges.size() && !ranges[at].empty() ? ranges[at] : models->Models()[at].strCode;
}

void ReportIdentified(const LineTalk& talk, const std::string& device, const ModelTable* models,
                      const CheckTexts& texts, CheckReport& report) {
  report.verdict = CheckVerdict::Identified;
  const std::vector<std::string> ident = {texts.Text("IDS_CHECK_IDENTIFICATION", {ByteText(talk.ident)})};
  if (!talk.blockRead) {
    report.findings.push_back(texts.Finding(CheckStatus::Problem, "IDS_CHECK_LINE_BLOCK_FAILED",
                                            "IDS_CHECK_LINE_BLOCK_FAILED_FIX", {device}, ident));
    return;
  }
  if (const std::optional<std::string> range = RangeOf(talk, models)) {
    report.rangeText = *range;
    report.findings.push_back(texts.Finding(CheckStatus::Ok, "IDS_CHECK_LINE_IDENTIFIED", "", {device, *range}, ident));
    return;
  }
  report.findings.push_back(texts.Finding(CheckStatus::Warning, "IDS_CHECK_LINE_UNKNOWN_RANGE",
                                          "IDS_CHECK_LINE_UNKNOWN_RANGE_FIX", {device, BandCodeText(talk)}, ident));
}

}  // namespace

void ReportLine(const LineTalk& talk, const std::string& device, const ModelTable* models, const CheckTexts& texts,
                CheckReport& report) {
  const std::vector<std::string> heard = {texts.Text("IDS_CHECK_RECEIVED", {ByteText(talk.heard)})};
  if (!talk.opened) {
    report.findings.push_back(texts.Finding(CheckStatus::Problem, "IDS_CHECK_LINE_CANNOT_OPEN",
                                            "IDS_CHECK_LINE_CANNOT_OPEN_FIX", {device, talk.openError}));
  } else if (talk.acknowledged && talk.identified) {
    ReportIdentified(talk, device, models, texts, report);
  } else if (talk.acknowledged) {
    report.verdict = CheckVerdict::OtherRadio;
    const std::string reply = talk.ident.empty() ? texts.Text("IDS_CHECK_NOTHING") : ByteText(talk.ident);
    report.findings.push_back(texts.Finding(CheckStatus::Problem, "IDS_CHECK_LINE_OTHER_RADIO",
                                            "IDS_CHECK_LINE_OTHER_RADIO_FIX", {device},
                                            {texts.Text("IDS_CHECK_IDENTIFICATION", {reply})}));
  } else if (talk.echoedAttempts > 0 && talk.echoedAttempts >= talk.noisyAttempts) {
    std::vector<std::string> details = heard;
    if (talk.radioBehindEcho) details.push_back(texts.Text("IDS_CHECK_RADIO_BEHIND_ECHO"));
    report.findings.push_back(
        texts.Finding(CheckStatus::Problem, "IDS_CHECK_LINE_ECHO", "IDS_CHECK_LINE_ECHO_FIX", {device}, details));
  } else if (talk.noisyAttempts > 0) {
    report.findings.push_back(
        texts.Finding(CheckStatus::Problem, "IDS_CHECK_LINE_NOISE", "IDS_CHECK_LINE_NOISE_FIX", {device}, heard));
  } else if (!talk.cancelled) {
    report.findings.push_back(texts.Finding(CheckStatus::Problem, "IDS_CHECK_LINE_SILENT", "IDS_CHECK_LINE_SILENT_FIX",
                                            {device, std::to_string(talk.attempts)}));
  }
}

}  // namespace qorrin
