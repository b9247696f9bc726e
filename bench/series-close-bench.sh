#!/bin/bash
# Times closing the series window, and quitting, while a series parses a
# large synthetic corpus, under a private Xvfb (see
# bench/series-close-bench.cc), and prints the load average the figures were
# taken under.
#
#   bench/series-close-bench.sh [DOCUMENTS [BUILD_FOLDER]]   (default 300000, build/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-300000}
build=$(realpath "${2:-$top/build}")

libs=()
for lib in gui series charts jobs classify treeview c45 measures corpus; do
    found=$(find "$build/$lib" -maxdepth 1 -name "lib$lib.a" | head -n 1)
    [ -n "$found" ] || { echo "lib$lib.a not found in $build (build the gui target first)" >&2; exit 1; }
    libs+=("$found")
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046
g++ -std=c++17 -O2 -I"$top" -I"$top/gui" "$top/bench/series-close-bench.cc" \
    -Wl,--start-group "${libs[@]}" -Wl,--end-group \
    $(pkg-config --cflags gtkmm-2.4 cairomm-1.0 | sed 's/-I/-isystem /g') \
    $(pkg-config --libs gtkmm-2.4 cairomm-1.0) -pthread -o "$work/series-close-bench"
cd "$work"
"$top/bench/make-synthetic-corpus.sh" corpus "$count" > /dev/null
uptime
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/series-close-bench" corpus "$build/learner/c4.5.exe"
uptime
