#pragma once
// The main window's channel-list commands: Import Channels (a CSV file chosen in a file
// dialog or dropped on the window, previewed in ChannelImportDlg and stored on OK) and
// Export Channels (every programmed channel written as a CSV file).
#include <QString>

class QWidget;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

// True for a file name that the window takes as a channel list (ending in .csv).
bool IsChannelListFile(const QString& path);

// The file dialogs of both start in the project's folder, else in the folder of the
// channel list used last in this run (nothing of it is kept in the settings).
//
// Without a path, asks for the file first. `selectedChannel` is the channel offered for
// "from channel". An unreadable file (with the system's reason), a file that is no text,
// or one without a Frequency column is reported in a message box. After OK the document is updated everywhere.
void ImportChannels(QWidget* parent, CQorrinDoc& doc, int selectedChannel, const QString& path = {});

// Asks for the file (proposing the document's title) and writes it; a failed write is
// reported in a message box.
void ExportChannels(QWidget* parent, const CQorrinDoc& doc);

}  // namespace qorrin::gui
