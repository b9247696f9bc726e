#!/bin/bash
# Takes a screenshot of every window and dialog of the workbench, filled with
# the data of one experiment on the default corpus, under a private Xvfb.
#
#   scripts/screenshots.sh [OUTPUT_FOLDER] [MIN_DF]    (default: build/screenshots/, 30)
#
# TCW_BUILD names the build folder to take the programs from (default: build).
# Builds first if needed. Prints each picture's size and the size its window
# asks for; exits non-zero when a window is too small for its contents or an
# error box was shown.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${TCW_BUILD:-$top/build}")
out=$(realpath -m "${1:-$build/screenshots}")
min_df=${2:-30}
cd "$top"

driver=$build/tests/gui/gui_screenshots
[ -x "$driver" ] || scripts/build.sh >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -d workspace/xml ]; then
    ln -s "$top/workspace/xml" "$work/xml"
fi
scripts/prepare-workspace.sh "$work" >/dev/null
# A multi-category corpus: Debian's tagged package descriptions when the
# package lists are there, else the small committed one.
python3 bench/make-debtags-corpus.py "$work/multi" --documents 600 >/dev/null 2>&1 ||
    { rm -rf "$work/multi" && cp -r tests/cli/data/multi-corpus "$work/multi"; }
if [ -x "$build/learner/c4.5.exe" ]; then
    cp -f "$build/learner/c4.5.exe" "$work/c4.5.exe"
fi

mkdir -p "$out"
status=0
# A configuration folder of its own: the user's remembered choices neither
# shape the pictures nor are changed by them.
XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 1280x1024x24" "$driver" "$work" "$out" "$min_df" \
    > "$work/console.log" || status=$?
grep -E '\.png|^  ' "$work/console.log" || true
echo "screenshots in $out"
exit "$status"
