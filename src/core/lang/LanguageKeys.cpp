#include "core/lang/LanguageKeys.h"

namespace qorrin {

const std::vector<std::string>& RequiredStringKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> k = {
        // Window title.
        "IDS_WINDOWNAME",
        // Tooltips of the tool bar, by command id: New, Open, Save, Read, Write, Print.
        "IDS_TIP_57600", "IDS_TIP_57601", "IDS_TIP_57603", "IDS_TIP_32771", "IDS_TIP_32772",
        "IDS_TIP_57607",
        // Transfer dialog: captions, progress prompts, failures, port search.
        "IDS_READDATA", "IDS_WRITEDATA", "IDS_PROMPT_READ", "IDS_PROMPT_WRITE",
        "IDS_PROMPT_READFAIL", "IDS_PROMPT_WRITEFAIL", "IDS_SEARCHCOMPORT",
        // Transfer errors: caption, no answer, wrong radio.
        "IDS_ERROR", "IDS_ERROR_PORTCONN", "IDS_ERROR_TYPE",
        // Added to the no-answer text when the port's device refuses this user ("%s" is
        // the device).
        "IDS_ERROR_PERMISSION",
        // Change of frequency range: caption and question.
        "IDS_CONFIRM", "IDS_CONFIRM_FREQ",
        // Document prompts: caption, clear on New, bad file on Open, overwrite on Save
        // (the last is followed directly by the file's path).
        "IDS_PROMPT", "IDS_WARN_CLEAR", "IDS_WARN_LOAD", "IDS_WARN_SAVE",
        // List items: the "off" entry of tone, time-limit and priority lists; power; bandwidth.
        "IDS_OFF", "IDS_HIGH", "IDS_LOW", "IDS_WIDE", "IDS_NARROW",
        // The save-changes question on New, Open and closing ("Item" stands for the
        // document's title) and its three buttons.
        "IDS_SAVE_CHANGES", "IDS_YES", "IDS_NO", "IDS_CANCEL",
        // File dialogs and file failures (the failure text is followed by the file's
        // name and the system's reason).
        "IDS_FILTER_ALL", "IDS_FILE_OPEN_FAILED", "IDS_FILE_SAVE_FAILED",
        // Main form: the label of the count of programmed channels.
        "IDS_PROGRAMMED_CHANNELS", "IDS_CHANNEL_TABLE", "IDS_MENU_BAR", "IDS_TOOL_BAR",
        "IDS_VERIFY_WRITE", "IDS_PROMPT_VERIFY", "IDS_VERIFIED", "IDS_VERIFY_FAILED", "IDS_VERIFY_NOREAD",
        "IDS_BACKUP_FAILED", "IDS_COMPARE", "IDS_COMPARE_EQUAL", "IDS_COMPARE_DIFFERENT",
        // Printing: the locale whose day names the date line of the printout uses
        // ("en_US", "zh_CN"), and the error when the printer cannot be opened.
        "IDS_LOCALE", "IDS_PRINT_FAILED",
        // Channel lists: the file type, a file without a Frequency column, the import
        // preview (its name, the line and result headings, a row's result, the separator
        // of a row's changes, its summary) and the report: one text per note ("%1" and
        // "%2" are values), a row's place, refused or changed, and the summary.
        "IDS_CSV_FILTER", "IDS_CSV_NO_FREQUENCY_COLUMN", "IDS_CSV_PREVIEW", "IDS_CSV_LINE_HEADING",
        "IDS_CSV_RESULT_HEADING", "IDS_CSV_PREVIEW_REFUSED", "IDS_CSV_PREVIEW_CHANGED", "IDS_CSV_NOTE_SEPARATOR",
        "IDS_CSV_PREVIEW_SUMMARY_NONE", "IDS_CSV_PREVIEW_SUMMARY_ONE", "IDS_CSV_PREVIEW_SUMMARY_MANY",
        "IDS_CSV_NO_FREQUENCY", "IDS_CSV_RX_OUTSIDE", "IDS_CSV_TX_OUTSIDE", "IDS_CSV_DUPLEX", "IDS_CSV_OFFSET",
        "IDS_CSV_MODE", "IDS_CSV_REVERSE", "IDS_CSV_TONE_MODE", "IDS_CSV_CROSS_MODE", "IDS_CSV_CTCSS",
        "IDS_CSV_DCS", "IDS_CSV_POLARITY", "IDS_CSV_LOCATION", "IDS_CSV_CHANNEL_OUTSIDE", "IDS_CSV_DUPLICATE",
        "IDS_CSV_RX_MOVED", "IDS_CSV_TX_MOVED", "IDS_CSV_TX_READS_OFF", "IDS_CSV_NAME", "IDS_CSV_NAME_OFF",
        "IDS_CSV_TX_TONE", "IDS_CSV_POWER", "IDS_CSV_SKIP", "IDS_CSV_STEP", "IDS_CSV_COMMENT",
        "IDS_CSV_LINE", "IDS_CSV_LINE_LOCATION", "IDS_CSV_LINE_CHANNEL", "IDS_CSV_REFUSED", "IDS_CSV_CHANGED",
        "IDS_CSV_SUMMARY_NONE", "IDS_CSV_SUMMARY_ONE", "IDS_CSV_SUMMARY_MANY", "IDS_CSV_SUMMARY_COUNTS",
    };
    const auto& menu = MenuStringKeys();
    k.insert(k.end(), menu.begin(), menu.end());
    return k;
  }();
  return keys;
}

