#!/usr/bin/env bash
# Takes the README's pictures again from the real programs: the host
# stand-in opens the demo book on a virtual display (Xvfb) under Wine, with
# the prefix's Japanese faces, and xdotool clicks the panel's group buttons.
#
#   bash scripts/screenshots.sh [FOLDER]    (default docs)
#
# Writes panel.png, group_edit.png, group_change.png and settings.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$(realpath -m "${1:-docs}")"
mkdir -p "$out"

. scripts/windows-programs.sh
build_programs screenshots
start_prefix screenshots
start_virtual_display

book="$root/build/screenshots-book"
host_pid=""

# Each picture starts from the same fresh book, so that it can be made again.
start_host() {
  rm -rf "$book"
  /usr/bin/python3 scripts/make_demo_book.py "$book"
  (cd "build/$win" && exec "$wine_loader" ScribellaHost.exe /data "Z:${book//\//\\}" "$@" \
    </dev/null >/dev/null 2>&1) &
  host_pid=$!
}

stop_host() {
  "$wine_server" -k </dev/null >/dev/null 2>&1 || true
  wait "$host_pid" 2>/dev/null || true
  "$wine_server" -p </dev/null >/dev/null 2>&1 || true
}

# usage: window TITLE; prints the X window of the Wine window with that title.
window() {
  local id
  for _ in $(seq 60); do
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 || true)"
    if [ -n "$id" ]; then
      sleep 2  # let it paint
      echo "$id"
      return
    fi
    sleep 1
  done
  echo "screenshots: no window \"$1\" appeared" >&2
  exit 1
}

shoot() {
  import -window "$1" "$out/$2"
  echo "screenshots: $(realpath --relative-to="$root" "$out/$2")"
}

# Clicks a point of the panel's client area (765 x 600): the X window holds
# the frame and the caption that Wine draws around it.
click_panel() {
  local panel="$1" width height border
  eval "$(xdotool getwindowgeometry --shell "$panel")"
  border=$(((WIDTH - 765) / 2))
  xdotool mousemove $((X + border + $2)) $((Y + HEIGHT - 600 - border + $3)) click 1
}

echo "screenshots: the panel"
start_host /open
panel="$(window 'アドレス帳')"
shoot "$panel" panel.png

echo "screenshots: the group edit dialog"
click_panel "$panel" 646 36
shoot "$(window 'ｸﾞﾙｰﾌﾟ編集')" group_edit.png
stop_host

echo "screenshots: the bulk group change dialog"
start_host /open
panel="$(window 'アドレス帳')"
click_panel "$panel" 683 36
shoot "$(window '一括ｸﾞﾙｰﾌﾟ変更')" group_change.png
stop_host

echo "screenshots: the settings screen"
start_host /settings
shoot "$(window 'アドレス帳オプション & 設定画面')" settings.png
stop_host
