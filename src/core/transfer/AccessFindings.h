#pragma once
// Whether this user may open the device: its owner, group and mode against the groups
// the process has, and the group file, which tells a user who is not in the group from
// one who joined it after logging in (the login's processes keep the old groups).
#include <string>

#include "core/transfer/CheckFinding.h"
#include "core/transfer/CheckHost.h"
#include "core/transfer/CheckTexts.h"

namespace qorrin {

// The finding on access. False when the user may not open the device, so the line
// cannot be tried. Windows grants ports by use, not by user: nothing to find there.
bool CheckAccess(const CheckHost& host, const std::string& device, const CheckTexts& texts, CheckReport& report);

}  // namespace qorrin
