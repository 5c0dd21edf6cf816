#include "core/interchange/ImportReport.h"

#include "core/lang/ShellTexts.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

namespace {

constexpr std::size_t kQuotedCharacters = 40;
constexpr char kNoteSeparator[] = "; ";
constexpr char kEllipsis[] = "\u2026";

// The length of the UTF-8 sequence at `at`; 0 when the bytes there are no valid one.
std::size_t ValidSequence(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5                  ? 4
                                                                            : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Printable UTF-8: control characters and invalid bytes become '?'.
std::string Printable(std::string_view value) {
  std::string text;
  text.reserve(value.size());
  for (std::size_t at = 0; at < value.size();) {
    const std::size_t length = ValidSequence(value, at);
    const auto c = static_cast<unsigned char>(value[at]);
    if (length == 0 || (length == 1 && (c < 0x20 || c == 0x7F))) {
      text.push_back('?');
      ++at;
      continue;
    }
    text.append(value.substr(at, length));
    at += length;
  }
  return text;
}

std::string Quoted(const std::string& value) {
  const std::string text = Printable(value);
  std::string cut = CutToCharacters(text, kQuotedCharacters);
  if (cut.size() < text.size()) cut += kEllipsis;
  return cut;
}

}  // namespace

std::string DescribeNote(const ImportNote& note, const ImportTexts& texts) {
  return FillTemplate(texts.notes[static_cast<std::size_t>(note.kind)], Quoted(note.strFirst),
                      Quoted(note.strSecond));
}

std::string DescribeRowPlace(const PlannedRow& row, const ImportTexts& texts) {
  const std::string line = std::to_string(row.nLine);
  if (row.bByLocation && !row.strLocation.empty()) {
    return FillTemplate(texts.strLineLocation, line, Quoted(row.strLocation));
  }
  if (!row.IsRefused() && row.nChannel >= kFirstChannel && row.nChannel <= kLastChannel) {
    return FillTemplate(texts.strLineChannel, line, std::to_string(row.nChannel));
  }
  return FillTemplate(texts.strLine, line);
}

std::string DescribeRow(const PlannedRow& row, const ImportTexts& texts) {
  if (row.IsRefused()) return FillTemplate(texts.strRefused, DescribeRowPlace(row, texts), DescribeNote(*row.refusal, texts));
  if (!row.IsChanged()) return {};
  std::string changes;
  for (const ImportNote& note : row.changes) {
    if (!changes.empty()) changes += kNoteSeparator;
    changes += DescribeNote(note, texts);
  }
  return FillTemplate(texts.strChanged, DescribeRowPlace(row, texts), changes);
}

std::vector<std::string> ImportReportLines(const ImportPlan& plan, const ImportTexts& texts) {
  std::vector<std::string> lines;
  for (const PlannedRow& row : plan.rows) {
    if (std::string line = DescribeRow(row, texts); !line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> ImportAssumptionLines(const ImportPlan& plan, const ImportTexts& texts) {
  std::vector<std::string> lines;
  for (const ImportNote& note : plan.assumptions) lines.push_back(DescribeNote(note, texts));
  return lines;
}

std::string ChannelRunsText(const std::vector<int>& channels) {
  std::string text;
  for (std::size_t i = 0; i < channels.size();) {
    std::size_t end = i;
    while (end + 1 < channels.size() && channels[end + 1] == channels[end] + 1) ++end;
    if (!text.empty()) text += ", ";
    text += std::to_string(channels[i]);
    if (end > i) text += "-" + std::to_string(channels[end]);
    i = end + 1;
  }
  return text;
}

std::string ImportSummary(const ImportPlan& plan, const ImportTexts& texts) {
  const int imported = plan.ImportedCount();
  const std::string channels = ChannelRunsText(plan.ImportedChannels());
  const std::string& pattern =
      imported == 0 ? texts.strSummaryNone : imported == 1 ? texts.strSummaryOne : texts.strSummaryMany;
  return FillTemplate(pattern, std::to_string(imported), channels) +
         FillTemplate(texts.strSummaryCounts, std::to_string(plan.RefusedCount()), std::to_string(plan.ChangedCount()));
}

}  // namespace qorrin
