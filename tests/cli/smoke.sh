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

    run save-state --dir corpus --out out/state.tpp --stemming --ig
    show out/state.tpp
    run export --state out/state.tpp --stem out/again --ig --min-df 2
    show out/again.names out/again.data

    run export --dir corpus --stem out/stemmed --stemming --min-df 2
    for extension in info names data test; do
        cmp out/stemmed.$extension out/again.$extension
    done && echo "the folder and its saved state give the same file set"

    run export --dir corpus --stem out/set --stop-words missing-stop-words
    run export --dir missing-folder --stem out/set
    run export --state missing.tpp --stem out/set
    run export --dir corpus --stem missing-folder/set
    printf 'rijeci iz train dokumenata\n2\n' >truncated.tpp
    run export --state truncated.tpp --stem out/set

    run export --dir corpus
    run export --dir corpus --state out/state.tpp --stem out/set
    run export --dir corpus --stem out/set --min-df many
    run export --dir corpus --stem out/set --colour
    run export --state out/state.tpp --stem out/set --stemming
    run save-state --dir corpus
    run frobnicate
    run
    run --help
    run export --help
    run save-state --help
    echo "== files left in out/"
    ls out
}

if [ "${2:-}" = "--update" ]; then
    transcript >"$here/expected.txt"
else
    transcript | diff -u "$here/expected.txt" -
fi
