#include "core/transfer/StationLog.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"

namespace qorrin {
namespace {

// A field as a spreadsheet reads it back: quoted when it holds a separator, a quote, a
// line break or spaces at its ends, with quotes doubled.
std::string Field(const std::string& text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string TimeText(std::chrono::system_clock::time_point when) {
  const std::tm local = platform::LocalTime(std::chrono::system_clock::to_time_t(when));
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string SecondsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", seconds);
  return text;
}

// The file name's stem with a suffix, in the same folder.
std::string BesideWithSuffix(const std::string& file, const char* suffix) {
  std::filesystem::path path = platform::Utf8Path(file);
  std::filesystem::path name = path.stem();
  name += suffix;
  path.replace_filename(name);
  return platform::PathUtf8(path);
}

}  // namespace

std::string StationLog::Heading() {
  return "time,port,cable,result,sha256_before,sha256_after,backup,seconds,detail\n";
}

std::string StationLog::Line(const StationRadio& radio) {
  const std::string fields[] = {TimeText(radio.when), radio.port, radio.cable,
                                RadioResultText(radio.result), radio.shaBefore, radio.shaAfter,
                                radio.backupFile, SecondsText(radio.seconds), radio.detail};
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : ",") + Field(field);
  return line + "\n";
}

bool StationLog::Open(const std::string& path, std::string* error) {
  const std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_file.Open(path, error)) return false;
  return !m_file.WasEmpty() || m_file.Append(Heading(), error);
}

bool StationLog::Append(const StationRadio& radio, std::string* error) {
  const std::lock_guard<std::mutex> lock(m_mutex);
  return m_file.Append(Line(radio), error);
}

std::string DefaultStationLogPath(const std::string& planPath) { return BesideWithSuffix(planPath, "-station.csv"); }

std::string StationBackupFolder(const std::string& logPath) { return BesideWithSuffix(logPath, "-backups"); }

}  // namespace qorrin
