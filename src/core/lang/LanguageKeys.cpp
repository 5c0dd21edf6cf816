#include "core/lang/LanguageKeys.h"

#include "core/lang/ConnectionCheckKeys.h"
#include "core/lang/ResourceIds.h"

namespace qorrin {

const std::vector<std::string>& RequiredStringKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> k = {
        // Window title.
        "IDS_WINDOWNAME",
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
        "IDS_BACKUP_FAILED", "IDS_COMPARE_EQUAL", "IDS_COMPARE_DIFFERENT",
        // Printing: the locale whose day names the date line of the printout uses
        // ("en_US", "zh_CN"), and the error when the printer cannot be opened.
        "IDS_LOCALE", "IDS_PRINT_FAILED",
        // Safety questions and notices: a short project file ("%d" missing bytes), a write
        // of an image of no known model, a recent file that is gone ("%s" its path), a
        // port whose device is not there ("%s" the port), help that cannot be shown.
        "IDS_WARN_SHORT_FILE", "IDS_WARN_UNKNOWN_MODEL", "IDS_RECENT_MISSING", "IDS_ERROR_NODEVICE",
        "IDS_HELP_FAILED",
        // The compare dialog: its titles, the two sides, one difference.
        "IDS_COMPARE_WITH_FILE", "IDS_COMPARE_WITH_RADIO", "IDS_COMPARE_DOCUMENT", "IDS_COMPARE_RADIO",
        "IDS_COMPARE_ONE_DIFFERENCE",
        // Tooltip of a VFO panel the frequency range does not use ("%s" the ranges that do).
        "IDS_VFO_UNUSED",
        // What the Edit menu's Undo and Redo name ("%d" a channel or a count of channels).
        "IDS_UNDO_EDIT", "IDS_UNDO_CHANNEL", "IDS_UNDO_OPTION", "IDS_UNDO_VFO", "IDS_UNDO_FM", "IDS_UNDO_RANGE",
        "IDS_UNDO_READ", "IDS_UNDO_PASTE", "IDS_UNDO_CUT", "IDS_UNDO_IMPORT", "IDS_UNDO_BULK", "IDS_UNDO_INSERT",
        "IDS_UNDO_DELETE", "IDS_UNDO_DELETE_MANY", "IDS_UNDO_MOVE", "IDS_UNDO_CLEAR", "IDS_UNDO_SORT_FREQUENCY", "IDS_UNDO_SORT_NAME",
        // Singular forms, for a count of one (LoadCountText).
        "IDS_UNDO_PASTE_ONE", "IDS_UNDO_CUT_ONE", "IDS_UNDO_IMPORT_ONE", "IDS_UNDO_BULK_ONE", "IDS_UNDO_MOVE_ONE",
        "IDS_UNDO_CLEAR_ONE", "IDS_WARN_SHORT_FILE_ONE",
        // The Undo and Redo items with the name of the step ("%s"), and their keys.
        "IDS_MENU_UNDO_NAMED", "IDS_MENU_REDO_NAMED",
        // Set for Selected Channels: caption, what it is for ("%d" channels), each field,
        // the offset and the three shifts; Go to Channel; Paste: caption, an empty
        // clipboard, the question before channels are replaced ("%d" how many, "%s" which);
        // an insert that has no room.
        "IDS_BULK_TITLE", "IDS_BULK_CHANNELS", "IDS_BULK_DECODE", "IDS_BULK_ENCODE", "IDS_BULK_BANDWIDTH",
        "IDS_BULK_POWER", "IDS_BULK_SHIFT", "IDS_BULK_OFFSET", "IDS_BULK_SIMPLEX", "IDS_BULK_MINUS", "IDS_BULK_PLUS",
        "IDS_GOTO_TITLE", "IDS_GOTO_LABEL", "IDS_PASTE_TITLE", "IDS_PASTE_EMPTY", "IDS_PASTE_OVERWRITE",
        "IDS_INSERT_REFUSED",
        // The singular forms of the count of channels and of the paste's question.
        "IDS_BULK_CHANNELS_ONE", "IDS_PASTE_OVERWRITE_ONE",
        // Channel lists: the file type, a file without a Frequency column, the import
        // preview (its name, the line and result headings, a row's result, the separator
        // of a row's changes, its summary) and the report: one text per note ("%1" and
        // "%2" are values), a row's place, refused or changed, and the summary.
        "IDS_CSV_FILTER", "IDS_CSV_NO_FREQUENCY_COLUMN", "IDS_CSV_NOT_TEXT", "IDS_CSV_PREVIEW", "IDS_CSV_LINE_HEADING",
        "IDS_CSV_RESULT_HEADING", "IDS_CSV_PREVIEW_REFUSED", "IDS_CSV_PREVIEW_CHANGED", "IDS_CSV_NOTE_SEPARATOR",
        "IDS_CSV_PREVIEW_SUMMARY_NONE", "IDS_CSV_PREVIEW_SUMMARY_ONE", "IDS_CSV_PREVIEW_SUMMARY_MANY",
        "IDS_CSV_NO_FREQUENCY", "IDS_CSV_RX_OUTSIDE", "IDS_CSV_TX_OUTSIDE", "IDS_CSV_DUPLEX", "IDS_CSV_OFFSET",
        "IDS_CSV_MODE", "IDS_CSV_REVERSE", "IDS_CSV_TONE_MODE", "IDS_CSV_CROSS_MODE", "IDS_CSV_CTCSS",
        "IDS_CSV_DCS", "IDS_CSV_POLARITY", "IDS_CSV_LOCATION", "IDS_CSV_CHANNEL_OUTSIDE", "IDS_CSV_DUPLICATE",
        "IDS_CSV_RX_MOVED", "IDS_CSV_TX_MOVED", "IDS_CSV_TX_READS_OFF", "IDS_CSV_NAME", "IDS_CSV_NAME_OFF",
        "IDS_CSV_TX_TONE", "IDS_CSV_POWER", "IDS_CSV_SKIP", "IDS_CSV_STEP", "IDS_CSV_COMMENT",
        "IDS_CSV_LINE", "IDS_CSV_LINE_LOCATION", "IDS_CSV_LINE_CHANNEL", "IDS_CSV_REFUSED", "IDS_CSV_CHANGED",
        "IDS_CSV_SUMMARY_NONE", "IDS_CSV_SUMMARY_ONE", "IDS_CSV_SUMMARY_MANY", "IDS_CSV_SUMMARY_COUNTS",
        // Damaged and awkward lists, what a list was assumed to mean, the preview's mark of
        // a row that replaces a programmed channel, and the questions and summaries of
        // import and paste; a shift that left receive-only channels as they were.
        "IDS_CSV_UNCLOSED_QUOTE", "IDS_CSV_INCOMPLETE", "IDS_CSV_TX_UNREADABLE", "IDS_CSV_BANDWIDTH", "IDS_CSV_TONE",
        "IDS_CSV_NAME_CLASH", "IDS_CSV_MODE_EMPTY", "IDS_CSV_POWER_EMPTY_HIGH", "IDS_CSV_POWER_EMPTY_LOW",
        "IDS_CSV_POWER_LOW", "IDS_CSV_NO_MODE_COLUMN", "IDS_CSV_NO_POWER_HIGH", "IDS_CSV_NO_POWER_LOW",
        "IDS_CSV_OTHER_RANGE", "IDS_CSV_PREVIEW_REPLACES", "IDS_IMPORT_OVERWRITE", "IDS_PASTE_BEYOND",
        "IDS_PASTE_SUMMARY_ONE", "IDS_PASTE_SUMMARY_MANY", "IDS_BULK_RECEIVE_ONLY",
        // The production line: its dialog, the ports it watches, its log, the table's
        // headings, what a port does ("%1" a percent), each radio's result, the tally
        // ("%1" to "%3" counts), its stop and its refusals.
        "IDS_STATION_TITLE", "IDS_STATION_PLAN", "IDS_STATION_PORTS", "IDS_STATION_ALL_USB", "IDS_STATION_BY_ID",
        "IDS_STATION_FOLDER", "IDS_STATION_FOLDER_NAMED", "IDS_STATION_LOG", "IDS_STATION_LOG_ASKED",
        "IDS_STATION_LOG_CHANGE", "IDS_STATION_LOG_FILTER", "IDS_STATION_LOG_WHERE", "IDS_STATION_START",
        "IDS_STATION_STOP", "IDS_STATION_CANCEL_TRANSFERS", "IDS_STATION_CLOSE", "IDS_STATION_TABLE",
        "IDS_STATION_COL_PORT", "IDS_STATION_COL_CABLE", "IDS_STATION_COL_STATUS", "IDS_STATION_COL_RADIOS",
        "IDS_STATION_COL_LAST",
        "IDS_STATION_NODEVICE", "IDS_STATION_CANNOT_OPEN", "IDS_STATION_WAITING", "IDS_STATION_READING",
        "IDS_STATION_WRITING", "IDS_STATION_VERIFYING", "IDS_STATION_DONE", "IDS_STATION_FAILED",
        "IDS_STATION_PROGRAMMED", "IDS_STATION_ALREADY", "IDS_STATION_VERIFY_FAILED", "IDS_STATION_WRONG_MODEL",
        "IDS_STATION_UNPLUGGED", "IDS_STATION_READ_FAILED", "IDS_STATION_BACKUP_FAILED", "IDS_STATION_CANCELLED",
        "IDS_STATION_TALLY", "IDS_STATION_STOPPING", "IDS_STATION_ENDED", "IDS_STATION_NO_MODEL",
        "IDS_STATION_CANNOT_START",
    };
    const auto& check = ConnectionCheckKeys();
    k.insert(k.end(), check.begin(), check.end());
    // Tooltips of the tool bar, by command.
    for (int command : kToolBarCommands) k.push_back(ToolTipKey(command));
    const auto& menu = MenuStringKeys();
    k.insert(k.end(), menu.begin(), menu.end());
    return k;
  }();
  return keys;
}

