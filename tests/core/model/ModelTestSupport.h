#pragma once
// Model tests: image type, model limits, a chosen ModelInfo list, and prompts that record and answer.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/model/BandLimits.h"
#include "core/model/DocumentPrompts.h"
#include "core/model/RadioImageLayout.h"
#include "core/settings/AppPaths.h"
#include "support/TestSupport.h"

namespace qorrin::test {

using Image = std::array<std::uint8_t, kImageSize>;

// Limits of the VHF, the UHF and the two-band model, and those of no usable model.
inline const BandLimits kVhf{0, 0, 13600000, 17399500}, kUhf{0, 0, 40000000, 46999500};
inline const BandLimits kTwoBand{17400000, 40000000, 13600000, 46999500};
inline const BandLimits kFallback{0, 0, 10000000, 52000000};  // 100-520 MHz

// Writes setting.ini with "dataN=code" and "FreqN=text N" lines and points g_strIniFile at it.
inline void UseModelInfo(const TempDir& dir, const std::vector<std::string>& codes) {
  std::string ini = "[setup]\nlanguage=english\n[ModelInfo]\n";
  for (std::size_t n = 0; n < codes.size(); ++n) {
    ini += "data" + std::to_string(n) + "=" + codes[n] + "\n";
    ini += "Freq" + std::to_string(n) + "=text " + std::to_string(n) + "\n";
  }
  dir.write("setting.ini", ini);
  g_strIniFile = dir.file("setting.ini");
}

class RecordingPrompts : public IDocumentPrompts {
 public:
  bool bConfirmAnswer = true;
  std::optional<std::string> savePath;
  std::vector<PromptMessage> confirms;
  std::vector<PromptMessage> errors;
  std::vector<PromptMessage> warnings;
  std::vector<std::string> proposedNames;

  bool Confirm(const PromptMessage& message) override {
    confirms.push_back(message);
    return bConfirmAnswer;
  }
  void ShowError(const PromptMessage& message) override { errors.push_back(message); }
  void ShowWarning(const PromptMessage& message) override { warnings.push_back(message); }
  std::optional<std::string> AskSavePath(const std::string& proposedName) override {
    proposedNames.push_back(proposedName);
    return savePath;
  }
};

}  // namespace qorrin::test
