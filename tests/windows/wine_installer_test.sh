#!/usr/bin/env bash
# The installer under Wine, run as an administrator's script would:
#   wine_installer_test.sh WIN_BUILD_DIR
# "setup.exe /S" installs into Program Files with a Start-menu entry and the .7Q type
# (wine reg query shows it), the installed program starts and adds the type for its user;
# "uninstall.exe /S" then removes the program, the Start-menu entry and both registrations,
# and leaves the user's project in Documents, the user's setting.ini copy and the backups.
set -euo pipefail
. "$(dirname "$0")/wine-test-env.sh" "$@"
. "$here/gui-env.sh" "$work"
cleanup() { gui_cleanup; ((ok)) && rm -rf "$work"; return 0; }
trap cleanup EXIT

setup=$(ls "$win_build"/qorrin-[0-9]*-win64-setup.exe | tail -n 1)
program_files="$WINEPREFIX/drive_c/Program Files/Qorrin"
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Qorrin"
# A leftover of an earlier run must not make this one pass.
if [ -x "$program_files/uninstall.exe" ]; then
  "$WINE" "$program_files/uninstall.exe" /S >/dev/null 2>&1 || true
  "$WINESERVER" -w
fi

"$WINE" "$setup" /S >"$work/setup.out" 2>&1 || gui_fail "setup /S ended with $?: $(cat "$work/setup.out")"
"$WINESERVER" -w   # everything the installer started has ended
for file in qorrin.exe qorrin-cli.exe setting.ini english.lang chinese.lang english.html chinese.html \
            help/english-main.png README.txt LICENSE THIRD-PARTY-NOTICES.txt uninstall.exe; do
  [ -f "$program_files/$file" ] || gui_fail "not installed: $file"
done
[ -f "$start_menu/Qorrin.lnk" ] || gui_fail "no Start-menu entry"
installed='C:\Program Files\Qorrin\qorrin.exe'
[ "$(gui_reg_value 'HKLM\Software\Classes\.7Q')" = 7Q ] || gui_fail ".7Q is not registered"
[ "$(gui_reg_value 'HKLM\Software\Classes\7Q')" = "Radio Data Files" ] || gui_fail "no type name for 7Q"
[ "$(gui_reg_value 'HKLM\Software\Classes\7Q\shell\open\command')" = "\"$installed\" \"%1\"" ] ||
  gui_fail "open command: $(gui_reg_value 'HKLM\Software\Classes\7Q\shell\open\command')"
[ -n "$(gui_reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Qorrin' UninstallString)" ] ||
  gui_fail "no uninstall entry"

# The installed program starts and registers the type for its user as well.
gui_start "$installed"
main=$(gui_wait_window '^Qorrin - VLM-7Q' 120) || gui_fail "the installed program shows no window"
[ "$(gui_reg_value 'HKCU\Software\Classes\7Q\shell\open\command')" = "\"$installed\" \"%1\"" ] ||
  gui_fail "the installed program did not register .7Q for its user"
gui_keys "$main" alt+F4
gui_wait_exit 30 || gui_fail "the installed program did not end on Alt+F4"

# The user's things, which the uninstaller must leave.
documents=$(ls -d "$WINEPREFIX"/drive_c/users/*/Documents | head -n 1)
project="$documents/qorrin-installer-test.7Q"
printf 'keep me' >"$project"
appdata=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | head -n 1)
mkdir -p "$appdata/Qorrin" && printf '[setup]\nlanguage=chinese\n' >"$appdata/Qorrin/setting.ini"
backups=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local | head -n 1)/Qorrin/backups
mkdir -p "$backups" && printf 'backup' >"$backups/installer-test.7Q"

"$WINE" "$program_files/uninstall.exe" /S >"$work/uninstall.out" 2>&1 || gui_fail "uninstall /S ended with $?"
"$WINESERVER" -w   # the uninstaller runs on from a copy of itself; wait for that too
[ ! -e "$program_files" ] || gui_fail "left in Program Files: $(ls -R "$program_files")"
[ ! -e "$start_menu" ] || gui_fail "the Start-menu entry is left"
for key in 'HKLM\Software\Classes\.7Q' 'HKLM\Software\Classes\7Q' 'HKCU\Software\Classes\.7Q' \
           'HKCU\Software\Classes\7Q' 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Qorrin'; do
  ! "$WINE" reg query "$key" >/dev/null 2>&1 || gui_fail "left in the registry: $key"
done
[ "$(cat "$project")" = "keep me" ] || gui_fail "the user's project is gone"
grep -q chinese "$appdata/Qorrin/setting.ini" || gui_fail "the user's setting.ini is gone"
[ -f "$backups/installer-test.7Q" ] || gui_fail "the backups are gone"
rm -f "$project" "$backups/installer-test.7Q" "$appdata/Qorrin/setting.ini"

ok=1
printf 'wine installer test: %s (%d bytes) installed, started and uninstalled\n' \
  "$(basename "$setup")" "$(stat -c %s "$setup")"
