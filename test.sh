#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the core, link and CLI
# tests again under AddressSanitizer + UndefinedBehaviorSanitizer, and the threaded link
# tests and the transfer dialog under ThreadSanitizer. The desktop program's tests (Qt
# Test) run on the offscreen platform in the normal build (and under AddressSanitizer
# with QORRIN_ASAN_GUI=1). The
# command line is cross-built for Windows and its tests run under Wine, with a link test
# against the simulator through Wine's COM ports; so is the desktop program, driven by keys
# under Xvfb, with its zip and installer, when Qt for Windows is built (or
# QORRIN_WINDOWS_GUI=1). The fuzz targets are built and replay
# their corpora, so they keep building and their properties keep holding on every input
# they have found.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

JOBS=${JOBS:-2}
build() {  # build DIR TARGETS... [cmake options...]; TARGETS are the words before the first -D
  local dir=$1; shift
  local targets=()
  while [[ $# -gt 0 && $1 != -* ]]; do targets+=("$1"); shift; done
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS" --target "${targets[@]}"
}

echo "== normal build"
build build all
ctest --test-dir build --output-on-failure -j "$JOBS"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer (core, link and command line)"
# Only the test programs: the benchmarks add nothing here. The desktop program's tests
# join this pass with QORRIN_ASAN_GUI=1 (they double its time).
asan_targets=(qorrin_core_tests qorrin_link_tests qorrin_cli_tests)
asan_tests='^qorrin_(core|link|cli)_tests\.'
if [[ ${QORRIN_ASAN_GUI:-0} == 1 ]]; then
  asan_targets=(all)
  asan_tests='.'
fi
build build-asan "${asan_targets[@]}" -DQORRIN_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$JOBS" -R "$asan_tests"

echo "== ThreadSanitizer (radio link and station, the station command with its bell, the transfer, connection-check and production-line dialogs with their threads)"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQORRIN_TSAN=ON >/dev/null
cmake --build build-tsan -j "$JOBS" --target qorrin_link_tests qorrin_cli_tests gui_TransferDialogTest gui_StationDialogTest \
  gui_ConnectionCheckTest
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/gui/tsan.supp" \
  ctest --test-dir build-tsan --output-on-failure -j "$JOBS" \
  -R '^qorrin_(link_tests\.|cli_tests\.StationCommandTest\.|gui_tests\.((Transfer|Station)DialogTest|ConnectionCheckTest))'

echo "== Windows: qorrin.exe, qorrin-cli.exe and their tests (mingw-w64), run under Wine"
# The desktop program needs Qt for Windows, built once from Debian's source (about half an
# hour): it is part of the pass when that is built, or when QORRIN_WINDOWS_GUI=1 asks.
windows_scope=(--cli-only)
if [[ ${QORRIN_WINDOWS_GUI:-} == 1 ]] ||
   { [[ ${QORRIN_WINDOWS_GUI:-} != 0 ]] && ./scripts/build-qt-windows.sh --prefix >/dev/null; }; then
  windows_scope=()
else
  echo "(qorrin.exe skipped: QORRIN_WINDOWS_GUI=1 ./test.sh builds Qt for Windows once and tests it under Wine)"
fi
windows_pass() (  # a subshell: the Wine settings stay inside
  ./scripts/build-windows.sh build-win --tests "${windows_scope[@]}"
  . tests/windows/wine-env.sh build-win
  ctest --test-dir build-win --output-on-failure -j "$JOBS"
  grep -h "^wine .*test:" build-win/Testing/Temporary/LastTest.log || true
)
time windows_pass

echo "== fuzz targets (clang, libFuzzer, ASan + UBSan): each replays its shipped corpus"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DQORRIN_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$JOBS" --target fuzz_project_file fuzz_profile_text fuzz_lang_text fuzz_transfer \
  fuzz_channel_list
for target in project_file profile_text lang_text transfer channel_list; do
  corpus=fuzz/corpus-${target%_*}
  if ! build-fuzz/bin/fuzz_$target "$corpus"/* >build-fuzz/replay-$target.log 2>&1; then
    tail -n 40 build-fuzz/replay-$target.log
    echo "fuzz_$target failed on its corpus (log: build-fuzz/replay-$target.log)"
    exit 1
  fi
  echo "fuzz_$target: $(ls "$corpus" | wc -l) inputs replayed"
done

echo "== Debian package (from build/, configured for /usr with the cable rules)"
./scripts/build-package.sh build
