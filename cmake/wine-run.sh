#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, headless, with
# code page 932 as the ANSI code page. Used by ctest as the emulator.
# usage: wine-run.sh PREFIX PROGRAM [ARGS...]
set -o pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# A server that Wine starts by itself would inherit the pipe below and keep
# it open after the program ends; start it here with its streams closed.
wineserver -p </dev/null >/dev/null 2>&1 || true
# Wine writes CR LF; the test runner's parsers expect plain line feeds.
wine "$@" | tr -d '\r'
