# Sourced by run.sh and screenshots.sh, from the top of the tree: builds the
# command line and the host stand-in, and starts them under Wine.

# usage: build_programs NAME (the script's name, for its messages)
build_programs() {
  bash scripts/setup.sh >/dev/null
  pick_windows_build
  echo "$1: building the command line (build/native) and the Windows programs (build/$win, $way)"
  local log="$PWD/build/$1-build.log"
  mkdir -p build
  if ! { configure_tree build/native -DCMAKE_BUILD_TYPE=Debug &&
    cmake --build build/native -j "$(nproc)" --target quillbook &&
    configure_tree "build/$win" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "build/$win" -j "$(nproc)" --target ScribellaHost; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "$1: the build failed; its output is in ${log#"$PWD"/}" >&2
    exit 1
  fi
}

# The plug-in and the host are 32-bit programs, and run as such: natively
# where the kernel runs 32-bit programs, else emulated (cmake/wine-arch.sh,
# QB_WINE32; asked once Wine is installed). Only where neither can run do the
# same sources built for 64-bit run instead, and the scripts say so.
pick_windows_build() {
  QB_WINE32="$(bash cmake/wine-arch.sh)"
  export QB_WINE32
  win=win32
  loader=wine
  toolchain=cmake/mingw-i686.cmake
  way="$QB_WINE32 32-bit"
  if [ "$QB_WINE32" = none ]; then
    win=win64
    loader=wine64
    toolchain=cmake/mingw-x86_64.cmake
    way="64-bit, NOT the 32-bit programs that we ship"
  elif [ "$QB_WINE32" = emulated ]; then
    way="emulated 32-bit: $(bash cmake/wine32-namespace.sh fetch)"
  fi
}

# A tree configured once keeps its toolchain; naming it again only warns.
configure_tree() {
  if [ -f "$1/CMakeCache.txt" ]; then cmake -S . -B "$1"; else cmake -S . -B "$@"; fi
}

# usage: start_prefix NAME
# A prefix of its own: the tests' prefix has no graphics driver.
start_prefix() {
  local prefix="$PWD/build/$win/runprefix"
  [ -f "$prefix/.quillbook-ready" ] ||
    echo "$1: making a Wine prefix in build/$win/runprefix (the first time takes 2 to 3 minutes)"
  bash cmake/wine-prefix.sh start "$prefix" "$loader" display
  # The prefix's server and the services it starts would outlive the script.
  trap end_started EXIT
  export WINEPREFIX="$prefix"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  . cmake/wine-env.sh "$loader"
}

# Starts Xvfb and sets DISPLAY to it; it ends with the script, as every
# Wine program of the prefix does.
start_virtual_display() {
  display=":$((90 + RANDOM % 100))"
  Xvfb "$display" -screen 0 1280x720x24 >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY="$display"
  sleep 2
}

# Ends what the script started: the prefix's server, which takes every Wine
# program and service of the prefix with it, and the virtual display.
end_started() {
  "$wine_server" -k </dev/null >/dev/null 2>&1 || true
  if [ -n "${xvfb:-}" ]; then kill "$xvfb" 2>/dev/null || true; fi
}
