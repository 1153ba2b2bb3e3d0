#!/usr/bin/env bash
# Says how 32-bit Windows programs run under Wine on this machine:
#   native    the kernel runs 32-bit programs;
#   emulated  it does not, and qemu-i386 runs them in a user namespace of
#             their own (cmake/wine32-namespace.sh);
#   none      neither: only the same sources built for 64-bit x86 run.
# QB_WINE32 (native, emulated or none) asks for one way instead; one that
# cannot work here is an error, never a quiet change to another. The reason
# for emulated or none goes to standard error.
set -uo pipefail
here="$(dirname "$0")"

native_works() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
emulation_works() { bash "$here/wine32-namespace.sh" check; }
no_native="this kernel runs no 32-bit programs"
no_emulation="this kernel gives a user namespace no binfmt_misc of its own (Linux 6.7 and later do)"

case "${QB_WINE32:-}" in
  native)
    native_works || { echo "wine-arch: QB_WINE32=native, but $no_native" >&2; exit 1; }
    echo native
    ;;
  emulated)
    emulation_works || { echo "wine-arch: QB_WINE32=emulated, but $no_emulation" >&2; exit 1; }
    echo "wine-arch: QB_WINE32=emulated" >&2
    echo emulated
    ;;
  none)
    echo "wine-arch: QB_WINE32=none" >&2
    echo none
    ;;
  "")
    if native_works; then
      echo native
    elif emulation_works; then
      echo "wine-arch: $no_native" >&2
      echo emulated
    else
      echo "wine-arch: $no_native, and $no_emulation" >&2
      echo none
    fi
    ;;
  *)
    echo "wine-arch: QB_WINE32 is native, emulated or none, not '$QB_WINE32'" >&2
    exit 1
    ;;
esac
