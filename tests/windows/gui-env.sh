# Sourced by the Wine tests of the desktop program, after wine-env.sh:
#   . gui-env.sh WORK_DIR
# Starts an X server of the test's own (Xvfb) and gives helpers that drive qorrin.exe as a
# user would: find a window by its title, give it the focus, press keys, type, take a
# screenshot. Wine draws its windows on that server; xdotool sends real key events (XTEST)
# to the window that has the focus. The caller's EXIT trap calls gui_cleanup.
gui_work=$1
gui_xvfb_pid=
gui_pids=()

# A failure names the windows on the screen and keeps a screenshot of it.
gui_fail() {
  echo "$(basename "$0"): $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    local id
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      echo "  window on the screen: $(xdotool getwindowname "$id")" >&2
    done
    import -window root "$gui_work/failure.png" 2>/dev/null && echo "  screenshot: $gui_work/failure.png" >&2
  fi
  exit 1
}

# Xvfb picks a free display and writes its number into a file.
gui_start_display() {
  : >"$gui_work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$gui_work/display" \
    >"$gui_work/xvfb.log" 2>&1 &
  gui_xvfb_pid=$!
  local _
  for _ in $(seq 200); do [ -s "$gui_work/display" ] && break; sleep 0.1; done
  [ -s "$gui_work/display" ] || gui_fail "Xvfb did not start: $(cat "$gui_work/xvfb.log")"
  export DISPLAY=:$(head -n 1 "$gui_work/display")
}

gui_cleanup() {
  local pid
  for pid in "${gui_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$WINESERVER" -k 2>/dev/null || true
  for pid in "${gui_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -n "$gui_xvfb_pid" ] && kill "$gui_xvfb_pid" 2>/dev/null && wait "$gui_xvfb_pid" 2>/dev/null
  return 0
}

gui_now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# gui_start EXE ARGS...: runs a Windows program in the background, with the variables of
# the array gui_env (NAME=VALUE) added to its environment; $gui_pid is its Wine loader (its
# exit status is the program's).
gui_env=()
gui_start() {
  env "${gui_env[@]}" "$WINE" "$@" >"$gui_work/program.out" 2>&1 </dev/null &
  gui_pid=$!
  gui_pids+=("$gui_pid")
}

# gui_wait_window REGEX [SECONDS]: prints the id of a visible window whose title matches
# (an extended regular expression). The titles are compared as xdotool reads them as text:
# Wine encodes a title in the program's code page, which a search on the raw bytes misses.
gui_wait_window() {
  local pattern=$1 deadline=$(( $(date +%s) + ${2:-60} )) id
  while (( $(date +%s) < deadline )); do
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      if xdotool getwindowname "$id" 2>/dev/null | grep -qE -- "$pattern"; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.2
  done
  return 1
}

# gui_wait_gone WINDOW [SECONDS]: true once the window is closed or hidden.
gui_wait_gone() {
  local deadline=$(( $(date +%s) + ${2:-60} ))
  while (( $(date +%s) < deadline )); do
    xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.2
  done
  return 1
}

# gui_keys WINDOW KEY...: focus on the window, then the keys one after another (xdotool
# names: ctrl+r, Return, Down, alt+F4).
gui_keys() {
  local window=$1; shift
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  sleep 0.3
  xdotool key --clearmodifiers --delay 120 "$@"
}

# gui_type WINDOW TEXT: types the text into the focused control of the window.
gui_type() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.3
  xdotool type --clearmodifiers --delay 40 "$2"
}

gui_screenshot() { import -window root "$1"; }

# gui_wait_exit [SECONDS]: waits for the program started last and sets $gui_status to its
# exit status; false when it is still running after that time. (Not in $(...): only this
# shell can wait for its children.)
gui_wait_exit() {
  local deadline=$(( $(date +%s) + ${1:-60} ))
  while kill -0 "$gui_pid" 2>/dev/null; do
    (( $(date +%s) < deadline )) || return 1
    sleep 0.2
  done
  gui_status=0
  wait "$gui_pid" || gui_status=$?
}

# gui_unpack WIN_BUILD_DIR: the desktop program's zip, unpacked into the work folder as a
# user would; sets $program (its folder) and $exe.
gui_unpack() {
  unzip -q "$(ls "$1"/qorrin-[0-9]*-win64.zip | tail -n 1)" -d "$gui_work"
  program=$(ls -d "$gui_work"/qorrin-[0-9]*-win64)
  exe=$program/qorrin.exe
}

# Windows' name of a file here (drive Z: is /).
gui_win_path() { echo "Z:${1//\//\\}"; }

# gui_reg_value KEY [VALUE]: the text of a registry value (the default one without VALUE),
# empty when there is none. Through "reg export" (UTF-16), which keeps every character;
# "reg query" prints in the console's code page.
gui_reg_value() {
  local name=@
  [ $# -gt 1 ] && name="\"$2\""
  rm -f "$gui_work/value.reg"
  "$WINE" reg export "$1" "$(gui_win_path "$gui_work/value.reg")" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16LE -t UTF-8 "$gui_work/value.reg" | tr -d '\r' | awk -v name="$name" '
    /^\[/ { sections++; next }
    sections == 1 && index($0, name "=\"") == 1 {
      value = substr($0, length(name) + 3); sub(/"$/, "", value)
      gsub(/\\\\/, "\001", value); gsub(/\\"/, "\"", value); gsub(/\001/, "\\", value)
      print value; exit
    }'
}

gui_start_display
