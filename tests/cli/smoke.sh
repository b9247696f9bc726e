#!/bin/bash
# Runs tcw on the committed fixtures and compares the whole transcript (exit
# status, standard output with carriage returns shown as ^M, standard error and
# every file written) with expected.txt. With --update it rewrites expected.txt.
#
#   smoke.sh TCW [--update]
set -euo pipefail
tcw=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$here/data/." "$work"
c45data="$here/../c45/data"
cp "$c45data/fake-c45.sh" "$c45data/release8-test.out" "$c45data/learner-error.out" \
    "$c45data/per-category.out" "$work"
cd "$work"
mkdir out

run() {
    echo "\$ tcw${*:+ $*}"
    local status=0
    "$tcw" "$@" >stdout 2>stderr || status=$?
    echo "[exit $status]"
    cat -v stdout
    if [ -s stderr ]; then
        echo "--- stderr"
        cat stderr
    fi
}

show() {
    for file in "$@"; do
        echo "== $file"
        cat "$file"
    done
}

transcript() {
    run export --dir corpus --stem out/set --min-df 2 --stop-words stop-words
    show out/set.info out/set.names out/set.data out/set.test
    run export --dir corpus --stem out/sparse --min-df 2 --stop-words stop-words --format libsvm
    show out/sparse.data.svm out/sparse.test.svm
    cmp out/set.names out/sparse.names && echo "the sparse set has the same names"

    run save-state --dir corpus --out out/state.tpp --stemming --ig
    show out/state.tpp
    run export --state out/state.tpp --stem out/again --ig --min-df 2
    show out/again.names out/again.data

    run export --state out/state.tpp --stem out/top --min-df 1 --top-ig 2
    show out/top.names

    run export --dir corpus --stem out/stemmed --stemming --min-df 2
    for extension in info names data test; do
        cmp out/stemmed.$extension out/again.$extension
    done && echo "the folder and its saved state give the same file set"

    # On a stemmed corpus the listed words are compared as written, and the
    # console says how many match no key, unless they are stemmed too.
    run export --dir corpus --stem out/stemmed-stop --stemming --stop-words stop-words
    run export --dir corpus --stem out/stemmed-stop --stemming --stop-words stop-words \
        --stem-stop-words
    run export --dir corpus --stem out/set --stop-words stop-words --stem-stop-words

    run export --dir corpus --stem out/set --stop-words missing-stop-words
    run export --dir missing-folder --stem out/set
    run export --state missing.tpp --stem out/set
    run export --dir corpus --stem missing-folder/set
    printf 'rijeci iz train dokumenata\n2\n' >truncated.tpp
    run export --state truncated.tpp --stem out/set
    printf '%s\n' 'rijeci iz train dokumenata' 0 'rijeci iz test dokumenata' 0 \
        'kategorije sa brojem dokumenata' 0 'train dokumenti kategorije' 0 \
        'test dokumenti kategorije' 0 'sve rijeci' 1 nig 'ab 1' >untrained.tpp
    run export --state untrained.tpp --stem out/set --top-ig 1

    run export --dir corpus
    run export --dir corpus --state out/state.tpp --stem out/set
    run export --dir corpus --stem out/set --min-df many
    run export --dir corpus --stem out/set --colour
    run export --dir corpus --stem out/set --format arff
    run export --dir corpus --stem out/set --top-ig 0
    run export --dir corpus --stem out/set --min-df 0
    run export --state out/state.tpp --stem out/set --stemming
    run save-state --dir corpus
    run frobnicate
    run
    run --help
    run export --help
    run save-state --help
    echo "== files left in out/"
    ls out

    c45_runs
    multi_category
}

# Documents with several categories: sparse labels such as "0,1", the state
# file's marker line, and the dense layout refused.
multi_category() {
    mkdir multi
    run export --dir multi-corpus --stem multi/set --multi-category --ig --top-ig 4
    show multi/set.info multi/set.names multi/set.data.svm multi/set.test.svm
    run save-state --dir multi-corpus --out multi/state.tpp --multi-category --ig
    show multi/state.tpp
    run export --state multi/state.tpp --stem multi/again --top-ig 4
    for extension in info names data.svm test.svm; do
        cmp multi/set.$extension multi/again.$extension
    done && echo "the folder and its saved state give the same sparse set"
    run export --dir multi-corpus --stem multi/set --multi-category --format c45
    run export --state multi/state.tpp --stem multi/set --format c45
    run export --state multi/state.tpp --stem multi/set --multi-category
    run experiment --dir multi-corpus --stem multi/set --multi-category --format c45
    export FAKE_C45_ARGS=args FAKE_C45_TRANSCRIPT=per-category.out
    run experiment --dir multi-corpus --stem multi/run --min-df 1 --multi-category \
        --c45 ./fake-c45.sh --save multi/run.c45p
    echo "== arguments of tcw experiment --multi-category"
    tr '\0' ' ' <args
    echo
    run show multi/run.c45p
    run trees multi/run.c45p --category earn
    run trees multi/run.c45p
    run trees multi/run.c45p --category wheat
    run run --stem multi/run --per-category --c45 ./fake-c45.sh
    run run --stem out/set --per-category --c45 ./fake-c45.sh
    # A learner that answers -Y with a normal run gives no per-category result.
    FAKE_C45_TRANSCRIPT=release8-test.out run experiment --dir multi-corpus --stem multi/run \
        --min-df 1 --multi-category --c45 ./fake-c45.sh
    unset FAKE_C45_ARGS FAKE_C45_TRANSCRIPT
    echo "== files left in multi/"
    ls multi
}

