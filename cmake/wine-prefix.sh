#!/usr/bin/env bash
# Prepares a Wine prefix for the tests and keeps its server running, so that
# each test program starts in a fraction of a second.
# usage: wine-prefix.sh start|stop PREFIX [wine|wine64]
set -euo pipefail
action="$1"
export WINEPREFIX="$(realpath -m "$2")"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
. "$(dirname "$0")/wine-env.sh" "${3:-wine}"

case "$action" in
  start)
    if [ ! -f "$WINEPREFIX/.quillbook-ready" ]; then
      mkdir -p "$WINEPREFIX"
      "$wine_loader" wineboot -i </dev/null >/dev/null 2>&1 || true
      "$wine_server" -w
      # No display: Wine's null graphics driver still runs every window.
      "$wine_loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
      "$wine_server" -w
      touch "$WINEPREFIX/.quillbook-ready"
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
    echo "usage: $0 start|stop PREFIX [wine|wine64]" >&2
    exit 2
    ;;
esac
