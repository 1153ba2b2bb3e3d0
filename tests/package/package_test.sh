#!/usr/bin/env bash
# Opens the Windows package that the test command made: one folder with the
# plug-in, the host stand-in, the README and the license, nothing else, and
# the plug-in and the host 32-bit programs, as a 32-bit host needs them.
# usage: package_test.sh WIN32_BUILD_DIR
set -euo pipefail
zip="$(ls -t "$1"/Quillbook-*-win32.zip 2>/dev/null | head -n 1 || true)"
if [ -z "$zip" ]; then
  echo "no package in $1; make it with: cmake --build $1 --target package"
  exit 77
fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
cmake -E tar xf "$zip"
top="$(basename "$zip" .zip)"
expected="$(printf '%s\n' LICENSE.txt Quillbook.dll README.txt ScribellaHost.exe | sed "s|^|$top/|")"
actual="$(find . -type f | sed 's|^\./||' | sort)"
if [ "$actual" != "$expected" ]; then
  printf 'package %s holds:\n%s\nexpected:\n%s\n' "$zip" "$actual" "$expected"
  exit 1
fi
for program in Quillbook.dll ScribellaHost.exe; do
  # The PE header's offset is at 0x3c; its machine field follows "PE\0\0".
  header="$(od -An -tu4 -j60 -N4 "$top/$program" | tr -d ' ')"
  machine="$(od -An -tx2 -j$((header + 4)) -N2 "$top/$program" | tr -d ' ')"
  if [ "$machine" != 014c ]; then
    echo "$program in $zip is not a 32-bit x86 program (machine $machine)"
    exit 1
  fi
done
echo "package $zip: $(echo $expected | tr '\n' ' ')"
