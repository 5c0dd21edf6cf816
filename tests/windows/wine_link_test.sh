#!/usr/bin/env bash
# The Windows command line against the simulated radio, through the Win32 serial port.
#   wine_link_test.sh WIN_BUILD_DIR LINUX_BIN_DIR
# The simulator (Linux) answers on a pseudo-terminal; in the build's Wine prefix COM5 and
# COM12 (the "\\.\COM12" form) are that terminal. Checks the bytes of a full read and of
# a verified write, the backup each run leaves under %LOCALAPPDATA%, and the no-radio
# errors (exit code 3). Prints the wall time of the read and of the write under Wine.
set -euo pipefail
. "$(dirname "$0")/wine-test-env.sh" "$@"

sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -f "$WINEPREFIX/dosdevices/com5" "$WINEPREFIX/dosdevices/com12"
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "wine link test: $*" >&2; exit 1; }

# A program folder of the test's own; Windows names for the test's files (drive Z: is /).
mkdir "$work/program"
cp "$win_build/bin/setting.ini" "$win_build/bin/"*.lang "$work/program/"
win() { echo "Z:${1//\//\\}"; }
cli() {  # cli ARGS...: qorrin-cli.exe with the test's program folder; stdout and stderr kept
  "$WINE" "$win_build/bin/qorrin-cli.exe" --config-dir "$(win "$work/program")" "$@" \
    >"$work/out" 2>"$work/err" </dev/null
}
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# The part of a project file that travels over the link: 0x7F0 bytes after the 48-byte header.
linked_bytes() { tail -c +49 "$1" | head -c 2032 | od -An -tx1; }

start_sim() {  # start_sim ARGS...: a simulator in the background; sets $tty
  "$linux_bin/qorrin-sim" "$@" >"$work/sim.out" 2>"$work/sim.err" &
  sims+=($!)
  for _ in $(seq 100); do [ -s "$work/sim.out" ] && break; sleep 0.05; done
  tty=$(head -n 1 "$work/sim.out")
  [ -c "$tty" ] || fail "the simulator gave no terminal: $(cat "$work/sim.err")"
}
save_sim() {  # the simulator writes its image back (SIGUSR1)
  local before; before=$(stat -c %Y.%s "$work/radio.7Q")
  kill -USR1 "${sims[-1]}"
  for _ in $(seq 100); do [ "$(stat -c %Y.%s "$work/radio.7Q")" != "$before" ] && break; sleep 0.05; done
  sleep 0.2
}

# Project files made by the Linux build (the Windows one's own are the CLI tests' business):
# one Wine start-up less each.
"$linux_bin/qorrin-cli" --config-dir "$work/program" new --model 0 -o "$work/radio.7Q" >/dev/null
"$linux_bin/qorrin-cli" --config-dir "$work/program" new --model 2 -o "$work/send.7Q" >/dev/null
start_sim --image "$work/radio.7Q" --demo --pace 9600
ln -sfn "$tty" "$WINEPREFIX/dosdevices/com5"
ln -sfn "$tty" "$WINEPREFIX/dosdevices/com12"
save_sim  # the demonstration channels, as the radio holds them

t0=$(now_ms)
cli read --port 5 -o "$(win "$work/read.7Q")" || fail "read --port 5 ($?): $(cat "$work/err")"
read_ms=$(( $(now_ms) - t0 ))
[ "$(linked_bytes "$work/read.7Q")" = "$(linked_bytes "$work/radio.7Q")" ] || fail "the read differs from the radio"
grep -q "on COM5" "$work/err" || fail "read: $(cat "$work/err")"

t0=$(now_ms)
cli write "$(win "$work/send.7Q")" --port 12 --verify || fail "write --port 12 --verify ($?): $(cat "$work/err")"
write_ms=$(( $(now_ms) - t0 ))
grep -q 'COM12 (\\\\.\\COM12) and verified' "$work/err" || fail "write: $(cat "$work/err")"
save_sim
[ "$(linked_bytes "$work/radio.7Q")" = "$(linked_bytes "$work/send.7Q")" ] || fail "the radio does not hold what was written"

backups=$(ls "$WINEPREFIX"/drive_c/users/*/AppData/Local/Qorrin/backups/)
grep -q "_COM5_read.7Q" <<<"$backups" || fail "no backup of the read: $backups"
grep -q "_COM12_write.7Q" <<<"$backups" || fail "no backup of the write: $backups"

# No radio: a port that does not exist, and a line on which nothing answers.
set +e
cli read --port 9 -o "$(win "$work/none.7Q")"; code=$?
set -e
[ "$code" -eq 3 ] || fail "read of a missing COM9 ended with $code, not 3: $(cat "$work/err")"
grep -q "cannot open COM9" "$work/err" || fail "missing port: $(cat "$work/err")"
start_sim --image "$work/radio.7Q" --silent
ln -sfn "$tty" "$WINEPREFIX/dosdevices/com5"
set +e
cli read --port 5 -o "$(win "$work/none.7Q")"; code=$?
set -e
[ "$code" -eq 3 ] || fail "read of a silent radio ended with $code, not 3: $(cat "$work/err")"
grep -q "no answer" "$work/err" || fail "silent radio: $(cat "$work/err")"
[ ! -e "$work/none.7Q" ] || fail "a failed read left a file"

printf 'wine link test: read %d.%03d s, write with verification %d.%03d s (wall time under Wine)\n' \
  $((read_ms / 1000)) $((read_ms % 1000)) $((write_ms / 1000)) $((write_ms % 1000))
