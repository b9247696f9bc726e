#!/bin/bash
# The 24-run series on the default corpus (min-df 2,5,10,20,50,100 x stemming
# off/on x stop words off/on) with tcw series, against the same 24 experiments
# run one after another with tcw experiment. Prints both wall times and their
# ratio; the series parses once per stemming setting and runs the learners
# side by side, each with its share of the cores.
#
#   bench/series-bench.sh [BUILD_DIR [WORK_DIR]]   (default: build/, a temporary folder)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
tcw=$build/cli/tcw
c45=$build/learner/c4.5.exe
[ -x "$tcw" ] && [ -x "$c45" ] || { echo "build tcw and c45_learner in $build first" >&2; exit 1; }
if [ -n "${2:-}" ]; then
    mkdir -p "$2"
    work=$(cd "$2" && pwd)
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
cd "$work"
[ -d xml ] || "$top/scripts/make-default-corpus.sh" xml > /dev/null
cp "$top/data/ceste_rijeci" .

min_dfs=(2 5 10 20 50 100)
now() { date +%s.%N; }

start=$(now)
"$tcw" series --dir xml --stem series --csv series.csv --min-df "$(IFS=,; echo "${min_dfs[*]}")" \
    --stemming both --stop-words ceste_rijeci --stop-word-use both --c45 "$c45" \
    > series.out 2> series.err
series=$(echo "$(now) - $start" | bc)

# The singles as a user runs them, then with the learner held to one thread,
# which tells the gain of sharing the parse and running side by side apart
# from the learner's own threading on a busy machine.
singles() {
    local start
    start=$(now)
    for stemming in "" --stemming; do
        for stop in "" "--stop-words ceste_rijeci"; do
            for df in "${min_dfs[@]}"; do
                # shellcheck disable=SC2086
                "$tcw" experiment --dir xml --stem single --min-df "$df" $stemming $stop \
                    --c45 "$c45" > single.out
            done
        done
    done
    echo "$(now) - $start" | bc
}
singles=$(singles)
one_thread=$(OMP_NUM_THREADS=1 singles)

echo "cores: $(nproc)"
echo "series of $(($(wc -l < series.csv) - 1)) runs: $series s"
echo "24 single experiments: $singles s"
echo "24 single experiments, learner on one thread: $one_thread s"
echo "series / singles: $(echo "scale=3; $series / $singles" | bc)"
echo "series / one-thread singles: $(echo "scale=3; $series / $one_thread" | bc)"
