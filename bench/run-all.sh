#!/bin/bash
# The learner benchmark: builds the text file sets (document-frequency
# thresholds 20, 10 and 5) and the classic sets, then runs the three learners
# on each. Needs the Debian packages weka and python3-sklearn.
#
#   bench/run-all.sh [OUTDIR]      (default /tmp/learner-bench)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-/tmp/learner-bench}
"$here/text-sets.sh" "$out/text" 20 10 5
/usr/bin/python3 "$here/classic-sets.py" "$out/classic"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
"$here/learner-bench.sh" "$out"/classic/{iris,wine,breast-cancer,digits} "$out"/text/df{20,10,5}

# Tree by tree comparison with J48 on the classic sets.
c45=${C45:-$here/../build/learner/c4.5.exe}
for set in iris wine breast-cancer digits; do
    stem=$out/classic/$set
    "$c45" -u -f "$stem" > "$stem.c45-output"
    /usr/bin/python3 "$here/c45-to-arff.py" "$stem" "$stem-train.arff" data
    /usr/bin/python3 "$here/c45-to-arff.py" "$stem" "$stem-test.arff" test
    java -cp "${WEKA_JAR:-/usr/share/java/weka.jar}" weka.classifiers.trees.J48 -C 0.25 -M 2 \
        -t "$stem-train.arff" -T "$stem-test.arff" > "$stem.j48-output" 2> /dev/null
    echo "$set: $(/usr/bin/python3 "$here/compare-trees.py" "$stem.c45-output" "$stem.j48-output")"
done
