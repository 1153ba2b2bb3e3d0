#!/usr/bin/env bash
# Builds everything and opens the host stand-in with the address book's
# panel under Wine, then lists the book it had open.
#
#   bash scripts/run.sh [--data DIR [--new]]
#
# DIR is a Linux folder or a Windows path (Z:\home\me\book); without it the
# book is the command line's own default, so that `quillbook list` shows the
# same book afterwards. A DIR that does not exist is refused unless --new
# asks for a new book there, and so is the book's own Quillbook folder. With a display ($DISPLAY set) the host and the panel
# open there, and the command goes on when the host window is closed.
# Without one, the host runs for a while on a virtual display (Xvfb); a
# screenshot of it is written to build/screenshot.png, then the host is
# closed, which saves the book.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

data=""
new=0
while [ $# -gt 0 ]; do
  case "$1" in
    --data)
      [ $# -ge 2 ] || { echo "run: --data needs a folder" >&2; exit 2; }
      data="$2"
      shift 2
      ;;
    --new)
      new=1
      shift
      ;;
    *)
      echo "usage: bash scripts/run.sh [--data DIR [--new]]" >&2
      exit 2
      ;;
  esac
done
if [ "$new" = 1 ] && [ -z "$data" ]; then
  echo "run: --new belongs to --data DIR" >&2
  exit 2
fi

# The command line's default, worked out before this script picks a prefix
# of its own.
user="${USER:-$(id -un)}"
default_data="${QUILLBOOK_DATA:-${WINEPREFIX:-$HOME/.wine}/drive_c/users/$user/AppData/Roaming/Scribella}"

. scripts/windows-programs.sh
build_programs run
start_prefix run

# The host takes a Windows path, the command line a Linux one.
case "${data:-$default_data}" in
  [A-Za-z]:\\* | [A-Za-z]:)
    windows_data="$data"
    linux_data="$("$wine_loader" winepath.exe -u "$data" </dev/null 2>/dev/null | tr -d '\r')"
    ;;
  *)
    linux_data="$(realpath -m "${data:-$default_data}")"
    windows_data="Z:${linux_data//\//\\}"
    ;;
esac
if [ -z "$linux_data" ]; then
  echo "run: Wine knows no Linux folder for $data" >&2
  exit 2
fi
if [ -z "$data" ] || [ "$new" = 1 ]; then
  mkdir -p "$linux_data"
fi
# The command line's own rules for a data folder: one that is not there, or
# the book's own folder, is refused with its reason rather than opened as an
# empty book.
if ! "$root/build/native/quillbook" --data "$linux_data" groups >/dev/null; then
  [ -e "$linux_data" ] || echo "run: --new makes a new book in $linux_data" >&2
  exit 2
fi

cd "build/$win"
echo "run: the host stand-in opens the book in $linux_data ($windows_data)"
if [ -n "${DISPLAY:-}" ]; then
  "$wine_loader" ScribellaHost.exe /open /data "$windows_data" </dev/null >/dev/null 2>&1 || true
else
  seconds="${QUILLBOOK_RUN_SECONDS:-30}"
  echo "run: no display; the host runs on a virtual display for $seconds seconds"
  start_virtual_display
  "$wine_loader" ScribellaHost.exe /open /data "$windows_data" </dev/null >/dev/null 2>&1 &
  host=$!
  sleep "$seconds"
  import -window root "$root/build/screenshot.png" &&
    echo "run: screenshot in build/screenshot.png"
  # Closing the host window closes the panel first, which saves the book.
  "$wine_loader" taskkill.exe /im ScribellaHost.exe </dev/null >/dev/null 2>&1 || true
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    kill -0 "$host" 2>/dev/null || break
    sleep 1
  done
  kill "$host" 2>/dev/null || true
fi
echo "run: the address book in $linux_data now holds:"
"$root/build/native/quillbook" --data "$linux_data" list
