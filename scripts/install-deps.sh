#!/bin/bash
# Installs the Debian packages the workbench needs to build, run and test.
# Does nothing when they are all present already.
set -euo pipefail

packages=(build-essential cmake pkg-config libgtkmm-2.4-dev libpstreams-dev libgtest-dev
          xvfb xauth wordnet-base perl)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
