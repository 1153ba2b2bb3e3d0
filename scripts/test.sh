#!/usr/bin/env bash
# Installs what is needed, builds the native and the Windows trees, and runs
# every test: natively under ASan and UBSan, and the Windows build under Wine;
# then the benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs="$(nproc)"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug
cmake --build build/native -j "$jobs"

cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/win32 -j "$jobs"

bash cmake/wine-prefix.sh start build/win32/wineprefix
trap 'bash cmake/wine-prefix.sh stop build/win32/wineprefix' EXIT

status=0
ctest --test-dir build/native --output-on-failure -j "$jobs" || status=1
ctest --test-dir build/win32 --output-on-failure || status=1
# The benchmark times an optimised build without the sanitizers.
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release
cmake --build build/bench --target quillbook_bench -j "$jobs"
python3 bench/python_csv.py build/bench/quillbook_bench || status=1
exit "$status"
