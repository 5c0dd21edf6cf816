#!/usr/bin/env bash
# Builds the static Qt that the Windows desktop program links, from Debian's own qt6-base
# source package of the version the build machine's Qt has, with Debian's mingw-w64:
#   scripts/build-qt-windows.sh          # prints the install folder when done
#   scripts/build-qt-windows.sh --prefix # prints it only; exit status 0 when it is built
# Only Core, Gui, Widgets and PrintSupport, with the windows platform plugin and the native
# (windowsvista) style; the host tools (moc, rcc, uic) are Debian's (qt6-base-dev-tools).
# The result goes to ${QORRIN_QT_WINDOWS:-${XDG_CACHE_HOME:-~/.cache}/qorrin/qt-VERSION-mingw-static}
# and is reused by every later run. The source comes through a private apt configuration
# (its own source list with a deb-src entry, its own lists and cache), so the machine's apt
# sources stay as they are. The patches in packaging/windows/qt-patches/ are applied on top
# of Debian's. Run it under nice on a shared machine: it keeps both cores busy for a while.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

qt_package=qt6-base-dev
deb_version=$(dpkg-query -W -f='${Version}' "$qt_package" 2>/dev/null) ||
  { echo "build-qt-windows: $qt_package is not installed (scripts/install-deps.sh)" >&2; exit 1; }
source_package=$(dpkg-query -W -f='${source:Package}' "$qt_package")
source_version=$(dpkg-query -W -f='${source:Version}' "$qt_package")
qt_version=${source_version%%+*}          # 6.4.2+dfsg-10 -> 6.4.2
qt_version=${qt_version#*:}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/qorrin
prefix=${QORRIN_QT_WINDOWS:-$cache/qt-$qt_version-mingw-static}
stamp="$prefix/qorrin-qt-build.txt"       # written last: a complete install has it; key=value lines

if [ "${1:-}" = --prefix ] || [ -f "$stamp" ]; then
  echo "$prefix"
  [ -f "$stamp" ]
  exit
fi

work=${QORRIN_QT_WORK:-$cache/qt-$qt_version-mingw-work}
mkdir -p "$work"
log="$work/build.log"
echo "build-qt-windows: building Qt $qt_version for Windows into $prefix (log: $log)" >&2

# --- The source, through apt with a configuration of our own -------------------------------
# deb-src entries for the Debian archives the machine already uses (its own .sources and
# .list files, turned into source entries); the official archive when none is found.
apt_dir="$work/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/parts"
debian_sources() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    sed -n 's/^[[:space:]]*deb[[:space:]]\+\(.*\/debian\(-security\)\?\/\?[[:space:]].*\)$/deb-src \1/p' "$file"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    # One stanza per blank-line separated block; keep those whose URIs are a Debian archive.
    awk 'BEGIN { RS = ""; FS = "\n" }
      {
        types = ""; uris = ""; suites = ""; comps = ""; key = ""; enabled = "yes"
        for (i = 1; i <= NF; i++) {
          line = $i
          if (line ~ /^Types:/) types = line
          else if (line ~ /^URIs:/) { uris = line; sub(/^URIs:[ \t]*/, "", uris) }
          else if (line ~ /^Suites:/) { suites = line; sub(/^Suites:[ \t]*/, "", suites) }
          else if (line ~ /^Components:/) { comps = line; sub(/^Components:[ \t]*/, "", comps) }
          else if (line ~ /^Signed-By:/) { key = line; sub(/^Signed-By:[ \t]*/, "", key) }
          else if (line ~ /^Enabled:[ \t]*no/) enabled = "no"
        }
        if (enabled == "no" || types !~ /deb/ || uris !~ /\/debian(-security)?\/?( |$)/) next
        n = split(uris, u, " "); m = split(suites, s, " ")
        for (a = 1; a <= n; a++) for (b = 1; b <= m; b++)
          printf "deb-src %s %s %s %s\n", (key != "" ? "[signed-by=" key "]" : ""), u[a], s[b], comps
      }' "$file"
  done
}
debian_sources | sort -u >"$apt_dir/sources.list"
if [ ! -s "$apt_dir/sources.list" ]; then
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "deb-src http://deb.debian.org/debian $codename main" >"$apt_dir/sources.list"
fi
apt_private=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir"
  -o "Dir::Cache::Archives=$apt_dir/archives"
  -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
  -o "APT::Sandbox::User=root"
)
# The unpacked source is reused while the patch set is the same; a changed patch set starts
# from Debian's source again.
src_root="$work/source"
patch_set=$(cat "$repo"/packaging/windows/qt-patches/*.patch 2>/dev/null | sha1sum | cut -d' ' -f1)
if [ "$(cat "$src_root/.complete" 2>/dev/null)" != "$patch_set" ]; then
  rm -rf "$src_root"
  mkdir -p "$src_root"
  apt-get "${apt_private[@]}" -qq update
  # dpkg-source (dpkg-dev) unpacks it with Debian's own patches applied.
  (cd "$src_root" && apt-get "${apt_private[@]}" -qq source "$source_package=$source_version" >>"$log" 2>&1)
  src_dir=$(ls -d "$src_root"/"$source_package"-*/ | head -n 1)
  for patch in "$repo"/packaging/windows/qt-patches/*.patch; do
    [ -f "$patch" ] && patch -d "$src_dir" -p1 --forward <"$patch" >>"$log"
  done
  echo "$patch_set" >"$src_root/.complete"
fi
src_dir=$(ls -d "$src_root"/"$source_package"-*/ | head -n 1)
src_dir=${src_dir%/}

