#!/bin/bash
# Runs c4.5.exe, Weka's J48 (-C 0.25 -M 2) and scikit-learn's entropy tree on
# C4.5 file sets and prints one line per learner: wall seconds, CPU seconds,
# tree size, training error, test error and test accuracy (in percent).
#
#   bench/learner-bench.sh STEM...      (each STEM has .names, .data, .test)
#
# Where STEM.data.svm and STEM.test.svm exist (bench/c45-to-libsvm.py writes
# them), c4.5.exe -L reading them is timed too, as the row c4.5-L; both
# c4.5.exe rows note the peak resident memory of the median run's last run.
#
# c4.5.exe and J48 are timed as whole programs. c4.5.exe reads the dense
# text files itself; its note gives the seconds of a run that only reads
# (-m 1000000 leaves the tree a single leaf). J48 reads sparse ARFF converted
# from the file set (conversion not timed); its note is Weka's own build time.
# For scikit-learn the seconds are those of fit and predict; reading the
# files in Python is shown apart as "load".
# c4.5.exe and scikit-learn run RUNS times (default 5) and show the median;
# J48 runs once and is given up after J48_LIMIT seconds (default 1800; 0
# leaves J48 out).
# Environment: C45 (default build/learner/c4.5.exe), WEKA_JAR, RUNS, J48_LIMIT.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
c45=${C45:-$here/../build/learner/c4.5.exe}
weka=${WEKA_JAR:-/usr/share/java/weka.jar}
runs=${RUNS:-5}
j48_limit=${J48_LIMIT:-1800}
python=/usr/bin/python3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

percent() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b ? 100 * a / b : 0 }'; }
row() { printf '%-8s %8.2f %8.2f %6d %9s%% %9s%% %9s%%  %s\n' "$@"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# Runs a command N times with its last output in $tmp/out; sets status, and
# wall and cpu to the medians.
timed() {
    local n=$1
    shift
    : > "$tmp/times"
    for _ in $(seq "$n"); do
        status=0
        /usr/bin/time -f '%e %U %S %M' -o "$tmp/time" "$@" > "$tmp/out" 2> "$tmp/err" || status=$?
        tail -1 "$tmp/time" >> "$tmp/times"
    done
    wall=$(awk '{ print $1 }' "$tmp/times" | median)
    cpu=$(awk '{ print $2 + $3 }' "$tmp/times" | median)
    peak=$(awk '{ print int($4 / 1024) }' "$tmp/times" | sort -n | tail -1)
}
# Prints the row of a c4.5.exe run whose output is in $tmp/out.
c45_row() {
    local name=$1 note=$2
    # Sixth line after each "Evaluation on" line: size and errors after pruning.
    read -r size train_errors < <(awk '/^Evaluation on training/ { n = NR + 6 } NR == n {
        gsub(/[()%<]/, " "); print $4, $5 }' "$tmp/out")
    test_errors=$(awk '/^Evaluation on test/ { n = NR + 6 } NR == n { gsub(/[()%<]/, " "); print $5 }' \
        "$tmp/out")
    row "$name" "$wall" "$cpu" "$size" "$(percent "$train_errors" "$train")" \
        "$(percent "$test_errors" "$test")" "$(percent $((test - test_errors)) "$test")" "$note"
}

for stem in "$@"; do
    train=$(grep -cv '^\s*$' "$stem.data" || true)
    test=$(grep -cv '^\s*$' "$stem.test" || true)
    attributes=$(grep -c '^[^|]*:' "$stem.names" || true)
    echo "== $(basename "$stem"): $train training cases, $test test cases, $attributes attributes"
    printf '%-8s %8s %8s %6s %10s %10s %10s\n' learner wall-s cpu-s size train-err test-err accuracy

    timed "$runs" "$c45" -m 1000000 -u -f "$stem"
    read_wall=$wall
    timed "$runs" "$c45" -u -f "$stem"
    c45_row c4.5.exe "(reading alone ${read_wall}s; peak ${peak} MB)"
    if [ -r "$stem.data.svm" ] && [ -r "$stem.test.svm" ]; then
        timed "$runs" "$c45" -m 1000000 -L -u -f "$stem"
        read_wall=$wall
        timed "$runs" "$c45" -L -u -f "$stem"
        c45_row c4.5-L "(sparse files; reading alone ${read_wall}s; peak ${peak} MB)"
    fi

    if [ "$j48_limit" -eq 0 ]; then
        status=skipped
    else
        "$python" "$here/c45-to-arff.py" "$stem" "$tmp/train.arff" data
        "$python" "$here/c45-to-arff.py" "$stem" "$tmp/test.arff" test
        timed 1 timeout "$j48_limit" java -Xmx3g -cp "$weka" weka.classifiers.trees.J48 -C 0.25 -M 2 \
            -t "$tmp/train.arff" -T "$tmp/test.arff"
    fi
    if [ "$status" = skipped ]; then
        echo "J48      left out"
    elif [ "$status" -eq 124 ]; then
        echo "J48      did not finish within $j48_limit s"
    else
        size=$(awk -F: '/^Size of the tree/ { print $2 + 0 }' "$tmp/out")
        read -r train_errors test_errors < <(awk '/^Incorrectly Classified/ { e[++n] = $4 }
            END { print e[1], e[2] }' "$tmp/out")
        build=$(awk '/^Time taken to build model/ { print $6 }' "$tmp/out")
        row J48 "$wall" "$cpu" "$size" "$(percent "$train_errors" "$train")" \
            "$(percent "$test_errors" "$test")" "$(percent $((test - test_errors)) "$test")" \
            "(build ${build}s)"
    fi

    read -r load fit cpu size train_errors test_errors _ < \
        <("$python" "$here/sklearn-tree.py" "$stem" "$runs")
    row sklearn "$fit" "$cpu" "$size" "$(percent "$train_errors" "$train")" \
        "$(percent "$test_errors" "$test")" "$(percent $((test - test_errors)) "$test")" \
        "(fit and predict; load ${load}s)"
done
