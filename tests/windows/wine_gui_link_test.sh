#!/usr/bin/env bash
# qorrin.exe under Wine against the simulated radio, driven by keys as a user would:
#   wine_gui_link_test.sh WIN_BUILD_DIR LINUX_BIN_DIR
# The simulator (Linux, paced at 9600 baud) answers on a pseudo-terminal that the prefix's
# COM5 names; setting.ini of the unpacked zip says com=5. Write to Radio with verification
# must leave the document's bytes in the radio and read them all back; Read from Radio and
# then Save (an untitled document: the Save As dialog, by keyboard) must give a file with
# the radio's bytes. Prints the wall time of both.
set -euo pipefail
. "$(dirname "$0")/wine-test-env.sh" "$@"
. "$here/gui-env.sh" "$work"
sim=
cleanup() {
  [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
  rm -f "$WINEPREFIX/dosdevices/com5"
  gui_cleanup
  ((ok)) && rm -rf "$work"
  return 0
}
trap cleanup EXIT

gui_unpack "$win_build"
sed -i 's/^com=.*/com=5/; s/^searchcom=.*/searchcom=0/; s/^language=.*/language=english/' "$program/setting.ini"
english_title='^Qorrin - VLM-7Q Programming Software$'
# The part of a project file that travels over the link: 0x7F0 bytes after the 48-byte header.
linked_bytes() { tail -c +49 "$1" | head -c 2032 | od -An -tx1; }

start_sim() {  # start_sim ARGS...: the simulator on a new terminal, which COM5 names
  [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
  "$linux_bin/qorrin-sim" "$@" >"$work/sim.out" 2>"$work/sim.err" &
  sim=$!
  local _
  for _ in $(seq 100); do [ -s "$work/sim.out" ] && break; sleep 0.05; done
  local tty; tty=$(head -n 1 "$work/sim.out")
  [ -c "$tty" ] || gui_fail "the simulator gave no terminal: $(cat "$work/sim.err")"
  ln -sfn "$tty" "$WINEPREFIX/dosdevices/com5"
}
save_sim() {  # the simulator writes its image back (SIGUSR1)
  local before _; before=$(stat -c %.9Y.%s "$work/radio.7Q")
  kill -USR1 "$sim"
  for _ in $(seq 100); do [ "$(stat -c %.9Y.%s "$work/radio.7Q")" != "$before" ] && break; sleep 0.05; done
  sleep 0.2
}
# Blocks the radio has answered to read requests, from the simulator's byte log.
read_replies() { grep -c 'radio>PC  57' "$work/sim.log" || true; }

"$linux_bin/qorrin-cli" --config-dir "$program" new --model 0 -o "$work/radio.7Q" >/dev/null
"$linux_bin/qorrin-cli" --config-dir "$program" new --model 2 -o "$work/send.7Q" >/dev/null

# --- Write to Radio, verified ------------------------------------------------------------------
start_sim --image "$work/radio.7Q" --demo --pace 9600 --log "$work/sim.log"
gui_start "$exe" "$(gui_win_path "$work/send.7Q")"
main=$(gui_wait_window "$english_title" 120) || gui_fail "no main window"
gui_keys "$main" ctrl+w
dialog=$(gui_wait_window '^Write to Radio$' 30) || gui_fail "ctrl+W opened no write dialog"
t0=$(gui_now_ms)
gui_keys "$dialog" Return
# A verified write reads every block back: 127 replies of the radio, then the dialog says so.
deadline=$(( $(date +%s) + 120 ))
while (( $(read_replies) < 127 )); do
  (( $(date +%s) < deadline )) || gui_fail "no read-back after the write ($(read_replies) blocks)"
  sleep 0.5
done
write_ms=$(( $(gui_now_ms) - t0 ))
sleep 1
gui_screenshot "$shots/wine-write-verified.png"
gui_keys "$dialog" Escape
gui_wait_gone "$dialog" 30 || gui_fail "the write dialog stayed open"
save_sim
[ "$(linked_bytes "$work/radio.7Q")" = "$(linked_bytes "$work/send.7Q")" ] ||
  gui_fail "the radio does not hold the document's bytes"
ls "$WINEPREFIX"/drive_c/users/*/AppData/Local/Qorrin/backups/ | grep -q '_COM5_write\.7Q$' ||
  gui_fail "no backup of the write"
gui_keys "$main" alt+F4
gui_wait_exit 30 || gui_fail "the program did not end on Alt+F4"

# --- Read from Radio, then Save As by keyboard -------------------------------------------------
start_sim --image "$work/radio.7Q" --demo --pace 9600
save_sim  # the demonstration channels, as the radio now holds them
gui_start "$exe"
main=$(gui_wait_window "$english_title" 120) || gui_fail "no main window"
gui_keys "$main" ctrl+r
dialog=$(gui_wait_window '^Read from Radio$' 30) || gui_fail "ctrl+R opened no read dialog"
t0=$(gui_now_ms)
gui_keys "$dialog" Return
gui_wait_gone "$dialog" 120 || gui_fail "the read did not end"
read_ms=$(( $(gui_now_ms) - t0 ))
gui_keys "$main" ctrl+s            # untitled: Save asks for a name
save=$(gui_wait_window '^Save' 30) || gui_fail "ctrl+S on an untitled document opened no Save As dialog"
gui_type "$save" "$(gui_win_path "$work/read.7Q")"
gui_keys "$save" Return
gui_wait_gone "$save" 30 || gui_fail "the Save As dialog stayed open"
for _ in $(seq 50); do [ -s "$work/read.7Q" ] && break; sleep 0.1; done
[ -f "$work/read.7Q" ] || gui_fail "nothing was saved"
[ "$(linked_bytes "$work/read.7Q")" = "$(linked_bytes "$work/radio.7Q")" ] ||
  gui_fail "the saved file differs from the radio's image"
gui_keys "$main" alt+F4
gui_wait_exit 30 || gui_fail "the program did not end on Alt+F4 after saving"
[ "$gui_status" = 0 ] || gui_fail "the program ended with $gui_status"

ok=1
printf 'wine gui link test: write with verification %d.%03d s, read %d.%03d s (from Enter, under Wine)\n' \
  $((write_ms / 1000)) $((write_ms % 1000)) $((read_ms / 1000)) $((read_ms % 1000))
