#!/usr/bin/env bash
# Builds everything and opens the host stand-in with the address book's
# panel under Wine.
#
#   bash scripts/run.sh [--data WINDIR]
#
# With a display ($DISPLAY set) the host and the panel open there, and the
# command returns when the host window is closed. Without one, the host runs
# for a while on a virtual display (Xvfb); a screenshot of it is written to
# build/screenshot.png, then the host is closed, and the address book is
# listed with the command-line companion.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

bash scripts/setup.sh >/dev/null
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$(nproc)" --target quillbook >/dev/null
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 -j "$(nproc)" --target ScribellaHost >/dev/null

# A prefix of its own: the tests' prefix has no graphics driver.
export WINEPREFIX="$root/build/win32/runprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
if [ ! -f "$WINEPREFIX/.quillbook-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1 || true
  touch "$WINEPREFIX/.quillbook-ready"
fi
wineserver -p </dev/null >/dev/null 2>&1 || true

cd build/win32
if [ -n "${DISPLAY:-}" ]; then
  exec wine ScribellaHost.exe /open "$@"
fi

echo "run: no display; running the host on a virtual display for 30 seconds"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x720x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 2
DISPLAY="$display" wine ScribellaHost.exe /open "$@" </dev/null >/dev/null 2>&1 &
host=$!
sleep 30
DISPLAY="$display" import -window root "$root/build/screenshot.png" && \
  echo "run: screenshot in build/screenshot.png"
# Closing the host window closes the panel first, which saves the book.
DISPLAY="$display" wine cmd /c "taskkill /im ScribellaHost.exe" >/dev/null 2>&1 || true
sleep 3
kill "$host" 2>/dev/null || true
echo "run: the address book now holds:"
"$root/build/native/quillbook" list
