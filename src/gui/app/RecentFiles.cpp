#include "gui/app/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace qorrin::gui {
namespace {

constexpr char kGroup[] = "Recent File List";

// The user's settings of the program, where the list lives.
QSettings UserSettings() {
  return QSettings(QStringLiteral("RD-580 radio program software"), QStringLiteral("qorrin"));
}


void Save(const QStringList& entries) {
  QSettings settings = UserSettings();
  settings.remove(kGroup);
  settings.beginGroup(kGroup);
  for (int i = 0; i < entries.size(); ++i) settings.setValue(QStringLiteral("File%1").arg(i + 1), entries[i]);
  settings.endGroup();
}

// The system's own form (backslashes on Windows, as Windows programs keep such lists).
QString Canonical(const QString& path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

}  // namespace

QStringList RecentFiles::Entries() const {
  QSettings settings = UserSettings();
  settings.beginGroup(kGroup);
  QStringList entries;
  for (int i = 1; i <= kMaxEntries; ++i) {
    const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
    if (!path.isEmpty() && !entries.contains(path)) entries.append(path);
  }
  return entries;
}

void RecentFiles::Add(const QString& path) {
  QStringList entries = Entries();
  const QString entry = Canonical(path);
  entries.removeAll(entry);
  entries.prepend(entry);
  while (entries.size() > kMaxEntries) entries.removeLast();
  Save(entries);
}

void RecentFiles::Remove(const QString& path) {
  QStringList entries = Entries();
  if (entries.removeAll(Canonical(path)) > 0) Save(entries);
}

}  // namespace qorrin::gui
