#pragma once
// The numeric identities of commands, dialogs and controls, in one place. Localisation
// looks texts up by them ([Resource] by control and dialog id, tooltips and menu texts by
// command id), the language-file checks list them, and tests and assistive tools find
// widgets by them.
namespace qorrin {

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
inline constexpr int kEditSelectAll = 57642;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
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
// The Edit menu's channel commands.
inline constexpr int kEditSetSelected = 32795;  // bulk edit of the selected channels
inline constexpr int kEditInsertChannel = 32796;
inline constexpr int kEditDeleteChannel = 32797;
inline constexpr int kEditMoveUp = 32798;
inline constexpr int kEditMoveDown = 32799;
inline constexpr int kEditClearChannels = 32800;
inline constexpr int kEditSortFrequency = 32801;
inline constexpr int kEditSortName = 32802;
inline constexpr int kEditGoTo = 32803;
inline constexpr int kCheckConnection = 32820;  // why the radio does not answer
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
inline constexpr int kStatusPane = 129;
inline constexpr int kStatic = 65535;  // static texts without an id of their own

// About box.
inline constexpr int kAboutVersion = 1015;

// Port dialog: the group, COM1 to COM8 (kFirstPortButton + n - 1), the search switch.
inline constexpr int kPortGroup = 1011;
inline constexpr int kFirstPortButton = 1001;
inline constexpr int kPortButtonCount = 8;
inline constexpr int kSearchPorts = 1012;

// Language dialog.
inline constexpr int kLanguageLabel = 1013;
inline constexpr int kLanguageList = 1014;

// Transfer dialog.
inline constexpr int kTransferProgress = 1009;
inline constexpr int kTransferStatus = 1010;

// Main form: the model group with the frequency range and the scan group with the
// priority channel (the option fields of the scan and optional-features groups are in
// the option field table).
inline constexpr int kModelGroup = 1020;
inline constexpr int kRangeLabel = 1021;
inline constexpr int kRangeList = 1022;
inline constexpr int kScanGroup = 1176;
inline constexpr int kPriorityLabel = 1052;
inline constexpr int kPriorityList = 1053;
inline constexpr int kOptionGroup = 1175;

// Main form: the channel table and its cell editors.
inline constexpr int kChannelGrid = 1016;
inline constexpr int kFrequencyEditor = 1017;
inline constexpr int kListEditor = 1018;  // bandwidth and power
inline constexpr int kRxToneEditor = 1019;
inline constexpr int kNameEditor = 1023;
inline constexpr int kTxToneEditor = 1024;

// FM presets dialog.
inline constexpr int kFmCellEditor = 1048;
inline constexpr int kFmGrid = 1049;
inline constexpr int kFmCurrentLabel = 1050;
inline constexpr int kFmCurrentList = 1051;

// Channel-list import dialog: the placement group and its two choices, the first channel,
// "replace all channels", the preview and its summary, the power of rows without one.
inline constexpr int kImportPlacementGroup = 1181;
inline constexpr int kImportAsInFile = 1182;
inline constexpr int kImportFromChannel = 1183;
inline constexpr int kImportFirstChannel = 1184;
inline constexpr int kImportReplace = 1185;
inline constexpr int kImportPreview = 1186;
inline constexpr int kImportSummary = 1187;
inline constexpr int kImportPowerLabel = 1190;
inline constexpr int kImportPower = 1191;
}  // namespace ctl

// The controls of one VFO panel: the group, then the label and the control of each row.
struct VfoPanelIds {
  int group;
  int receiveLabel, receive;
  int transmitLabel, transmit;
  int decodeLabel, decode;
  int encodeLabel, encode;
  int powerLabel, power;
  int bandwidthLabel, bandwidth;
  int stepLabel, step;
};

namespace ctl {
inline constexpr VfoPanelIds kVfoA{.group = 1177,
                                   .receiveLabel = 1093, .receive = 1094,
                                   .transmitLabel = 1095, .transmit = 1096,
                                   .decodeLabel = 1097, .decode = 1098,
                                   .encodeLabel = 1099, .encode = 1100,
                                   .powerLabel = 1101, .power = 1102,
                                   .bandwidthLabel = 1105, .bandwidth = 1106,
                                   .stepLabel = 1109, .step = 1110};
inline constexpr VfoPanelIds kVfoB{.group = 1178,
                                   .receiveLabel = 1103, .receive = 1104,
                                   .transmitLabel = 1107, .transmit = 1108,
                                   .decodeLabel = 1119, .decode = 1120,
                                   .encodeLabel = 1111, .encode = 1112,
                                   .powerLabel = 1113, .power = 1114,
                                   .bandwidthLabel = 1115, .bandwidth = 1116,
                                   .stepLabel = 1117, .step = 1118};
}  // namespace ctl

}  // namespace qorrin
