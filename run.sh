#!/usr/bin/env bash
# Builds the programs and starts them: the desktop program when there is a display;
# without one, the command-line tool at work: a new project file and its contents, then a
# read of the simulated radio (qorrin-sim on a pseudo-terminal, paced at 9600 baud).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${JOBS:-2}" --target qorrin qorrin-cli qorrin-sim qorrin_data

bin=build/bin
demo=$(mktemp -d)
sim=""
cleanup() {
  [ -n "$sim" ] && kill -TERM "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
  rm -rf "$demo"
}
trap cleanup EXIT

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # The window, with a simulated radio (a few programmed channels, paced like the real
  # cable) as COM1 of a private copy of the program folder: Ctrl+R reads it.
  cp "$bin"/setting.ini "$bin"/*.lang "$demo"/
  cp "$bin"/*.html "$demo"/ 2>/dev/null || true
  [ -d "$bin"/help ] && cp -r "$bin"/help "$demo"/
  "$bin/qorrin-cli" new -o "$demo/radio.7Q" >/dev/null
  "$bin/qorrin-sim" --image "$demo/radio.7Q" --demo --pace 9600 --link "$demo/radio" >"$demo/sim.out" &
  sim=$!
  for _ in $(seq 50); do [ -s "$demo/sim.out" ] && break; sleep 0.1; done
  if grep -q '^\[ports\]' "$demo/setting.ini"; then
    sed -i "/^\[ports\]/a 1=$demo/radio\nenumerate=0" "$demo/setting.ini"
  else
    printf '\n[ports]\n1=%s\nenumerate=0\n' "$demo/radio" >>"$demo/setting.ini"
  fi
  sed -i 's/^com=.*/com=1/' "$demo/setting.ini"
  echo "Simulated radio on $(cat "$demo/sim.out") as COM1; read it with Ctrl+R."
  "$bin/qorrin" --config-dir "$demo" "$@"
  exit $?
fi
echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): showing the command-line tool instead."
echo

"$bin/qorrin-cli" new --model 2 -o "$demo/demo.7Q"
"$bin/qorrin-cli" info "$demo/demo.7Q"
"$bin/qorrin-cli" dump "$demo/demo.7Q"

echo
echo "Starting the simulated radio and reading it:"
"$bin/qorrin-sim" --image "$demo/demo.7Q" --pace 9600 --link "$demo/radio" >"$demo/sim.out" &
sim=$!
for _ in $(seq 50); do [ -s "$demo/sim.out" ] && break; sleep 0.1; done
"$bin/qorrin-cli" read --device "$demo/radio" -o "$demo/read.7Q"
"$bin/qorrin-cli" info "$demo/read.7Q"
if cmp -s <(tail -c 4096 "$demo/demo.7Q" | head -c 2032) <(tail -c 4096 "$demo/read.7Q" | head -c 2032); then
  echo "The image read from the radio matches the one it was given."
fi
