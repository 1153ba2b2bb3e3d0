#!/usr/bin/env bash
# Prepares a Wine prefix for the tests and keeps its server running, so that
# each test program starts in a fraction of a second.
# usage: wine-prefix.sh start|stop PREFIX
set -euo pipefail
action="$1"
export WINEPREFIX="$(realpath -m "$2")"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

case "$action" in
  start)
    if [ ! -f "$WINEPREFIX/.quillbook-ready" ]; then
      mkdir -p "$WINEPREFIX"
      wineboot -i </dev/null >/dev/null 2>&1 || true
      wineserver -w
      # No display: Wine's null graphics driver still runs every window.
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.quillbook-ready"
    fi
    # A server whose streams stay open would keep ctest waiting on its pipe.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    # Wine's own services start with the first program; let that be one whose
    # streams lead nowhere, so that no service holds a test's output open.
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: $0 start|stop PREFIX" >&2
    exit 2
    ;;
esac
