#!/bin/bash
# Compiles a GUI benchmark program against the libraries of an existing build
# folder (scripts/build.sh makes build/); the GUI benchmarks' scripts share it.
#
#   bench/compile-gui-bench.sh BUILD_FOLDER SOURCE.cc PROGRAM
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$1
source=$2
program=$3

libs=()
for lib in gui series charts jobs treeview classify c45 measures corpus; do
    found=$(find "$build/$lib" -maxdepth 1 -name "lib$lib.a" | head -n 1)
    [ -n "$found" ] || { echo "lib$lib.a not found in $build (build the gui target first)" >&2; exit 1; }
    libs+=("$found")
done
# shellcheck disable=SC2046
g++ -std=c++17 -O2 -I"$top" -I"$top/gui" "$source" -Wl,--start-group "${libs[@]}" -Wl,--end-group \
    $(pkg-config --cflags gtkmm-2.4 cairomm-1.0 | sed 's/-I/-isystem /g') \
    $(pkg-config --libs gtkmm-2.4 cairomm-1.0) -pthread -o "$program"
