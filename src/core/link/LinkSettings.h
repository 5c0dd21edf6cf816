#pragma once
// The two link settings of [setup] in setting.ini, read and written in one place for the
// transfer engine, the command-line tool, the status pane and the port dialog:
//   com        the configured port number ("%d"), 1 when missing;
//   searchcom  "1" to search the other ports when the configured one stays silent, "0"
//              not to; only its first character counts, and a missing key means search.
#include <string>

namespace qorrin::link {

// The configured port number.
int ReadComPort(const std::string& settingsPath);
// Stores the port number as "%d". False when the file could not be written.
bool WriteComPort(int port, const std::string& settingsPath);

// Whether the search is on, as the engine decides it: anything but a leading '0'.
bool ReadSearchCom(const std::string& settingsPath);
// The value as the port dialog reads it (an integer, 1 when missing): its check box.
int ReadSearchComValue(const std::string& settingsPath);
// Stores "1" or "0".
bool WriteSearchCom(bool search, const std::string& settingsPath);

// Whether a write is read back and compared: "verify" of [setup], on unless it starts
// with '0' (and on when missing).
bool ReadVerifyAfterWrite(const std::string& settingsPath);
bool WriteVerifyAfterWrite(bool verify, const std::string& settingsPath);

}  // namespace qorrin::link
