#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, headless, with
# code page 932 as the ANSI code page. Used by ctest as the emulator.
# usage: wine-run.sh PREFIX wine|wine64 PROGRAM [ARGS...]
export WINEPREFIX="$1"
. "$(dirname "$0")/wine-env.sh" "$2"
shift 2
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# A server or service that Wine starts by itself would inherit our output and
# keep it open after the program ends: start the server here with its streams
# closed, and take the program's output through a file rather than a pipe.
"$wine_server" -p </dev/null >/dev/null 2>&1 || true
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
"$wine_loader" "$@" >"$out"
status=$?
# Wine writes CR LF; the test runner's parsers expect plain line feeds.
tr -d '\r' <"$out"
exit "$status"
