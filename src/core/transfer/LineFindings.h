#pragma once
// What the conversation on the line means: an echoing cable, noise (no radio, or a radio
// at another speed), silence, another radio, or ours with the frequency range of the code
// it holds.
#include <string>

#include "core/model/ModelInfo.h"
#include "core/transfer/CheckFinding.h"
#include "core/transfer/CheckTexts.h"
#include "core/transfer/LineTalk.h"

namespace qorrin {

// Adds the line's finding and sets the report's verdict. `models` names the frequency
// ranges (setting.ini); without it an identified radio's range stays unnamed.
void ReportLine(const LineTalk& talk, const std::string& device, const ModelTable* models, const CheckTexts& texts,
                CheckReport& report);

}  // namespace qorrin