# C4.5 runs through the stand-in ./fake-c45.sh (see tests/c45/data), which
# records its arguments in args and prints $FAKE_C45_TRANSCRIPT.
c45_runs() {
    export FAKE_C45_ARGS=args FAKE_C45_TRANSCRIPT=release8-test.out
    local fake="--c45 ./fake-c45.sh"
    run run --stem out/set -m 2.9 $fake
    run run --stem out/set -m 123456 -c 0 $fake
    run run --stem out/set -c 100.5 $fake
    run run --stem out/set -t 1.5 $fake
    run run --stem out/set -t 0 $fake
    # Beyond the learner's limits, however many digits.
    run run --stem out/set -m 1000001 -c 0.0005 $fake
    run run --stem out/set -m 4294967298 $fake
    run run --stem out/set -t 4294967297 $fake
    run run --stem out/set -s -m 1000000 -c 0.5 -t 10 $fake --save out/run.c45p
    echo "== arguments"
    tr '\0' ' ' <args
    echo
    cmp out/run.c45p release8-test.out && echo "the run was saved"
    run experiment --dir corpus --stem out/sparse --min-df 2 --format libsvm $fake
    echo "== arguments"
    tr '\0' ' ' <args
    echo
    # tcw run finds the sparse set by itself.
    "$tcw" run --stem out/sparse.names $fake >/dev/null && echo "== arguments of tcw run"
    tr '\0' ' ' <args
    echo

    # A failed run or one without a result leaves the saved run as it was.
    FAKE_C45_TRANSCRIPT=learner-error.out FAKE_C45_STATUS=1 \
        run run --stem out/set $fake --save out/run.c45p
    FAKE_C45_TRANSCRIPT=fake-c45.sh run run --stem out/set $fake --save out/run.c45p
    FAKE_C45_STDERR="fake: gave up" FAKE_C45_TRANSCRIPT=/dev/null \
        run run --stem out/set $fake --save out/run.c45p
    cmp out/run.c45p release8-test.out && echo "the saved run is unchanged"
    # Only a whole run opens: not another file, not a run cut short.
    printf 'Kategorija,Broj dokumenata\nearn,3\n' >out/table.csv
    run show out/table.csv
    head -c 450 release8-test.out >out/cut.c45p
    run trees out/cut.c45p --simplified
    run run --stem out/set --c45 ./no-such-c45
    # An unwritable --save path stops the run before it starts.
    rm args
    run run --stem out/set $fake --save missing-folder/run.c45p
    run experiment --dir corpus --stem out/set $fake --save missing-folder/run.c45p
    run run --stem out/set $fake --save out
    run experiment --dir corpus --stem out/set --min-df -5 $fake
    [ -e args ] || echo "C4.5 was not started"

    # Output that cannot be written is an error.
    for command in "show out/run.c45p" "trees out/run.c45p" "--help" "run --stem out/set $fake"; do
        local status=0
        "$tcw" $command >/dev/full 2>stderr || status=$?
        echo "\$ tcw $command >/dev/full"
        echo "[exit $status]"
        cat stderr
    done

    # Interrupting tcw ends C4.5 and whatever it started, then tcw itself.
    for signal in INT TERM; do
        rm -f linger
        local status=0
        FAKE_C45_LINGER=linger timeout -s $signal 1 "$tcw" run --stem out/set $fake \
            >stdout 2>stderr || status=$?
        echo "\$ timeout -s $signal 1 tcw run --stem out/set $fake"
        echo "[exit $status]"
        cat stdout stderr
        local state=
        for wait in 1 2 3 4 5 6 7 8 9 10; do
            state=$(cut -d' ' -f3 "/proc/$(cat linger)/stat" 2>/dev/null) || true
            [ -z "$state" ] || [ "$state" = Z ] && break
            sleep 0.2
        done
        [ -z "$state" ] || [ "$state" = Z ] && echo "C4.5 ended" || echo "C4.5's child still runs"
    done
    unset FAKE_C45_ARGS FAKE_C45_TRANSCRIPT
}

if [ "${2:-}" = "--update" ]; then
    transcript >"$here/expected.txt"
else
    transcript | diff -u "$here/expected.txt" -
fi
