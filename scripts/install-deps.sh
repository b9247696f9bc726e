#!/bin/bash
# Installs the Debian packages the workbench needs to build, run and test.
# Does nothing when they are all present already.
set -euo pipefail

packages=(build-essential cmake pkg-config libgtkmm-2.4-dev libgtest-dev
          xvfb xauth wordnet-base perl locales python3-sklearn)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The GUI tests run a second time under the Croatian locale its users have.
if ! locale -a 2>/dev/null | grep -qix 'hr_HR.utf8'; then
    sed -i 's/^# *\(hr_HR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^hr_HR.UTF-8 UTF-8' /etc/locale.gen || echo 'hr_HR.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen
fi
