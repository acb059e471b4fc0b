#!/usr/bin/env bash
# package-check.sh BUILD_DIR: makes the Debian package of a built tree, checks
# it with lintian, installs it, runs the installed program (a search of the
# sample web from the command line, with a fresh home) and removes it again,
# checking that none of its files stays behind. Installs into the system: run
# as root on a machine of your own (CI does).
set -euo pipefail
build=$(cd "$1" && pwd)
[ "$(id -u)" = 0 ] || { echo "package-check.sh installs a package: run it as root" >&2; exit 1; }
if dpkg-query -W -f='${Status}' glimmerscout 2>/dev/null | grep -q installed; then
  echo "glimmerscout is installed already; package-check.sh leaves it alone" >&2
  exit 1
fi
work=$(mktemp -d)
web_pid=
cleanup() {
  [ -z "$web_pid" ] || { kill "$web_pid" 2>/dev/null || true; wait "$web_pid" 2>/dev/null || true; }
  dpkg-query -W glimmerscout >/dev/null 2>&1 && dpkg -r glimmerscout >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/package/glimmerscout_*.deb)
echo "Package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends
lintian --fail-on error "$deb" || fail "lintian found errors"

dpkg -i "$deb" >/dev/null
files=$(dpkg -L glimmerscout | while read -r f; do [ -d "$f" ] || echo "$f"; done)

home=$work/home
mkdir -p "$home/.config/glimmerscout"
"$build/bin/glimmerscout-sampleweb" --ini "$home/.config/glimmerscout/glimmerscout.ini" >"$work/web.log" 2>&1 &
web_pid=$!
for _ in $(seq 1 150); do grep -q '^Sample web ready' "$work/web.log" && break; sleep 0.1; done
grep -q '^Sample web ready' "$work/web.log" || { cat "$work/web.log" >&2; fail "the sample web did not start"; }
(cd "$home" && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
  glimmerscout --search "red cars" --no-check --max-results 2 --time-limit 60) >"$work/found.txt" ||
  fail "the installed program's search"
[ "$(wc -l <"$work/found.txt")" = 2 ] || fail "the installed program found $(wc -l <"$work/found.txt") pictures, not 2"

dpkg -r glimmerscout >/dev/null
for f in $files; do
  [ ! -e "$f" ] || fail "$f stayed after the removal"
done
echo "package: lintian, install, run and removal passed"
