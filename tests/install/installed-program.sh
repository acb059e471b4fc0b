#!/usr/bin/env bash
# installed-program.sh BUILD_DIR: installs the build into a temporary prefix,
# checks the installed desktop entry, metadata, icons and manual page, makes the
# prefix read-only and runs the installed program as an unprivileged user with
# a fresh home: the window started and closed under a virtual display (no
# message box, the settings file made in the configuration folder), then a
# search of the sample web from the command line. Nothing may be written
# under the prefix.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
id=com.glimmerscout.Glimmerscout

work=$(mktemp -d /tmp/gs-installed.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Waits (at most 15 s) until the command succeeds.
wait_for() {
  for _ in $(seq 1 150); do "$@" && return 0; sleep 0.1; done
  return 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null
man_warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/glimmerscout.1.gz" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "the manual page: $man_warnings"
MANWIDTH=80 man -l "$prefix/share/man/man1/glimmerscout.1.gz" | grep -q -- '--max-results N' ||
  fail "the manual page does not render its options"
for side in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${side}x${side}/apps/glimmerscout.png
  [ -f "$icon" ] || fail "no icon $icon"
done
test -f "$prefix/share/glimmerscout/loading.bmp" || fail "no loading picture"
test ! -e "$prefix/bin/libadvert.so" || fail "the advertising library lies beside the program"

chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(listing)

# The user: nobody when run as root, else the one running the test.
home=$work/home
mkdir "$home"
user=$(id -u)
runas=()
if [ "$user" = 0 ]; then
  user=$(id -u nobody)
  runas=(setpriv --reuid="$user" --regid="$(id -g nobody)" --clear-groups)
fi
chown "$user" "$home"
# In the home folder, so nothing is found through the working folder.
as_user() {
  (cd "$home" && exec "${runas[@]}" env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@")
}
settings=$home/.config/glimmerscout/glimmerscout.ini

# The window: started, closed as a window manager closes it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for test -s "$work/display" || { cat "$work/xvfb.log" >&2; fail "no virtual display"; }
display=:$(head -n1 "$work/display")
as_user DISPLAY="$display" QT_QPA_PLATFORM=xcb "$prefix/bin/glimmerscout" >"$work/window.log" 2>&1 &
window_pid=$!
pids+=("$window_pid")
DISPLAY=$display /usr/bin/python3 "$here/close-window.py" "Glimmerscout v1.1" ||
  { cat "$work/window.log" >&2; fail "the window"; }
wait_for bash -c "! kill -0 $window_pid 2>/dev/null" || fail "the program did not end after its window closed"
wait "$window_pid" || { cat "$work/window.log" >&2; fail "the program ended with status $?"; }
grep -qi '^Width=' "$settings" || fail "no settings written to $settings"
[ "$(stat -c %u "$settings")" = "$user" ] || fail "the settings file was not made by the program"

# The command line: a search of the sample web, with the settings file the window made.
"$build/bin/glimmerscout-sampleweb" --ini "$settings" >"$work/web.log" 2>&1 &
pids+=($!)
wait_for grep -q '^Sample web ready' "$work/web.log" || { cat "$work/web.log" >&2; fail "the sample web did not start"; }
chown "$user" "$settings"
as_user "$prefix/bin/glimmerscout" --search "red cars" --no-check --max-results 3 --time-limit 60 \
  >"$work/found.txt" 2>"$work/cli.log" || { cat "$work/cli.log" >&2; fail "the command-line search"; }
[ "$(wc -l <"$work/found.txt")" = 3 ] || { cat "$work/found.txt" "$work/cli.log" >&2; fail "not three pictures found"; }

[ "$(listing)" = "$before" ] || fail "something was written under the prefix"
echo "installed program: all checks passed"
