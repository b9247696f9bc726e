#!/bin/bash
# Times the word-distribution and decision-tree windows on large tables
# under a private Xvfb (see bench/table-windows-bench.cc).
#
#   bench/table-windows-bench.sh [BUILD_FOLDER [words|tree] [N...]]
#
# (default: build/, both windows, 2000 16000 100000 rows)
#
# Compiles the benchmark against the GUI and engine libraries of an existing
# build folder (scripts/build.sh makes build/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$top/build}")
shift || true

libs=()
for lib in gui c45 measures corpus; do
    found=$(find "$build/$lib" -maxdepth 1 -name "lib$lib.a" | head -n 1)
    [ -n "$found" ] || { echo "lib$lib.a not found in $build (build the gui target first)" >&2; exit 1; }
    libs+=("$found")
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046
g++ -std=c++17 -O2 -I"$top" -I"$top/gui" "$top/bench/table-windows-bench.cc" "${libs[@]}" \
    $(pkg-config --cflags gtkmm-2.4 | sed 's/-I/-isystem /g') $(pkg-config --libs gtkmm-2.4) -pthread -o "$work/table-windows-bench"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/table-windows-bench" "$@"