# --- Configure: a static Qt with only what the program uses --------------------------------
# Every module and feature the program does not need is off, which also keeps the build
# short: no networking, SQL, D-Bus, XML, concurrency module, test library or OpenGL (the
# program paints with the raster engine), no image-format plugins, no FreeType (Windows
# draws the fonts). dynamicgl stays off with OpenGL: 6.4's windows plugin tests only it.
# Direct2D stays on: 6.4 builds its DirectWrite font engine only with it, and uses that
# engine whenever DirectWrite is on.
# Debian's source lacks the Wintab headers: our patch builds the windows plugin without
# the legacy Wintab tablet support.
# An interrupted or failed build goes on where it stopped when the script runs again.
build_dir="$work/build"
mkdir -p "$build_dir"
features=(
  network sql dbus xml concurrent testlib opengl dynamicgl vulkan
  imageformatplugin gif jpeg ico
  freetype fontconfig sessionmanager
)
feature_flags=()
for f in "${features[@]}"; do
  feature_flags+=("-DFEATURE_$f=OFF")
done
start=$(date +%s)
cmake -S "$src_dir" -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
  -DBUILD_SHARED_LIBS=OFF \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
  "${feature_flags[@]}" >>"$log" 2>&1 ||
  { tail -n 40 "$log" >&2; echo "build-qt-windows: configure failed (log: $log)" >&2; exit 1; }

# --- Build and install ---------------------------------------------------------------------
cmake --build "$build_dir" -j "${JOBS:-2}" >>"$log" 2>&1 ||
  { tail -n 40 "$log" >&2; echo "build-qt-windows: build failed (log: $log)" >&2; exit 1; }
rm -rf "$prefix"
cmake --install "$build_dir" >>"$log" 2>&1
seconds=$(( $(date +%s) - start ))
patches=$(cd "$repo/packaging/windows/qt-patches" 2>/dev/null && ls -- *.patch 2>/dev/null | paste -sd ' ' || true)
{
  echo "qt_version=$qt_version"
  echo "source_package=$source_package"
  echo "source_version=$source_version"
  echo "patches=${patches:-none}"
  echo "build_seconds=$seconds"
} >"$stamp"
echo "build-qt-windows: done in $((seconds / 60)) min $((seconds % 60)) s, $(du -sh "$prefix" | cut -f1)" >&2
rm -rf "$build_dir"
echo "$prefix"
