#!/usr/bin/env bash
# Builds the command-line companion if needed and lists the address book in
# the default data folder (or the one given with --data DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -x build/native/quillbook ]; then
  bash scripts/setup.sh
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build build/native -j "$(nproc)" --target quillbook >/dev/null
fi
exec build/native/quillbook "$@" list
