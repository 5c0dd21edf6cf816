#pragma once
// Automatic backups of radio images: every image read from a radio and every image about
// to be written into one is kept as a .7Q project file in the user's data folder, named
// by date and time, port and direction ("2026-12-06_14-05-33_COM3_read.7Q"). The newest
// kBackupsKept stay; older ones are removed, oldest first. Only files that carry this
// naming are ever counted or removed, so a file the user drops into the folder is safe.
//
// Safe from any thread: the transfer worker saves its backups itself, and several radios
// may be programmed at once.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/RadioImageLayout.h"

namespace qorrin {

inline constexpr int kBackupsKept = 200;

enum class BackupDirection { Read, Write };

// Linux: $XDG_DATA_HOME/qorrin/backups (an absolute XDG_DATA_HOME only), else
// $HOME/.local/share/qorrin/backups. Windows: %LOCALAPPDATA%\Qorrin\backups. Not
// created here; empty when there is no such folder to name.
std::string BackupFolder();

// The name part for a port: "COM3" stays; a device below /dev loses "/dev/" ("/dev/pts/5"
// -> "pts-5"); a stable name below /dev/serial, or a device path anywhere else (a link a
// simulator or a udev rule made), is its last component. Every character that is not a
// letter, digit, '.' or '-' becomes '-'.
std::string BackupPortName(const std::string& portLabel);

struct BackupResult {
  bool bOk = false;
  std::string strPath;   // the file written
  std::string strError;  // why not, when bOk is false
};

// Writes the image (with the program's project header) atomically into `folder`,
// creating the folder when needed, then trims it to `keep` backups. A second backup with
// the same name in the same second gets "-2", "-3", ... before ".7Q". Never throws.
BackupResult SaveBackup(ConstImageSpan image, const std::string& portLabel, BackupDirection direction,
                        const std::string& folder = BackupFolder(),
                        std::chrono::system_clock::time_point when = std::chrono::system_clock::now(),
                        int keep = kBackupsKept);

struct BackupEntry {
  std::string strPath;
  std::string strFileName;
  std::string strDate;       // "2026-12-06 14:05:33" (local time of the transfer)
  std::string strPort;       // "COM3", "pts-5"
  std::string strDirection;  // "read" or "write"
  int nProgrammedChannels = -1;  // -1: the file cannot be opened as a project file
};

// The backups in `folder`, newest first; empty when the folder does not exist.
std::vector<BackupEntry> ListBackups(const std::string& folder = BackupFolder());

// Removes the oldest backups until at most `keep` are left. Returns how many went.
int TrimBackups(const std::string& folder, int keep = kBackupsKept);

}  // namespace qorrin
