#!/bin/bash
# Times the drawn-tree window and its pictures on a synthesised tree under a
# private Xvfb (see bench/tree-view-bench.cc), and prints the load average
# the figures were taken under.
#
#   bench/tree-view-bench.sh [BUILD_FOLDER [N]]    (default: build/, 60001 nodes)
#
# Compiles the benchmark against the libraries of an existing build folder
# (scripts/build.sh makes build/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$top/build}")
shift || true

libs=()
for lib in gui treeview classify c45 corpus; do
    found=$(find "$build/$lib" -maxdepth 1 -name "lib$lib.a" | head -n 1)
    [ -n "$found" ] || { echo "lib$lib.a not found in $build (build the gui target first)" >&2; exit 1; }
    libs+=("$found")
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046
g++ -std=c++17 -O2 -I"$top" -I"$top/gui" "$top/bench/tree-view-bench.cc" "${libs[@]}" \
    $(pkg-config --cflags gtkmm-2.4 | sed 's/-I/-isystem /g') $(pkg-config --libs gtkmm-2.4) \
    -pthread -o "$work/tree-view-bench"
uptime
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/tree-view-bench" "$@"
uptime
