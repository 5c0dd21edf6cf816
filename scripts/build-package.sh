#!/usr/bin/env bash
# Builds the Debian package of the whole program in a build folder and lists what it holds:
#   scripts/build-package.sh [BUILD_DIR]      (default build/)
# The package installs under /usr whatever prefix the folder was configured with (the
# programs find their folder beside their bin/), with the udev rules for the programming
# cables. Only the programs are built; the package's dependencies come from dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQORRIN_INSTALL_UDEV=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" -j "${JOBS:-2}" --target qorrin qorrin-cli qorrin-sim qorrin_data
rm -f "$dir"/qorrin_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
package=$(ls "$dir"/qorrin_*.deb)
dpkg-deb --info "$package" | sed -n '/Package:/,$p'
# The listing is read once: grep -q ending early would break the pipe of a dpkg-deb that
# is still writing, and pipefail would count that as a failure.
contents=$(dpkg-deb -c "$package")
echo "$contents"
# Everything under /usr, whatever the build's prefix.
paths=$(awk '{print $6}' <<<"$contents")
outside=$(grep -v -e '^\./$' -e '^\./usr/' <<<"$paths" || true)
if [[ -n $outside ]] || grep -q '^\./usr/local/' <<<"$paths" ||
   ! grep -q '^\./usr/bin/qorrin$' <<<"$paths"; then
  echo "the package does not install its programs under /usr" >&2
  exit 1
fi
echo "$package"
