#include "core/link/LinkSettings.h"

#include "core/link/TransferState.h"
#include "core/settings/ProfileFile.h"

namespace qorrin::link {
namespace {

constexpr char kSetupSection[] = "setup";
constexpr char kComKey[] = "com";
constexpr char kSearchKey[] = "searchcom";
constexpr char kVerifyKey[] = "verify";
constexpr std::size_t kSearchBufferSize = 8;

}  // namespace

int ReadComPort(const std::string& settingsPath) {
  return ReadProfileInt(kSetupSection, kComKey, 1, settingsPath);
}

bool WriteComPort(int port, const std::string& settingsPath) {
  return WriteProfileString(kSetupSection, kComKey, std::to_string(port), settingsPath);
}

bool ReadSearchCom(const std::string& settingsPath) {
  return ReadProfileString(kSetupSection, kSearchKey, "1", kSearchBufferSize, settingsPath)
             .substr(0, 1) != "0";
}

int ReadSearchComValue(const std::string& settingsPath) {
  return ReadProfileInt(kSetupSection, kSearchKey, 1, settingsPath);
}

bool WriteSearchCom(bool search, const std::string& settingsPath) {
  return WriteProfileString(kSetupSection, kSearchKey, search ? "1" : "0", settingsPath);
}

bool ReadVerifyAfterWrite(const std::string& settingsPath) {
  return ReadProfileString(kSetupSection, kVerifyKey, "1", kSearchBufferSize, settingsPath).substr(0, 1) != "0";
}

bool WriteVerifyAfterWrite(bool verify, const std::string& settingsPath) {
  return WriteProfileString(kSetupSection, kVerifyKey, verify ? "1" : "0", settingsPath);
}

}  // namespace qorrin::link

namespace qorrin {

void LoadPortSettings(TransferState& state) {
  state.comPort.store(link::ReadComPort(state.settingsPath));
  state.search = link::ReadSearchCom(state.settingsPath);
}

}  // namespace qorrin
