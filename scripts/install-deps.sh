#!/usr/bin/env bash
# Installs the Debian packages Orlamo needs to build, test and run, when any is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev
    googletest libgtest-dev libbenchmark-dev
    sox espeak-ng python3 ffmpeg
    xvfb xauth
    desktop-file-utils shared-mime-info libglib2.0-bin groff-base dpkg-dev
    libsndfile1-dev libsamplerate0-dev
    qt6-multimedia-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
else
    echo "Missing packages (${missing[*]}) and no root rights to install them." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
