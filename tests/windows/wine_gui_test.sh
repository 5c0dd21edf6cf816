#!/usr/bin/env bash
# The real qorrin.exe under Wine, driven by keys on an X server of its own:
#   wine_gui_test.sh WIN_BUILD_DIR LINUX_BIN_DIR
# From the zip, unpacked into a folder of the test: the main window comes with the English
# title (and the time it took is printed), .7Q is registered for the user, a project named
# on the command line opens (and lands in the registry's recent-file list), a language
# switch to Chinese shows Chinese texts and is remembered in the user's copy of a read-only
# setting.ini, without a language the locale decides, and without setting.ini the program
# only says so and ends. Screenshots go to $QORRIN_SCREENSHOTS (default: the
# work folder, which is removed at the end unless the test fails).
set -euo pipefail
. "$(dirname "$0")/wine-test-env.sh" "$@"
. "$here/gui-env.sh" "$work"
cleanup() { gui_cleanup; ((ok)) && rm -rf "$work"; return 0; }
trap cleanup EXIT

gui_unpack "$win_build"
english_title='^Qorrin - VLM-7Q Programming Software$'
chinese_title='^Qorrin - VLM-7Q 写频软件$'
recent_key='HKCU\Software\RD-580 radio program software\qorrin\Recent File List'
"$WINE" reg delete "$recent_key" /f >/dev/null 2>&1 || true

# --- The main window, in English, and the file type registered for the user ------------------
t0=$(gui_now_ms)
gui_start "$exe"
main=$(gui_wait_window "$english_title" 120) || gui_fail "no main window titled '$english_title'"
shown_ms=$(( $(gui_now_ms) - t0 ))
sleep 1
gui_screenshot "$shots/wine-english.png"
exe_win=$(gui_win_path "$exe")
[ "$(gui_reg_value 'HKCU\Software\Classes\.7Q')" = 7Q ] || gui_fail ".7Q is not registered for the user"
[ "$(gui_reg_value 'HKCU\Software\Classes\7Q')" = "Radio Data Files" ] || gui_fail "no type name for 7Q"
[ "$(gui_reg_value 'HKCU\Software\Classes\7Q\shell\open\command')" = "\"$exe_win\" \"%1\"" ] ||
  gui_fail "open command: $(gui_reg_value 'HKCU\Software\Classes\7Q\shell\open\command')"
[ "$(gui_reg_value 'HKCU\Software\Classes\7Q\DefaultIcon')" = "$exe_win,0" ] || gui_fail "no icon for 7Q"
! "$WINE" reg query 'HKCU\Software\Classes\7Q\shell\print' >/dev/null 2>&1 || gui_fail "7Q has a print command"
gui_keys "$main" alt+F4
gui_wait_exit 30 || gui_fail "the program did not end on Alt+F4"
[ "$gui_status" = 0 ] || gui_fail "the program ended with $gui_status"

# --- A project on the command line -----------------------------------------------------------
mkdir "$work/projects 电台"
project="$work/projects 电台/demo.7Q"
"$linux_bin/qorrin-cli" --config-dir "$program" new --model 1 -o "$project" >/dev/null
gui_start "$exe" "$(gui_win_path "$project")"
main=$(gui_wait_window "$english_title" 120) || gui_fail "no main window with a project on the command line"
[ "$(gui_reg_value "$recent_key" File1)" = "$(gui_win_path "$project")" ] ||
  gui_fail "the project is not the first recent file: '$(gui_reg_value "$recent_key" File1)'"

# --- Switching to Chinese with a read-only program folder: the user's copy remembers it ----------
# (a Unix file without write permission is a read-only file for Wine, as under Program Files)
user_ini=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | head -n 1)/Qorrin/setting.ini
rm -f "$user_ini"
gui_keys "$main" alt+F4
gui_wait_exit 30 || gui_fail "the program did not end on Alt+F4"
chmod a-w "$program/setting.ini"
gui_start "$exe"
main=$(gui_wait_window "$english_title" 120) || gui_fail "no main window with a read-only setting.ini"
gui_keys "$main" ctrl+l
language=$(gui_wait_window '^Language$' 30) || gui_fail "ctrl+L opened no language dialog"
gui_keys "$language" Down Return   # English is first, 中文(简体) second
gui_wait_gone "$language" 30 || gui_fail "the language dialog stayed open"
sleep 1
gui_keys "$main" alt+f             # the File menu, open in the screenshot
sleep 1
gui_screenshot "$shots/wine-chinese.png"
gui_keys "$main" Escape Escape
gui_keys "$main" alt+F4
gui_wait_exit 30 || gui_fail "the program did not end on Alt+F4"
grep -qx 'language=english' "$program/setting.ini" || gui_fail "the read-only setting.ini was changed"
grep -qx 'language=chinese' "$user_ini" || gui_fail "the user's setting.ini does not name chinese"
gui_start "$exe"
main=$(gui_wait_window "$chinese_title" 120) || gui_fail "no main window with the Chinese title after the switch"
gui_keys "$main" alt+F4
gui_wait_exit 30 || gui_fail "the program did not end on Alt+F4"

# --- No language in setting.ini: the system's locale decides (2052: chinese) --------------------
sed -i '/^language=/d' "$user_ini"
for locale in zh_CN en_US; do
  title=$chinese_title
  [ $locale = en_US ] && title=$english_title
  gui_env=(LANG= LC_ALL=$locale.UTF-8)
  gui_start "$exe"
  gui_env=()
  main=$(gui_wait_window "$title" 120) || gui_fail "no main window titled '$title' in the locale $locale"
  gui_keys "$main" alt+F4
  gui_wait_exit 30 || gui_fail "the program did not end on Alt+F4"
done
rm -f "$user_ini"
chmod u+w "$program/setting.ini"

# --- Without setting.ini: the message, then the end -------------------------------------------
rm "$program/setting.ini"
gui_start "$exe"
message=$(gui_wait_window '^qorrin$' 60) || gui_fail "no message without setting.ini"
sleep 0.5
gui_screenshot "$shots/wine-no-settings.png"
! gui_wait_window "$english_title|$chinese_title" 1 >/dev/null || gui_fail "the main window opened without setting.ini"
gui_keys "$message" ctrl+c   # a message box copies its title and text (Windows only)
sleep 0.5
text=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r' || true)
grep -qxF 'Can not find the file setting.ini!' <<<"$text" || gui_fail "the message says: $text"
gui_keys "$message" Return
gui_wait_exit 30 || gui_fail "the program did not end after the message"
[ "$gui_status" != 0 ] || gui_fail "the program ended with 0 without setting.ini"

ok=1
printf 'wine gui test: main window after %d.%03d s (wall time under Wine, Xvfb)\n' \
  $((shown_ms / 1000)) $((shown_ms % 1000))
