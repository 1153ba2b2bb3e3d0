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
# The Windows package, whose contents a native test checks.
bash scripts/package.sh

# The plug-in is always the 32-bit build above. Where this kernel runs no
# 32-bit programs, its Windows tests run on the same sources built for 64-bit.
win="$(bash cmake/wine-arch.sh)"
loader=wine
if [ "$win" = win64 ]; then
  echo "test: this kernel runs no 32-bit programs; the Windows tests run as 64-bit programs under 64-bit Wine"
  cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
  cmake --build build/win64 -j "$jobs"
  loader=wine64
fi

bash cmake/wine-prefix.sh start "build/$win/wineprefix" "$loader"
trap 'bash cmake/wine-prefix.sh stop "build/$win/wineprefix" "$loader"' EXIT
# In a new prefix the first programs have been seen to print everything and
# then not end while Wine finishes setting the prefix up, and ctest gives its
# listing of a program's tests two minutes. List each once beforehand, then
# start the prefix's server afresh, which ends whatever was left waiting.
for program in tests/core_tests framework_tests tool_tests; do
  timeout -k 5 180 bash cmake/wine-run.sh "$PWD/build/$win/wineprefix" "$loader" \
    "build/$win/$program.exe" --gtest_list_tests >/dev/null || true
done
bash cmake/wine-prefix.sh stop "build/$win/wineprefix" "$loader"
bash cmake/wine-prefix.sh start "build/$win/wineprefix" "$loader"

status=0
ctest --test-dir build/native --output-on-failure -j "$jobs" || status=1
ctest --test-dir "build/$win" --output-on-failure || status=1
bash cmake/wine-run.sh "$PWD/build/$win/wineprefix" "$loader" "build/$win/panel_ready_bench.exe" ||
  status=1
# The benchmark times an optimised build without the sanitizers.
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release
cmake --build build/bench --target quillbook_bench quillbook -j "$jobs"
python3 bench/python_csv.py build/bench/quillbook_bench || status=1
exit "$status"
