#include "core/link/SerialDevices.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace qorrin::link {

bool NaturalNameLess(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const bool digitA = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool digitB = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (digitA && digitB) {
      std::size_t endA = i;
      std::size_t endB = j;
      while (endA < a.size() && std::isdigit(static_cast<unsigned char>(a[endA]))) ++endA;
      while (endB < b.size() && std::isdigit(static_cast<unsigned char>(b[endB]))) ++endB;
      // Compare by value without converting: strip leading zeros, then longer is larger.
      std::size_t startA = i;
      std::size_t startB = j;
      while (startA + 1 < endA && a[startA] == '0') ++startA;
      while (startB + 1 < endB && b[startB] == '0') ++startB;
      const std::string numA = a.substr(startA, endA - startA);
      const std::string numB = b.substr(startB, endB - startB);
      if (numA.size() != numB.size()) return numA.size() < numB.size();
      if (numA != numB) return numA < numB;
      i = endA;
      j = endB;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return (a.size() - i) < (b.size() - j);
}

void SortSerialDevices(std::vector<SerialDevice>& devices) {
  std::stable_sort(devices.begin(), devices.end(), [](const SerialDevice& x, const SerialDevice& y) {
    if (x.usb != y.usb) return x.usb;
    return NaturalNameLess(x.name, y.name);
  });
}

std::string ComDeviceName(int n) {
  const std::string name = "COM" + std::to_string(n);
  return n < 10 ? name : "\\\\.\\" + name;
}

int ComNumberOf(const std::string& device) {
  std::string_view name = device;
  if (name.starts_with("\\\\.\\")) name.remove_prefix(4);
  if (name.size() < 4 || name.size() > 6) return 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
  }
  int number = 0;
  for (char c : name.substr(3)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace qorrin::link
