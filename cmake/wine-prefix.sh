#!/usr/bin/env bash
# Prepares a Wine prefix and keeps its server running, so that each program
# then starts in a fraction of a second.
# usage: wine-prefix.sh start|stop PREFIX [wine|wine64] [headless|display]
# A headless prefix (the tests') runs every window on Wine's null graphics
# driver; a display prefix (the run's) shows them on $DISPLAY.
set -euo pipefail
action="$1"
export WINEPREFIX="$(realpath -m "$2")"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
. "$(dirname "$0")/wine-env.sh" "${3:-wine}"
screen="${4:-headless}"

# The dialog templates and the panel's fonts name Windows' Japanese faces,
# which no Linux machine has; without a stand-in Wine picks a wider face and
# cuts the labels. IPA P Gothic is proportional like MS P Gothic, IPA Gothic
# fixed-width like MS Gothic.
replace_japanese_faces() {
  local key='HKCU\Software\Wine\Fonts\Replacements' face
  for face in 'ＭＳ Ｐゴシック' 'ＭＳＰゴシック' 'MS PGothic' 'MS UI Gothic'; do
    "$wine_loader" reg add "$key" /v "$face" /d IPAPGothic /f </dev/null >/dev/null 2>&1
  done
  for face in 'ＭＳ ゴシック' 'MS Gothic'; do
    "$wine_loader" reg add "$key" /v "$face" /d IPAGothic /f </dev/null >/dev/null 2>&1
  done
}

case "$action" in
  start)
    if [ ! -f "$WINEPREFIX/.quillbook-ready" ]; then
      mkdir -p "$WINEPREFIX"
      "$wine_loader" wineboot -i </dev/null >/dev/null 2>&1 || true
      "$wine_server" -w
      if [ "$screen" = headless ]; then
        "$wine_loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
        "$wine_server" -w
      fi
      touch "$WINEPREFIX/.quillbook-ready"
    fi
    # Its own mark, so that a prefix made before these were set gets them.
    if [ ! -f "$WINEPREFIX/.quillbook-look" ]; then
      # Wine's own faces (Debian's fonts-wine), Marlett among them, which
      # draws the caption buttons: Debian's wineboot leaves the prefix's
      # font folder empty.
      cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
      replace_japanese_faces
      if [ "$screen" = display ]; then
        # Wine draws the frames and caption buttons as Windows does, rather
        # than leaving them to a window manager that a virtual display lacks.
        "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
      fi
      touch "$WINEPREFIX/.quillbook-look"
    fi
    # A server whose streams stay open would keep ctest waiting on its pipe.
    "$wine_server" -p </dev/null >/dev/null 2>&1 || true
    # Wine's own services start with the first program; let that be one whose
    # streams lead nowhere, so that no service holds a test's output open.
    "$wine_loader" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
    ;;
  stop)
    "$wine_server" -k </dev/null >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: $0 start|stop PREFIX [wine|wine64] [headless|display]" >&2
    exit 2
    ;;
esac
