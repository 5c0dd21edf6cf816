#!/usr/bin/env bash
# Cross-builds the command-line tool for 64-bit Windows with Debian's mingw-w64 and packs
# it for users:
#   scripts/build-windows.sh [BUILD_DIR] [--tests]
# builds qorrin-cli.exe, statically linked (no DLLs needed), in BUILD_DIR (default
# build-win), and with --tests also the core and command-line test programs; then writes
# BUILD_DIR/qorrin-cli-<version>-win64.zip: the program, setting.ini, the language files
# and a README.txt. The desktop program is not built here (see README.md, "Windows").
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build-win
targets=(qorrin-cli)
for arg in "$@"; do
  case "$arg" in
    --tests) targets+=(qorrin_core_tests qorrin_cli_tests) ;;
    *) build_dir=$arg ;;
  esac
done

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DQORRIN_GUI=OFF >/dev/null
cmake --build "$build_dir" -j "${JOBS:-2}" --target "${targets[@]}"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
name=qorrin-cli-$version-win64
stage="$build_dir/$name"
rm -rf "$stage" "$build_dir/$name.zip"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/qorrin-cli.exe" "$build_dir/bin/qorrin-cli.exe"
cp data/setting.ini data/english.lang data/chinese.lang "$stage/"
sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"  # Windows line ends
(cd "$build_dir" && zip -q -X -r "$name.zip" "$name")
rm -rf "$stage"
echo "$build_dir/$name.zip:"
unzip -l "$build_dir/$name.zip"
