#!/bin/bash
# How fast long work stops: a series cancelled while it prepares its first run
# (parsing a large corpus, writing the file set), as closing the series window
# or quitting the workbench cancels its job, and a C4.5 run cancelled half-way. Prints the seconds from the
# signal to the end of the process; the work itself would take far longer.
#
#   bench/cancel-bench.sh [DOCUMENTS]      (default 300000)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-300000}
tcw=$top/build/cli/tcw
c45=$top/build/learner/c4.5.exe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$top/bench/make-synthetic-corpus.sh" corpus "$count" > /dev/null
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

# Stops tcw with SIGTERM after DELAY seconds (as Ctrl-C would; a background
# job of a script ignores SIGINT); prints the seconds it took to end.
stop_after() {
    local delay=$1
    shift
    "$@" > /dev/null 2>&1 &
    local pid=$!
    sleep "$delay"
    local start
    start=$(date +%s.%N)
    kill -TERM "$pid"
    wait "$pid" || true
    awk -v start="$start" -v end="$(date +%s.%N)" 'BEGIN { printf "%.2f", end - start }'
}

for delay in 1 2 3; do
    echo "series cancelled ${delay} s into preparing its first run (parse, file set) of $count documents: $(stop_after "$delay" \
        "$tcw" series --dir corpus --stem s --csv s.csv --c45 "$c45") s"
done
"$tcw" export --dir corpus --stem set --min-df 2 > /dev/null
for delay in 2 5; do
    echo "learner run cancelled after ${delay} s: $(stop_after "$delay" \
        "$tcw" run --stem set.names -m 2 --c45 "$c45") s"
done
