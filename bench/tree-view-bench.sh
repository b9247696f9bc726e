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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/bench/compile-gui-bench.sh" "$build" "$top/bench/tree-view-bench.cc" "$work/tree-view-bench"
uptime
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/tree-view-bench" "$@"
uptime
