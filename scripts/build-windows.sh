#!/usr/bin/env bash
# Cross-builds Qorrin for 64-bit Windows with Debian's mingw-w64 and packs it for users:
#   scripts/build-windows.sh [BUILD_DIR] [--tests] [--cli-only]
# builds, in BUILD_DIR (default build-win), qorrin.exe (the desktop program, against the
# static Qt of scripts/build-qt-windows.sh, which is built first when missing: about half
# an hour) and qorrin-cli.exe, both statically linked (no DLLs needed) and stripped; with
# --tests also the core and command-line test programs and the Wine tests of the desktop
# program. It writes
#   BUILD_DIR/qorrin-VERSION-win64.zip        the programs and their program folder
#   BUILD_DIR/qorrin-VERSION-win64-setup.exe  the installer (NSIS)
# With --cli-only nothing needs Qt: qorrin-cli.exe alone, in qorrin-cli-VERSION-win64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build-win
tests=0
gui=1
for arg in "$@"; do
  case "$arg" in
    --tests) tests=1 ;;
    --cli-only) gui=0 ;;
    *) build_dir=$arg ;;
  esac
done

targets=(qorrin-cli)
((tests)) && targets+=(qorrin_core_tests qorrin_cli_tests)
config=(-DCMAKE_BUILD_TYPE=Release)
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
if ((gui)); then
  qt=$(./scripts/build-qt-windows.sh)
  targets+=(qorrin)
  # Qt's toolchain file finds the static Qt and Debian's host tools (moc, rcc, uic), and
  # then loads ours for the compiler.
  config+=(-DQORRIN_GUI=ON -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain")
  toolchain=$qt/lib/cmake/Qt6/qt.toolchain.cmake
else
  config+=(-DQORRIN_GUI=OFF)
fi
# A build folder configured with the other toolchain starts afresh: CMake reads the
# toolchain only once.
if [ -f "$build_dir/CMakeCache.txt" ] &&
   ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$build_dir/CMakeCache.txt" &&
   ! grep -qxF "CMAKE_TOOLCHAIN_FILE:UNINITIALIZED=$toolchain" "$build_dir/CMakeCache.txt"; then
  rm -rf "$build_dir/CMakeCache.txt" "$build_dir/CMakeFiles"
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${config[@]}" >/dev/null
cmake --build "$build_dir" -j "${JOBS:-2}" --target "${targets[@]}"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
if ((gui)); then name=qorrin-$version-win64; else name=qorrin-cli-$version-win64; fi
stage="$build_dir/$name"
rm -rf "$stage" "$build_dir/$name.zip"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/qorrin-cli.exe" "$build_dir/bin/qorrin-cli.exe"
cp data/setting.ini data/english.lang data/chinese.lang "$stage/"
crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }  # Windows line ends for the text files
crlf packaging/windows/README.txt "$stage/README.txt"
if ((gui)); then
  x86_64-w64-mingw32-strip -o "$stage/qorrin.exe" "$build_dir/bin/qorrin.exe"
  cp data/english.html data/chinese.html "$stage/"
  mkdir "$stage/help"
  cp data/help/*.png "$stage/help/"
  crlf LICENSE "$stage/LICENSE"
  # The notices name the exact Qt source inside qorrin.exe, as recorded by its build.
  {
    cat THIRD-PARTY-NOTICES.txt
    echo
    echo "This copy: the Qt inside qorrin.exe $version"
    echo "-----------------------------------------"
    sed -n 's/^source_package=/Debian source package: /p; s/^source_version=/version: /p;
            s/^qt_version=/Qt version: /p; s/^patches=/our patches: /p' "$qt/qorrin-qt-build.txt"
  } >"$build_dir/notices.txt"
  crlf "$build_dir/notices.txt" "$stage/THIRD-PARTY-NOTICES.txt"
fi
(cd "$build_dir" && zip -q -X -r "$name.zip" "$name")
echo "$build_dir/$name.zip:"
unzip -l "$build_dir/$name.zip"
if ((gui)); then
  makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DICON="$PWD/packaging/windows/qorrin.ico" \
    -DOUTFILE="$PWD/$build_dir/$name-setup.exe" packaging/windows/qorrin.nsi
  echo "$build_dir/$name-setup.exe: $(stat -c %s "$build_dir/$name-setup.exe") bytes"
fi
rm -rf "$stage"
