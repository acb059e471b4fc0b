#!/usr/bin/env bash
# Builds and opens Glimmerscout, searching the sample web: a local web on
# 127.0.0.1 that stands in for the search services and the sites they list.
# Without a display it starts a virtual one. With --https the program is
# pointed at the sample web's HTTPS side (the CA it makes is named in the
# settings file either way).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release
exe="$root/build/release/bin/glimmerscout"
web="$root/build/release/bin/glimmerscout-sampleweb"

# The sample web writes its base addresses into the program's settings file
# (the executable's path with ".ini"), which the program reads at every search start.
web_args=(--ini "$exe.ini")
if [ "${1:-}" = "--https" ]; then
  web_args+=(--https)
fi
web_log=$(mktemp)
"$web" "${web_args[@]}" >"$web_log" 2>&1 &
web_pid=$!
trap 'kill "$web_pid" 2>/dev/null || true; wait "$web_pid" 2>/dev/null || true; rm -f "$web_log"' EXIT
for _ in $(seq 1 100); do
  grep -q '^Sample web ready' "$web_log" && break
  if ! kill -0 "$web_pid" 2>/dev/null; then
    cat "$web_log" >&2
    echo "The sample web did not start." >&2
    exit 1
  fi
  sleep 0.1
done
grep -q '^Sample web ready' "$web_log" || { cat "$web_log" >&2; echo "The sample web did not start." >&2; exit 1; }
echo "Sample web running (any search phrase finds its pictures):"
grep -v '^Sample web ready' "$web_log" | sed 's/^/  /'

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting a virtual display (Xvfb) for Glimmerscout."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$exe"
else
  "$exe"
fi
