#pragma once
// The station's log: one CSV line per radio (time, port, cable, result, fingerprints
// before and after, backup, seconds, detail), appended and on the disk before the next
// radio is reported, so a crash loses no line. A file that already holds lines is
// continued; an empty one gets the heading row first.
#include <mutex>
#include <string>

#include "core/transfer/AppendFile.h"
#include "core/transfer/StationTypes.h"

namespace qorrin {

class StationLog {
 public:
  // Opens the log for appending, creating it (not its folder) when it does not exist.
  // False with a reason (English) when it cannot be written.
  bool Open(const std::string& path, std::string* error);
  // Appends the radio's line. Any thread. False with a reason when it could not be written.
  bool Append(const StationRadio& radio, std::string* error);

  static std::string Heading();
  static std::string Line(const StationRadio& radio);

 private:
  std::mutex m_mutex;
  AppendFile m_file;
};

// Where a plan's log goes unless the user says otherwise: beside the project file,
// "site.7Q" -> "site-station.csv".
std::string DefaultStationLogPath(const std::string& planPath);
// Where the radios' backups go: beside the log, "site-station.csv" -> "site-station-backups".
std::string StationBackupFolder(const std::string& logPath);

}  // namespace qorrin
