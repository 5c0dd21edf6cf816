#pragma once
// The report of an import: one line per refused or changed row, naming the line of the
// text, the Location and what happened, then a summary.
//   line 7 (Location 12): refused: 52.525000 MHz is outside 136.000-174.000 MHz
//   line 9 (Location 14): changed: name "FRS 10" stored as "FR10"
//   45 rows imported into channels 1-45; 3 refused; 2 changed
#include <string>
#include <vector>

#include "core/interchange/ImportPlan.h"
#include "core/interchange/ImportTexts.h"

namespace qorrin {

// One note as a sentence. Values from the text are quoted as they stand, cut to 40
// characters with an ellipsis, control characters and bytes that are no UTF-8 shown as
// '?'.
std::string DescribeNote(const ImportNote& note, const ImportTexts& texts);

// "line 7 (Location 12)" for a row placed by its Location; "line 7 (channel 3)" for a
// row placed in order; "line 7" for a row refused before it had a place.
std::string DescribeRowPlace(const PlannedRow& row, const ImportTexts& texts);

// The report line of a refused or changed row; "" for a row stored as the text has it.
std::string DescribeRow(const PlannedRow& row, const ImportTexts& texts);

std::vector<std::string> ImportReportLines(const ImportPlan& plan, const ImportTexts& texts);

// The plan's assumptions, one sentence each.
std::vector<std::string> ImportAssumptionLines(const ImportPlan& plan, const ImportTexts& texts);

// Channel numbers as runs: 1-45, or 1-3, 7, 9-12.
std::string ChannelRunsText(const std::vector<int>& channels);

std::string ImportSummary(const ImportPlan& plan, const ImportTexts& texts);

}  // namespace qorrin
