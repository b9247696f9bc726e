#!/bin/bash
# Installs what is needed, builds, prepares workspace/ with the default
# corpus and runs the workbench in it. Without a display the same experiment
# runs headless through the command-line front end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install-deps.sh
scripts/build.sh
scripts/prepare-workspace.sh workspace

cd workspace
gui=$(find "$top/build" -name tcworkbench -type f -perm -u+x | head -n 1)
if [ -n "$gui" ] && [ -n "${DISPLAY:-}" ]; then
    exec "$gui" "$@"
fi
[ -n "$gui" ] && echo "No display: running the default experiment headless." >&2
tcw=$(find "$top/build" -name tcw -type f -perm -u+x | head -n 1)
exec "$tcw" experiment --dir xml --stem bla --min-df 5 --stop-words ceste_rijeci
