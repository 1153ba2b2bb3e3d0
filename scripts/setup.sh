#!/usr/bin/env bash
# Installs, from Debian's packages, everything that building and testing need.
# Safe to run again: each step checks before it changes anything.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  exec sudo -E bash "$0" "$@"
fi

export DEBIAN_FRONTEND=noninteractive

# fonts-wine has Wine's own faces, Marlett among them, which draws the caption
# buttons; IPA Gothic stands in for the Japanese faces that the dialogs name;
# xdotool clicks through the programs for the README's pictures. The
# command line's postcards set their text with Pango and Cairo in IPAex
# Mincho, and their tests read the PDF back with poppler's pdftotext. ICU is
# the reference that the native tests hold the search fold to. Where the
# kernel runs no 32-bit programs, the emulator comes from the next Debian
# release, whose lists the archive keyring verifies
# (cmake/wine32-namespace.sh).
packages=(
  g++ cmake make ninja-build googletest libgtest-dev libbenchmark-dev libicu-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb x11-utils xdotool imagemagick fonts-ipafont-gothic fonts-wine
  locales clang-format python3 python3-pil
  pkg-config libpango1.0-dev libcairo2-dev libfontconfig-dev fonts-ipaexfont-mincho poppler-utils
  debian-archive-keyring
)

need_install=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_install=1
fi
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    need_install=1
    break
  fi
done
if [ "$need_install" -eq 1 ]; then
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${packages[@]}"
fi

# MinGW's posix thread variant is what GoogleTest needs (std::mutex, std::thread).
for arch in i686 x86_64; do
  for tool in gcc g++; do
    if [ -x "/usr/bin/$arch-w64-mingw32-$tool-posix" ]; then
      update-alternatives --set "$arch-w64-mingw32-$tool" "/usr/bin/$arch-w64-mingw32-$tool-posix" >/dev/null 2>&1 || true
    fi
  done
done

# Wine reads ANSI text as code page 932 only under a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

echo "setup: done"
