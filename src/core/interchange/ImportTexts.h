#pragma once
// The sentences of an import report and preview: one template per note, the row prefix
// and the summary. "%1" and "%2" stand for the values. The command line speaks English;
// the window takes the texts of the current language file, with English for a key that
// an older language file lacks.
#include <array>
#include <string>

#include "core/interchange/ImportNotes.h"

namespace qorrin {

struct ImportTexts {
  std::array<std::string, kImportNoteKindCount> notes;  // by ImportNoteKind
  std::string strLine;              // "line %1"
  std::string strLineLocation;      // "line %1 (Location %2)"
  std::string strLineChannel;       // "line %1 (channel %2)": rows without a Location cell
  std::string strRefused;           // "%1: refused: %2"
  std::string strChanged;           // "%1: changed: %2"
  std::string strSummaryNone;       // "no rows imported"
  std::string strSummaryOne;        // "1 row imported into channel %2"
  std::string strSummaryMany;       // "%1 rows imported into channels %2"
  std::string strSummaryCounts;     // "; %1 refused; %2 changed"
};

ImportTexts EnglishImportTexts();
// The texts of the current language file (keys IDS_CSV_*).
ImportTexts LoadImportTexts();

// The template with "%1" and "%2" replaced (each wherever it stands).
std::string FillTemplate(const std::string& pattern, const std::string& first, const std::string& second = {});

}  // namespace qorrin
