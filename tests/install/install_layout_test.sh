#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands where: the programs,
# the program folder with its settings, languages, help files and every picture the help
# files show, the icon sizes, the desktop entry (desktop-file-validate, the project-file
# type it opens) and the MIME type for *.7Q; the cable rules only when asked for. Then the
# installed programs run from there.
#   install_layout_test.sh BUILD_DIR HAVE_GUI(0|1)
set -euo pipefail
build=$1
gui=${2:-1}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need() { [ -e "$prefix/$1" ] || fail "missing $1"; }

cmake --install "$build" --prefix "$prefix" >/dev/null

need bin/qorrin-cli
need bin/qorrin-sim
[ "$gui" = 1 ] && need bin/qorrin
share=share/qorrin
for f in setting.ini english.lang chinese.lang english.html chinese.html; do need "$share/$f"; done
# Each language file has its help file, and each picture a help file shows is there.
for lang in "$prefix/$share"/*.lang; do
  [ -e "${lang%.lang}.html" ] || fail "no help file for $(basename "$lang")"
done
for html in "$prefix/$share"/*.html; do
  pictures=$(grep -o 'src="[^"]*"' "$html" | sed 's/^src="//; s/"$//')
  [ -n "$pictures" ] || fail "$(basename "$html") shows no pictures"
  for p in $pictures; do
    [ -s "$prefix/$share/$p" ] || fail "$(basename "$html") shows $p, which is not installed"
  done
done

need share/icons/hicolor/scalable/apps/qorrin.svg
for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/qorrin.png
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "icon $size: $(file -b "$icon")"
done

desktop=$prefix/share/applications/qorrin.desktop
need share/applications/qorrin.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects qorrin.desktop"
grep -qx 'Exec=qorrin %f' "$desktop" || fail "the desktop entry does not pass the file to qorrin"
grep -qx 'MimeType=application/x-qorrin-project;' "$desktop" || fail "the desktop entry opens no project files"
grep -qx 'Icon=qorrin' "$desktop" || fail "the desktop entry's icon is not qorrin"

need share/mime/packages/qorrin.xml
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" >/dev/null
  grep -q '^[0-9]*:application/x-qorrin-project:\*\.7Q' "$prefix/share/mime/globs2" ||
    fail "*.7Q is not application/x-qorrin-project in the MIME database"
fi

# The cable rules: only on request, from the udev component.
rules=lib/udev/rules.d/70-qorrin-cables.rules
if grep -q '^QORRIN_INSTALL_UDEV:BOOL=ON' "$build/CMakeCache.txt"; then
  need "$rules"
else
  [ ! -e "$prefix/$rules" ] || fail "the udev rules were installed without being asked for"
  cmake --install "$build" --prefix "$prefix" --component udev >/dev/null
  need "$rules"
fi
for id in 0403:6001 067b:2303 1a86:7523 10c4:ea60; do
  grep -q "ATTRS{idVendor}==\"${id%:*}\", ATTRS{idProduct}==\"${id#*:}\", TAG+=\"uaccess\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"" \
    "$prefix/$rules" || fail "no rule for $id"
done

# The installed programs run, on the installed program folder, which they find beside
# their bin/ although this prefix is not the one the build was configured for: the
# frequency-range text shown is the one of this prefix's setting.ini.
export HOME=$root/home XDG_CONFIG_HOME=$root/home/.config XDG_DATA_HOME=$root/home/.local/share
unset QORRIN_HOME
mkdir -p "$HOME"
sed -i 's/^Freq0=.*/Freq0=Relocated 136-174/' "$prefix/$share/setting.ini"
"$prefix/bin/qorrin-cli" new -o "$root/demo.7Q" >/dev/null 2>&1 || fail "installed qorrin-cli cannot make a project file"
"$prefix/bin/qorrin-cli" info "$root/demo.7Q" | grep -q 'programmed' || fail "installed qorrin-cli cannot read it"
"$prefix/bin/qorrin-cli" info "$root/demo.7Q" | grep -q 'Relocated 136-174' ||
  fail "installed qorrin-cli does not use the program folder beside its bin/"
if [ "$gui" = 1 ]; then
  env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/qorrin" --version | grep -q '^qorrin [0-9]' ||
    fail "installed qorrin --version"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "install layout OK"
