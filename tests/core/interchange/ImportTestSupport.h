#pragma once
// Import tests: a list planned and stored into the channel-table document, rows as shown, reports.
#include <string>
#include <vector>

#include "core/edit/ChannelRow.h"
#include "core/edit/ChannelTableTestSupport.h"
#include "core/interchange/ImportApply.h"
#include "core/interchange/ImportReport.h"

namespace qorrin::test {

class ImportTest : public ChannelTableTest {
 protected:
  ImportPlan Plan(const std::string& text, PlacementOptions placement = {}) {
    return PlanChannelImport(ReadChannelList(text, LoadListVocabulary()), doc.GetBandLimits(), ReadNameColumnMode(),
                             placement);
  }
  ImportPlan Import(const std::string& text, PlacementOptions placement = {}) {
    ImportPlan plan = Plan(text, placement);
    ApplyChannelImport(doc, plan);
    return plan;
  }
  // The row as the table shows it: receive, decode, transmit, encode, bandwidth, power, name.
  std::string Shown(int channel) {
    const ChannelRow row = GetChannelRow(doc, channel);
    std::string text;
    for (int c = kColRxFrequency; c <= kColName; ++c) text += (c > kColRxFrequency ? "|" : "") + row.Text(c);
    return text;
  }
  static std::vector<std::string> Report(const ImportPlan& plan) { return ImportReportLines(plan, EnglishImportTexts()); }
  static std::vector<std::string> Assumed(const ImportPlan& plan) {
    return ImportAssumptionLines(plan, EnglishImportTexts());
  }
};

}  // namespace qorrin::test
