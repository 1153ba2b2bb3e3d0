#!/usr/bin/env bash
# Says which Windows build can run its tests on this machine: "win32" where
# the kernel runs 32-bit programs, else "win64" (the same sources built for
# 64-bit x86, run by 64-bit Wine).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo win32
else
  echo win64
fi
