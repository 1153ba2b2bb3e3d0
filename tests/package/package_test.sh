#!/usr/bin/env bash
# Opens the Windows package that the test command made: one folder with the
# plug-in, the host stand-in, the README and the license, nothing else; the
# plug-in and the host 32-bit programs, as a 32-bit host needs them, without
# their symbols; the texts as Notepad reads them (a UTF-8 mark, CR LF).
# usage: package_test.sh WIN32_BUILD_DIR
set -euo pipefail
zip="$(ls -t "$1"/Quillbook-*-win32.zip 2>/dev/null | head -n 1 || true)"
if [ -z "$zip" ]; then
  echo "no package in $1; make it with: bash scripts/package.sh"
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
  symbols="$(od -An -tu4 -j$((header + 16)) -N4 "$top/$program" | tr -d ' ')"
  if [ "$symbols" != 0 ]; then
    echo "$program in $zip is not stripped ($symbols symbols)"
    exit 1
  fi
done
for text in README.txt LICENSE.txt; do
  if [ "$(head -c 3 "$top/$text" | od -An -tx1 | tr -d ' ')" != efbbbf ] ||
    [ "$(tr -d '\r' <"$top/$text" | wc -l)" != "$(grep -c $'\r$' "$top/$text")" ]; then
    echo "$text in $zip lacks its UTF-8 mark or CR LF line ends"
    exit 1
  fi
done
echo "package $zip: $(echo $expected | tr '\n' ' ')"
