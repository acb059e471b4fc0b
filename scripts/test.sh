#!/usr/bin/env bash
# Runs every test: the AddressSanitizer and UndefinedBehaviorSanitizer build,
# then the normal build, then (on CI, or with GS_PACKAGE_CHECK=1) the Debian
# package's install and removal. Exits non-zero on any failure.
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
# The Debian package is installed into the system and removed: only where asked (CI).
if [ "${CI:-}" = true ] || [ "${GS_PACKAGE_CHECK:-}" = 1 ]; then
  bash "$root/scripts/package-check.sh" "$root/build/release" || status=1
fi
exit $status
