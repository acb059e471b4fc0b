#!/usr/bin/env bash
# fuzz-all.sh BUILD SECONDS [TARGET...]: runs every fuzz target of the fuzz build BUILD (or those
# named) for SECONDS each, two at a time at the lowest priority, from its corpus and with its
# dictionary, and prints a table: runs, runs a second, coverage (edges reached at the end) and
# findings (inputs that crashed, leaked, hung or ran out of memory; a finding ends its target).
# New inputs, findings and logs go to a folder of their own, named under the table; the corpora in
# the tree stay as they are. GS_FUZZ_JOBS sets how many run at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: fuzz-all.sh BUILD SECONDS [TARGET...]}" && pwd)
seconds=${2:?usage: fuzz-all.sh BUILD SECONDS [TARGET...]}
shift 2
out=$(mktemp -d /tmp/fuzz-all-XXXXXX)

# Each target's executable is build/fuzz/FOLDER/NAME; its corpus and dictionary are in fuzz/FOLDER.
declare -A folder_of
while IFS= read -r exe; do
  folder_of[$(basename "$exe")]=$(basename "$(dirname "$exe")")
done < <(find "$build/fuzz" -mindepth 2 -maxdepth 2 -type f -perm -u+x | sort)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(printf '%s\n' "${!folder_of[@]}" | sort)
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets in $build/fuzz (configure with CC=clang CXX=clang++ -DGS_BUILD_FUZZ=ON)" >&2
  exit 2
fi
for name in "${targets[@]}"; do
  [ -n "${folder_of[$name]:-}" ] || { echo "no fuzz target $name in $build/fuzz" >&2; exit 2; }
done

run() {
  local name=$1 folder=${folder_of[$1]}
  local args=(-max_total_time="$seconds" -print_final_stats=1 -timeout=25 -rss_limit_mb=2048
              -artifact_prefix="$out/$name/")
  local dict
  for dict in "$root/fuzz/$folder"/*.dict; do
    [ -e "$dict" ] && args+=(-dict="$dict")
  done
  mkdir -p "$out/$name/new"
  nice -n 19 "$build/fuzz/$folder/$name" "${args[@]}" "$out/$name/new" "$root/fuzz/$folder"/corpus* \
    >"$out/$name/log" 2>&1 || true
}

jobs_at_once=${GS_FUZZ_JOBS:-2}
for name in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do
    wait -n || true
  done
  run "$name" &
done
wait

final_stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -1; }
printf '%-24s %12s %10s %9s %9s\n' target runs runs/s coverage findings
for name in "${targets[@]}"; do
  log=$out/$name/log
  runs=$(final_stat number_of_executed_units "$log")
  rate=$(final_stat average_exec_per_sec "$log")
  cover=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  findings=$(find "$out/$name" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  printf '%-24s %12s %10s %9s %9s\n' "$name" "${runs:-?}" "${rate:-?}" "${cover:-?}" "$findings"
done
echo "logs, new inputs and findings: $out"
