#!/usr/bin/env bash
# Runs every test: the normal build, then the AddressSanitizer and
# UndefinedBehaviorSanitizer build. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
status=0
run_suite() {
  local dir=$1; shift
  echo "== $(basename "$dir")"
  bash "$root/scripts/build.sh" "$dir" "$@" || return 1
  (cd "$dir" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
}
run_suite "$root/build/sanitize" -DGS_SANITIZE=ON -DGS_BUILD_BENCH=OFF || status=1
run_suite "$root/build/release" -DCMAKE_BUILD_TYPE=Release || status=1
exit $status
