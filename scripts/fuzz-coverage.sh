#!/usr/bin/env bash
# fuzz-coverage.sh TARGET PATTERN CORPUS...: runs the fuzz target TARGET (an executable of the fuzz
# build) once over every input of the CORPUS folders and prints, for each source file whose path
# matches the extended regular expression PATTERN, the edges between its basic blocks that the
# inputs reached (libFuzzer's own count: each branch of the code is one edge or more).
set -euo pipefail
target=${1:?usage: fuzz-coverage.sh TARGET PATTERN CORPUS...}
pattern=${2:?usage: fuzz-coverage.sh TARGET PATTERN CORPUS...}
shift 2
nice -n 19 "$target" -runs=0 -print_coverage=1 "$@" 2>&1 |
  awk -v pattern="$pattern" '
    /^(UN)?COVERED_FUNC: / {
      split($5, edges, "/")
      file = $NF
      sub(/:[0-9]+$/, "", file)
      if (file !~ pattern)
        next
      reached[file] += edges[1]
      all[file] += edges[2]
    }
    END {
      for (file in all) {
        printf "%-60s %5d/%-5d %5.1f%%\n", file, reached[file], all[file], 100 * reached[file] / all[file]
        r += reached[file]
        a += all[file]
      }
      if (a > 0)
        printf "%-60s %5d/%-5d %5.1f%%\n", "all", r, a, 100 * r / a
    }'
