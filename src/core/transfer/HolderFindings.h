#pragma once
// Whether another program holds the device: the processes whose descriptors lead to it,
// each named with what it is (ModemManager, brltty, another Qorrin, a terminal program),
// and, where no process can be named (another user's, or on Windows), a trial open.
#include <string>
#include <vector>

#include "core/transfer/CheckFinding.h"
#include "core/transfer/CheckHost.h"
#include "core/transfer/CheckTexts.h"
#include "core/transfer/ProcessTable.h"

namespace qorrin {

// What a trial open of the device found: it may be had, or something holds it.
enum class OpenProbe { Free, Busy, Failed };
// Opens and closes the device at once, exclusively as a transfer opens it.
OpenProbe ProbeExclusiveOpen(const std::string& path);

// The findings on other programs; false when one holds the device (the line would be
// shared with it, or cannot be had at all).
bool CheckHolders(const CheckHost& host, const std::string& device, const std::vector<ProcessInfo>& processes,
                  const CheckTexts& texts, CheckReport& report);

}  // namespace qorrin
