#!/bin/bash
# The per-category mode against scikit-learn on Debian's tagged package
# descriptions (bench/make-debtags-corpus.py): the workbench's export, one
# learner run growing every category's tree (c4.5.exe -L -Y -u), one
# single-category run on the same cases (each document under its first
# category) for the memory comparison, and bench/sklearn-per-category.py on
# the same sparse files. Prints times, peak memory and both sets of measures.
#
#   bench/multi-category-bench.sh [WORKDIR] [MIN_DF]   (default: build/bench-multi, 3)
#
# Environment: TCW (default build/cli/tcw), C45 (default build/learner/c4.5.exe).
# Time it on a quiet machine: the load average is printed with the figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$here/..
tcw=${TCW:-$top/build/cli/tcw}
c45=${C45:-$top/build/learner/c4.5.exe}
work=${1:-$top/build/bench-multi}
min_df=${2:-3}
mkdir -p "$work"
[ -d "$work/xml" ] || /usr/bin/python3 "$here/make-debtags-corpus.py" "$work/xml"
"$tcw" export --dir "$work/xml" --stem "$work/multi" --multi-category --min-df "$min_df" \
    > /dev/null
{ read -r training; read -r test; read -r categories; read -r attributes; } < "$work/multi.info"
echo "corpus: $training training and $test test documents, $categories categories," \
    "$attributes attributes (min_df $min_df)"
cp "$work/multi.names" "$work/single.names"
for part in data test; do
    sed 's/^\([0-9]*\),[0-9,]*/\1/' "$work/multi.$part.svm" > "$work/single.$part.svm"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for threads in 1 2; do
    OMP_NUM_THREADS=$threads /usr/bin/time -f "%e %M" -o "$work/time" \
        "$c45" -L -Y -u -f "$work/multi" > "$work/per-category.out"
    read -r seconds kb < "$work/time"
    OMP_NUM_THREADS=$threads /usr/bin/time -f "%e %M" -o "$work/time" \
        "$c45" -L -u -f "$work/single" > /dev/null
    read -r single_seconds single_kb < "$work/time"
    echo "c4.5.exe, $threads thread(s): per-category $seconds s, $((kb / 1024)) MB peak;" \
        "single-category run $single_seconds s, $((single_kb / 1024)) MB peak"
done
echo "c4.5.exe -L -Y -u:"
sed -n '/^Summary of/,$p' "$work/per-category.out" | tail -n +2
echo "scikit-learn, one DecisionTreeClassifier(criterion=\"entropy\") per category:"
/usr/bin/python3 "$here/sklearn-per-category.py" "$work/multi" | sed 's/^/\t/'
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
