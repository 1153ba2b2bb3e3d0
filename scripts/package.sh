#!/usr/bin/env bash
# Makes the Windows package, build/win32/Quillbook-<version>-win32.zip, from
# the 32-bit build that it ships: configures build/win32 when it is not yet,
# builds only the plug-in and the host stand-in, and packs them stripped with
# the README and the license.
#
#   bash scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh >/dev/null
tree=build/win32
if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$tree" -j "$(nproc)" --target Quillbook ScribellaHost
cmake --build "$tree" --target package
