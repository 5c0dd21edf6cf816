#include "core/transfer/StationSources.h"

#include <algorithm>
#include <filesystem>

#include "core/link/PortAccess.h"
#include "core/link/PortNames.h"
#include "core/link/SerialDevices.h"
#include "core/platform/Utf8Path.h"

namespace qorrin {

namespace fs = std::filesystem;

namespace {

std::string PresentOrNothing(const std::string& device) {
  return device.empty() || link::DeviceIsMissing(device) ? std::string() : device;
}

// The entries of a folder that are devices (links to devices included: a dangling link
// is a cable that went), in natural name order.
std::vector<SourcePort> FolderDevices(const std::string& folder) {
  std::vector<SourcePort> found;
  std::error_code ec;
  for (fs::directory_iterator it(platform::Utf8Path(folder), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code statusError;
    if (!fs::is_character_file(fs::status(it->path(), statusError))) continue;
    const std::string path = platform::PathUtf8(it->path());
    found.push_back({path, path, path, false});
  }
  std::sort(found.begin(), found.end(),
            [](const SourcePort& a, const SourcePort& b) { return link::NaturalNameLess(a.key, b.key); });
  return found;
}

std::string ParentFolder(const std::string& path) {
  return platform::PathUtf8(platform::Utf8Path(path).parent_path());
}

}  // namespace

std::vector<SourcePort> ScanSources(const std::vector<StationSource>& sources, const std::string& settingsPath) {
  std::vector<SourcePort> ports;
  for (const StationSource& source : sources) {
    switch (source.kind) {
      case StationSource::Kind::Port: {
        const std::string label = link::PortLabel(source.port);
        ports.push_back({label, label, PresentOrNothing(link::DeviceForPort(source.port, settingsPath)), true});
        break;
      }
      case StationSource::Kind::Device:
        ports.push_back({source.path, source.path, PresentOrNothing(source.path), true});
        break;
      case StationSource::Kind::Folder: {
        std::vector<SourcePort> entries = FolderDevices(source.path);
        ports.insert(ports.end(), entries.begin(), entries.end());
        break;
      }
      case StationSource::Kind::AllUsb:
        for (const link::SerialDevice& device : link::EnumerateSerialDevices()) {
          if (device.usb) ports.push_back({device.path, device.path, device.path, false});
        }
        break;
    }
  }
  return ports;
}

std::vector<std::string> SourceFolders(const std::vector<StationSource>& sources, const std::string& settingsPath) {
  std::vector<std::string> folders;
  auto add = [&folders](const std::string& folder) {
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  };
  for (const StationSource& source : sources) {
    switch (source.kind) {
      case StationSource::Kind::Port: {
        add("/dev");
        const std::string device = link::DeviceForPort(source.port, settingsPath);
        if (!device.empty()) add(ParentFolder(device));
        break;
      }
      case StationSource::Kind::Device: add(ParentFolder(source.path)); break;
      case StationSource::Kind::Folder: add(source.path); break;
      case StationSource::Kind::AllUsb: add("/dev"); break;
    }
  }
  return folders;
}

}  // namespace qorrin
