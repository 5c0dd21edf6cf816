#!/usr/bin/env bash
# Builds the programs and starts them. Until the desktop program exists this shows the
# command-line tool at work: a new project file, its summary and its decoded contents.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${JOBS:-2}" --target qorrin-cli qorrin_data

cli=build/bin/qorrin-cli
demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
"$cli" new -o "$demo/demo.7Q"
"$cli" info "$demo/demo.7Q"
"$cli" dump "$demo/demo.7Q"
