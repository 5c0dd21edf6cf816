#pragma once
// Services that interfere with USB serial cables on Linux: ModemManager probes new serial
// devices with modem commands unless a udev rule tells it to leave the cable alone (ours
// does, for the usual cable chips); brltty takes CH340 and CP210x cables for braille
// displays, so the port vanishes right after the cable is plugged in.
#include <string>
#include <vector>

#include "core/link/SerialDevices.h"
#include "core/transfer/CheckFinding.h"
#include "core/transfer/CheckHost.h"
#include "core/transfer/CheckTexts.h"
#include "core/transfer/ProcessTable.h"

namespace qorrin {

// The findings on the services, for a device that is a USB cable (nothing for others).
void CheckServices(const CheckHost& host, const std::string& device, const std::vector<link::SerialDevice>& present,
                   const std::vector<ProcessInfo>& processes, const CheckTexts& texts, CheckReport& report);

// For a device that is missing: a cable plugged in that has no serial device (brltty took
// it, or the system has no driver for its chip).
void CheckCablesWithoutDevice(const CheckHost& host, const std::vector<link::SerialDevice>& present,
                              const CheckTexts& texts, CheckReport& report);

}  // namespace qorrin
