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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/bench/compile-gui-bench.sh" "$build" "$top/bench/table-windows-bench.cc" "$work/table-windows-bench"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/table-windows-bench" "$@"
