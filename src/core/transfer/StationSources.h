#pragma once
// Which ports the station's sources name now (StationTypes.h: port numbers, devices,
// folders of device links, every USB serial device), and the folders whose changes can
// change that.
#include <string>
#include <vector>

#include "core/transfer/StationTypes.h"

namespace qorrin {

struct SourcePort {
  std::string key;     // the same port keeps its key as long as the station runs
  std::string name;    // as the user knows it: "COM3", a device path, a link's path
  std::string device;  // what to open now; "" when nothing is there
  bool fixed = false;  // named by the user (a number or a device): it stays, present or not
};

// Every port the sources name, in their order: the fixed ones whether or not their device
// is there, the entries of folders and the USB devices that are there now.
std::vector<SourcePort> ScanSources(const std::vector<StationSource>& sources, const std::string& settingsPath);

// Where devices of the sources come and go.
std::vector<std::string> SourceFolders(const std::vector<StationSource>& sources, const std::string& settingsPath);

}  // namespace qorrin
