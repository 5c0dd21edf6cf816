// The serial ports of a Windows machine: the registry's list of serial devices
// (HARDWARE\DEVICEMAP\SERIALCOMM, value data "COM3") and, for the descriptions, the names
// the Device Manager shows under "Ports (COM & LPT)" ("USB Serial Port (COM3)").
#include "core/link/SerialDevices.h"

#include <windows.h>
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <map>

#include "core/platform/WideText.h"

namespace qorrin::link {
namespace {

// A REG_SZ value without its terminating NULs (the registry does not promise one).
std::wstring StringValue(const wchar_t* data, DWORD bytes) {
  std::wstring text(data, bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::vector<std::string> RegistryPortNames() {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return names;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t valueName[256];
    DWORD nameLength = 256;
    wchar_t data[256];
    DWORD dataBytes = sizeof data;
    DWORD type = 0;
    const LONG result = ::RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data), &dataBytes);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    names.push_back(platform::Utf8FromWide(StringValue(data, dataBytes)));
  }
  ::RegCloseKey(key);
  return names;
}

}  // namespace

// COM number -> the Device Manager's friendly name, for the ports present now.
std::map<int, std::string> DeviceManagerPortNames() {
  std::map<int, std::string> names;
  const HDEVINFO set = ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return names;
  SP_DEVINFO_DATA info{};
  info.cbSize = sizeof info;
  for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set, index, &info); ++index) {
    const HKEY key = ::SetupDiOpenDevRegKey(set, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    wchar_t port[64];
    DWORD portBytes = sizeof port;
    DWORD type = 0;
    const bool named = ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(port),
                                          &portBytes) == ERROR_SUCCESS && type == REG_SZ;
    ::RegCloseKey(key);
    if (!named) continue;
    const int number = ComNumberOf(platform::Utf8FromWide(StringValue(port, portBytes)));
    wchar_t friendly[256];
    DWORD friendlyBytes = 0;
    if (number > 0 && ::SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_FRIENDLYNAME, nullptr,
                                                           reinterpret_cast<BYTE*>(friendly), sizeof friendly,
                                                           &friendlyBytes)) {
      names[number] = platform::Utf8FromWide(StringValue(friendly, friendlyBytes));
    }
  }
  ::SetupDiDestroyDeviceInfoList(set);
  return names;
}

std::vector<SerialDevice> EnumerateSerialDevices() {
  const std::map<int, std::string> friendly = DeviceManagerPortNames();
  std::vector<SerialDevice> devices;
  for (const std::string& name : RegistryPortNames()) {
    const int number = ComNumberOf(name);
    if (number <= 0) continue;
    SerialDevice device;
    device.name = "COM" + std::to_string(number);
    device.path = ComDeviceName(number);
    device.number = number;
    if (const auto it = friendly.find(number); it != friendly.end()) device.description = it->second;
    device.usb = device.description.find("USB") != std::string::npos;
    devices.push_back(std::move(device));
  }
  std::sort(devices.begin(), devices.end(),
            [](const SerialDevice& a, const SerialDevice& b) { return a.number < b.number; });
  devices.erase(std::unique(devices.begin(), devices.end(),
                            [](const SerialDevice& a, const SerialDevice& b) { return a.number == b.number; }),
                devices.end());
  return devices;
}

std::string SystemPortDevice(int n) { return n > 0 ? ComDeviceName(n) : std::string(); }

}  // namespace qorrin::link
