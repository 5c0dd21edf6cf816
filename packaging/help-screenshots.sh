#!/usr/bin/env bash
# Takes the pictures of the help files from the real program on a virtual screen:
#   xvfb-run -a -s "-screen 0 1280x1024x24" packaging/help-screenshots.sh BUILD_BIN
# (needs openbox, xdotool and ImageMagick's import). Writes data/help/<language>-*.png.
set -euo pipefail
bin=$(realpath "${1:-build/bin}")
out=$(realpath "$(dirname "$0")/../data/help")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$out"
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# A project with a few demonstration channels, saved by the simulator when it ends.
"$bin/qorrin-cli" new -o "$work/demo.7Q" >/dev/null
"$bin/qorrin-sim" --image "$work/demo.7Q" --demo >/dev/null &
sim=$!
sleep 1
kill -TERM "$sim"
wait "$sim" || true

shoot() {  # shoot NAME: the active window with its frame
  sleep 1.5
  import -frame -window "$(xdotool getactivewindow)" "$out/$language-$1.png"
}

for language in english chinese; do
  cfg=$work/$language
  mkdir -p "$cfg"
  cp "$bin"/setting.ini "$bin"/*.lang "$cfg"/
  sed -i "s/^language=.*/language=$language/" "$cfg/setting.ini"
  "$bin/qorrin" --config-dir "$cfg" "$work/demo.7Q" &
  app=$!
  sleep 3
  xdotool search --sync --onlyvisible --pid "$app" | head -1 | xargs -r xdotool windowactivate --sync
  shoot main
  xdotool key ctrl+r; shoot read; xdotool key Escape; sleep 1
  xdotool key ctrl+c; shoot port; xdotool key Escape; sleep 1
  xdotool key ctrl+l; shoot language; xdotool key Escape; sleep 1
  xdotool key alt+f; sleep 0.5; xdotool key v; shoot preview; xdotool key Escape; sleep 1
  kill -TERM "$app"
  wait "$app" || true
done
kill "$wm" 2>/dev/null || true
