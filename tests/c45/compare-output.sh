#!/bin/sh
# Runs a command in a fresh empty folder and compares what it produced with
# the expected files: EXPECTED/stdout.txt with its standard output, and every
# other file of EXPECTED with the file of that name the command wrote.
#
#   compare-output.sh EXPECTED COMMAND [ARG...]
expected=$1
shift
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$@" > stdout.txt) || { echo "command failed: $*"; cat "$work/stdout.txt"; exit 1; }
status=0
for file in "$expected"/*; do
    diff -u "$file" "$work/$(basename "$file")" || status=1
done
exit $status
