#!/usr/bin/env bash
# fuzz-coverage.sh BUILD TARGET SOURCES CORPUS...: the branches of the source files SOURCES (paths
# from the tree's root, separated by commas) that the inputs of the CORPUS folders reach through the
# fuzz target TARGET of the fuzz build BUILD, as llvm-cov counts them. Only those files are compiled
# again, with clang's source coverage, and linked in before the libraries that hold them.
set -euo pipefail
usage="usage: fuzz-coverage.sh BUILD TARGET SOURCES CORPUS..."
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?$usage}" && pwd)
target=${2:?$usage}
IFS=, read -ra sources <<<"${3:?$usage}"
shift 3
[ $# -gt 0 ] || { echo "$usage" >&2; exit 2; }
work=$(mktemp -d /tmp/fuzz-coverage-XXXXXX)
trap 'rm -rf "$work"' EXIT

# Each file as the build compiles it, with coverage, into an object of its own.
objects=()
for source in "${sources[@]}"; do
  object=$work/$(basename "$source").o
  command=$(python3 - "$build/compile_commands.json" "$root/$source" "$object" <<'EOF'
import json, shlex, sys, os
entries, source, object = json.load(open(sys.argv[1])), os.path.realpath(sys.argv[2]), sys.argv[3]
for e in entries:
    if os.path.realpath(os.path.join(e["directory"], e["file"])) == source:
        args = shlex.split(e["command"])
        args[args.index("-o") + 1] = object
        print(shlex.join(args + ["-fprofile-instr-generate", "-fcoverage-mapping"]))
        break
else:
    sys.exit("not compiled by this build: " + sys.argv[2])
EOF
)
  (cd "$build" && eval "nice $command")
  objects+=("$object")
done

# The target's own link, with those objects first, so the libraries' copies are not taken.
link=$(ninja -C "$build" -t commands "$target" | tail -1 |
  python3 -c 'import shlex, sys
args = shlex.split(sys.stdin.read().strip().removeprefix(": &&").removesuffix("&& :"))
at = args.index("-o")
args[at:at + 2] = sys.argv[2:] + ["-fprofile-instr-generate", "-o", sys.argv[1]]
print(shlex.join(args))' "$work/$target" "${objects[@]}")
(cd "$build" && eval "nice $link")

LLVM_PROFILE_FILE=$work/%p.profraw nice -n 19 "$work/$target" -runs=0 "$@" >"$work/run.log" 2>&1 ||
  { tail -20 "$work/run.log" >&2; exit 1; }
llvm-profdata merge -o "$work/merged.profdata" "$work"/*.profraw
llvm-cov report "$work/$target" -instr-profile="$work/merged.profdata" \
  $(printf '%s ' "${sources[@]/#/$root/}")
