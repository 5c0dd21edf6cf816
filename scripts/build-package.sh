#!/usr/bin/env bash
# Builds the Debian package of the whole program in a build folder and lists what it holds:
#   scripts/build-package.sh [BUILD_DIR]      (default build/)
# The folder is configured for /usr, where the packaged programs find their folder
# (/usr/share/qorrin), with the udev rules for the programming cables. Only the programs
# are built; the package's dependencies come from dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DQORRIN_INSTALL_UDEV=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" -j "${JOBS:-2}" --target qorrin qorrin-cli qorrin-sim qorrin_data
rm -f "$dir"/qorrin_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
package=$(ls "$dir"/qorrin_*.deb)
dpkg-deb --info "$package" | sed -n '/Package:/,$p'
dpkg-deb -c "$package"
echo "$package"
