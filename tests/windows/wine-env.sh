# Sourced by the scripts that run the Windows build under Wine: `. wine-env.sh BUILD_DIR`.
# Sets WINE and WINESERVER and a Wine prefix of the build's own (BUILD_DIR/wine), made on
# first use without a window or a question: no display, and the Mono and Gecko installers
# (which would ask) switched off. Nothing here touches the user's ~/.wine.
wine_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$wine_build_dir/wine"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE" wineboot -i >"$wine_build_dir/wineboot.log" 2>&1 </dev/null
  "$WINESERVER" -w  # the prefix is complete once its server has finished
fi
# Wine links the user's Documents, Desktop and the like to the home folder of the Linux
# user; the tests save projects there, so those become folders of the prefix instead.
for wine_link in "$WINEPREFIX"/drive_c/users/*/*; do
  if [ -L "$wine_link" ]; then rm -f "$wine_link" && mkdir -p "$wine_link"; fi
done
unset wine_link
