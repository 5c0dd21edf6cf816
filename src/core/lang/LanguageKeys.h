#pragma once
// The manifest of a language file: every key the program looks up, by section, and
// the largest text each lookup keeps. A shipped .lang file must carry all of them;
// the tests check the shipped files against this list, and the GUI can use it to
// report what a user-made translation lacks. The texts of the forms' controls and their
// option lists follow the model's option field table and are listed above the model, in
// core/edit/FormTextKeys.h.
#include <cstddef>
#include <string>
#include <vector>

#include "core/lang/ResourceIds.h"

namespace qorrin {

// Keys of section [String]: message, caption, tooltip and menu texts.
const std::vector<std::string>& RequiredStringKeys();

// The [String] keys of the main menu, a subset of RequiredStringKeys(): the menu titles
// by position, then the item of each command. Their texts carry an '&' mnemonic and,
// where the command has a shortcut, "\t" and its keys.
const std::vector<std::string>& MenuStringKeys();
const std::vector<std::string>& MenuTitleKeys();
struct MenuItemKey {
  int command;
  const char* key;
};
const std::vector<MenuItemKey>& MenuItemKeys();

// The commands of the tool bar's buttons, in order, and the key of a button's tooltip.
inline constexpr int kToolBarCommands[] = {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave,
                                           cmd::kReadData, cmd::kWriteData, cmd::kFilePrint};
std::string ToolTipKey(int command);

// [ChText] IDS_ChText0..7: headings of the channel table columns.
inline constexpr int kChannelHeadingCount = 8;
// [RadiogramText] IDS_RadiogramText0..1: headings of the FM preset grid.
inline constexpr int kRadiogramHeadingCount = 2;

// Longest value, in bytes, that each kind of lookup keeps; a longer text is cut.
inline constexpr std::size_t kStringTextMaxBytes = 999;      // [String]
inline constexpr std::size_t kResourceTextMaxBytes = 1023;   // [Resource]
inline constexpr std::size_t kDisplayNameMaxBytes = 99;      // [Face] disp
inline constexpr std::size_t kListTextMaxBytes = 29;         // headings, option lists
// Tool-bar tooltips show at most this many characters.
inline constexpr std::size_t kToolTipMaxChars = 19;

}  // namespace qorrin
