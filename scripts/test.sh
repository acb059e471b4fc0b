#!/usr/bin/env bash
# Runs every test: the AddressSanitizer and UndefinedBehaviorSanitizer build,
# then the normal build, with (on CI, or with GS_PACKAGE_CHECK=1) the Debian
# package's install and removal before its tests. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
status=0
build() {
  local dir=$1; shift
  echo "== $(basename "$dir")"
  bash "$root/scripts/build.sh" "$dir" "$@"
}
run_tests() {
  (cd "$1" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
}
if build "$root/build/sanitize" -DGS_SANITIZE=ON -DGS_BUILD_BENCH=OFF; then
  run_tests "$root/build/sanitize" || status=1
else
  status=1
fi
# The benchmarks are built where asked (see the README), not for the tests.
if build "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DGS_BUILD_BENCH=OFF; then
  # The Debian package is installed into the system and removed: only where
  # asked (CI). It runs before the last suite, so that the run ends with its summary.
  if [ "${CI:-}" = true ] || [ "${GS_PACKAGE_CHECK:-}" = 1 ]; then
    bash "$root/scripts/package-check.sh" "$root/build/release" || status=1
  fi
  run_tests "$root/build/release" || status=1
else
  status=1
fi
exit $status
