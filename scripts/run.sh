#!/usr/bin/env bash
# Builds and opens Glimmerscout. Without a display it starts a virtual one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release
exe="$root/build/release/bin/glimmerscout"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting a virtual display (Xvfb) for Glimmerscout."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$exe"
fi
exec "$exe"
