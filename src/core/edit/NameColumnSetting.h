#pragma once
// The [setup] name key of setting.ini, which decides how the channel table treats the
// name column. Only the first character counts; a missing key means "1".
namespace qorrin {

enum class NameColumnMode {
  Shown,     // "1": names are shown and edited
  Off,       // "0": read-only on every row, button-face background, no text
  Unfilled,  // anything else: editable on programmed channels, but no text is shown
};

// Reads the key from g_strIniFile (8-byte buffer) at each call, so that an edited
// setting.ini takes effect at the next row refresh.
NameColumnMode ReadNameColumnMode();

}  // namespace qorrin
