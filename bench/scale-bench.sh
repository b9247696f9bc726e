#!/bin/bash
# Wall time and peak memory of the export, of c4.5.exe and of the whole
# tcw experiment, on the whole WordNet corpus at min-df 5 with the dense and
# the sparse file set, then on a synthetic corpus of N documents (sparse only;
# the size the dense files would have is printed instead).
#
#   bench/scale-bench.sh [N [MIN_DF]]
#
# N defaults to 1,000,000, MIN_DF to 5. TCW and C45 name the programs
# (default build/cli/tcw and build/learner/c4.5.exe); WORK a folder for the
# corpora and file sets (default a temporary one, removed at the end). Figures
# come from /usr/bin/time -v (Debian package time).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-1000000}
minDf=${2:-5}
tcw=$(realpath "${TCW:-$top/build/cli/tcw}")
c45=$(realpath "${C45:-$top/build/learner/c4.5.exe}")
[ -x /usr/bin/time ] || { echo "/usr/bin/time not found (install the package time)" >&2; exit 1; }
if [ -n "${WORK:-}" ]; then
    work=$WORK
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
cd "$work"

# measure LABEL COMMAND...: one line "LABEL  WALL s  PEAK MB"; the command's
# output goes to LABEL.out.
measure() {
    local label=$1
    shift
    local log
    log=$(mktemp)
    if ! /usr/bin/time -v "$@" >"$label.out" 2>"$log"; then
        echo "$label failed:" >&2
        tail -5 "$log" >&2
        rm -f "$log"
        return 1
    fi
    awk -v label="$label" '
        /Elapsed \(wall clock\)/ { n = split($NF, t, ":"); wall = 0
                                   for (i = 1; i <= n; ++i) wall = wall * 60 + t[i] }
        /Maximum resident set size/ { peak = $NF / 1024 }
        END { printf "%-28s %8.2f s %9.1f MB\n", label, wall, peak }' "$log"
    rm -f "$log"
}

f1() {
    grep -E '^F1 (micro|macro) je' "$1" | tr '\n' ' '
}

echo "machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.1f GB", $2 / 1048576 }' /proc/meminfo)"

"$top/scripts/make-default-corpus.sh" wordnet 1 >/dev/null
echo "== whole WordNet corpus, min-df $minDf"
for format in c45 libsvm; do
    flag=""
    [ "$format" = libsvm ] && flag=-L
    measure "export $format" "$tcw" export --dir wordnet --stem "wn-$format" --min-df "$minDf" \
        --format "$format"
    measure "c4.5.exe $flag" "$c45" $flag -u -f "wn-$format"
    measure "experiment $format" "$tcw" experiment --dir wordnet --stem "wx-$format" \
        --min-df "$minDf" --format "$format" --c45 "$c45"
    echo "  $(f1 "experiment $format.out")"
    echo "  files: $(du -cb wx-"$format".* | tail -1 | cut -f1) bytes"
done
rm -f wn-c45.data wn-c45.test wx-c45.data wx-c45.test
if [ "$(f1 'experiment c45.out')" = "$(f1 'experiment libsvm.out')" ]; then
    echo "  dense and sparse give the same F1"
else
    echo "  dense and sparse F1 DIFFER"
fi

"$top/bench/make-synthetic-corpus.sh" synthetic "$count" >/dev/null
echo "== synthetic corpus, $count documents, min-df $minDf (sparse)"
measure "export libsvm" "$tcw" export --dir synthetic --stem syn --min-df "$minDf" --format libsvm
measure "c4.5.exe -L" "$c45" -L -u -f syn
measure "experiment libsvm" "$tcw" experiment --dir synthetic --stem sx --min-df "$minDf" \
    --format libsvm --c45 "$c45"
echo "  $(f1 'experiment libsvm.out')"
read -r train test categories attributes <<<"$(tr '\n' ' ' <sx.info)"
nonzero=$(cat sx.data.svm sx.test.svm | tr ' ' '\n' | grep -c ':' || true)
echo "  $train training and $test test documents, $categories categories, $attributes attributes," \
    "$nonzero non-zero counts; sparse files $(du -cb sx.data.svm sx.test.svm | tail -1 | cut -f1) bytes"
# A dense line holds "0, " for every attribute, a count in place of a zero
# where there is one, and the category.
awk -v docs=$((train + test)) -v attributes="$attributes" -v nonzero="$nonzero" 'BEGIN {
    printf "  the dense .data and .test would hold at least %.1f GB\n",
           (docs * (3 * attributes + 10) + nonzero) / 1e9 }'