const std::vector<std::string>& MenuStringKeys() {
  static const std::vector<std::string> keys = {
      // Menu titles, by position.
      "Menu_File", "Menu_Program", "Menu_Setting", "Menu_Help",
      // Menu items, by command.
      "Menu_File_New", "Menu_File_Open", "Menu_File_Save", "Menu_File_Save_As",
      "Menu_File_Print", "Menu_File_Print_Preview", "Menu_File_Print_Setup", "Menu_App_Exit",
      "Menu_Program_ReadData", "Menu_Program_WriteData", "Menu_Program_Radiogram",
      "Menu_Setting_Port", "Menu_Setting_Language", "Menu_Help_Help", "Menu_App_About",
      "Menu_File_Backups", "Menu_Program_CompareFile", "Menu_Program_CompareRadio",
      "Menu_File_ImportChannels", "Menu_File_ExportChannels",
  };
  return keys;
}

// Left out on purpose: the main form's own caption (101; it is not a window of its
// own), the transfer dialog's caption (132; replaced by IDS_READDATA/IDS_WRITEDATA),
// and controls that show no text of their own (drop-down lists, edits, grids, the
// progress bar, and the transfer status line, which must stay empty until a run).
const std::vector<int>& RequiredResourceIds() {
  static const std::vector<int> ids = {
      // OK and Cancel, shared by every dialog.
      1, 2,
      // About box: caption, version line, second line.
      100, 1015, 65535,
      // Main form: model group.
      1020, 1021,
      // Main form: scan group.
      1176, 1044, 1043, 1052,
      // Main form: optional features.
      1175, 1030, 1032, 1034, 1036, 1038, 1039, 1040, 1042, 1046,
      // Main form: VFO A panel.
      1177, 1093, 1095, 1097, 1099, 1101, 1105, 1109,
      // Main form: VFO B panel.
      1178, 1103, 1107, 1119, 1111, 1113, 1115, 1117,
      // Port dialog: caption, group, COM1..COM8, search switch.
      130, 1011, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1012,
      // Language dialog: caption, label.
      131, 1013,
      // FM presets dialog: caption, label of the current frequency.
      155, 1050,
      // Channel-list import: caption, placement group, its two choices, "replace".
      160, 1181, 1182, 1183, 1185,
  };
  return ids;
}

const std::vector<OptionListSpec>& RequiredOptionLists() {
  // Item counts follow the stored values: six VFO steps (indices 1 and 3 are the
  // 6.25 kHz ones), three back-light modes, and one bit each for the others.
  static const std::vector<OptionListSpec> lists = {
      {"Step", 6}, {"ShowChannel", 2}, {"BackLight", 3}, {"ScanMode", 2}, {"ChannelFlag", 2},
  };
  return lists;
}

}  // namespace qorrin
