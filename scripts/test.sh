#!/usr/bin/env bash
# Installs what is needed, builds the native and the Windows trees, and runs
# every test: natively under ASan and UBSan; the Windows tests under Wine on
# the 32-bit build that we ship (native 32-bit where the kernel runs 32-bit
# programs, else emulated 32-bit) and again on the same sources built for
# 64-bit; then the benchmark. QB_WINE32=native|emulated|none asks for one
# way of running the 32-bit programs (see cmake/wine-arch.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

# Said, and the emulator fetched, before the builds: a 32-bit run that cannot
# happen fails here rather than after them.
asked="${QB_WINE32:-}"
QB_WINE32="$(bash cmake/wine-arch.sh)"
export QB_WINE32
case "$QB_WINE32" in
  native) way="native 32-bit" ;;
  emulated) way="emulated 32-bit: $(bash cmake/wine32-namespace.sh fetch) in a user namespace" ;;
  none) way="" ;;
esac
# Each run of the Windows tests: its tree, its Wine loader and how it runs.
runs=()
if [ -n "$way" ]; then runs+=("win32|wine|$way"); fi
runs+=("win64|wine64|64-bit")
if [ -n "$way" ]; then
  echo "test: the Windows tests run on the 32-bit build ($way), then on the 64-bit build"
else
  echo "test: NO 32-BIT RUN: the Windows tests run on the 64-bit build alone" >&2
fi

jobs="$(nproc)"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug
cmake --build build/native -j "$jobs"

# The plug-in that we ship, which the package holds.
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/win32 -j "$jobs"
# The Windows package, whose contents a native test checks.
bash scripts/package.sh
# The same sources for 64-bit x86 catch pointer-width faults the other way round.
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/win64 -j "$jobs"

stop_prefixes() {
  for run in "${runs[@]}"; do
    IFS='|' read -r tree loader _ <<<"$run"
    bash cmake/wine-prefix.sh stop "build/$tree/wineprefix" "$loader"
  done
}
trap stop_prefixes EXIT
for run in "${runs[@]}"; do
  IFS='|' read -r tree loader how <<<"$run"
  start=$SECONDS
  bash cmake/wine-prefix.sh start "build/$tree/wineprefix" "$loader"
  # In a new prefix the first programs have been seen to print everything and
  # then not end while Wine finishes setting the prefix up, and ctest gives
  # its listing of a program's tests two minutes. List each once beforehand,
  # then start the prefix's server afresh, which ends whatever was left
  # waiting.
  for program in tests/core_tests framework_tests tool_tests; do
    timeout -k 5 180 bash cmake/wine-run.sh "$PWD/build/$tree/wineprefix" "$loader" \
      "build/$tree/$program.exe" --gtest_list_tests >/dev/null || true
  done
  bash cmake/wine-prefix.sh stop "build/$tree/wineprefix" "$loader"
  bash cmake/wine-prefix.sh start "build/$tree/wineprefix" "$loader"
  echo "test: the Wine prefix of build/$tree is ready after $((SECONDS - start)) s ($how)"
done

status=0
summary=()
totals=()
ctest --test-dir build/native --output-on-failure -j "$jobs" || status=1
# One test at a time: the panels of two tests would take each other's focus.
for run in "${runs[@]}"; do
  IFS='|' read -r tree loader how <<<"$run"
  echo "test: the Windows tests on build/$tree, $how"
  start=$SECONDS
  result=passed
  ctest --test-dir "build/$tree" --output-on-failure | tee "build/$tree/ctest.log" || result=FAILED
  bash cmake/wine-run.sh "$PWD/build/$tree/wineprefix" "$loader" \
    "build/$tree/panel_ready_bench.exe" || result=FAILED
  [ "$result" = passed ] || status=1
  counts="$(grep -o '[0-9]*% tests passed, [0-9]* tests failed out of [0-9]*' "build/$tree/ctest.log" ||
    echo 'no count')"
  totals+=("${counts##* }")
  summary+=("Windows tests on build/$tree, $how: $result ($counts) in $((SECONDS - start)) s")
done
# A program that listed no tests in one build would pass there unseen.
if [ "$(printf '%s\n' "${totals[@]}" | sort -u | wc -l)" -ne 1 ]; then
  summary+=("FAILED: the builds ran different numbers of Windows tests: ${totals[*]}")
  status=1
fi
# The benchmark times an optimised build without the sanitizers.
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release
cmake --build build/bench --target quillbook_bench quillbook -j "$jobs"
python3 bench/python_csv.py build/bench/quillbook_bench || status=1

for line in "${summary[@]}"; do echo "test: $line"; done
echo "test: the whole command took $((SECONDS / 60)) min $((SECONDS % 60)) s"
if [ -z "$way" ] && [ "$asked" != none ]; then
  echo "test: FAILED: nothing that we ship ran (the 32-bit build); QB_WINE32=none accepts that" >&2
  status=1
fi
exit "$status"
