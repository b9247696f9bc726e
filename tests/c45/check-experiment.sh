#!/bin/sh
# A whole experiment on the committed corpus with the real learner. With one
# category per document the micro-averaged F1 must equal the share of test
# documents the pruned tree got right, 100% minus the error percentage that
# C4.5 printed: the measures and the learner's own evaluation agree.
#
#   check-experiment.sh TCW C45 CORPUS
tcw=$1 c45=$2 corpus=$3
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$tcw" experiment --dir "$corpus" --stem run --min-df 2 --c45 "$c45" --save run.c45p \
    > out.txt) || { echo "tcw experiment failed"; cat "$work/out.txt"; exit 1; }
cat "$work/out.txt"
awk '
    /^Evaluation on test data/ { test = 1 }
    test && /Broj grešaka:/ { split($0, p, "[(%]"); error = p[4] }
    /^F1 micro je / { f1 = $4 }
    /^  Broj kategorija: / { categories = $3 }
    END {
        if (categories != 3 || error == "" || f1 == "") { print "missing results"; exit 1 }
        d = (100 - error) / 100 - f1
        if (d > 0.001 || d < -0.001) { print "micro F1 " f1 " but test error " error "%"; exit 1 }
        print "micro F1 " f1 " agrees with the test error " error "%"
    }' "$work/out.txt" || exit 1
[ -s "$work/run.c45p" ] && [ -s "$work/run.names" ] || { echo "files missing"; exit 1; }
