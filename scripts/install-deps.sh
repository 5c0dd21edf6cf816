#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when some are missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
  # Qt's own texts (file and print dialogs, standard buttons) in the window's language.
  qt6-translations-l10n
  xvfb xauth fonts-noto-cjk
  poppler-utils desktop-file-utils shared-mime-info dpkg-dev file
  # The Windows command line: cross compiler, GoogleTest's sources to build with it, Wine
  # to run the results (wine64 the loader, wine its launchers and server script), zip.
  g++-mingw-w64-x86-64-posix googletest wine64 wine zip unzip
  # The Windows desktop program: Qt's source through apt-get source (dpkg-dev, above), the
  # installer (nsis), and its Wine tests (xdotool sends the keys, xclip reads the
  # clipboard, ImageMagick's import takes the screenshots).
  nsis xdotool xclip imagemagick
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}" >&2
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