const std::vector<std::string>& MenuTitleKeys() {
  static const std::vector<std::string> keys = {"Menu_File", "Menu_Edit", "Menu_Program", "Menu_Setting",
                                                "Menu_Help"};
  return keys;
}

const std::vector<MenuItemKey>& MenuItemKeys() {
  static const std::vector<MenuItemKey> keys = {
      {cmd::kFileNew, "Menu_File_New"},
      {cmd::kFileOpen, "Menu_File_Open"},
      {cmd::kFileSave, "Menu_File_Save"},
      {cmd::kFileSaveAs, "Menu_File_Save_As"},
      {cmd::kFilePrint, "Menu_File_Print"},
      {cmd::kFilePrintPreview, "Menu_File_Print_Preview"},
      {cmd::kFilePrintSetup, "Menu_File_Print_Setup"},
      {cmd::kAppExit, "Menu_App_Exit"},
      {cmd::kEditUndo, "Menu_Edit_Undo"},
      {cmd::kEditRedo, "Menu_Edit_Redo"},
      {cmd::kEditCut, "Menu_Edit_Cut"},
      {cmd::kEditCopy, "Menu_Edit_Copy"},
      {cmd::kEditPaste, "Menu_Edit_Paste"},
      {cmd::kEditSelectAll, "Menu_Edit_SelectAll"},
      {cmd::kEditSetSelected, "Menu_Edit_SetSelected"},
      {cmd::kEditInsertChannel, "Menu_Edit_InsertChannel"},
      {cmd::kEditDeleteChannel, "Menu_Edit_DeleteChannel"},
      {cmd::kEditMoveUp, "Menu_Edit_MoveUp"},
      {cmd::kEditMoveDown, "Menu_Edit_MoveDown"},
      {cmd::kEditClearChannels, "Menu_Edit_Clear"},
      {cmd::kEditSortFrequency, "Menu_Edit_SortFrequency"},
      {cmd::kEditSortName, "Menu_Edit_SortName"},
      {cmd::kEditGoTo, "Menu_Edit_GoTo"},
      {cmd::kReadData, "Menu_Program_ReadData"},
      {cmd::kWriteData, "Menu_Program_WriteData"},
      {cmd::kFmRadio, "Menu_Program_Radiogram"},
      {cmd::kPort, "Menu_Setting_Port"},
      {cmd::kLanguage, "Menu_Setting_Language"},
      {cmd::kHelp, "Menu_Help_Help"},
      {cmd::kAppAbout, "Menu_App_About"},
      {cmd::kFileBackups, "Menu_File_Backups"},
      {cmd::kImportChannels, "Menu_File_ImportChannels"},
      {cmd::kExportChannels, "Menu_File_ExportChannels"},
      {cmd::kCompareFile, "Menu_Program_CompareFile"},
      {cmd::kCompareRadio, "Menu_Program_CompareRadio"},
      {cmd::kProductionLine, "Menu_Program_ProductionLine"},
      {cmd::kCheckConnection, "Menu_Help_CheckConnection"},
  };
  return keys;
}

const std::vector<std::string>& MenuStringKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> k = MenuTitleKeys();
    for (const MenuItemKey& item : MenuItemKeys()) k.push_back(item.key);
    return k;
  }();
  return keys;
}

std::string ToolTipKey(int command) { return "IDS_TIP_" + std::to_string(command); }

}  // namespace qorrin
