#!/usr/bin/env bash
# Runs a Windows test program with QB_LINKED_DATA naming a data folder whose
# card file, panel mark and an old new-file name are Unix links, which a
# program under Wine cannot make itself.
# usage: linked_data.sh WINE_RUN PREFIX wine|wine64 PROGRAM [ARGS...]
set -eu
run="$1"
shift
data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT
mkdir "$data/Quillbook"
ln -s Quillbook.dat.target "$data/Quillbook/Quillbook.dat"
ln -s ../victim "$data/Quillbook/Quillbook.dat.new"
ln -s ../victim "$data/Quillbook/Quillbook.lock"
export QB_LINKED_DATA="Z:${data//\//\\}"
"$run" "$@"
