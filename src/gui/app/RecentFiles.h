#pragma once
// The recent-file list: at most four project files, newest first, kept in the user's
// settings under "RD-580 radio program software" (group "Recent File List", keys File1
// to File4), so the list survives a restart.
#include <QStringList>

namespace qorrin::gui {

class RecentFiles {
 public:
  static constexpr int kMaxEntries = 4;

  QStringList Entries() const;
  void Add(const QString& path);     // moves an existing entry to the front
  void Remove(const QString& path);  // a file that could not be opened
};

}  // namespace qorrin::gui
