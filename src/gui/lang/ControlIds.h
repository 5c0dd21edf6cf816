#pragma once
// The numeric identities of commands, dialogs and controls. Localisation looks texts up
// by them ([Resource] by control and dialog id, menu texts by command id), and tests and
// assistive tools find widgets by them. One property carries the id of a widget, another
// the command of an action.
#include <QObject>

class QAction;

namespace qorrin::gui {

// Commands (menu items, tool-bar buttons, keys).
namespace cmd {
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileMruFirst = 57616;  // "Recent File" placeholder, then entries 1-4
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kReadData = 32771;
inline constexpr int kWriteData = 32772;
inline constexpr int kPort = 32773;
inline constexpr int kLanguage = 32774;
inline constexpr int kHelp = 32775;
inline constexpr int kNextLanguage = 32776;
inline constexpr int kFmRadio = 32785;
inline constexpr int kCompareFile = 32790;   // the document against a project file
inline constexpr int kCompareRadio = 32791;  // the document against the radio, read aside
inline constexpr int kFileBackups = 32792;   // open one of the automatic backups
inline constexpr int kImportChannels = 32793;  // a channel list (CSV) into the table
inline constexpr int kExportChannels = 32794;  // the table as a channel list (CSV)
}  // namespace cmd

// Dialog templates.
namespace dlg {
inline constexpr int kAbout = 100;
inline constexpr int kMainForm = 101;
inline constexpr int kPort = 130;
inline constexpr int kLanguage = 131;
inline constexpr int kTransfer = 132;
inline constexpr int kFmRadio = 155;
inline constexpr int kImportChannels = 160;
}  // namespace dlg

// Controls.
namespace ctl {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kLanguageLabel = 1013;
inline constexpr int kLanguageList = 1014;
inline constexpr int kAboutVersion = 1015;
inline constexpr int kStatic = 65535;  // static texts without an id of their own
inline constexpr int kStatusPane = 129;
}  // namespace ctl

// The id of a widget (0 when it has none).
void SetControlId(QObject* widget, int id);
int ControlId(const QObject* widget);

// The command of an action (0 when it has none).
void SetCommandId(QAction* action, int id);
int CommandId(const QAction* action);

}  // namespace qorrin::gui
