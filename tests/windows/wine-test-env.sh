# Sourced first by each Wine test: `. wine-test-env.sh WIN_BUILD_DIR [LINUX_BIN_DIR]`.
# Sets win_build and linux_bin (absolute), here (the tests' folder), the build's Wine
# prefix (wine-env.sh), a work folder named after the test inside the build, shots (where
# screenshots go: $QORRIN_SCREENSHOTS, else the work folder) and ok=0 (the test sets it to
# 1 at its end, so that its cleanup keeps the work folder of a failed run).
set -euo pipefail
win_build=$(cd "$1" && pwd)
linux_bin=$(if [ -n "${2:-}" ]; then cd "$2" && pwd; fi)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh" "$win_build"
work=$(mktemp -d "$win_build/$(basename "$0" .sh).XXXXXX")
shots=${QORRIN_SCREENSHOTS:-$work}
mkdir -p "$shots"
ok=0
