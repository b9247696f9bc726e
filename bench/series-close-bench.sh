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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/bench/compile-gui-bench.sh" "$build" "$top/bench/series-close-bench.cc" "$work/series-close-bench"
cd "$work"
"$top/bench/make-synthetic-corpus.sh" corpus "$count" > /dev/null
uptime
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/series-close-bench" corpus "$build/learner/c4.5.exe"
uptime
