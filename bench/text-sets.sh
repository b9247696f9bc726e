#!/bin/bash
# Writes the default corpus's C4.5 file sets at a few document-frequency
# thresholds with the workbench's own export (tcw), stop words left out:
#
#   bench/text-sets.sh OUTDIR [MIN_DF...]     (default thresholds 20 10 5)
#
# gives OUTDIR/dfN.{info,names,data,test}; the corpus is built in OUTDIR/xml
# first if it is not there. Environment: TCW (default build/cli/tcw).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$here/..
tcw=${TCW:-$top/build/cli/tcw}
out=${1:?usage: text-sets.sh OUTDIR [MIN_DF...]}
shift
thresholds=("${@:-20 10 5}")
mkdir -p "$out"
[ -d "$out/xml" ] || "$top/scripts/make-default-corpus.sh" "$out/xml"
for df in ${thresholds[@]}; do
    "$tcw" export --dir "$out/xml" --stem "$out/df$df" --min-df "$df" \
        --stop-words "$top/data/ceste_rijeci" > /dev/null
    echo "$out/df$df: $(tr '\n' ' ' < "$out/df$df.info")(training, test, classes, attributes)"
done
