#!/bin/bash
# Prepares the folder the workbench runs in: the default corpus in xml/,
# the stop-word file ceste_rijeci and the learner c4.5.exe.
#
#   scripts/prepare-workspace.sh [DIR]     (default: workspace/)
#
# An existing corpus and an edited stop-word list are kept; c4.5.exe is
# always replaced by the one just built.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$top/workspace}
mkdir -p "$dir"

[ -d "$dir/xml" ] || "$top/scripts/make-default-corpus.sh" "$dir/xml"
[ -e "$dir/ceste_rijeci" ] || cp "$top/data/ceste_rijeci" "$dir/ceste_rijeci"

learner=$(find "$top/build" -name c4.5.exe -type f -perm -u+x | head -n 1)
if [ -n "$learner" ]; then
    cp -f "$learner" "$dir/c4.5.exe"
else
    echo "c4.5.exe has not been built; runs of C4.5 will find no program" >&2
fi
