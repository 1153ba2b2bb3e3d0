#!/usr/bin/env bash
# 32-bit Wine on a kernel that runs no 32-bit x86 code: qemu-i386, the
# user-mode emulator, runs every 32-bit program of Wine, handed to it by a
# binfmt_misc handler that lives in a user namespace of its own (Linux 6.7
# and later give each user namespace its own binfmt_misc). The machine's
# binfmt_misc is never touched, and the handler goes with the namespace's
# last process.
#
#   wine32-namespace.sh check           can this kernel do it? (status 0: yes)
#   wine32-namespace.sh fetch           fetches the emulator once; prints its version
#   wine32-namespace.sh run PROGRAM...  runs PROGRAM with the handler in place
#
# Debian 12's qemu-user (7.2) crashes while Wine makes a prefix, so the
# emulator is the next release's, fetched by package name with apt into a
# folder of its own (the machine's apt sources stay as they are) and kept in
# build/emulator: older point releases leave the mirror. QB_QEMU_I386 names
# another qemu-i386 to use instead.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cache="$(dirname "$here")/build/emulator"
qemu="${QB_QEMU_I386:-$cache/qemu-i386}"
release=trixie
mirror="${QB_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
handler=quillbook-i386
# Debian's own registration for i386 programs: 32-bit little-endian ELF
# executables and shared objects of machine 3.
magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
# The namespace's root is the caller mapped to root, which may mount there.
in_namespace=(unshare --user --map-root-user --mount --propagation private)

fetch() {
  if [ -x "$qemu" ]; then
    cat "$qemu.version" 2>/dev/null || "$qemu" --version | head -n 1
    return
  fi
  if [ -n "${QB_QEMU_I386:-}" ]; then
    echo "wine32: QB_QEMU_I386=$QB_QEMU_I386 is not a program" >&2
    return 1
  fi
  mkdir -p "$cache"
  local work log arch
  arch="$(dpkg --print-architecture)"
  work="$(mktemp -d "$cache/fetch.XXXXXX")"
  # shellcheck disable=SC2064 # the folder of this fetch
  trap "rm -rf '$work'" EXIT
  log="$cache/fetch.log"
  echo "wine32: fetching qemu-user from Debian's $release with apt into build/emulator" >&2
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/unpacked"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $release main" \
    >"$work/sources.list"
  local apt=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache"
    -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
    -o "APT::Architecture=$arch" -o "APT::Architectures=$arch"
    # The release's lists carry a date after which apt would refuse them.
    -o Acquire::Check-Valid-Until=false)
  # apt hands downloads to its own user, who may not write here.
  if [ "$(id -u)" -eq 0 ]; then apt+=(-o APT::Sandbox::User=root); fi
  if ! { apt-get "${apt[@]}" update &&
    (cd "$work" && apt-get "${apt[@]}" download qemu-user); } >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    echo "wine32: could not fetch qemu-user from $mirror ($release); apt's output is in $log" >&2
    return 1
  fi
  local deb=("$work"/qemu-user_*.deb)
  dpkg-deb --fsys-tarfile "${deb[0]}" | tar -x -C "$work/unpacked" ./usr/bin/qemu-i386
  echo "qemu-i386 $(dpkg-deb -f "${deb[0]}" Version) (Debian $release)" >"$qemu.version"
  mv "$work/unpacked/usr/bin/qemu-i386" "$qemu"
  # run goes on with exec, which leaves the trap behind.
  rm -rf "$work" "$log"
  trap - EXIT
  cat "$qemu.version"
}

case "${1:-}" in
  check)
    "${in_namespace[@]}" sh -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc' \
      >/dev/null 2>&1
    ;;
  fetch)
    fetch
    ;;
  run)
    shift
    # Already inside one (a script that a namespace runs): nothing to add.
    if [ -e "/proc/sys/fs/binfmt_misc/$handler" ]; then exec "$@"; fi
    fetch >/dev/null
    exec "${in_namespace[@]}" "$BASH" "$0" inside "$@"
    ;;
  inside)
    shift
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    # F: the kernel opens the emulator now, so it is found from any folder.
    printf '%s' ":$handler:M::$magic:$mask:$(realpath "$qemu"):F" >/proc/sys/fs/binfmt_misc/register
    exec "$@"
    ;;
  *)
    echo "usage: $0 check | fetch | run PROGRAM [ARGS...]" >&2
    exit 2
    ;;
esac
