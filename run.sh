#!/usr/bin/env bash
# Installs what is missing, builds Orlamo and starts the editor.
# Without a display it runs a short headless demo of orlamo-cli on the example library.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
bin=$root/build/bin

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin/orlamo" "$@"
fi

echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): running the headless demo instead."
exec "$root/scripts/demo.sh"
