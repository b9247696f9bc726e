#!/bin/bash
# Runs c4.5.exe, Weka's J48 (-C 0.25 -M 2) and scikit-learn's entropy tree on
# C4.5 file sets and prints one line per learner: seconds (whole run of the
# program, reading included), tree size, training error, test error and test
# accuracy, all in percent of the cases.
#
#   bench/learner-bench.sh STEM...      (each STEM has .names, .data, .test)
#
# J48 reads ARFF converted from the file set (the conversion is not timed).
# For scikit-learn the seconds are those of fit and predict; reading the
# text files in Python is shown apart as "load".
# Environment: C45 (default build/learner/c4.5.exe), WEKA_JAR.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
c45=${C45:-$here/../build/learner/c4.5.exe}
weka=${WEKA_JAR:-/usr/share/java/weka.jar}
python=/usr/bin/python3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

now() { date +%s.%N; }
percent() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b ? 100 * a / b : 0 }'; }
row() { printf '%-8s %8.2f %6d %9s%% %9s%% %9s%%  %s\n' "$@"; }

for stem in "$@"; do
    train=$(grep -cv '^\s*$' "$stem.data" || true)
    test=$(grep -cv '^\s*$' "$stem.test" || true)
    attributes=$(grep -c '^[^|]*:' "$stem.names" || true)
    echo "== $(basename "$stem"): $train training cases, $test test cases, $attributes attributes"
    printf '%-8s %8s %6s %10s %10s %10s\n' learner seconds size train-err test-err accuracy

    start=$(now)
    "$c45" -u -f "$stem" > "$tmp/c45.out"
    end=$(now)
    # Sixth line after each "Evaluation on" line: size and errors after pruning.
    read -r size train_errors < <(awk '/^Evaluation on training/ { n = NR + 6 } NR == n {
        gsub(/[()%<]/, " "); print $4, $5 }' "$tmp/c45.out")
    test_errors=$(awk '/^Evaluation on test/ { n = NR + 6 } NR == n { gsub(/[()%<]/, " "); print $5 }' \
        "$tmp/c45.out")
    row c4.5.exe "$(echo "$end - $start" | bc)" "$size" "$(percent "$train_errors" "$train")" \
        "$(percent "$test_errors" "$test")" "$(percent $((test - test_errors)) "$test")" ""

    "$python" "$here/c45-to-arff.py" "$stem" "$tmp/train.arff" data
    "$python" "$here/c45-to-arff.py" "$stem" "$tmp/test.arff" test
    start=$(now)
    java -Xmx3g -cp "$weka" weka.classifiers.trees.J48 -C 0.25 -M 2 -t "$tmp/train.arff" \
        -T "$tmp/test.arff" > "$tmp/j48.out" 2> "$tmp/j48.err"
    end=$(now)
    size=$(awk -F: '/^Size of the tree/ { print $2 + 0 }' "$tmp/j48.out")
    read -r train_errors test_errors < <(awk '/^Incorrectly Classified/ { e[++n] = $4 }
        END { print e[1], e[2] }' "$tmp/j48.out")
    build=$(awk '/^Time taken to build model/ { print $6 }' "$tmp/j48.out")
    row J48 "$(echo "$end - $start" | bc)" "$size" "$(percent "$train_errors" "$train")" \
        "$(percent "$test_errors" "$test")" "$(percent $((test - test_errors)) "$test")" \
        "(build ${build}s)"

    read -r load fit size train_errors test_errors _ < <("$python" "$here/sklearn-tree.py" "$stem")
    row sklearn "$fit" "$size" "$(percent "$train_errors" "$train")" \
        "$(percent "$test_errors" "$test")" "$(percent $((test - test_errors)) "$test")" \
        "(load ${load}s)"
done
