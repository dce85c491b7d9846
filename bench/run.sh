#!/usr/bin/env bash
# bench/run.sh [--tsv] [--repeat N] [--only name,name]
# Builds the program and the speed table in Release (build-release/) and prints one table:
# each measure, this program's figure, the peer measured in the same run on the same
# bytes (the sqlite3 tool, grep, the same import without disk waits), their ratio and
# the goal. --tsv prints the rows as tab-separated lines: name, program, peer, ratio,
# goal (seconds, or MB for memory; peer and ratio empty where the goal is absolute).
# A full run takes a few minutes: it makes a 500,000-article delivery and imports it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tsv=0
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --tsv) tsv=1 ;;
    --repeat|--only) args+=("$1" "$2"); shift ;;
    *) echo "gebruik: bench/run.sh [--tsv] [--repeat N] [--only naam,naam]" >&2; exit 2 ;;
  esac
  shift
done
for tool in sqlite3 grep; do
  command -v "$tool" >/dev/null || { echo "bench/run.sh: $tool ontbreekt (scripts/deps.sh)" >&2; exit 1; }
done

build="${VANDREL_BENCH_BUILD_DIR:-$here/build-release}"
echo "Bouwen (Release) in $build..." >&2
if ! VANDREL_BUILD_DIR="$build" VANDREL_TARGETS="vandrel-catalogus genlib40 vandrel-speedtable" \
     "$here/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release -DVANDREL_BUILD_TESTS=OFF >"$build.log" 2>&1; then
  tail -30 "$build.log" >&2
  echo "bench/run.sh: bouwen mislukt ($build.log)" >&2
  exit 1
fi

rows="$("$build/bin/vandrel-speedtable" --program "$build/bin/vandrel-catalogus" "${args[@]}")"
if [ "$tsv" -eq 1 ]; then
  printf '%s\n' "$rows"
  exit 0
fi
printf '%s\n' "$rows" | awk -F'\t' '
  function show(v, unit) { return v == "" ? "-" : v unit }
  BEGIN {
    printf "%-24s %12s %12s %8s  %-18s %s\n", "measure", "program", "peer", "ratio", "goal", "met"
  }
  {
    unit = ($1 ~ /_mb$/) ? " MB" : " s"
    goal = $5; met = "?"
    if ($2 == "") met = "failed"
    else if ($4 != "" && match(goal, /<=[0-9.]+x/)) {
      limit = substr(goal, RSTART + 2, RLENGTH - 3) + 0
      met = ($4 + 0 <= limit) ? "yes" : "no"
      if (match(goal, /<[0-9.]+ s/)) { abs = substr(goal, RSTART + 1, RLENGTH - 3) + 0; if ($2 + 0 >= abs) met = "no" }
    } else if (match(goal, /<[0-9.]+/)) {
      limit = substr(goal, RSTART + 1, RLENGTH - 1) + 0
      met = ($2 + 0 < limit) ? "yes" : "no"
    }
    printf "%-24s %12s %12s %8s  %-18s %s\n", $1, show($2, unit), show($3, unit), show($4, "x"), goal, met
  }'
