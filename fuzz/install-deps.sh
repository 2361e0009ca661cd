#!/usr/bin/env bash
# Installs what the fuzz targets need beyond the normal build: clang and its runtime libraries
# (libclang-rt-14-dev carries libclang_rt.fuzzer). The normal build and ./test.sh do not need them.
set -euo pipefail

packages=(clang libclang-rt-14-dev cmake ninja-build)

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
