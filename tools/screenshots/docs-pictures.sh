#!/usr/bin/env bash
# docs-pictures.sh BIN_DIR OUT_DIR: makes every picture of docs/ with the
# screenshot tool in BIN_DIR, at 100% and the main window's also at 200%, and
# puts them into OUT_DIR only when all were made: a picture that docs/ holds
# or that the README or docs/ show, and that the tool did not make, fails it.
#   bash tools/screenshots/docs-pictures.sh build/release/bin docs
# renews the pictures of docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$(cd "$1" && pwd)
out=$2
work=$(mktemp -d /tmp/gs-docs-pictures.XXXXXX)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
"$bin/glimmerscout-screenshots" "$work"
QT_SCALE_FACTOR=2 "$bin/glimmerscout-screenshots" "$work" -200
status=0
for picture in $( (cd "$root" && ls docs/*.png && grep -oh 'docs/[A-Za-z0-9_-]*\.png' README.md docs/*.md) | sort -u); do
  made=$work/$(basename "$picture")
  if ! file "$made" | grep -q 'PNG image data'; then
    echo "not made: $picture" >&2
    status=1
  fi
done
if [ "$status" = 0 ]; then
  mkdir -p "$out"
  cp "$work"/*.png "$out"/
fi
exit $status
